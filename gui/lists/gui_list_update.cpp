// The update merge of a sorted list: the producer's entries are sorted once
// and merged with the shown entries in one pass over both, so an entry that
// stays is neither removed nor redrawn, and the cursor and the selection
// stay with the entries they were on.
//
// The producer's entries wait in a plain array, sorted by their sort keys
// where the comparison has them: a list of entry objects would cost two
// allocations per entry, and comparing texts again and again most of the
// sort's time, for a list of many thousands.
//
// Both sides stand in one order: the list's comparison, then, among entries
// it takes as alike, what each entry stands for (gui_list_identity.h; the
// list host sorts its rows so too). A shown entry is paired with a new one
// only when both sort alike and stand for the same thing: two games with
// the same play count are never taken for each other. A paired entry stays
// and takes what differs (a label that changed only where the comparison
// does not look, a colour, a mark, data); a shown entry without a partner
// goes, a new one is added. A selected entry that goes, for a new one that
// stands for the same thing (a game whose changed label sorts elsewhere),
// leaves the new one selected; the cursor follows its entry the same way,
// and otherwise ends on the entry that followed it. What the entries stand
// for is compared only where the comparison ties, from the tie words of the
// keys (made once per entry). The pass counts the row each kept and each
// added entry will take, so the cursor and the entries to select are found
// at their rows afterwards, without another walk through the list; it
// allocates nothing per entry beyond its arrays.
//
// New entries are added in one batch once the pass is over, each at its
// sorted place: before the shown entry that sorts after it. The pass never
// looks at an added entry again, so the list ends the same as when each is
// added as the pass meets it, and a list that gains thousands of entries
// takes them in one insertion.
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
#include "gui/lists/gui_list_followed.h"
#include "gui/lists/gui_list_identity.h"

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

// What a new entry stands for.
GuiListIdentity identityOfFresh(const FreshEntry& e) { return identityOf(e.label, e.data, e.dataBox); }

// A new entry the merge found missing: its place among the new entries, and
// the row it takes once the list holds every entry the merge keeps or adds.
struct MissingEntry {
  uint32_t fresh;
  uint32_t row;
};

// An entry the list took from the merge: its row and the label it holds.
struct AddedEntry {
  uint32_t row = 0;
  const char* label = nullptr;
};

// Yields the entries the merge found missing, in their sorted order, with
// the keys the merge made of their labels; each label and box passes to the
// list as it is yielded. Entries that stand for what a removed selected
// entry, or the removed cursor entry, stood for are noted with their rows
// and the labels the list takes.
class fMissingEntries : public fGuiListEntries {
  LUDEX_CLASS(fMissingEntries, fGuiListEntries)
 public:
  std::vector<FreshEntry>* fresh = nullptr;
  const std::vector<GuiListSortKey>* keys = nullptr;  // of fresh, or empty
  const std::vector<MissingEntry>* missing = nullptr;
  const GuiListFollowed* selected = nullptr;  // removed selected entries
  const GuiListFollowed* cursor = nullptr;    // the removed cursor entry
  std::vector<AddedEntry>* toSelect = nullptr;
  AddedEntry* cursorEntry = nullptr;
  bool following = false;  // some removed entry is to be followed
  size_t next = 0;

  char* call(GuiListEntryMore* more) override {
    if (next >= missing->size()) {
      *more = GuiListEntryMore{};
      return nullptr;
    }
    if (next + FETCH_AHEAD < missing->size()) fetchLabelAndBox((*fresh)[(*missing)[next + FETCH_AHEAD].fresh]);
    const MissingEntry m = (*missing)[next++];
    FreshEntry& e = (*fresh)[m.fresh];
    // The copy first: when it cannot be made, the entry is as it was.
    char* label = e.lent ? StrClone(e.label) : e.label;
    if (following) {
      try {
        follow(e, {m.row, label});
      } catch (...) {
        if (e.lent) DisposeString(label);
        throw;
      }
    }
    // Every field a producer answers (mayLend is the receiver's).
    // Copied field by field from the array: a copy through a temporary went
    // through the stack, where the compiler's overlapping reads of its two
    // halves stalled on every entry.
    if (keys->empty())
      more->sortKey = GuiListSortKey{};
    else
      more->sortKey = (*keys)[m.fresh];
    more->labelLent = false;
    more->altColour = e.altColour;
    more->marked = e.marked;
    more->data = e.data;
    more->dataBox = e.dataBox;
    e.label = nullptr;
    e.dataBox = nullptr;
    return label;
  }

 private:
  void follow(const FreshEntry& e, const AddedEntry& added) {
    const GuiListIdentity id = identityOfFresh(e);
    if (!selected->empty() && selected->contains(id)) toSelect->push_back(added);
    if (!cursor->empty() && cursor->contains(id)) *cursorEntry = added;
  }
};

// One run of updateF: the new entries in a sorted temporary array, and the
// remembered cursor entry (its label pointer, and its row once kept) on the
// shown side.
class ListMerge {
 public:
  // largestUpdate: the most entries an update of this list took so far.
  ListMerge(cGuiList* target, fGuiListSort* comparison, size_t& largestUpdate)
      : list(target), sort(comparison), expectedEntries(largestUpdate) {}

  void run(fGuiListEntries* f) {
    remembered = cursorEntry = list->saveCursorEntry();
    list->cursor_walkToStart();
    // Only a list with a selection asks whether the entries it removes were
    // selected.
    hadSelection = list->infoSelectionCount() > 0;
    const size_t shownCount = static_cast<size_t>(list->infoSize());
    listEnded = shownCount == 0;
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
    followToAddedEntries();
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
  bool listEnded = false;  // no shown entry is left to merge
  std::vector<MissingEntry> missing;  // entries to add, in sorted order
  uint32_t kept = 0;                  // shown entries the merge kept so far
  const char* remembered = nullptr;   // the cursor entry's label, the list's
  int32_t rememberedIndex = -1;      // its row after the merge, once it is kept
  const char* cursorEntry = nullptr;  // the entry the cursor was on (gone once removed)
  bool hadSelection = false;
  // What the selected entries that go, and the cursor entry when it goes,
  // stood for; the added entries that stand for the same.
  GuiListFollowed removedSelected;
  GuiListFollowed removedCursor;
  std::vector<AddedEntry> toSelect;
  AddedEntry cursorAdded;
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
        // The tie part is made when a tie asks for it: most labels differ.
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

  // The whole order between two new entries: the comparison, then what each
  // stands for.
  int compareFresh(uint32_t a, uint32_t b) {
    const int r = sort->call(fresh[a].label, fresh[b].label);
    return r != 0 ? r : compareIdentities(identityOfFresh(fresh[a]), identityOfFresh(fresh[b]));
  }

  // The key of the new entry at index with its tie part made.
  const GuiListSortKey& keyWithTie(size_t index) {
    GuiListSortKey& key = keys[index];
    if (!key.tieMade) setSortKeyTie(&key, fresh[index].label, fresh[index].data, fresh[index].dataBox);
    return key;
  }

  // Puts the new entries in their order (entries alike as yielded). With
  // keys most comparisons need no text: the entries are sorted as small
  // records beside their keys, then moved into that order once, so that the
  // merge reads them one after the other.
  void sortFresh() {
    const bool keyed = !keys.empty();
    // A producer that yields in the list's order needs no sort (nor the
    // records to sort).
    bool sorted = true;
    for (size_t i = 1; i < fresh.size() && sorted; ++i) {
      int r = keyed ? compareKeyTexts(keys[i - 1], keys[i]) : SORT_KEYS_UNDECIDED;
      if (r == 0) r = compareKeyTies(keyWithTie(i - 1), keyWithTie(i));
      sorted =
          (r != SORT_KEYS_UNDECIDED ? r : compareFresh(static_cast<uint32_t>(i - 1), static_cast<uint32_t>(i))) >= 0;
    }
    if (sorted) return;
    std::vector<GuiListKeyedItem> items(fresh.size());
    for (uint32_t i = 0; i < items.size(); ++i)
      items[i] = keyed ? keyedItem(keys[i], i) : GuiListKeyedItem{0, 0, i, false, false};
    auto compare = [&](const GuiListKeyedItem& a, const GuiListKeyedItem& b) -> int {
      int r = keyed ? compareKeyTexts(keys[a.index], keys[b.index]) : SORT_KEYS_UNDECIDED;
      if (r == 0) r = compareKeyTies(keyWithTie(a.index), keyWithTie(b.index));
      return r != SORT_KEYS_UNDECIDED ? r : compareFresh(a.index, b.index);
    };
    // By the keys where all are usable; else a merge sort: an application's
    // comparison that contradicts itself gives some order, never a read
    // outside the array.
    auto entriesBefore = [&](uint32_t a, uint32_t b) { return compareFresh(a, b) > 0; };
    auto makeTie = [&](uint32_t index, GuiListSortKey* key) {
      setSortKeyTie(key, fresh[index].label, fresh[index].data, fresh[index].dataBox);
    };
    if (!keyed || !sortByUsableKeys(items, keys, makeTie, entriesBefore))
      std::stable_sort(items.begin(), items.end(),
                       [&](const GuiListKeyedItem& a, const GuiListKeyedItem& b) { return compare(a, b) > 0; });
    std::vector<FreshEntry> ordered;
    ordered.reserve(fresh.size());
    for (const GuiListKeyedItem& item : items) ordered.push_back(fresh[item.index]);
    fresh.swap(ordered);
    // The text parts come with the items, one after the other; a tie part
    // is made again where a tie asks for it.
    if (keyed)
      for (size_t i = 0; i < items.size(); ++i) {
        GuiListSortKey key;
        key.high = items[i].high;
        key.low = items[i].low;
        key.usable = items[i].usable;
        key.whole = items[i].whole;
        keys[i] = key;
      }
  }

  // What the cursor entry (its label shown) stands for.
  GuiListIdentity shownIdentity(const char* shown) {
    return identityOf(shown, list->cursor_getData(), list->cursor_getDataBox());
  }

  // The order of a shown entry (its label shown) and the first new entry,
  // by the keys where they tell. A shown entry is compared with every new
  // entry added before it: its key is made once, and forgotten as the merge
  // leaves the entry.
  int8_t compareWithHead(const char* shown) {
    int texts = SORT_KEYS_UNDECIDED;
    if (!keys.empty()) {
      // The list may keep the key: the label's text then stays unread.
      if (shown != shownKeyOf) {
        shownKeyOf = nullptr;
        if (list->cursor_getSortKey(&shownKey)) {
          shownKeyOf = shown;
        } else if (sort->sortKey(shown, &shownKey)) {
          shownKey.tieMade = false;  // made of the entry's data when a tie asks for it
          shownKeyOf = shown;
        }
      }
      if (shownKeyOf) {
        texts = compareKeyTexts(shownKey, keys[next]);
        if (texts != 0 && texts != SORT_KEYS_UNDECIDED) return static_cast<int8_t>(texts);
        // Keys that tie are most often the same label, which the list's own
        // comparisons (the ones with keys) sort alike.
        if (texts == SORT_KEYS_UNDECIDED && std::strcmp(shown, head()->label) == 0) texts = 0;
      }
    }
    if (texts == SORT_KEYS_UNDECIDED) texts = sort->call(shown, head()->label);
    if (texts != 0) return static_cast<int8_t>(texts);
    if (shownKeyOf) {
      if (!shownKey.tieMade) setSortKeyTie(&shownKey, shown, list->cursor_getData(), list->cursor_getDataBox());
      const int ties = compareKeyTies(shownKey, keyWithTie(next));
      if (ties != SORT_KEYS_UNDECIDED) return static_cast<int8_t>(ties);
    }
    return compareIdentities(shownIdentity(shown), identityOfFresh(*head()));
  }

  bool freshEmpty() { return next >= fresh.size(); }
  FreshEntry* head() { return &fresh[next]; }
  // Moves on to the next new entry.
  void advance() {
    ++next;
    // Once no shown entry is left, every new one is added: their labels and
    // boxes are asked for as the list takes them.
    if (!listEnded && next + FETCH_AHEAD < fresh.size()) fetchLabelAndBox(fresh[next + FETCH_AHEAD]);
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
    // Its row: after the shown entries kept and the new ones added so far.
    missing.push_back({static_cast<uint32_t>(next), kept + static_cast<uint32_t>(missing.size())});
    advance();
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
    f->selected = &removedSelected;
    f->cursor = &removedCursor;
    f->toSelect = &toSelect;
    f->cursorEntry = &cursorAdded;
    f->following = !removedSelected.empty() || !removedCursor.empty();
    WithCleanUp([&] { list->addEntryF(f); }, [&] { End(f); });
  }

  // Selects the added entries that stand for removed selected ones, and
  // remembers the added entry that stands for the removed cursor entry. Each
  // is looked for at the row the merge counted for it; a list that placed
  // entries otherwise than its comparison says is walked once.
  void followToAddedEntries() {
    if (cursorAdded.label) {
      remembered = cursorAdded.label;
      rememberedIndex = static_cast<int32_t>(cursorAdded.row);  // checked as the cursor is put back
    }
    std::vector<const char*> elsewhere;
    for (const AddedEntry& added : toSelect) {
      list->cursor_gotoStart();
      if (list->cursor_gotoNext(static_cast<int32_t>(added.row)) == static_cast<int32_t>(added.row) &&
          list->cursor_getLabel() == added.label)
        list->cursor_setState(true);
      else
        elsewhere.push_back(added.label);
    }
    if (elsewhere.empty()) return;
    std::sort(elsewhere.begin(), elsewhere.end());
    for (bool more = list->cursor_gotoStart(); more; more = list->cursor_gotoNext(1) != 0)
      if (std::binary_search(elsewhere.begin(), elsewhere.end(), list->cursor_getLabel())) list->cursor_setState(true);
  }

  // Keeps what the cursor entry (its label shown) stands for: by the tie
  // word of its key where that holds it whole, else from its data.
  void keepIdentity(const char* shown, GuiListFollowed* into) {
    if (shownKeyOf == shown && shownKey.tieMade && shownKey.tieWhole)
      into->addWhole(shownKey.tie);
    else
      into->add(shownIdentity(shown));
  }

  // The cursor entry (its label shown) is not among the new ones. FALSE
  // when no entry followed it.
  bool removeCursorEntry(const char* shown) {
    // What a selected entry, and the cursor's own entry, stand for: a new
    // entry for the same thing takes their place.
    if (hadSelection && list->cursor_getState()) keepIdentity(shown, &removedSelected);
    if (shown == cursorEntry) {
      keepIdentity(shown, &removedCursor);
      cursorEntry = nullptr;
    }
    shownKeyOf = nullptr;
    // The remembered entry's follower is remembered in its place (and may go
    // as well). Destroying the last entry leaves the cursor on the one
    // before, which the merge has passed.
    const bool wasRemembered = shown == remembered;
    const bool more = list->cursor_destroy(false);
    if (wasRemembered) remembered = more ? list->cursor_getLabel() : nullptr;
    return more;
  }

  // The cursor entry (its label shown) and the first new one stand for the
  // same thing: the entry stays and takes what differs. FALSE when the
  // cursor cannot move on.
  bool pairWithHead(const char* shown) {
    shownKeyOf = nullptr;
    const bool isRemembered = shown == remembered;
    // Its row: after the shown entries kept and the new ones added so far.
    if (isRemembered) rememberedIndex = static_cast<int32_t>(kept + missing.size());
    ++kept;
    FreshEntry* e = head();
    // The library's comparison: this one runs for every entry that stays.
    if (std::strcmp(shown, e->label) != 0) {
      // The list keeps a copy of the label; the cursor entry's own label is
      // the one to remember.
      const bool wasCursorEntry = shown == cursorEntry;
      list->cursor_setLabel(e->label, 0);
      list->cursor_setAltColour(e->altColour);
      list->cursor_setMarked(e->marked);
      takeData(e);
      const char* label = list->cursor_getLabel();
      if (isRemembered) remembered = label;
      if (wasCursorEntry) cursorEntry = label;
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
    if (list->infoSize() == 0) return;
    list->cursor_gotoNext(rememberedIndex);
    const char* counted = list->cursor_getLabel();
    if (counted == remembered) return;
    // Not where the merge counted it (a list that places entries otherwise
    // than its comparison says): looked for from the first entry.
    for (bool more = list->cursor_gotoStart(); more; more = list->cursor_gotoNext(1) != 0)
      if (list->cursor_getLabel() == remembered) return;
    // The sign tells how the entry at the counted place sorts against the
    // remembered one: +1 before it, -1 after it, 0 alike (then the two stand
    // for different things in the list's order of entries alike).
    long sign = 0;
    try {
      sign = sort->call(counted, remembered);
    } catch (const Exception&) {
      // An application's comparison that fails here leaves the sign 0: the
      // update has succeeded.
    }
    std::printf(
        "# WARNING: cGuiList.updateF(); failed to restore cursor location\n"
        "# DEBUG: sign = %ld, restore cursor pos = %ld, restore cursor label = \"%s\"\n",
        sign, static_cast<long>(rememberedIndex), remembered);
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
