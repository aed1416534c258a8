// The update merge of a sorted list: the producer's entries are sorted once
// and merged with the shown entries in one pass over both, so an entry that
// stays is neither removed nor redrawn, and the cursor ends on the entry it
// was on (or, when that one went, on the entry that followed it).
//
// The producer's entries wait in a plain array, sorted by a stable merge
// sort: a list of entry objects would cost two allocations per entry, which
// for a list of many thousands is most of the update's time.
//
// Entries whose labels compare equal (0) are paired in order: the first shown
// entry of a run of equals with the first new one, and so on; shown entries
// left over in a run are removed, new ones left over are added after them.
#include <cstdio>

#include "core/box.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include <algorithm>
#include <vector>

#include "core/strings/string.h"
#include "core/strings/text.h"
#include "gui/lists/gui_list.h"

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

// One entry from the producer on its way into the list; the label and the
// box are the merge's until the list takes them or they are disposed.
struct FreshEntry {
  char* label;
  bool altColour;
  bool marked;
  int32_t data;
  class_base* dataBox;
};

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

  // Disposes what the list did not take of the producer's entries.
  void end() {
    for (FreshEntry& e : fresh) {
      DisposeString(e.label);
      End(e.dataBox);
    }
    fresh.clear();
  }

 private:
  cGuiList* list;
  fGuiListSort* sort;
  // The producer's entries in the order yielded; a label or box is NIL once
  // the list has it or it is disposed. The order sorts them without moving
  // them, so that a comparison that fails leaves each in one place.
  std::vector<FreshEntry> fresh;
  std::vector<uint32_t> order;
  size_t next = 0;  // the first entry of order still to merge
  const char* remembered = nullptr;  // the cursor entry's label, the list's
  int32_t rememberedIndex = -1;
  bool found = false;  // the merge has passed the remembered entry

  void takeProducerEntries(fGuiListEntries* f) {
    GuiListEntryMore more;
    while (char* label = takeEntry(f, &more)) {
      try {
        fresh.push_back({label, more.altColour, more.marked, more.data, more.dataBox});
      } catch (...) {
        DisposeString(label);
        End(more.dataBox);
        throw;
      }
    }
    order.resize(fresh.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    auto before = [this](uint32_t a, uint32_t b) { return sort->call(fresh[a].label, fresh[b].label) > 0; };
    // A producer that yields in the list's order needs no sort.
    if (!std::is_sorted(order.begin(), order.end(), before)) std::stable_sort(order.begin(), order.end(), before);
  }

  bool freshEmpty() { return next >= order.size(); }
  FreshEntry* head() { return &fresh[order[next]]; }
  // Disposes what is left in the first new entry and moves on.
  void dropHead() {
    FreshEntry* e = head();
    DisposeString(e->label);
    e->label = nullptr;
    End(e->dataBox);
    ++next;
  }

  // The new entry sorts before the cursor entry (or the shown side ended):
  // the list puts it at its sorted place, before the cursor entry, which
  // keeps the cursor.
  void addHead() {
    FreshEntry* e = head();
    ++next;
    char* label = e->label;
    class_base* box = e->dataBox;
    e->label = nullptr;
    e->dataBox = nullptr;
    if (!found) ++rememberedIndex;
    list->addEntry(label, e->altColour, e->marked, e->data, box, false);
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
    FreshEntry* e = head();
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
  void takeData(FreshEntry* e) {
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
