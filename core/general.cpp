#include "core/general.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/exception.h"
#include "core/lists/merge_sort.h"
#include "core/strings/string.h"

char* StrJoinList(std::initializer_list<const char*> parts) {
  size_t total = 0;
  for (const char* p : parts)
    if (p) total += std::strlen(p);
  if (total > INT32_MAX) Throw("EPU", "General; StrJoin(); strings too long");
  char* result = NewString(static_cast<int32_t>(total));
  for (const char* p : parts)
    if (p) StrAdd(result, p);
  return result;
}

char* splitLinesIntoLinkedStrings(const char* text, int32_t* lineCount) {
  if (!text) text = "";
  char* head = nullptr;
  char* last = nullptr;
  int32_t count = 0;
  try {
    const char* start = text;
    for (;;) {
      const char* end = std::strchr(start, '\n');
      const size_t len = end ? static_cast<size_t>(end - start) : std::strlen(start);
      char* line = NewString(len > 0 ? static_cast<int32_t>(len) : 1);
      StrCopy(line, start, static_cast<int32_t>(len));
      if (last) StrLink(last, line); else head = line;
      last = line;
      ++count;
      if (!end) break;
      start = end + 1;
    }
  } catch (...) {
    DisposeString(head);
    throw;
  }
  if (lineCount) *lineCount = count;
  return head;
}

namespace {
void checkDivision(const char* procedure, int32_t a, int32_t b) {
  if (b == 0) ThrowF("EPU", "General; %s(); division by zero", procedure);
  if (a == INT32_MIN && b == -1) ThrowF("EPU", "General; %s(); quotient out of range", procedure);
}
}  // namespace

int32_t Mod(int32_t a, int32_t b, int32_t* quotient) {
  checkDivision("Mod", a, b);
  if (quotient) *quotient = a / b;
  return a % b;
}

int32_t largestBitPosition_pgeneral(int32_t x) {
  const uint32_t v = static_cast<uint32_t>(x);
  return v == 0 ? -1 : 31 - __builtin_clz(v);
}

int32_t smallestBitPosition_pgeneral(int32_t x) {
  const uint32_t v = static_cast<uint32_t>(x);
  return v == 0 ? -1 : __builtin_ctz(v);
}

int32_t bitPositionValue(int32_t position) {
  if (position < 0 || position > 31) Throw("EPU", "General; bitPositionValue(); position<0 or position>31");
  return static_cast<int32_t>(1u << position);
}

int32_t largestBitValue(int32_t x, int32_t* position) {
  const int32_t pos = largestBitPosition_pgeneral(x);
  if (position) *position = pos;
  return pos < 0 ? -1 : bitPositionValue(pos);
}

int32_t smallestBitValue(int32_t x, int32_t* position) {
  const int32_t pos = smallestBitPosition_pgeneral(x);
  if (position) *position = pos;
  return pos < 0 ? -1 : bitPositionValue(pos);
}

int32_t roundUpToPowerOfTwo(int32_t x, int32_t* position) {
  int32_t pos;
  int32_t value;
  if (x < 0) {
    pos = 32;
    value = -1;
  } else if (x <= 1) {
    pos = 0;
    value = 1;
  } else {
    pos = largestBitPosition_pgeneral(x - 1) + 1;  // at most 31
    value = bitPositionValue(pos);
  }
  if (position) *position = pos;
  return value;
}

int32_t raiseToPower(int32_t base, int32_t n) {
  if (base == 2) return bitPositionValue(n);
  uint32_t result = 1;
  for (int32_t i = 0; i < n; ++i) result *= static_cast<uint32_t>(base);
  return static_cast<int32_t>(result);
}

int32_t PowerModGet(int32_t d) {
  if (d <= 0) Throw("EPU", "General; PowerModeGet(); d<=0");
  if ((d & (d - 1)) == 0) return largestBitPosition_pgeneral(d);
  return -d;
}

int32_t PowerMod(int32_t a, int32_t code, int32_t* quotient) {
  if (code < 0) return Mod(a, -code, quotient);
  if (code > 31) Throw("EPU", "General; bitPositionValue(); position<0 or position>31");
  // Shifts on the magnitude so that the quotient truncates like Mod's.
  const int64_t wide = a;
  const int64_t q = wide >= 0 ? (wide >> code) : -((-wide) >> code);
  const int64_t r = wide - q * (int64_t{1} << code);
  if (quotient) *quotient = static_cast<int32_t>(q);
  return static_cast<int32_t>(r);
}

int32_t FastMod2(int32_t a, int32_t d, int32_t* quotient) { return PowerMod(a, PowerModGet(d), quotient); }

int32_t UdivMod32(int32_t a, int32_t b, int32_t* remainder) {
  checkDivision("UdivMod32", a, b);
  if (remainder) *remainder = a % b;
  return a / b;
}

int32_t SdivMod32(int32_t a, int32_t b, int32_t* remainder) {
  checkDivision("SdivMod32", a, b);
  if (remainder) *remainder = a % b;
  return a / b;
}

int32_t Rnd(int32_t n) {
  if (n > 0) return static_cast<int32_t>(std::rand() % n);
  if (n < 0) std::srand(static_cast<unsigned>(-static_cast<int64_t>(n)));
  return 0;
}

void test_largestbitvalue() {
  for (int32_t pos = 0; pos <= 31; ++pos) {
    const int32_t bit = static_cast<int32_t>(1u << pos);
    const int32_t x = bit | (bit >> 1 > 0 ? (bit >> 1) : 0);
    int32_t got = 0;
    if (largestBitValue(x, &got) != bit || got != pos)
      std::printf("ERROR: largestBitValue($%lx) gave position %ld instead of %ld\n",
                  static_cast<unsigned long>(static_cast<uint32_t>(x)), static_cast<long>(got), static_cast<long>(pos));
  }
  std::printf("Completed test of largestBitValue().\n");
}

void test_largestbitposition() {
  for (int32_t pos = 0; pos <= 31; ++pos) {
    const int32_t x = static_cast<int32_t>((1u << pos) | 1u);
    const int32_t got = largestBitPosition_pgeneral(x);
    if (got != pos)
      std::printf("ERROR: largestBitPosition($%lx) gave %ld instead of %ld\n",
                  static_cast<unsigned long>(static_cast<uint32_t>(x)), static_cast<long>(got), static_cast<long>(pos));
  }
  std::printf("Completed test of largestBitPosition().\n");
}

void main_pgeneral() {
  std::printf("Started tests of CGeneral.  Errors will be reported.\n");
  test_largestbitvalue();
  test_largestbitposition();
}

// The module's shared object: the default string comparator of mergeSort and
// of the lists that sort strings.
void new_pgeneral() {
  if (defaultMergeSortCompare) return;
  auto* comparator = new fMergeSortCompare;
  try {
    comparator->new_fMergeSortCompare();
  } catch (...) {
    End(comparator);
    throw;
  }
  defaultMergeSortCompare = comparator;
}

void end_pgeneral() { End(defaultMergeSortCompare); }
