// The update merge of a sorted list: the producer's entries are sorted once
// and merged with the shown entries in one pass over both, so an entry that
// stays is neither removed nor redrawn, and the cursor ends on the entry it
// was on (or, when that one went, on the entry that followed it).
//
// Entries whose labels compare equal (0) are paired in order: the first shown
// entry of a run of equals with the first new one, and so on; shown entries
// left over in a run are removed, new ones left over are added after them.
#include <cstdio>

#include "core/box.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/mega_cursor_types.h"
#include "core/mega_list_types.h"
#include "core/string.h"
#include "core/text.h"
#include "gui/gui_list.h"
#include "gui/gui_list_entry.h"

namespace {

// Whether an offered data box holds what the held one holds: the same
// object, or boxes of one class with the same value (the same text for
// string boxes). Producers make a new box per entry, so this is how an
// unchanged entry is told from a changed one.
bool sameDataBox(class_base* held, class_base* offered) {
  if (held == offered) return true;
  if (!held || !offered || !held->IsSameClassTypeAs(offered) || !held->IsOfClassType("box")) return false;
  const auto* a = static_cast<box*>(held);
  const auto* b = static_cast<box*>(offered);
  if (held->IsOfClassType("boxSTRING"))
    return StrCmp(static_cast<const boxSTRING*>(a)->string(), static_cast<const boxSTRING*>(b)->string());
  return a->value == b->value;
}

int8_t signOf(int8_t r) { return r > 0 ? 1 : r < 0 ? -1 : 0; }

// One run of updateF: the new entries in a sorted temporary list, and the
// remembered cursor entry (its label pointer and index) on the shown side.
class ListMerge {
 public:
  ListMerge(cGuiList* target, fGuiListSort* comparison) : list(target), sort(comparison) {}

  void run(fGuiListEntries* f) {
    remembered = list->saveCursorEntry();
    rememberedIndex = list->cursor_walkToStart();
    found = remembered == nullptr;
    bool listEnded = list->infoSize() == 0;
    takeProducerEntries(f);
    while (!listEnded || !freshEmpty()) {
      int8_t r;
      if (freshEmpty())
        r = 1;
      else if (listEnded)
        r = -1;
      else
        r = sort->call(list->cursor_getLabel(), head()->label);
      if (r < 0)
        addHead();
      else if (r > 0)
        listEnded = !removeCursorEntry();
      else
        listEnded = !pairWithHead();
    }
    restoreCursor();
  }

  // Ends the temporary list (and the entries left in it) and the wrapper.
  void end() {
    End(headCursor);
    End(fresh);
    End(wrapper);
  }

 private:
  cGuiList* list;
  fGuiListSort* sort;
  cMegaList_entry* fresh = nullptr;         // owned, with its entries
  cMegaCursor_entry* headCursor = nullptr;  // owned: on the first new entry
  fGuiListSortWrapper* wrapper = nullptr;   // owned
  const char* remembered = nullptr;         // the cursor entry's label, the list's
  int32_t rememberedIndex = -1;
  bool found = false;  // the merge has passed the remembered entry

  void takeProducerEntries(fGuiListEntries* f) {
    fresh = new cMegaList_entry;
    fresh->new_cMegaList_entry(false, nullptr);
    GuiListEntryMore more;
    while (char* label = takeEntry(f, &more)) {
      auto* e = new entry;
      e->new_entry(label, more.altColour, more.marked, more.data, more.dataBox);
      fresh->infoPastEnd()->beforeInsert(fresh->makeNode(e));
    }
    wrapper = new fGuiListSortWrapper;
    wrapper->new_fCompareMegaNodes();
    wrapper->init(sort);
    fresh->sort(wrapper);
    headCursor = fresh->infoStart_cMegaList_entry()->clone_cMegaCursor_entry(REMOVED_GO_NEXT, FOLLOW_NEVER);
  }

  bool freshEmpty() { return fresh->infoIsEmpty(); }
  entry* head() { return static_cast<entry*>(headCursor->read_cMegaCursor_entry()); }
  // Ends the first new entry (its label and box taken out or still in it).
  void dropHead() { headCursor->destroy(); }

  // The new entry sorts before the cursor entry (or the shown side ended):
  // the list puts it at its sorted place, before the cursor entry, which
  // keeps the cursor.
  void addHead() {
    entry* e = head();
    char* label = e->label;
    class_base* box = e->dataBox;
    e->label = nullptr;
    e->dataBox = nullptr;
    const bool altColour = e->altColour, marked = e->marked;
    const int32_t data = e->data;
    dropHead();
    if (!found) ++rememberedIndex;
    list->addEntry(label, altColour, marked, data, box, false);
  }

  // The cursor entry is not among the new ones. FALSE when no entry
  // followed it.
  bool removeCursorEntry() {
    // Also after the remembered entry went: its follower, remembered in its
    // place, may go as well.
    const bool wasRemembered = list->cursor_getLabel() == remembered;
    if (wasRemembered)
      found = true;
    else if (!found)
      --rememberedIndex;
    // Destroying the last entry leaves the cursor on the one before, which
    // the merge has passed.
    const bool more = list->cursor_destroy(false);
    if (wasRemembered) remembered = more ? list->cursor_getLabel() : nullptr;
    return more;
  }

  // The cursor entry and the first new one sort alike: the entry stays and
  // takes what differs. FALSE when the cursor cannot move on.
  bool pairWithHead() {
    const bool isRemembered = list->cursor_getLabel() == remembered;
    if (isRemembered) found = true;
    entry* e = head();
    if (!StrCmp(list->cursor_getLabel(), e->label)) {
      // The list keeps a copy of the label; the cursor entry's own label is
      // the one to remember.
      list->cursor_setLabel(e->label, 0);
      list->cursor_setAltColour(e->altColour);
      list->cursor_setMarked(e->marked);
      takeData(e);
      if (isRemembered) remembered = list->cursor_getLabel();
    } else {
      // Same label: only what differs changes, so that an unchanged list
      // is left as it was and a changed colour, mark or data shows.
      if (e->altColour != list->cursor_getAltColour()) list->cursor_setAltColour(e->altColour);
      if (e->marked != list->cursor_getMarked()) list->cursor_setMarked(e->marked);
      takeData(e);
    }
    dropHead();
    return list->cursor_gotoNext(1) != 0;
  }

  // Gives the cursor entry the new entry's data value or box when it holds
  // another; a box that holds the same is left to end with its entry.
  void takeData(entry* e) {
    if (e->dataBox) {
      if (sameDataBox(list->cursor_getDataBox(), e->dataBox)) return;
      class_base* box = e->dataBox;
      e->dataBox = nullptr;
      list->cursor_setDataBox(box);
    } else if (list->cursor_getDataBox() || list->cursor_getData() != e->data) {
      list->cursor_setDataBox(nullptr);
      list->cursor_setData(e->data);
    }
  }

  void restoreCursor() {
    list->cursor_gotoStart();
    if (!remembered) return;
    list->cursor_gotoNext(rememberedIndex);
    if (list->cursor_getLabel() == remembered) return;
    while (sort->call(remembered, list->cursor_getLabel()) == 0 && list->cursor_gotoPrev(1) != 0) {
    }
    // A walk back that ends inside a run of equal entries (at the first
    // entry) steps forward through the run.
    int8_t sign = signOf(sort->call(list->cursor_getLabel(), remembered));
    if (sign == 0) sign = 1;
    while (list->cursor_getLabel() != remembered) {
      if (list->cursor_gotoNext(sign) == 0) {
        std::printf(
            "# WARNING: cGuiList.updateF(); failed to restore cursor location\n"
            "# DEBUG: sign = %ld, restore cursor pos = %ld, restore cursor label = \"%s\"\n",
            static_cast<long>(sign), static_cast<long>(rememberedIndex), remembered);
        return;
      }
    }
  }
};

}  // namespace

void cGuiList::updateF(fGuiListEntries* f) {
  if (getSortByNone()) Throw("EMU", "cGuiList.updateF(); list needs to be sorted");
  fGuiListSort* sort = nullptr;
  getSortByFunction(&sort);
  if (!sort) Throw("BUG", "cGuiList.updateF(); unhandled list sort kind");
  setAutoUpdate(false);
  ListMerge merge(this, sort);
  // Redrawing comes back on whatever happens: a list left quiet would never
  // show another change.
  WithCleanUp([&] { merge.run(f); },
              [&] {
                merge.end();
                setAutoUpdate(true);
              });
}

void cGuiList::update(char* chain) {
  auto* f = new fEntriesFromStringList;
  f->new_function();
  f->init(chain);
  WithCleanUp(
      [&] {
        if (getSortByNone()) Throw("EMU", "cGuiList.update(); list needs to be sorted");
        fGuiListSort* sort = nullptr;
        getSortByFunction(&sort);
        if (!sort) Throw("BUG", "cGuiList.update(); unhandled list sort kind");
        updateF(f);
      },
      [&] { End(f); });
}
