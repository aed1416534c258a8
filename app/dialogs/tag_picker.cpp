#include "app/dialogs/tag_picker.h"

#include "app/games/tags.h"
#include "app/main_window/tag_filter_list.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "gui/gui_window.h"

namespace {

const char* const tagsHint = "Add new tags here.\nYou can have several tags, by putting commas between them.";

// TRUE when every item of the chain is in the other chain, case ignored.
bool allFoundIn(const char* items, const char* others) {
  for (const char* item = items; item; item = StrNext(item)) {
    bool found = false;
    for (const char* other = others; other && !found; other = StrNext(other)) found = StrCmpNoCase(item, other);
    if (!found) return false;
  }
  return true;
}

// The items of a tags text split at commas only, a chain (NIL: none).
char* tagItems(const char* text) {
  char* copy = StrClone(text);
  return WithCleanUp([&] { return commeredItemsToStringList(copy, false, false, true); },
                     [&] { DisposeString(copy); });
}

}  // namespace

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

bool TagPicker::handle(cGuiItem* item) {
  if (item == field) {
    wasTouched = true;
    selectFieldTags();
    return true;
  }
  if (item != list) return false;
  if (list->getEventSelectionChanged(false)) {
    wasTouched = true;
    char* text = tagSelectionToUserTags(list);
    WithCleanUp([&] { field->setState(text); }, [&] { DisposeString(text); });
  }
  return true;
}

void TagPicker::selectFieldTags() { updateTagSelectionOfGUI(field->getState(), list, nullptr, true); }

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
