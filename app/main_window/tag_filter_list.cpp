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

// The tags a tags text names, as updateTagSelectionOfGUI reads them: the items
// of the text split at commas, "/" and blanks (a leading "~" skipped with
// negate), and a space of them without regard to case, each key standing
// for the first item of its spelling. Looking a label up costs one hash,
// whatever the number of items.
class NamedTags {
 public:
  template <class Work>
  static void With(const char* text, bool negate, Work work) {
    NamedTags named;
    WithCleanUp(
        [&] {
          named.copy = StrClone(text);
          named.items = commeredItemsToStringList(named.copy, false, negate, false);
          named.space = new cStringSpace;
          named.space->new_cStringSpace(false, CASE_INSENSITIVE);
          for (char* item = named.items; item; item = StrNext(item))
            named.space->set_cStringSpace(item, reinterpret_cast<intptr_t>(item), true);
          work(named);
        },
        [&] {
          End(named.space);
          DisposeString(named.items);
          DisposeString(named.copy);
        });
  }

  // TRUE when the text names the label; the label's tag is taken, so that a
  // later label of the same spelling finds it taken.
  bool take(const char* label) { return space->get_cStringSpace(label, true) != 0; }
  // Calls visit with each item not taken yet, in the text's order, once per
  // spelling.
  template <class Visit>
  void forEachUntaken(Visit visit) {
    for (char* item = items; item; item = StrNext(item))
      if (space->get_cStringSpace(item, true) == reinterpret_cast<intptr_t>(item)) visit(item);
  }

 private:
  NamedTags() = default;
  char* copy = nullptr;
  char* items = nullptr;
  cStringSpace* space = nullptr;
};

// The mode a tags text chooses; with no cycle there is none, and no "~".
bool negates(const char* text, cGuiCycleChoice* modeCycle) { return modeCycle && text[0] == '~'; }

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
  const bool negate = negates(text, modeCycle);
  if (modeCycle) modeCycle->setState(negate ? MODE_HIDE : MODE_SHOW);
  NamedTags::With(text, negate, [&](NamedTags& named) {
    for (bool more = tagList->cursor_gotoStart(); more; more = tagList->cursor_gotoNext(1) != 0) {
      const bool found = named.take(tagList->cursor_getLabel());
      if (tagList->cursor_getState() != found) tagList->cursor_setState(found);
    }
    // Each missing tag once, whatever its case in the text.
    if (addMissing)
      named.forEachUntaken([&](const char* item) {
        tagList->addEntry(StrClone(item), false, false, 0, nullptr, true);
        tagList->cursor_setState(true);
      });
  });
}

bool tagSelectionFollows(const char* text, cGuiList* tagList, cGuiCycleChoice* modeCycle) {
  if (!text) text = "";
  const bool negate = negates(text, modeCycle);
  if (modeCycle && modeCycle->getState() != (negate ? MODE_HIDE : MODE_SHOW)) return false;
  bool follows = true;
  NamedTags::With(text, negate, [&](NamedTags& named) {
    for (bool more = tagList->cursor_gotoStart(); more && follows; more = tagList->cursor_gotoNext(1) != 0)
      follows = tagList->cursor_getState() == named.take(tagList->cursor_getLabel());
  });
  return follows;
}
