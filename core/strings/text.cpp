#include "core/strings/text.h"

#include <cstring>

#include "core/strings/string.h"
#include "core/strings/string_work.h"
#include "os/runtime/read_number.h"

namespace {
const char* orEmpty(const char* s) { return s ? s : ""; }
}  // namespace

int32_t Val(const char* text, int32_t* charsRead) { return readNumber(text, charsRead); }

namespace {
// TRUE when a and b are equal over their whole length, or over the first n
// characters when n >= 0, each character taken through fold.
template <class Fold>
bool equalTexts(const char* a, const char* b, int32_t n, Fold fold) {
  a = orEmpty(a);
  b = orEmpty(b);
  int32_t i = 0;
  bool equal = true;
  for (; n < 0 || i < n; ++i) {
    if (fold(a[i]) != fold(b[i])) {
      equal = false;
      break;
    }
    if (a[i] == '\0') break;
  }
  countStringWork(static_cast<size_t>(i));
  return equal;
}
}  // namespace

bool StrCmp(const char* a, const char* b, int32_t n) {
  return equalTexts(a, b, n, [](char c) { return c; });
}

bool StrCmpNoCase(const char* a, const char* b, int32_t n) { return equalTexts(a, b, n, UpperChar); }

namespace {
int32_t ordered(const char* a, const char* b, bool fold) {
  a = orEmpty(a);
  b = orEmpty(b);
  for (size_t i = 0;; ++i) {
    unsigned char ca = static_cast<unsigned char>(fold ? UpperChar(a[i]) : a[i]);
    unsigned char cb = static_cast<unsigned char>(fold ? UpperChar(b[i]) : b[i]);
    if (ca != cb || ca == 0) {
      countStringWork(i);
      return ca == cb ? 0 : ca < cb ? 1 : -1;
    }
  }
}
}  // namespace

int32_t OstrCmp(const char* a, const char* b) { return ordered(a, b, false); }
int32_t OstrCmpNoCase(const char* a, const char* b) { return ordered(a, b, true); }

int32_t InStr(const char* text, const char* sub, int32_t start) {
  text = orEmpty(text);
  sub = orEmpty(sub);
  if (start < 0) return -1;
  // The text is read up to the start, and from there as far as the search goes.
  const auto from = static_cast<size_t>(start);
  if (boundedLength(text, from) < from) return -1;
  const char* found = std::strstr(text + from, sub);
  countStringWork(from + (found ? static_cast<size_t>(found - text) - from + std::strlen(sub) : std::strlen(text + from)));
  return found ? static_cast<int32_t>(found - text) : -1;
}

char* UpperStr(char* text) {
  if (text)
    for (char* p = text; *p; ++p) *p = UpperChar(*p);
  return text;
}
