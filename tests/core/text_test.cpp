#include "core/strings/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ValCase {
  const char* text;
  int32_t value;
  int32_t read;
};

TEST(NumberText, ReadsSignPrefixAndCountsEveryCharacter) {
  const ValCase cases[] = {
      {"42", 42, 2},
      {"  \t-17x", -17, 6},
      {"%1011", 11, 5},
      {"$ff", 255, 3},
      {"-$10", -16, 4},
      {"$FFFFFFFF", -1, 9},
      {"$80000000", INT32_MIN, 9},
      {"2147483647", INT32_MAX, 10},
      {"-2147483648", INT32_MIN, 11},
      {"12abc", 12, 2},
      {"%102", 2, 3},
  };
  for (const ValCase& c : cases) {
    int32_t read = -99;
    EXPECT_EQ(Val(c.text, &read), c.value) << c.text;
    EXPECT_EQ(read, c.read) << c.text;
  }
}

TEST(NumberText, NoDigitsOrOutOfRangeReadsZeroWithNothingRead) {
  const char* texts[] = {"", "   ", "-", "$", "%", "abc", "- 5", "2147483648", "-2147483649",
                         "$100000000", "99999999999999999999"};
  for (const char* t : texts) {
    int32_t read = -99;
    EXPECT_EQ(Val(t, &read), 0) << t;
    EXPECT_EQ(read, 0) << t;
  }
  EXPECT_EQ(Val(nullptr), 0);
}

TEST(StringComparison, EqualityWholeAndPrefixWithCaseFolding) {
  EXPECT_TRUE(StrCmp("abc", "abc"));
  EXPECT_FALSE(StrCmp("abc", "abd"));
  EXPECT_FALSE(StrCmp("abc", "ab"));
  EXPECT_TRUE(StrCmp("abcdef", "abcxyz", 3));
  EXPECT_FALSE(StrCmp("abcdef", "abXxyz", 3));
  EXPECT_TRUE(StrCmp("ab", "ab", 10));
  EXPECT_FALSE(StrCmp("ab", "abc", 3));
  EXPECT_TRUE(StrCmpNoCase("Game.ADF", "game.adf"));
  EXPECT_TRUE(StrCmpNoCase("GAMEx", "gamey", 4));
  EXPECT_FALSE(StrCmpNoCase("gam", "game"));
  // Only a-z fold: Latin-1 letters keep their case.
  EXPECT_FALSE(StrCmpNoCase("\xe9", "\xc9"));
  EXPECT_TRUE(StrCmp(nullptr, ""));
}

TEST(StringComparison, OrderedAnswersPlusOneWhenFirstSortsFirst) {
  EXPECT_EQ(OstrCmp("a", "b"), 1);
  EXPECT_EQ(OstrCmp("b", "a"), -1);
  EXPECT_EQ(OstrCmp("a", "a"), 0);
  EXPECT_EQ(OstrCmp("a", "ab"), 1);
  EXPECT_EQ(OstrCmp("B", "a"), 1);  // upper case sorts before lower case
  EXPECT_EQ(OstrCmpNoCase("B", "a"), -1);
  EXPECT_EQ(OstrCmpNoCase("abc", "ABC"), 0);
  // Bytes compare unsigned: a Latin-1 letter sorts after ASCII.
  EXPECT_EQ(OstrCmp("z", "\xe9"), 1);
}

TEST(StringSearch, FindsFromStartIndex) {
  EXPECT_EQ(InStr("abcabc", "bc"), 1);
  EXPECT_EQ(InStr("abcabc", "bc", 2), 4);
  EXPECT_EQ(InStr("abcabc", "x"), -1);
  EXPECT_EQ(InStr("abc", "", 3), 3);
  EXPECT_EQ(InStr("abc", "a", 4), -1);
  EXPECT_EQ(InStr("abc", "a", -1), -1);
}

}  // namespace
