#include "core/strings/string.h"

#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string_work.h"

StringWork stringWork;

namespace {

struct StringHeader {
  char* next;
  int32_t capacity;
  int32_t length;
};

StringHeader* header(const char* s) {
  return reinterpret_cast<StringHeader*>(const_cast<char*>(s)) - 1;
}

}  // namespace

size_t boundedLength(const char* text, size_t most) {
  // memchr stops at the first NUL: nothing after it is read.
  const void* end = std::memchr(text, '\0', most);
  return end ? static_cast<size_t>(static_cast<const char*>(end) - text) : most;
}

char* NewString(int32_t capacity) {
  if (capacity < 0) Throw("EPU", "String; NewString(); capacity<0");
  auto* h = static_cast<StringHeader*>(Arena::alloc(sizeof(StringHeader) + capacity + 1));
  h->capacity = capacity;
  countStringWork(static_cast<size_t>(capacity));
  return reinterpret_cast<char*>(h + 1);
}

char* StrClone(const char* text) {
  const int32_t length = text ? static_cast<int32_t>(std::strlen(text)) : 0;
  char* s = NewString(length);
  // The whole text at once: its length is known already, and the block
  // comes zero-filled, so the end is there.
  if (length) std::memcpy(s, text, static_cast<size_t>(length));
  header(s)->length = length;
  countStringWork(static_cast<size_t>(length));
  return s;
}

void DisposeString(char* s) {
  while (s) {
    char* next = header(s)->next;
    Arena::release(header(s));
    s = next;
  }
}

void FetchStringAhead(const char* s) {
  if (!s) return;
  // The block's bookkeeping and the string's header, and the text beyond
  // their line (a label's text reaches into the next one).
  Arena::fetchAhead(header(s));
  __builtin_prefetch(s + 48);
}

int32_t StrMax(const char* s) { return header(s)->capacity; }
int32_t EstrLen(const char* s) { return header(s)->length; }

char* StrCopy(char* s, const char* source, int32_t length) {
  SetStr(s, 0);
  return StrAdd(s, source, length);
}

char* StrAdd(char* s, const char* source, int32_t length) {
  StringHeader* h = header(s);
  if (!source) return s;
  // Only what can be taken is looked at: appending a few characters of a
  // long text costs those few, not the text's length.
  size_t most = static_cast<size_t>(h->capacity - h->length);
  if (length >= 0 && static_cast<size_t>(length) < most) most = static_cast<size_t>(length);
  const size_t n = boundedLength(source, most);
  countStringWork(n);
  std::memmove(s + h->length, source, n);
  h->length += static_cast<int32_t>(n);
  s[h->length] = '\0';
  return s;
}

void SetStr(char* s, int32_t length) {
  StringHeader* h = header(s);
  if (length < 0) length = 0;
  if (length > h->capacity) length = h->capacity;
  h->length = length;
  s[h->length] = '\0';
}

void UpdateStrLen(char* s) {
  StringHeader* h = header(s);
  s[h->capacity] = '\0';
  h->length = static_cast<int32_t>(std::strlen(s));
}

char* StrNext(const char* s) { return s ? header(s)->next : nullptr; }

char* StrLink(char* s, char* next) {
  header(s)->next = next;
  return s;
}

char* StrLast(char* s) {
  if (!s) return nullptr;
  while (header(s)->next) s = header(s)->next;
  return s;
}

char* StrTakeFirst(char*& chain) {
  char* first = chain;
  if (!first) return nullptr;
  chain = StrNext(first);
  StrLink(first, nullptr);
  return first;
}
