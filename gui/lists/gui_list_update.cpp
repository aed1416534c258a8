// The update merge of a sorted list: the producer's entries are sorted once
// and merged with the shown entries in one pass over both, so an entry that
// stays is neither removed nor redrawn, and the cursor ends on the entry it
// was on (or, when that one went, on the entry that followed it).
//
// The producer's entries wait in a plain array, sorted by their sort keys
// where the comparison has them: a list of entry objects would cost two
// allocations per entry, and comparing texts again and again most of the
// sort's time, for a list of many thousands.
//
// Entries whose labels compare equal (0) are paired in order: the first shown
// entry of a run of equals with the first new one, and so on; shown entries
// left over in a run are removed, new ones left over are added after them.
//
// New entries are added in one batch once the pass is over, each at its
// sorted place: before the shown entry that sorts after it, after the equal
// ones. The pass never looks at an added entry again, so the list ends the
// same as when each is added as the pass meets it, and a list that gains
// thousands of entries takes them in one insertion.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "core/arena.h"
#include "core/box.h"
#include "core/clean_up.h"
#include "core/exception.h"
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
  if (!held || !offered) return false;
  const std::type_info& kind = typeid(*held);
  if (kind != typeid(*offered)) return false;
  if (kind == typeid(boxSTRING))
    return StrCmp(static_cast<const boxSTRING*>(held)->string(), static_cast<const boxSTRING*>(offered)->string());
  // The usual boxes first: asking a class for its line costs a string
  // comparison per class.
  const bool isBox = kind == typeid(boxPTR) || kind == typeid(boxVALUE) || held->IsOfClassType("box");
  return isBox && static_cast<const box*>(held)->value == static_cast<const box*>(offered)->value;
}

int8_t signOf(int8_t r) { return r > 0 ? 1 : r < 0 ? -1 : 0; }

// The new entries are taken in their sorted order, their labels and boxes
// lie in the order the producer made them: asking for those of an entry a
// few steps ahead hides most of the wait for memory.
constexpr size_t FETCH_AHEAD = 12;

// One entry from the producer on its way into the list; the label and the
// box are the merge's until the list takes them or they are disposed. A lent
// label stays the producer's: the list takes a copy of it, and it is never
// disposed here.
struct FreshEntry {
  char* label;
  bool lent;
  bool altColour;
  bool marked;
  int32_t data;
  class_base* dataBox;
};

void fetchLabelAndBox(const FreshEntry& e) {
  // With their headers: a label is compared, taken or disposed, a box
  // compared or ended.
  FetchStringAhead(e.label);
  if (e.dataBox) Arena::fetchAhead(e.dataBox);
}

// Yields the entries the merge found missing, in their sorted order, with
// the keys the merge made of their labels; each label and box passes to the
// list as it is yielded.
class fMissingEntries : public fGuiListEntries {
  LUDEX_CLASS(fMissingEntries, fGuiListEntries)
 public:
  std::vector<FreshEntry>* fresh = nullptr;
  const std::vector<GuiListSortKey>* keys = nullptr;  // of fresh, or empty
  const std::vector<uint32_t>* missing = nullptr;
  size_t next = 0;

  char* call(GuiListEntryMore* more) override {
    *more = GuiListEntryMore{};
    if (next >= missing->size()) return nullptr;
    if (next + FETCH_AHEAD < missing->size()) fetchLabelAndBox((*fresh)[(*missing)[next + FETCH_AHEAD]]);
    const uint32_t index = (*missing)[next++];
    FreshEntry& e = (*fresh)[index];
    // The copy first: when it cannot be made, the entry is as it was.
    char* label = e.lent ? StrClone(e.label) : e.label;
    if (!keys->empty()) more->sortKey = (*keys)[index];
    more->altColour = e.altColour;
    more->marked = e.marked;
    more->data = e.data;
    more->dataBox = e.dataBox;
    e.label = nullptr;
    e.dataBox = nullptr;
    return label;
  }
};

// One run of updateF: the new entries in a sorted temporary array, and the
// remembered cursor entry (its label pointer and index) on the shown side.
class ListMerge {
 public:
  // largestUpdate: the most entries an update of this list took so far.
  ListMerge(cGuiList* target, fGuiListSort* comparison, size_t& largestUpdate)
      : list(target), sort(comparison), expectedEntries(largestUpdate) {}

  void run(fGuiListEntries* f) {
    remembered = list->saveCursorEntry();
    rememberedIndex = list->cursor_walkToStart();
    found = remembered == nullptr;
    const size_t shownCount = static_cast<size_t>(list->infoSize());
    bool listEnded = shownCount == 0;
    takeProducerEntries(f);
    // With far fewer new entries than shown ones, most shown entries go,
    // told apart by their keys: their labels and data stay unread.
    list->expectWalkReadsEntries(fresh.size() * 4 >= shownCount);
    // The cursor entry's label, read again only when the cursor moves on.
    const char* shown = listEnded ? nullptr : list->cursor_getLabel();
    while (!listEnded || !freshEmpty()) {
      int8_t r;
      if (freshEmpty())
        r = 1;
      else if (listEnded)
        r = -1;
      else
        r = compareWithHead(shown);
      if (r < 0) {
        addHead();
        continue;
      }
      listEnded = r > 0 ? !removeCursorEntry(shown) : !pairWithHead(shown);
      shown = listEnded ? nullptr : list->cursor_getLabel();
    }
    addMissing();
    restoreCursor();
  }

  // Disposes what the list did not take of the producer's entries.
  void end() {
    for (FreshEntry& e : fresh) {
      if (!e.lent) DisposeString(e.label);
      End(e.dataBox);
    }
    fresh.clear();
  }

 private:
  cGuiList* list;
  fGuiListSort* sort;
  // The producer's entries, in their sorted order once all are taken; a
  // label or box is NIL once the list has it or it is disposed. With keys,
  // keys[i] is the key of fresh[i], and shownKey that of the shown label
  // shownKeyOf (NIL: none made).
  std::vector<FreshEntry> fresh;
  std::vector<GuiListSortKey> keys;
  GuiListSortKey shownKey;
  const char* shownKeyOf = nullptr;
  size_t next = 0;  // the first entry still to merge
  std::vector<uint32_t> missing;  // entries to add, in sorted order
  const char* remembered = nullptr;  // the cursor entry's label, the list's
  int32_t rememberedIndex = -1;
  bool found = false;  // the merge has passed the remembered entry
  // The most entries a producer gave this list in one update so far.
  size_t& expectedEntries;

  void takeProducerEntries(fGuiListEntries* f) {
    // Each label's key is made as it arrives, while the label is at hand:
    // read again after the producer made thousands more, it would come from
    // memory once more.
    bool keyed = true;
    GuiListSortKey key;
    GuiListEntryMore more;
    // Room for as many as a producer gave before: a long list's arrays then
    // grow no more than once.
    fresh.reserve(expectedEntries);
    keys.reserve(expectedEntries);
    while (char* label = takeEntry(f, &more, true)) {
      try {
        fresh.push_back({label, more.labelLent, more.altColour, more.marked, more.data, more.dataBox});
        if (keyed) keyed = sort->sortKey(label, &key);
        if (keyed) keys.push_back(key);
      } catch (...) {
        if (fresh.empty() || fresh.back().label != label) {
          if (!more.labelLent) DisposeString(label);
          End(more.dataBox);
        }
        throw;
      }
    }
    if (!keyed || fresh.empty()) keys.clear();
    expectedEntries = std::max(expectedEntries, fresh.size());
    sortFresh();
  }

  // Puts the new entries in their stable order (equal ones as yielded).
  // With keys most comparisons need no text: the entries are sorted as
  // small records beside their keys, then moved into that order once, so
  // that the merge reads them one after the other.
  void sortFresh() {
    const bool keyed = !keys.empty();
    // A producer that yields in the list's order needs no sort (nor the
    // records to sort).
    bool sorted = true;
    for (size_t i = 1; i < fresh.size() && sorted; ++i) {
      const int r = keyed ? compareSortKeys(keys[i - 1], keys[i]) : SORT_KEYS_UNDECIDED;
      sorted = (r != SORT_KEYS_UNDECIDED ? r : sort->call(fresh[i - 1].label, fresh[i].label)) >= 0;
    }
    if (sorted) return;
    std::vector<GuiListKeyedItem> items(fresh.size());
    for (uint32_t i = 0; i < items.size(); ++i) {
      items[i].index = i;
      if (keyed) items[i].key = keys[i];
    }
    auto compare = [&](const GuiListKeyedItem& a, const GuiListKeyedItem& b) -> int {
      const int r = keyed ? compareSortKeys(a.key, b.key) : SORT_KEYS_UNDECIDED;
      return r != SORT_KEYS_UNDECIDED ? r : sort->call(fresh[a.index].label, fresh[b.index].label);
    };
    // By the keys where all are usable; else a merge sort: an application's
    // comparison that contradicts itself gives some order, never a read
    // outside the array.
    auto labelsBefore = [&](uint32_t a, uint32_t b) { return sort->call(fresh[a].label, fresh[b].label) > 0; };
    if (!keyed || !sortByUsableKeys(items, labelsBefore))
      std::stable_sort(items.begin(), items.end(),
                       [&](const GuiListKeyedItem& a, const GuiListKeyedItem& b) { return compare(a, b) > 0; });
    std::vector<FreshEntry> ordered;
    ordered.reserve(fresh.size());
    for (const GuiListKeyedItem& item : items) ordered.push_back(fresh[item.index]);
    fresh.swap(ordered);
    if (keyed)
      for (size_t i = 0; i < items.size(); ++i) keys[i] = items[i].key;
  }

  // The comparison of a shown label with the first new entry, by the keys
  // when they tell. A shown entry is compared with every new entry added
  // before it: its key is made once, and forgotten as the merge leaves
  // the entry.
  int8_t compareWithHead(const char* shown) {
    if (!keys.empty()) {
      // The list may keep the key: the label's text then stays unread.
      if (shown != shownKeyOf)
        shownKeyOf = list->cursor_getSortKey(&shownKey) || sort->sortKey(shown, &shownKey) ? shown : nullptr;
      if (shownKeyOf) {
        const int r = compareSortKeys(shownKey, keys[next]);
        if (r != SORT_KEYS_UNDECIDED) return static_cast<int8_t>(r);
        // Keys that tie are most often the same label, which the list's own
        // comparisons (the ones with keys) sort alike.
        if (std::strcmp(shown, head()->label) == 0) return 0;
      }
    }
    return sort->call(shown, head()->label);
  }

  bool freshEmpty() { return next >= fresh.size(); }
  FreshEntry* head() { return &fresh[next]; }
  // Moves on to the next new entry.
  void advance() {
    ++next;
    if (next + FETCH_AHEAD < fresh.size()) fetchLabelAndBox(fresh[next + FETCH_AHEAD]);
  }
  // Disposes what is left in the first new entry and moves on.
  void dropHead() {
    FreshEntry* e = head();
    if (!e->lent) DisposeString(e->label);
    e->label = nullptr;
    End(e->dataBox);
    advance();
  }

  // The new entry sorts before the cursor entry (or the shown side ended):
  // it goes before the cursor entry, which keeps the cursor, once the pass
  // is over.
  void addHead() {
    missing.push_back(static_cast<uint32_t>(next));
    advance();
    if (!found) ++rememberedIndex;
  }

  void addMissing() {
    if (missing.empty()) return;
    // The list keeps the cursor on its entry, which it finds again by
    // walking forward: from the first entry the walk is shortest.
    list->cursor_gotoStart();
    auto* f = new fMissingEntries;
    f->new_function();
    f->fresh = &fresh;
    f->keys = &keys;
    f->missing = &missing;
    WithCleanUp([&] { list->addEntryF(f); }, [&] { End(f); });
  }

  // The cursor entry (its label shown) is not among the new ones. FALSE
  // when no entry followed it.
  bool removeCursorEntry(const char* shown) {
    shownKeyOf = nullptr;
    // Also after the remembered entry went: its follower, remembered in its
    // place, may go as well.
    const bool wasRemembered = shown == remembered;
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

  // The cursor entry (its label shown) and the first new one sort alike:
  // the entry stays and takes what differs. FALSE when the cursor cannot
  // move on.
  bool pairWithHead(const char* shown) {
    shownKeyOf = nullptr;
    const bool isRemembered = shown == remembered;
    if (isRemembered) found = true;
    FreshEntry* e = head();
    if (!StrCmp(shown, e->label)) {
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
    class_base* held = list->cursor_getDataBox();
    if (e->dataBox) {
      if (sameDataBox(held, e->dataBox)) return;
      class_base* box = e->dataBox;
      e->dataBox = nullptr;
      list->cursor_setDataBox(box);
    } else if (held || list->cursor_getData() != e->data) {
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
  ListMerge merge(this, sort, largestUpdate);
  // Redrawing comes back on whatever happens: a list left quiet would never
  // show another change.
  WithCleanUp([&] { merge.run(f); },
              [&] {
                merge.end();
                expectWalkReadsEntries(true);
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
