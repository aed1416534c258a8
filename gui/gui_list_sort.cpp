#include "gui/gui_list_sort.h"

#include <cstring>

#include "core/text.h"
#include "gui/gui_list_entry.h"

int8_t fGuiListSort::call(const char* a, const char* b) { return static_cast<int8_t>(OstrCmpNoCase(a, b)); }

int32_t findColumn(const char* label, int32_t n, int32_t* length) {
  const char* start = label ? label : "";
  for (int32_t i = 0; i < n; ++i) {
    const char* tab = std::strchr(start, '\t');
    if (!tab) {
      start += std::strlen(start);
      break;
    }
    start = tab + 1;
  }
  const char* end = std::strchr(start, '\t');
  if (length) *length = static_cast<int32_t>(end ? end - start : static_cast<long>(std::strlen(start)));
  return static_cast<int32_t>(start - (label ? label : ""));
}

namespace {

// The column's number; 0 when it has none or its reading runs past the column.
int32_t columnNumber(const char* column, int32_t length) {
  int32_t read = 0;
  const int32_t value = Val(column, &read);
  return read > length ? 0 : value;
}

// Byte by byte over the longer column: the TAB or the end after the shorter
// column takes part, so a column sorts before any longer one it begins.
int8_t compareColumnTexts(const char* a, int32_t lengthA, const char* b, int32_t lengthB, bool fold) {
  const int32_t length = lengthA > lengthB ? lengthA : lengthB;
  for (int32_t i = 0; i < length; ++i) {
    unsigned char ca = static_cast<unsigned char>(fold ? UpperChar(a[i]) : a[i]);
    unsigned char cb = static_cast<unsigned char>(fold ? UpperChar(b[i]) : b[i]);
    if (ca != cb) return ca < cb ? 1 : -1;
    if (ca == 0) break;
  }
  return 0;
}

}  // namespace

fGuiListSortByColumn* fGuiListSortByColumn::init(int32_t columnNumber, bool reversed, const char* sortTypes) {
  column = columnNumber;
  reverse = reversed;
  types = sortTypes;
  return this;
}

int8_t fGuiListSortByColumn::call(const char* a, const char* b) {
  a = a ? a : "";
  b = b ? b : "";
  int32_t lengthA = 0, lengthB = 0;
  const char* columnA = a + findColumn(a, column, &lengthA);
  const char* columnB = b + findColumn(b, column, &lengthB);
  const char type = types && column >= 0 && static_cast<size_t>(column) < std::strlen(types) ? types[column] : 'I';
  int8_t result;
  if (type == 'N')
    result = compareNumbers(columnNumber(columnA, lengthA), columnNumber(columnB, lengthB));
  else
    result = compareColumnTexts(columnA, lengthA, columnB, lengthB, type != 'S');
  return reverse ? static_cast<int8_t>(-result) : result;
}

int8_t fGuiListSortWrapper::call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b) {
  (void)store;
  const auto* entryA = static_cast<const entry*>(reinterpret_cast<class_base*>(a->data));
  const auto* entryB = static_cast<const entry*>(reinterpret_cast<class_base*>(b->data));
  return sort->call(entryA->label, entryB->label);
}
