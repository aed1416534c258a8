#include "app/dialogs/tag_picker.h"

#include "app/games/tags.h"
#include "app/main_window/tag_filter_list.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "gui/gui_window.h"

namespace {

const char* const tagsHint = "Add new tags here.\nYou can have several tags, by putting commas between them.";

// TRUE when every item of the chain is in the other chain, case ignored.
bool allFoundIn(const char* items, const char* others) {
  auto* space = new cStringSpace;
  return WithCleanUp(
      [&] {
        space->new_cStringSpace(false, CASE_INSENSITIVE);
        for (const char* other = others; other; other = StrNext(other))
          space->set_cStringSpace(other, reinterpret_cast<intptr_t>(other), true);
        for (const char* item = items; item; item = StrNext(item))
          if (!space->get_cStringSpace(item)) return false;
        return true;
      },
      [&] { End(space); });
}

// The items of a tags text split at commas only, a chain (NIL: none).
char* tagItems(const char* text) {
  char* copy = StrClone(text);
  return WithCleanUp([&] { return commeredItemsToStringList(copy, false, false, true); },
                     [&] { DisposeString(copy); });
}

}  // namespace

TagPicker& TagPicker::operator=(TagPicker&& other) noexcept {
  if (this == &other) return *this;
  DisposeString(tags);
  DisposeString(shown);
  field = std::exchange(other.field, nullptr);
  list = std::exchange(other.list, nullptr);
  tags = std::exchange(other.tags, nullptr);
  shown = std::exchange(other.shown, nullptr);
  wasTouched = std::exchange(other.wasTouched, false);
  return *this;
}

TagPicker::~TagPicker() {
  DisposeString(tags);
  DisposeString(shown);
}

TagPicker TagPicker::describe(cGuiWindow* window) {
  TagPicker picker;
  picker.field = window->addString("Tags");
  picker.field->setPopupHint(tagsHint);
  picker.list = window->beginList(1, nullptr);
  picker.list->initSelectableEntries(true, false);
  picker.list->setSortByColumn(0, false);
  addFilterTagsToGUI(picker.list);
  window->endList();
  return picker;
}

void TagPicker::showTags(const char* text) {
  char* copy = StrClone(text ? text : "");
  DisposeString(tags);
  tags = copy;
  field->setState(tags);
  const char* now = field->getState();
  char* nowShown = StrClone(now ? now : "");
  DisposeString(shown);
  shown = nowShown;
  updateTagSelectionOfGUI(tags, list, nullptr, true);
}

bool TagPicker::takeTypedTags() {
  const char* now = field->getState();
  if (!now) now = "";
  // The field shows what the picker wrote (empty before it wrote anything).
  if (StrCmp(now, shown ? shown : "")) return false;
  char* copy = StrClone(now);
  DisposeString(tags);
  tags = copy;
  DisposeString(shown);
  shown = nullptr;
  wasTouched = true;
  return true;
}

void TagPicker::selectTags() {
  takeTypedTags();
  updateTagSelectionOfGUI(tags, list, nullptr, true);
}

bool TagPicker::handle(cGuiItem* item) {
  if (item == field) {
    // A field left as it was selects nothing anew: leaving it for a click in
    // the list must not undo that click.
    if (takeTypedTags()) updateTagSelectionOfGUI(tags, list, nullptr, true);
    return true;
  }
  if (item != list) return false;
  if (list->getEventSelectionChanged(false)) {
    wasTouched = true;
    char* text = tagSelectionToUserTags(list);
    WithCleanUp([&] { showTags(text); }, [&] { DisposeString(text); });
  }
  return true;
}

bool sameTagSets(const char* a, const char* b) {
  char* itemsA = tagItems(a);
  char* itemsB = nullptr;
  return WithCleanUp(
      [&] {
        itemsB = tagItems(b);
        return allFoundIn(itemsA, itemsB) && allFoundIn(itemsB, itemsA);
      },
      [&] {
        DisposeString(itemsA);
        DisposeString(itemsB);
      });
}
