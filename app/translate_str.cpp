#include "app/translate_str.h"

#include <cstring>
#include <vector>

#include "core/exception.h"
#include "core/strings/string.h"

namespace {

struct Match {
  size_t position;
  size_t keyLength;
  const char* replacement;
};

}  // namespace

char* translateStr(const char* text, const char* const* dictionary) {
  size_t count = 0;
  while (dictionary && dictionary[count]) ++count;
  if (count % 2 != 0) Throw("EPU", "translateStr(); dictionary is not an even number of items (pairs)");
  if (!text) text = "";

  const size_t pairs = count / 2;
  // Next occurrence of each key at or after the search point; SIZE_MAX: no more.
  std::vector<size_t> next(pairs, SIZE_MAX);
  auto findFrom = [&](size_t key, size_t from) {
    const char* k = dictionary[2 * key];
    const char* found = k[0] ? std::strstr(text + from, k) : nullptr;
    next[key] = found ? static_cast<size_t>(found - text) : SIZE_MAX;
  };
  for (size_t k = 0; k < pairs; ++k) findFrom(k, 0);

  std::vector<Match> matches;
  const size_t textLength = std::strlen(text);
  size_t resultLength = textLength;
  for (;;) {
    size_t best = SIZE_MAX;
    for (size_t k = 0; k < pairs; ++k)
      if (next[k] != SIZE_MAX && (best == SIZE_MAX || next[k] < next[best])) best = k;
    if (best == SIZE_MAX) break;
    const size_t keyLength = std::strlen(dictionary[2 * best]);
    const char* replacement = dictionary[2 * best + 1] ? dictionary[2 * best + 1] : "";
    const size_t start = next[best];
    const size_t end = start + keyLength;
    matches.push_back({start, keyLength, replacement});
    resultLength = resultLength - keyLength + std::strlen(replacement);
    // Keys whose next occurrence overlaps the match are searched again after it.
    for (size_t k = 0; k < pairs; ++k)
      if (next[k] != SIZE_MAX && next[k] < end) findFrom(k, end);
  }

  char* result = NewString(static_cast<int32_t>(resultLength));
  size_t at = 0;
  for (const Match& m : matches) {
    StrAdd(result, text + at, static_cast<int32_t>(m.position - at));
    StrAdd(result, m.replacement);
    at = m.position + m.keyLength;
  }
  StrAdd(result, text + at, static_cast<int32_t>(textLength - at));
  return result;
}
