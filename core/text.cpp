#include "core/text.h"

#include <cstring>

namespace {
const char* orEmpty(const char* s) { return s ? s : ""; }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}
}  // namespace

int32_t Val(const char* text, int32_t* charsRead) {
  const char* p = orEmpty(text);
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

bool StrCmp(const char* a, const char* b, int32_t n) {
  a = orEmpty(a);
  b = orEmpty(b);
  return n < 0 ? std::strcmp(a, b) == 0 : std::strncmp(a, b, static_cast<size_t>(n)) == 0;
}

bool StrCmpNoCase(const char* a, const char* b, int32_t n) {
  a = orEmpty(a);
  b = orEmpty(b);
  for (int32_t i = 0; n < 0 || i < n; ++i) {
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}

namespace {
int32_t ordered(const char* a, const char* b, bool fold) {
  a = orEmpty(a);
  b = orEmpty(b);
  for (size_t i = 0;; ++i) {
    unsigned char ca = static_cast<unsigned char>(fold ? UpperChar(a[i]) : a[i]);
    unsigned char cb = static_cast<unsigned char>(fold ? UpperChar(b[i]) : b[i]);
    if (ca != cb) return ca < cb ? 1 : -1;
    if (ca == 0) return 0;
  }
}
}  // namespace

int32_t OstrCmp(const char* a, const char* b) { return ordered(a, b, false); }
int32_t OstrCmpNoCase(const char* a, const char* b) { return ordered(a, b, true); }

int32_t InStr(const char* text, const char* sub, int32_t start) {
  text = orEmpty(text);
  sub = orEmpty(sub);
  const size_t len = std::strlen(text);
  if (start < 0 || static_cast<size_t>(start) > len) return -1;
  const char* found = std::strstr(text + start, sub);
  return found ? static_cast<int32_t>(found - text) : -1;
}

char* UpperStr(char* text) {
  if (text)
    for (char* p = text; *p; ++p) *p = UpperChar(*p);
  return text;
}
