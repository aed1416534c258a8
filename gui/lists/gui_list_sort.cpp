#include "gui/lists/gui_list_sort.h"

#include <cstring>

#include "core/strings/text.h"

int8_t fGuiListSort::call(const char* a, const char* b) { return static_cast<int8_t>(OstrCmpNoCase(a, b)); }

namespace {

// The column's number; 0 when it has none or its reading runs past the column.
int32_t columnNumber(const char* column, int32_t length) {
  int32_t read = 0;
  const int32_t value = Val(column, &read);
  return read > length ? 0 : value;
}

// Byte by byte over the longer column: the TAB or the end after the shorter
// column takes part, so a column sorts before any longer one it begins.
// Both columns are read up to their ends (TAB or NUL) in one pass.
int8_t compareColumnTexts(const char* a, const char* b, bool fold) {
  for (;;) {
    unsigned char ca = static_cast<unsigned char>(*a++);
    unsigned char cb = static_cast<unsigned char>(*b++);
    const bool endA = ca == 0 || ca == '\t';
    const bool endB = cb == 0 || cb == '\t';
    if (endA && endB) return 0;
    if (fold) {
      ca = static_cast<unsigned char>(UpperChar(static_cast<char>(ca)));
      cb = static_cast<unsigned char>(UpperChar(static_cast<char>(cb)));
    }
    if (ca != cb) return ca < cb ? 1 : -1;
  }
}

// Where column n of label starts (after its n-th TAB; the end when it has fewer).
const char* columnStart(const char* label, int32_t n) {
  for (; n > 0 && *label; ++label)
    if (*label == '\t') --n;
  return label;
}

}  // namespace

int32_t findColumn(const char* label, int32_t n, int32_t* length) {
  const char* text = label ? label : "";
  const char* start = columnStart(text, n);
  const char* end = start;
  while (*end && *end != '\t') ++end;
  if (length) *length = static_cast<int32_t>(end - start);
  return static_cast<int32_t>(start - text);
}

fGuiListSortByColumn* fGuiListSortByColumn::init(int32_t columnNumber, bool reversed, const char* sortTypes) {
  column = columnNumber;
  reverse = reversed;
  types = sortTypes;
  return this;
}

int8_t fGuiListSortByColumn::call(const char* a, const char* b) {
  const char* columnA = columnStart(a ? a : "", column);
  const char* columnB = columnStart(b ? b : "", column);
  char type = 'I';
  if (types && column >= 0)
    for (int32_t i = 0; types[i]; ++i)
      if (i == column) {
        type = types[i];
        break;
      }
  int8_t result;
  if (type == 'N') {
    int32_t lengthA = 0, lengthB = 0;
    findColumn(columnA, 0, &lengthA);
    findColumn(columnB, 0, &lengthB);
    result = compareNumbers(columnNumber(columnA, lengthA), columnNumber(columnB, lengthB));
  } else {
    result = compareColumnTexts(columnA, columnB, type != 'S');
  }
  return reverse ? static_cast<int8_t>(-result) : result;
}
