#include "app/games/tags.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/box.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"

namespace {

std::string take(char* s) {
  std::string text = s;
  DisposeString(s);
  return text;
}

std::vector<std::string> takeChain(char* chain) {
  std::vector<std::string> items;
  for (char* s = chain; s; s = StrNext(s)) items.emplace_back(s);
  DisposeString(chain);
  return items;
}

using Items = std::vector<std::string>;

TEST(TagStrings, PadAndStrip) {
  EXPECT_EQ(take(padTags("Racing,Platform")), ",Racing,Platform,");
  EXPECT_EQ(take(padTags("")), ",");
  EXPECT_EQ(take(padTags(" a")), ", a,");  // blanks stay
  EXPECT_EQ(take(stripTags(",a,b,")), "a,b");
  EXPECT_EQ(take(stripTags(",")), "");
  EXPECT_EQ(take(stripTags(",,")), "");
  EXPECT_EQ(take(stripTags(",x,")), "x");
  EXPECT_EQ(take(stripTags("")), "");
}

TEST(TagStrings, CommeredItems) {
  char text[] = "super frog/2,,mario";
  EXPECT_EQ(takeChain(commeredItemsToStringList(text, true, false, false)), (Items{"SUPER", "FROG", "2", "MARIO"}));
  EXPECT_STREQ(text, "super,frog,2,,mario");  // the caller's text was changed

  char kept[] = "a b,c/d";
  EXPECT_EQ(takeChain(commeredItemsToStringList(kept, false, false, true)), (Items{"a b", "c/d"}));
  EXPECT_STREQ(kept, "a b,c/d");

  char negated[] = "~Racing Platform";
  EXPECT_EQ(takeChain(commeredItemsToStringList(negated, false, true, false)), (Items{"Racing", "Platform"}));

  char onlyTilde[] = "~";
  EXPECT_EQ(commeredItemsToStringList(onlyTilde, true, true, false), nullptr);
  char empty[] = "";
  EXPECT_EQ(commeredItemsToStringList(empty, true, true, false), nullptr);
  char commas[] = ",, ,";
  EXPECT_EQ(commeredItemsToStringList(commas, true, false, false), nullptr);
}

TEST(TagStrings, PaddedTagsKeepTheirCommas) {
  EXPECT_EQ(takeChain(paddedTagsToStringList(",RACING,PLATFORM,")), (Items{",RACING,", ",PLATFORM,"}));
  EXPECT_EQ(takeChain(paddedTagsToStringList(",A,,B,")), (Items{",A,", ",B,"}));
  EXPECT_EQ(paddedTagsToStringList(","), nullptr);
  EXPECT_EQ(paddedTagsToStringList(""), nullptr);
}

TEST(TagSpace, EveryTagBecomesAKeyWithABoxedTrue) {
  const size_t before = Arena::liveCount();
  auto* space = new cStringSpace;
  space->new_cStringSpace(true, CASE_INSENSITIVE);
  addTagsToSpace(",Favourite,Racing,", space);
  addTagsToSpace(",racing,,Platform,", space);  // case ignored; the empty tag is set too
  addTagsToSpace("", space);                   // no tags: nothing added
  std::set<std::string> keys;
  for (bool more = space->itemGotoFirst(); more; more = space->itemGotoNext()) {
    const char* key = nullptr;
    auto* value = reinterpret_cast<box*>(space->itemInfo(&key));
    EXPECT_EQ(value->value, -1) << key;
    keys.insert(key);
  }
  EXPECT_EQ(keys, (std::set<std::string>{"Favourite", "Racing", "", "Platform"}));
  End(space);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
