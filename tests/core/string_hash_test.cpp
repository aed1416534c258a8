#include "core/strings/string_hash.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// SuperFastHash as published (the portable form, reading two bytes low byte
// first), kept apart from the program's version so the two check each other.
#define ref_get16bits(d) ((((uint32_t)(((const uint8_t*)(d))[1])) << 8) + (uint32_t)(((const uint8_t*)(d))[0]))

uint32_t referenceSuperFastHash(const char* data, int len) {
  uint32_t hash = len, tmp;
  int rem;
  if (len <= 0 || data == NULL) return 0;
  rem = len & 3;
  len >>= 2;
  for (; len > 0; len--) {
    hash += ref_get16bits(data);
    tmp = (ref_get16bits(data + 2) << 11) ^ hash;
    hash = (hash << 16) ^ tmp;
    data += 2 * sizeof(uint16_t);
    hash += hash >> 11;
  }
  switch (rem) {
    case 3:
      hash += ref_get16bits(data);
      hash ^= hash << 16;
      hash ^= (uint32_t)((signed char)data[sizeof(uint16_t)]) << 18;
      hash += hash >> 11;
      break;
    case 2:
      hash += ref_get16bits(data);
      hash ^= hash << 11;
      hash += hash >> 17;
      break;
    case 1:
      hash += (signed char)*data;
      hash ^= hash << 10;
      hash += hash >> 1;
  }
  hash ^= hash << 3;
  hash += hash >> 5;
  hash ^= hash << 4;
  hash += hash >> 17;
  hash ^= hash << 25;
  hash += hash >> 6;
  return hash;
}

uint32_t referenceOneAtATime(const uint8_t* key, size_t length) {
  size_t i = 0;
  uint32_t hash = 0;
  while (i != length) {
    hash += key[i++];
    hash += hash << 10;
    hash ^= hash >> 6;
  }
  hash += hash << 3;
  hash ^= hash >> 11;
  hash += hash << 15;
  return hash;
}

std::string foldedAtoZ(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

uint32_t referenceOf(const std::string& s) { return referenceSuperFastHash(s.data(), static_cast<int>(s.size())); }

// Every length class of the tail, bytes above 127 in tail and body positions
// (the tail reads them as signed), and a-z next to letters that must not fold.
const char* const keys[] = {
    "",        "a",          "Z",          "ab",        "abc",       "abcd",       "abcde",
    "aBcDeF",  "abcdefg",    "Workbench",  "disk.info", "\xE9",      "a\xE9",      "ab\xE9",
    "\xFF\xFE\xFD\xFC\xFB", "caf\xE9 \xE0 la", "[`{@]^_~", "Games:WHDLoad/Turrican II/Turrican2.slave",
};

}  // namespace

TEST(StringHash, PublishedSuperFastHashVectors) {
  const struct {
    const char* key;
    uint32_t hash;
  } published[] = {{"foob", 0x58C9CBD5u}, {"fooba", 0xF9D871C8u}, {"foobar", 0xA6BCDCA9u}};
  for (const auto& v : published) {
    EXPECT_EQ(referenceOf(v.key), v.hash) << v.key;
    EXPECT_EQ(hashString(v.key, true), v.hash) << v.key;
    EXPECT_EQ(hashString(v.key, false), referenceOf(foldedAtoZ(v.key))) << v.key;
    EXPECT_NE(hashString(v.key, false), v.hash) << v.key;
  }
}

TEST(StringHash, SuperFastHashMatchesTheReferenceFoldedAndUnfolded) {
  for (const char* key : keys) {
    SCOPED_TRACE(key);
    EXPECT_EQ(hashString(key, true), referenceOf(key));
    EXPECT_EQ(hashString(key, false), referenceOf(foldedAtoZ(key)));
  }
  EXPECT_EQ(hashString(nullptr, true), 0u);
  EXPECT_EQ(hashString("", false), 0u);
  // Folding makes keys that differ only in a-z case meet.
  EXPECT_EQ(hashString("Workbench", false), hashString("WORKBENCH", false));
  EXPECT_NE(hashString("Workbench", true), hashString("WORKBENCH", true));
  // Only a-z fold: an accented letter keeps its own hash.
  EXPECT_NE(hashString("\xE9", false), hashString("\xC9", false));
}

TEST(StringHash, OneAtATimeMatchesThePublishedValuesAndFolds) {
  EXPECT_EQ(hashString_OneAtATime("a", true), 0xCA2E9442u);
  EXPECT_EQ(hashString_OneAtATime("The quick brown fox jumps over the lazy dog", true), 0x519E91F5u);
  for (const char* key : keys) {
    SCOPED_TRACE(key);
    const std::string folded = foldedAtoZ(key);
    EXPECT_EQ(hashString_OneAtATime(key, true), referenceOneAtATime(reinterpret_cast<const uint8_t*>(key), std::strlen(key)));
    EXPECT_EQ(hashString_OneAtATime(key, false),
              referenceOneAtATime(reinterpret_cast<const uint8_t*>(folded.data()), folded.size()));
  }
}
