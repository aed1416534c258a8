#include "core/strings/text.h"

#include <cstring>

#include "os/runtime/read_number.h"

namespace {
const char* orEmpty(const char* s) { return s ? s : ""; }
}  // namespace

int32_t Val(const char* text, int32_t* charsRead) { return readNumber(text, charsRead); }

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
