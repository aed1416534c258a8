// A folder's names looked up ignoring the case of a-z, against a plain model:
// every name of the listing compared in turn.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "os/dos/folder_names.h"
#include "os/dos/name_case.h"

namespace {

TEST(DosFolderNames, FindAgreesWithComparingEveryNameIgnoringCase) {
  // Short names over letters of both cases and bytes that have no case, so
  // that many names are equal ignoring case and some only look alike.
  const std::string alphabet = "aAbBzZ_\xE9\xC9";
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const size_t count = random() % 300;
    std::vector<std::string> listing;
    dosindex::FolderNames names;
    for (size_t i = 0; i < count; ++i) {
      std::string name;
      for (size_t n = 1 + random() % 3; n > 0; --n) name += alphabet[random() % alphabet.size()];
      listing.push_back(name);
      names.add(name, static_cast<unsigned char>(i % 7));
    }
    names.seal();
    for (int probe = 0; probe < 200; ++probe) {
      std::string asked;
      for (size_t n = 1 + random() % 3; n > 0; --n) asked += alphabet[random() % alphabet.size()];
      int32_t equal = 0;
      size_t first = 0;
      for (size_t i = 0; i < listing.size(); ++i)
        if (dosname::equalNoCase(listing[i], asked) && equal++ == 0) first = i;
      const dosindex::FolderNames::Found found = names.find(asked);
      ASSERT_EQ(found.count, equal) << asked;
      if (equal) {
        EXPECT_EQ(found.actual, listing[first]) << asked;
        EXPECT_EQ(found.kind, first % 7) << asked;
      }
    }
  }
  // Nothing added, nothing found.
  dosindex::FolderNames empty;
  EXPECT_EQ(empty.find("a").count, 0);
  empty.seal();
  EXPECT_EQ(empty.find("").count, 0);
}

}  // namespace
