#include "app/dialogs/tag_all_dialog.h"

#include <cstring>

#include "app/dialogs/dialog_loop.h"
#include "app/dialogs/tag_picker.h"
#include "app/games/game.h"
#include "app/games/tags.h"
#include "app/main_window/games_list_display.h"
#include "app/main_window/selection_description.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

// The tags with the padded tag appended in place of their last comma. Tags
// that do not end in a comma (an empty stored line) keep every character.
char* tagsWithAdded(const char* tags, const char* padded) {
  auto kept = static_cast<int32_t>(std::strlen(tags));
  if (kept > 0 && tags[kept - 1] == ',') --kept;
  char* changed = NewString(kept + EstrLen(padded));
  StrCopy(changed, tags, kept);
  StrAdd(changed, padded);
  return changed;
}

// The tags without the padded tag found at index at, one comma kept.
char* tagsWithRemoved(const char* tags, int32_t at, const char* padded) {
  const char* rest = tags + at + EstrLen(padded) - 1;
  char* changed = NewString(at + static_cast<int32_t>(std::strlen(rest)));
  StrCopy(changed, tags, at);
  StrAdd(changed, rest);
  return changed;
}

// Adds the padded tag to the game's tags, or removes every occurrence of it;
// whole tags only, case matters.
void changeGameTag(game* g, const char* padded, bool add) {
  const char* tags = g->tags ? g->tags : "";
  if (add) {
    if (InStr(tags, padded) >= 0) return;
    char* changed = tagsWithAdded(tags, padded);
    DisposeString(g->tags);
    g->tags = changed;
    return;
  }
  for (int32_t at = InStr(tags, padded); at >= 0; at = InStr(tags, padded)) {
    char* changed = tagsWithRemoved(tags, at, padded);
    DisposeString(g->tags);
    g->tags = changed;
    tags = changed;
  }
}

struct TagAllDialog {
  cGuiWindow* window = nullptr;
  TagPicker tags;
  cGuiButton* add = nullptr;
  cGuiButton* remove = nullptr;
  cGuiButton* finished = nullptr;

  void describe(cGuiList* games) {
    window->initSaveID(DialogSaveId("TAGA"));
    window->beginGroupVertical(nullptr);
    char* description = selectionDescription(games);
    WithCleanUp([&] { window->addText("Selected")->setState(description); }, [&] { DisposeString(description); });
    tags = TagPicker::describe(window);
    window->beginGroupHorizontal(nullptr);
    add = window->addButton("Add");
    remove = window->addButton("Remove");
    finished = window->addButton("Finished");
    window->endGroup();
    window->endGroup();
  }

  // Every selected tag on every selected game, then no tag selected.
  void apply(cGuiList* games, bool adding) {
    tags.selectTags();
    cGuiList* list = tags.list;
    for (bool tag = list->cursor_gotoFirstSelected(); tag; tag = list->cursor_gotoNextSelected()) {
      char* padded = padTags(list->cursor_getLabel());
      WithCleanUp(
          [&] {
            for (bool row = games->cursor_gotoFirstSelected(); row; row = games->cursor_gotoNextSelected())
              if (game* g = gameOfCursorEntry(games)) changeGameTag(g, padded, adding);
          },
          [&] { DisposeString(padded); });
    }
    list->markAll();
    list->marked_setState(false);
    list->marked_unmark();
    updateGamesListToGUI(games);
  }

  bool react(cGuiItem* item, cGuiList* games) {
    if (!item || item == finished) return true;
    if (item == add || item == remove) apply(games, item == add);
    else tags.handle(item);
    return false;
  }
};

}  // namespace

void requestTagAll(cGuiList* gamesList) {
  TagAllDialog d;
  d.window = CreateGuiWindow("Tag all selected games");
  WithDialogWindow(d.window, [&] {
    d.describe(gamesList);
    d.window->build(false);
    RunDialogLoop(d.window, [&](cGuiItem* item) { return d.react(item, gamesList); });
  });
}
