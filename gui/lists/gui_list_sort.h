// The list comparisons: two labels compared whole (fGuiListSort, which an
// application may derive from) and by one column (fGuiListSortByColumn).
// Each answers positive when the first label comes first, negative when the
// second does, 0 when they sort alike.
#pragma once
#include <cstdint>

#include "core/lists/merge_sort.h"

class fGuiListSort : public fMergeSortCompare {
  LUDEX_CLASS(fGuiListSort, fMergeSortCompare)
 public:
  // The whole labels, a-z folded to upper case, then byte order.
  int8_t call(const char* a, const char* b) override;
};

class fGuiListSortByColumn : public fGuiListSort {
  LUDEX_CLASS(fGuiListSortByColumn, fGuiListSort)
 public:
  // Column from 0; sortTypes is the list's own string of 'S', 'I' or 'N' per
  // column, read at every call (not copied).
  virtual fGuiListSortByColumn* init(int32_t columnNumber, bool reversed, const char* sortTypes);
  // One column of each label by the column's sort type, negated when reversed.
  int8_t call(const char* a, const char* b) override;

 private:
  int32_t column = 0;
  bool reverse = false;
  const char* types = nullptr;  // the list's
};

// Where column n of a label starts (just after its n-th TAB; 0 for column 0),
// with its length up to the next TAB or the end in *length. A label with
// fewer columns gives its end and length 0.
int32_t findColumn(const char* label, int32_t n, int32_t* length);

// The sign of the comparison of two numbers: +1 when a is the smaller.
inline int8_t compareNumbers(int32_t a, int32_t b) { return a == b ? 0 : a < b ? 1 : -1; }
