#include "core/strings/string_hash.h"

#include <cstring>

#include "core/strings/string_work.h"
#include "core/strings/text.h"

namespace {

// The key's bytes as the hashes see them: a-z folded to A-Z unless exact.
struct KeyBytes {
  const char* text;
  bool exact;
  uint8_t at(size_t i) const {
    return static_cast<uint8_t>(exact ? text[i] : UpperChar(text[i]));
  }
  // The tail bytes of SuperFastHash are taken as signed characters.
  uint32_t signedAt(size_t i) const { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(at(i)))); }
  // Two bytes, the first the low one.
  uint32_t pairAt(size_t i) const { return static_cast<uint32_t>(at(i)) | (static_cast<uint32_t>(at(i + 1)) << 8); }
};

}  // namespace

uint32_t hashString(const char* key, bool caseSensitive) {
  if (!key) key = "";
  const size_t length = std::strlen(key);
  countStringWork(length);
  if (length == 0) return 0;
  const KeyBytes bytes{key, caseSensitive};
  uint32_t hash = static_cast<uint32_t>(length);
  size_t i = 0;
  for (size_t blocks = length / 4; blocks > 0; --blocks, i += 4) {
    hash += bytes.pairAt(i);
    const uint32_t tmp = (bytes.pairAt(i + 2) << 11) ^ hash;
    hash = (hash << 16) ^ tmp;
    hash += hash >> 11;
  }
  switch (length & 3) {
    case 3:
      hash += bytes.pairAt(i);
      hash ^= hash << 16;
      hash ^= bytes.signedAt(i + 2) << 18;
      hash += hash >> 11;
      break;
    case 2:
      hash += bytes.pairAt(i);
      hash ^= hash << 11;
      hash += hash >> 17;
      break;
    case 1:
      hash += bytes.signedAt(i);
      hash ^= hash << 10;
      hash += hash >> 1;
      break;
  }
  // Final avalanche of the last bits.
  hash ^= hash << 3;
  hash += hash >> 5;
  hash ^= hash << 4;
  hash += hash >> 17;
  hash ^= hash << 25;
  hash += hash >> 6;
  return hash;
}

uint32_t hashString_OneAtATime(const char* key, bool caseSensitive) {
  if (!key) key = "";
  const KeyBytes bytes{key, caseSensitive};
  uint32_t hash = 0;
  for (size_t i = 0; key[i]; ++i) {
    hash += bytes.at(i);
    hash += hash << 10;
    hash ^= hash >> 6;
  }
  hash += hash << 3;
  hash ^= hash >> 11;
  hash += hash << 15;
  return hash;
}
