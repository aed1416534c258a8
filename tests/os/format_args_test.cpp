#include "os/intuition/format_args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

intptr_t str(const char* s) { return reinterpret_cast<intptr_t>(s); }

TEST(RequesterFormat, PlaceholdersTakeOneWordEach) {
  struct Case {
    const char* format;
    std::vector<intptr_t> args;
    const char* expected;
    size_t used;
  };
  const Case cases[] = {
      {"plain text", {}, "plain text", 0},
      {"%s and %s", {str("one"), str("two")}, "one and two", 2},
      {"%ld|%lu|%lx|%lX", {-5, -1, 255, 0xABCD}, "-5|4294967295|ff|ABCD", 4},
      {"%d %u %x", {-2147483647 - 1, 42, 16}, "-2147483648 42 10", 3},
      {"[%5ld] [%-5ld] [%05ld] [%05ld]", {42, 42, 42, -42}, "[   42] [42   ] [00042] [-0042]", 4},
      {"[%.3s] [%6s] [%-6s|]", {str("abcdef"), str("ab"), str("ab")}, "[abc] [    ab] [ab    |]", 3},
      {"%c%c", {'O', 'K'}, "OK", 2},
      {"100%%", {}, "100%", 0},
      {"only the low 32 bits: %lu", {static_cast<intptr_t>(0x100000007LL)}, "only the low 32 bits: 7", 1},
  };
  for (const Case& c : cases) {
    const FormattedText out = formatWithArgs(c.format, c.args.data(), c.args.size());
    EXPECT_EQ(out.text, c.expected) << c.format;
    EXPECT_EQ(out.argsUsed, c.used) << c.format;
  }
}

// Nothing is ever read past the words given: placeholders left without a word
// stay as they are, and a NIL string prints as nothing.
TEST(RequesterFormat, NeverReadsAnArgumentThatWasNotPassed) {
  struct Case {
    const char* format;
    std::vector<intptr_t> args;
    const char* expected;
  };
  const Case cases[] = {
      {"You did not supply the program \"%s\".", {}, "You did not supply the program \"%s\"."},
      {"%s and %ld", {str("first")}, "first and %ld"},
      {"Do you really want to remove:\n%s", {0}, "Do you really want to remove:\n"},
      {"%-08.3ls", {}, "%-08.3ls"},
      {"cut off at the end: %", {}, "cut off at the end: %"},
      {"cut off inside: %-08.", {5}, "cut off inside: %-08."},
      {"unknown types stay: %q %b %p", {1, 2, 3}, "unknown types stay: %q %b %p"},
  };
  for (const Case& c : cases) {
    const FormattedText out = formatWithArgs(c.format, c.args.empty() ? nullptr : c.args.data(), c.args.size());
    EXPECT_EQ(out.text, c.expected) << c.format;
  }
  // A count with no array reads nothing.
  EXPECT_EQ(formatWithArgs("%s", nullptr, 3).text, "%s");
  EXPECT_EQ(formatWithArgs(nullptr, nullptr, 0).text, "");
}

TEST(RequesterFormat, HugeWidthsAreCut) {
  const intptr_t args[] = {1, str("x")};
  const FormattedText out = formatWithArgs("%99999999999999999999ld%.99999999999999s", args, 2);
  EXPECT_LE(out.text.size(), 1100u);
  EXPECT_EQ(out.text.back(), 'x');
  EXPECT_EQ(out.argsUsed, 2u);
}

}  // namespace
