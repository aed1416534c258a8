// The list comparisons: two labels compared whole (fGuiListSort, which an
// application may derive from) and by one column (fGuiListSortByColumn).
// Each answers positive when the first label comes first, negative when the
// second does, 0 when they sort alike.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/class_base.h"
#include "core/lists/merge_sort.h"
#include "gui/lists/gui_list_identity.h"

// What decides most comparisons of one entry without reading its text
// again, for sorting many entries: its text's first 16 bytes (a-z folded
// when the comparison ignores case) as two big-endian words, or its number;
// then the word of what the entry stands for (gui_list_identity.h), which
// orders entries whose texts sort alike. Text keys that differ order their
// texts as the comparison does; equal text keys tell only when both hold
// their whole texts, and then the tie words decide, or stand for the same
// entry when both are whole.
struct GuiListSortKey {
  uint64_t high = 0;
  uint64_t low = 0;
  uint64_t tie = 0;       // the entry's identity word: never reversed
  bool usable = false;    // FALSE: the texts must be compared
  bool whole = false;     // the key holds the whole text (or its number)
  bool tieWhole = false;  // the tie word holds the whole identity
  bool tieMade = false;   // the tie part is made (most keys never need it)
};

// The text part of the key of the text up to its end (NUL, or also TAB when
// tabEnds) by the sort type letter: 'N' its number, 'S' its bytes, any other
// its bytes with a-z folded. The tie part stays as it was.
void makeSortKey(const char* text, char type, bool tabEnds, GuiListSortKey* key);

// The tie part of a key: the word of the identity of an entry with this
// label, data value and data box.
inline void setSortKeyTie(GuiListSortKey* key, const char* label, int32_t data, class_base* dataBox) {
  bool whole = false;
  key->tie = identityWordOf(label, data, dataBox, &whole);
  key->tieWhole = whole;
  key->tieMade = true;
}

// The key of the other direction: every order between text keys turns
// round; ties keep their order.
inline void reverseSortKey(GuiListSortKey* key) {
  key->high = ~key->high;
  key->low = ~key->low;
}

// What the keys tell: +1 when a's entry comes first, -1 when b's does, 0
// when they sort alike, or SORT_KEYS_UNDECIDED when the entries must be
// compared (or a tie part is still to be made). compareKeyTexts looks at the
// text parts only, compareKeyTies at the tie parts only, compareSortKeys at
// both, the text first.
constexpr int SORT_KEYS_UNDECIDED = 2;
inline int compareKeyTexts(const GuiListSortKey& a, const GuiListSortKey& b) {
  if (!a.usable || !b.usable) return SORT_KEYS_UNDECIDED;
  if (a.high != b.high) return a.high < b.high ? 1 : -1;
  if (a.low != b.low) return a.low < b.low ? 1 : -1;
  return a.whole && b.whole ? 0 : SORT_KEYS_UNDECIDED;
}
inline int compareKeyTies(const GuiListSortKey& a, const GuiListSortKey& b) {
  if (!a.tieMade || !b.tieMade) return SORT_KEYS_UNDECIDED;
  if (a.tie != b.tie) return a.tie < b.tie ? 1 : -1;
  return a.tieWhole && b.tieWhole ? 0 : SORT_KEYS_UNDECIDED;
}
inline int compareSortKeys(const GuiListSortKey& a, const GuiListSortKey& b) {
  const int r = compareKeyTexts(a, b);
  return r != 0 ? r : compareKeyTies(a, b);
}

// An item sorted by its key: the text part of the key, and its place in the
// caller's array of keys, which holds the rest. Small, and nothing to set up:
// a sort moves every item several times.
struct GuiListKeyedItem {
  uint64_t high;
  uint64_t low;
  uint32_t index;
  bool usable;
  bool whole;
};

// The item of keys[index].
inline GuiListKeyedItem keyedItem(const GuiListSortKey& key, uint32_t index) {
  return {key.high, key.low, index, key.usable, key.whole};
}

// Puts the items in the order of their keys (entries alike as they came)
// when every key is usable: a byte at a time, without comparisons, then runs
// of equal whole text keys by their tie words (keys[index].tie, made by
// makeTie(index, key) where it is still to be made); where keys cannot tell,
// the items of a run are ordered by before (a stable merge sort; before(a,
// b): the item of place a strictly comes first). FALSE, the items
// untouched, when a key is not usable.
bool sortByUsableKeys(std::vector<GuiListKeyedItem>& items, std::vector<GuiListSortKey>& keys,
                      const std::function<void(uint32_t, GuiListSortKey*)>& makeTie,
                      const std::function<bool(uint32_t, uint32_t)>& before);

class fGuiListSort : public fMergeSortCompare {
  LUDEX_CLASS(fGuiListSort, fMergeSortCompare)
 public:
  // The whole labels, a-z folded to upper case, then byte order.
  int8_t call(const char* a, const char* b) override;
  // The key of a label for this comparison: compareSortKeys on two keys
  // answers as call does, or undecided. FALSE when the comparison has no
  // keys (an application's own comparison).
  virtual bool sortKey(const char* label, GuiListSortKey* key);
};

class fGuiListSortByColumn : public fGuiListSort {
  LUDEX_CLASS(fGuiListSortByColumn, fGuiListSort)
 public:
  // Column from 0; sortTypes is the list's own string of 'S', 'I' or 'N' per
  // column, read at every call (not copied).
  virtual fGuiListSortByColumn* init(int32_t columnNumber, bool reversed, const char* sortTypes);
  // One column of each label by the column's sort type, negated when reversed.
  int8_t call(const char* a, const char* b) override;
  bool sortKey(const char* label, GuiListSortKey* key) override;

 private:
  int32_t column = 0;
  bool reverse = false;
  const char* types = nullptr;  // the list's
  // The sort type letter of the column ('I' when the string has none).
  char typeOf() const;
};

// Where column n of a label starts (just after its n-th TAB; 0 for column 0),
// with its length up to the next TAB or the end in *length (NIL: not
// wanted). A label with fewer columns gives its end and length 0.
int32_t findColumn(const char* label, int32_t n, int32_t* length);

// The sign of the comparison of two numbers: +1 when a is the smaller.
inline int8_t compareNumbers(int32_t a, int32_t b) { return a == b ? 0 : a < b ? 1 : -1; }
