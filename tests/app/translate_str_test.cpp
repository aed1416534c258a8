#include "app/translate_str.h"

#include <gtest/gtest.h>

#include <string>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"

namespace {

std::string translated(const char* text, const char* const* dictionary) {
  char* s = translateStr(text, dictionary);
  std::string result = s;
  EXPECT_EQ(StrMax(s), static_cast<int32_t>(result.size()));  // exactly the result's length
  DisposeString(s);
  return result;
}

TEST(TranslateStr, EarliestMatchWinsAndReplacementsAreNotRescanned) {
  const char* placeholders[] = {"%g", "Work:/Games/x.adf", "%p", "-fast", "%%", "%", nullptr};
  EXPECT_EQ(translated("%%g", placeholders), "%g");
  EXPECT_EQ(translated("uae \"%g\" %p", placeholders), "uae \"Work:/Games/x.adf\" -fast");
  EXPECT_EQ(translated("100%% %g%g", placeholders), "100% Work:/Games/x.adf" "Work:/Games/x.adf");
  // A replacement containing a key is not searched again.
  const char* loops[] = {"a", "aa", nullptr};
  EXPECT_EQ(translated("aXa", loops), "aaXaa");
}

TEST(TranslateStr, TiesGoToTheEarlierPair) {
  const char* abFirst[] = {"ab", "1", "a", "2", nullptr};
  const char* aFirst[] = {"a", "2", "ab", "1", nullptr};
  EXPECT_EQ(translated("ab", abFirst), "1");
  EXPECT_EQ(translated("ab", aFirst), "2b");
}

TEST(TranslateStr, NewlineEscapesRoundTrip) {
  const char* save[] = {"\n", "\\n", nullptr};
  const char* load[] = {"\\n", "\n", nullptr};
  EXPECT_EQ(translated("CD x\nFoo", save), "CD x\\nFoo");
  EXPECT_EQ(translated("CD x\\nFoo", load), "CD x\nFoo");
  EXPECT_EQ(translated("", load), "");
  EXPECT_EQ(translated("plain", nullptr), "plain");
}

TEST(TranslateStr, OddDictionaryIsRefused) {
  const size_t before = Arena::liveCount();
  const char* odd[] = {"a", "b", "c", nullptr};
  try {
    translateStr("abc", odd);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("EPU"));
    EXPECT_STREQ(e.message(), "translateStr(); dictionary is not an even number of items (pairs)");
  }
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
