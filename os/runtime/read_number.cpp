#include "os/runtime/read_number.h"

namespace {
int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}
}  // namespace

int32_t readNumber(const char* text, int32_t* charsRead) {
  const char* p = text ? text : "";
  int32_t pos = 0;
  if (charsRead) *charsRead = 0;
  while (p[pos] == ' ' || p[pos] == '\t') ++pos;
  bool negative = false;
  if (p[pos] == '-') {
    negative = true;
    ++pos;
  }
  int base = 10;
  if (p[pos] == '%') {
    base = 2;
    ++pos;
  } else if (p[pos] == '$') {
    base = 16;
    ++pos;
  }
  // Decimal numbers must fit in 32 signed bits; binary and hexadecimal ones
  // take up to 32 bits, so "$FFFFFFFF" is -1.
  const uint64_t limit = base == 10 ? (negative ? 0x80000000ull : 0x7FFFFFFFull) : 0xFFFFFFFFull;
  uint64_t value = 0;
  int32_t digits = 0;
  while (digitValue(p[pos]) < base) {
    value = value * base + digitValue(p[pos]);
    if (value > limit) return 0;
    ++pos;
    ++digits;
  }
  if (digits == 0) return 0;
  if (charsRead) *charsRead = pos;
  const uint32_t bits = static_cast<uint32_t>(value);
  const int32_t result = static_cast<int32_t>(bits);
  return negative ? static_cast<int32_t>(0u - bits) : result;
}
