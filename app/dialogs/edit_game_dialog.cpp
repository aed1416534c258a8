#include "app/dialogs/edit_game_dialog.h"

#include <cstring>

#include "app/dialogs/dialog_loop.h"
#include "app/dialogs/tag_picker.h"
#include "app/items/gui_key_button.h"
#include "app/main_window/tag_filter_list.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

const char* const paramsHint =
    "What is written here will replace %p in any customer Launcher used to start this game (see the Preferences "
    "window).  Use it to add any options needed for this particular game.";

// The dialog's items and the results the user's changes leave pending.
struct EditGameDialog {
  cGuiWindow* window = nullptr;
  cGuiString* name = nullptr;
  TagPicker tags;
  cGuiString* params = nullptr;
  cGuiItem* ok = nullptr;
  cGuiButton* skip = nullptr;
  cGuiButton* cancel = nullptr;

  char* pendingName = nullptr;
  char* pendingTags = nullptr;
  char* pendingParams = nullptr;
  bool cancelled = false;
  // What the "Name" field held when the user first saw it.
  char* shownName = nullptr;

  ~EditGameDialog() { DisposeString(shownName); }

  void dropPending() {
    DisposeString(pendingName);
    DisposeString(pendingTags);
    DisposeString(pendingParams);
    pendingName = pendingTags = pendingParams = nullptr;
  }
  static void replace(char*& pending, const char* text) {
    char* copy = StrClone(text);
    DisposeString(pending);
    pending = copy;
  }

  // The tags are shown once the window is built (showTags).
  void describe(const char* nameText, const char* paramsText) {
    window->initSaveID(DialogSaveId("EDIT"));
    window->beginGroupVertical(nullptr);
    name = window->addString("Name");
    // Room for the whole name, however long: a field that cut it would
    // hand back the shortened copy as a change.
    if (nameText) name->initMaxChars(static_cast<int32_t>(std::strlen(nameText)));
    name->setState(nameText);
    tags = TagPicker::describe(window);
    params = window->addString("Launcher parameters");
    params->setState(paramsText);
    params->setPopupHint(paramsHint);
    window->beginGroupHorizontal(nullptr);
    ok = addKeyButton(window, "OK", '\n');
    skip = window->addButton("Skip");
    cancel = window->addButton("Cancel");
    window->endGroup();
    window->endGroup();
  }

  // The tags as the user left them, pending only when the user touched the
  // field or the list and they now name other tags than the game had: the
  // same tags in another order or case keep the game's own text, and an
  // untouched field (which may hold a shortened copy of long tags) is not read.
  void takeTags(const char* tagsText) {
    tags.selectTags();
    if (!tags.touched()) return;
    char* chosen = tagSelectionToUserTags(tags.list);
    if (sameTagSets(chosen, tagsText)) DisposeString(chosen);
    else pendingTags = chosen;
  }

  // The name is pending only when the field holds another text than the one
  // the dialog put there: leaving the field as it was is no change.
  void takeName() {
    const char* now = name->getState();
    if (StrCmp(now, shownName)) {
      DisposeString(pendingName);
      pendingName = nullptr;
    } else {
      replace(pendingName, now);
    }
  }

  // TRUE when the dialog is to end.
  bool react(cGuiItem* item, const char* tagsText) {
    if (!item || item == cancel) {
      dropPending();
      cancelled = true;
      return true;
    }
    if (item == skip) {
      dropPending();
      return true;
    }
    if (item == ok) {
      // The name and the params are what their fields reported; a field the
      // user never left is not read again.
      takeTags(tagsText);
      return true;
    }
    if (item == name) takeName();
    else if (item == params) replace(pendingParams, params->getState());
    else tags.handle(item);
    return false;
  }

  // Pending results equal to what was passed (case matters) are no change.
  // Without params any pending text is a change.
  void dropUnchanged(const char* nameText, const char* tagsText, const char* paramsText) {
    auto dropIfSame = [](char*& pending, const char* was) {
      if (pending && was && StrCmp(pending, was)) {
        DisposeString(pending);
        pending = nullptr;
      }
    };
    dropIfSame(pendingName, nameText);
    dropIfSame(pendingTags, tagsText);
    dropIfSame(pendingParams, paramsText);
  }
};

}  // namespace

char* requestEditGame(const char* name, const char* tagsText, const char* params, char** newTagsText,
                      char** newParams, bool* cancelled) {
  EditGameDialog d;
  d.window = CreateGuiWindow("Edit game");
  try {
    WithDialogWindow(d.window, [&] {
      d.describe(name, params);
      d.window->build(true);
      d.shownName = StrClone(d.name->getState());
      // The game's tags fill the field; those the list lacks yet are added, and all selected.
      d.tags.showTags(tagsText);
      d.window->open();
      DropProgramEvents(d.window);
      RunDialogLoop(d.window, [&](cGuiItem* item) { return d.react(item, tagsText ? tagsText : ""); });
    });
  } catch (...) {
    d.dropPending();
    throw;
  }
  d.dropUnchanged(name, tagsText, params);
  if (newTagsText) *newTagsText = d.pendingTags;
  else DisposeString(d.pendingTags);
  if (newParams) *newParams = d.pendingParams;
  else DisposeString(d.pendingParams);
  if (cancelled) *cancelled = d.cancelled;
  return d.pendingName;
}
