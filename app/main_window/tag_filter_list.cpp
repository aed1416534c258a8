#include "app/main_window/tag_filter_list.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/tags.h"
#include "app/ludex_module.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"
#include "gui/items/gui_choice_item.h"
#include "gui/lists/gui_list.h"

namespace {

constexpr int32_t MODE_SHOW = 0;
constexpr int32_t MODE_HIDE = 1;

bool iterateFilterTagListFinished = true;

fGuiListEntries* tagProducer() {
  setupIterateFilterTagList();
  return static_cast<fGuiListEntries*>(iterateFilterTagList_ludex);
}

// Takes every item equal to label (ignoring case) out of the chain; TRUE when
// there was one.
bool takeMatchingItems(char*& items, const char* label) {
  bool found = false;
  char* previous = nullptr;
  for (char* item = items; item;) {
    char* next = StrNext(item);
    if (StrCmpNoCase(item, label)) {
      found = true;
      if (previous) StrLink(previous, next); else items = next;
      StrLink(item, nullptr);
      DisposeString(item);
    } else {
      previous = item;
    }
    item = next;
  }
  return found;
}

// The strings of a chain joined by separator, a new string.
char* joinChain(const char* chain, const char* separator) {
  const auto separatorLength = static_cast<int32_t>(std::strlen(separator));
  int32_t length = 0;
  for (const char* s = chain; s; s = StrNext(s)) length += EstrLen(s) + (s == chain ? 0 : separatorLength);
  char* text = NewString(length);
  for (const char* s = chain; s; s = StrNext(s)) {
    if (s != chain) StrAdd(text, separator);
    StrAdd(text, s);
  }
  return text;
}

}  // namespace

void setupIterateFilterTagList() {
  iterateFilterTagListFinished = !(tagSpace && tagSpace->itemGotoFirst());
}

char* iterateFilterTagList::call(GuiListEntryMore* more) {
  if (iterateFilterTagListFinished) return fGuiListEntries::call(more);
  const char* key = nullptr;
  tagSpace->itemInfo(&key);
  char* label = StrClone(key);
  iterateFilterTagListFinished = !tagSpace->itemGotoNext();
  if (more) *more = GuiListEntryMore{};
  return label;
}

void addFilterTagsToGUI(cGuiList* tagList) { tagList->addEntryF(tagProducer()); }

void updateFilterTagsToGUI(cGuiList* tagList) { tagList->updateF(tagProducer()); }

char* tagSelectionToUserTags(cGuiList* tagList) {
  StringChain labels;
  char* text = nullptr;
  WithCleanUp(
      [&] {
        for (bool more = tagList->cursor_gotoFirstSelected(); more; more = tagList->cursor_gotoNextSelected())
          labels.append(StrClone(tagList->cursor_getLabel()));
        text = joinChain(labels.head, ",");
      },
      [&] { DisposeString(labels.head); });
  return text;
}

void updateTagSelectionOfGUI(const char* text, cGuiList* tagList, cGuiCycleChoice* modeCycle, bool addMissing) {
  if (!text) text = "";
  bool negate = false;
  if (modeCycle) {
    negate = text[0] == '~';
    modeCycle->setState(negate ? MODE_HIDE : MODE_SHOW);
  }
  char* copy = StrClone(text);
  char* items = nullptr;
  WithCleanUp(
      [&] {
        items = commeredItemsToStringList(copy, false, negate, false);
        for (bool more = tagList->cursor_gotoStart(); more; more = tagList->cursor_gotoNext(1) != 0) {
          const bool found = takeMatchingItems(items, tagList->cursor_getLabel());
          if (tagList->cursor_getState() != found) tagList->cursor_setState(found);
        }
        if (addMissing)
          while (items) {
            char* item = StrTakeFirst(items);
            // Each missing tag once, whatever its case in the text.
            try {
              takeMatchingItems(items, item);
            } catch (...) {
              DisposeString(item);
              throw;
            }
            tagList->addEntry(item, false, false, 0, nullptr, true);
            tagList->cursor_setState(true);
          }
      },
      [&] {
        DisposeString(copy);
        DisposeString(items);
      });
}
