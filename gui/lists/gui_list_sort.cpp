#include "gui/lists/gui_list_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/strings/text.h"
#include "os/runtime/radix_sort.h"

int8_t fGuiListSort::call(const char* a, const char* b) { return static_cast<int8_t>(OstrCmpNoCase(a, b)); }

namespace {

constexpr int SORT_KEY_BYTES = 16;

// A comparison of this very class: one derived from it may answer otherwise.
bool isExactly(const class_base* object, const char* className) {
  const char* own = object->InfoClassType();
  return own == className || std::strcmp(own, className) == 0;
}

constexpr uint64_t EVERY_BYTE = 0x0101010101010101ull;
constexpr uint64_t HIGH_BITS = 0x8080808080808080ull;

uint64_t bigEndian(uint64_t loaded) {
  if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(loaded);
  return loaded;
}

// The first n bytes of text (eight when n is more) as a big-endian word, the
// rest of it 0.
uint64_t firstBytesOf(const char* text, size_t n) {
  if (n >= 8) {
    uint64_t w;
    std::memcpy(&w, text, sizeof w);
    return bigEndian(w);
  }
  uint64_t w = 0;
  for (size_t i = 0; i < n; ++i) w |= uint64_t{static_cast<unsigned char>(text[i])} << (56 - 8 * i);
  return w;
}

// The bytes of w, eight at once: for each byte, bit 7 of the answer is set
// when the byte (below 128) is at least limit (at most 128).
uint64_t atLeast(uint64_t w, uint64_t limit) { return (w & ~HIGH_BITS) + (128 - limit) * EVERY_BYTE; }

// w with the letters a-z of its bytes as A-Z.
uint64_t foldedLetters(uint64_t w) {
  const uint64_t lower = atLeast(w, 'a') & ~atLeast(w, 'z' + 1) & ~w & HIGH_BITS;
  return w - (lower >> 2);  // 'a' - 'A' is 32: bit 7 moved to bit 5
}

// The column's number; 0 when it has none or its reading runs past the column.
int32_t columnNumber(const char* column, int32_t length) {
  int32_t read = 0;
  const int32_t value = Val(column, &read);
  return read > length ? 0 : value;
}

// Byte by byte over the longer column: the end after the shorter column
// takes part as a byte 0, whether a TAB or the label's end makes it, so a
// column sorts before any longer one it begins (and the order is one order,
// also for columns that hold bytes below the TAB's). Both columns are read
// up to their ends (TAB or NUL) in one pass.
int8_t compareColumnTexts(const char* a, const char* b, bool fold) {
  for (;; ++a, ++b) {
    auto ca = static_cast<unsigned char>(*a);
    auto cb = static_cast<unsigned char>(*b);
    if (ca == cb) {
      if (ca == 0 || ca == '\t') return 0;  // both columns end here
      continue;
    }
    const bool endA = ca == 0 || ca == '\t';
    const bool endB = cb == 0 || cb == '\t';
    if (endA && endB) return 0;
    if (endA) return 1;
    if (endB) return -1;
    if (fold) {
      ca = static_cast<unsigned char>(UpperChar(static_cast<char>(ca)));
      cb = static_cast<unsigned char>(UpperChar(static_cast<char>(cb)));
      if (ca == cb) continue;
    }
    return ca < cb ? 1 : -1;
  }
}

// Where column n of label starts (after its n-th TAB; the end when it has fewer).
const char* columnStart(const char* label, int32_t n) {
  for (; n > 0; --n) {
    const char* tab = std::strchr(label, '\t');
    if (!tab) return label + std::strlen(label);
    label = tab + 1;
  }
  return label;
}

}  // namespace

void makeSortKey(const char* text, char type, bool tabEnds, GuiListSortKey* key) {
  key->high = key->low = 0;
  key->whole = false;
  if (!text) text = "";
  key->usable = true;
  const char stop = tabEnds ? '\t' : '\0';
  const auto endsAt = [stop](char c) { return c == '\0' || c == stop; };
  if (type == 'N') {
    // Most columns hold a plain count: read at once; the rest as Val reads.
    int32_t digits = 0;
    uint32_t plain = 0;
    while (digits < 9 && text[digits] >= '0' && text[digits] <= '9') plain = plain * 10 + (text[digits++] - '0');
    if (digits > 0 && !(text[digits] >= '0' && text[digits] <= '9')) {
      key->high = static_cast<uint64_t>(int64_t{plain}) ^ (uint64_t{1} << 63);
      key->whole = true;
      return;
    }
    int32_t length = 0;
    while (!endsAt(text[length])) ++length;
    int32_t read = 0;
    const int32_t value = Val(text, &read);
    // Ordered as signed numbers; a reading past the text's end counts as 0.
    key->high = static_cast<uint64_t>(static_cast<int64_t>(read > length ? 0 : value)) ^ (uint64_t{1} << 63);
    key->whole = true;
    return;
  }
  // The bytes up to the end into a block of 16 (the rest 0), read as two
  // big-endian words, then folded eight bytes at a time. The ends are found
  // by the library's searches, which read many bytes at a time (and stop at
  // the byte they find): a key is made for every entry of a long list.
  const void* end = std::memchr(text, '\0', SORT_KEY_BYTES);
  size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - text) : SORT_KEY_BYTES;
  if (tabEnds)
    if (const void* tab = std::memchr(text, '\t', length)) length = static_cast<size_t>(static_cast<const char*>(tab) - text);
  const int32_t i = static_cast<int32_t>(length);
  // Each word straight from the text: bytes copied to a buffer and read back
  // as words would wait for the copy's stores to reach memory.
  // Two plain words, not an array: an array of them goes through memory,
  // and reading it back as one 16-byte value waits for both stores.
  uint64_t high = firstBytesOf(text, std::min<size_t>(length, 8));
  uint64_t low = length > 8 ? firstBytesOf(text + 8, length - 8) : 0;
  if (type != 'S') {
    high = foldedLetters(high);
    low = foldedLetters(low);
  }
  key->high = high;
  key->low = low;
  key->usable = true;
  key->whole = endsAt(text[i]);
}

bool sortByUsableKeys(std::vector<GuiListKeyedItem>& items, std::vector<GuiListSortKey>& keys,
                      const std::function<void(uint32_t, GuiListSortKey*)>& makeTie,
                      const std::function<bool(uint32_t, uint32_t)>& before) {
  if (!std::all_of(items.begin(), items.end(), [](const GuiListKeyedItem& i) { return i.usable; })) return false;
  radixSortBy128BitKeys(
      items, [](const GuiListKeyedItem& i) { return i.high; }, [](const GuiListKeyedItem& i) { return i.low; });
  // Only items of runs come this far: their ties are made now.
  auto tieKey = [&](const GuiListKeyedItem& i) -> const GuiListSortKey& {
    GuiListSortKey& key = keys[i.index];
    if (!key.tieMade) makeTie(i.index, &key);
    return key;
  };
  sortRunsBySecondKeys(
      items, [](const GuiListKeyedItem& a, const GuiListKeyedItem& b) { return a.high == b.high && a.low == b.low; },
      [](const GuiListKeyedItem& i) { return i.whole; }, [&](const GuiListKeyedItem& i) { return tieKey(i).tie; },
      [&](const GuiListKeyedItem& i) { return tieKey(i).tieWhole; },
      [&](size_t lo, size_t hi) {
        std::stable_sort(
            items.begin() + static_cast<long>(lo), items.begin() + static_cast<long>(hi),
            [&](const GuiListKeyedItem& a, const GuiListKeyedItem& b) { return before(a.index, b.index); });
      });
  return true;
}

bool fGuiListSort::sortKey(const char* label, GuiListSortKey* key) {
  if (!isExactly(this, className)) return false;
  makeSortKey(label, 'I', false, key);
  return true;
}

int32_t findColumn(const char* label, int32_t n, int32_t* length) {
  const char* text = label ? label : "";
  const char* start = columnStart(text, n);
  if (length) {
    const char* end = start;
    while (*end && *end != '\t') ++end;
    *length = static_cast<int32_t>(end - start);
  }
  return static_cast<int32_t>(start - text);
}

fGuiListSortByColumn* fGuiListSortByColumn::init(int32_t columnNumber, bool reversed, const char* sortTypes) {
  column = columnNumber;
  reverse = reversed;
  types = sortTypes;
  return this;
}

char fGuiListSortByColumn::typeOf() const {
  if (types && column >= 0)
    for (int32_t i = 0; types[i]; ++i)
      if (i == column) return types[i];
  return 'I';
}

int8_t fGuiListSortByColumn::call(const char* a, const char* b) {
  const char* columnA = columnStart(a ? a : "", column);
  const char* columnB = columnStart(b ? b : "", column);
  const char type = typeOf();
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

bool fGuiListSortByColumn::sortKey(const char* label, GuiListSortKey* key) {
  if (!isExactly(this, className)) return false;
  makeSortKey(columnStart(label ? label : "", column), typeOf(), true, key);
  if (reverse) reverseSortKey(key);
  return true;
}
