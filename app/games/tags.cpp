#include "app/games/tags.h"

#include <cstring>

#include "core/box.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "core/strings/text.h"

namespace {

constexpr intptr_t BOXED_TRUE = -1;

// An empty tag string is read as "," (no tags), never as a tag of its own.
const char* paddedOrEmptyList(const char* padded) { return (padded && padded[0]) ? padded : ","; }

// Appends a copy of length characters of text to the chain.
void appendItem(StringChain& items, const char* text, size_t length, bool upper) {
  char* item = NewString(static_cast<int32_t>(length));
  StrCopy(item, text, static_cast<int32_t>(length));
  if (upper) UpperStr(item);
  items.append(item);
}

// Adds the tag of `length` characters at text to the space, unless the space
// holds it already (ignoring case, as the space does): a list's games share a
// few tags, and each new entry takes a string and a value of its own.
void addTag(const char* text, size_t length, cStringSpace* space) {
  char known[64];
  if (length < sizeof known) {
    std::memcpy(known, text, length);
    known[length] = '\0';
    if (space->get_cStringSpace(known)) return;
  }
  char* tag = NewString(static_cast<int32_t>(length));
  StrCopy(tag, text, static_cast<int32_t>(length));
  WithCleanUp(
      [&] {
        boxVALUE* value = BoxVALUE(BOXED_TRUE);
        try {
          space->set_cStringSpace(tag, reinterpret_cast<intptr_t>(value));
        } catch (...) {
          End(value);
          throw;
        }
      },
      [&] { DisposeString(tag); });
}

}  // namespace

char* padTags(const char* text) {
  if (!text || !text[0]) return StrClone(",");
  return StrJoin(",", text, ",");
}

char* stripTags(const char* padded) {
  const size_t len = padded ? std::strlen(padded) : 0;
  if (len <= 2) return NewString(0);
  char* result = NewString(static_cast<int32_t>(len - 2));
  StrCopy(result, padded + 1, static_cast<int32_t>(len - 2));
  return result;
}

char* commeredItemsToStringList(char* text, bool upper, bool skipFirst, bool commasOnly) {
  if (!text) return nullptr;
  const size_t len = std::strlen(text);
  size_t start = skipFirst ? 1 : 0;
  if (start > len) return nullptr;
  if (!commasOnly)
    for (size_t i = start; i < len; ++i)
      if (text[i] == '/' || text[i] == ' ') text[i] = ',';
  StringChain items;
  try {
    while (start <= len) {
      const char* comma = std::strchr(text + start, ',');
      const size_t end = comma ? static_cast<size_t>(comma - text) : len;
      if (end > start) appendItem(items, text + start, end - start, upper);
      start = end + 1;
    }
  } catch (...) {
    DisposeString(items.head);
    throw;
  }
  return items.head;
}

char* paddedTagsToStringList(const char* padded) {
  padded = paddedOrEmptyList(padded);
  StringChain items;
  try {
    size_t previous = 0;
    for (size_t i = 1; padded[i]; ++i) {
      if (padded[i] != ',') continue;
      if (i - previous + 1 >= 3) appendItem(items, padded + previous, i - previous + 1, false);
      previous = i;
    }
  } catch (...) {
    DisposeString(items.head);
    throw;
  }
  return items.head;
}

void addTagsToSpace(const char* padded, cStringSpace* space) {
  padded = paddedOrEmptyList(padded);
  size_t previous = 0;
  for (size_t i = 1; padded[i]; ++i) {
    if (padded[i] != ',') continue;
    addTag(padded + previous + 1, i - previous - 1, space);
    previous = i;
  }
}
