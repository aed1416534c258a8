// The list comparisons: two labels compared whole (fGuiListSort, which an
// application may derive from) and by one column (fGuiListSortByColumn).
// Each answers positive when the first label comes first, negative when the
// second does, 0 when they sort alike.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/lists/merge_sort.h"

// What decides most comparisons of one text without reading the texts
// again, for sorting many entries: its first 16 bytes (a-z folded when the
// comparison ignores case) as two big-endian words, or its number. Keys
// that differ order their texts as the comparison does; keys that are equal
// tell only when both hold their whole texts.
struct GuiListSortKey {
  uint64_t high = 0;
  uint64_t low = 0;
  bool usable = false;  // FALSE: the texts must be compared
  bool whole = false;   // the key holds the whole text (or its number)
};

// The key of the text up to its end (NUL, or also TAB when tabEnds) by the
// sort type letter: 'N' its number, 'S' its bytes, any other its bytes with
// a-z folded. A text that ends at a TAB and holds a byte 1 to 8 among its
// first 16 gets no usable key: such a byte sorts differently against a
// text's end by TAB (9) than by NUL (0).
void makeSortKey(const char* text, char type, bool tabEnds, GuiListSortKey* key);

// The key of the other direction: every order between keys turns round.
inline void reverseSortKey(GuiListSortKey* key) {
  key->high = ~key->high;
  key->low = ~key->low;
}

// What the keys tell: +1 when a's text comes first, -1 when b's does, 0 when
// they sort alike, or SORT_KEYS_UNDECIDED when the texts must be compared.
constexpr int SORT_KEYS_UNDECIDED = 2;
inline int compareSortKeys(const GuiListSortKey& a, const GuiListSortKey& b) {
  if (!a.usable || !b.usable) return SORT_KEYS_UNDECIDED;
  if (a.high != b.high) return a.high < b.high ? 1 : -1;
  if (a.low != b.low) return a.low < b.low ? 1 : -1;
  return a.whole && b.whole ? 0 : SORT_KEYS_UNDECIDED;
}

// An item sorted by its key: the key, and its place in the caller's array.
struct GuiListKeyedItem {
  GuiListSortKey key;
  uint32_t index;
};

// Puts the items in the stable order of their keys (equal ones as they
// came) when every key is usable: a byte at a time, without comparisons,
// the items of a run whose equal keys are not all whole then ordered by
// before (a stable merge sort; before(a, b): the item of place a strictly
// comes first). FALSE, the items untouched, when a key is not usable.
bool sortByUsableKeys(std::vector<GuiListKeyedItem>& items, const std::function<bool(uint32_t, uint32_t)>& before);

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
