// Wildcard patterns, parsed and matched without regard to the case of a-z.
#include <gtest/gtest.h>

#include <string>

#include "os/dos/dos.h"

namespace {

bool matches(const char* pattern, const char* name) {
  char parsed[256];
  if (ParsePatternNoCase(pattern, parsed, sizeof parsed) < 0) {
    ADD_FAILURE() << "cannot parse " << pattern;
    return false;
  }
  return MatchPatternNoCase(parsed, name);
}

TEST(DosPatterns, MatchNamesAsTheShellDoes) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"#?", "", true},
      {"#?", "anything at all", true},
      {"?", "a", true},
      {"?", "", false},
      {"?", "ab", false},
      {"#?.info", "Disk.INFO", true},
      {"#?.info", "Disk.info.bak", false},
      {"#a", "", true},
      {"#a", "AaA", true},
      {"#a", "ab", false},
      {"a#bc", "abbbc", true},
      {"a#bc", "ac", true},
      {"#(ab)", "abAB", true},
      {"#(ab)", "aba", false},
      {"(foo|bar).adf", "BAR.adf", true},
      {"(foo|bar).adf", "baz.adf", false},
      {"(a|)b", "b", true},
      {"((x|y)z|w)", "yz", true},
      {"[a-c]x", "Bx", true},
      {"[a-c]x", "dx", false},
      {"[A-C]x", "bx", true},
      {"[~a-c]x", "dx", true},
      {"[~a-c]x", "ax", false},
      {"[0-9]#[0-9]", "1990", true},
      {"~(#?.info)", "Game", true},
      {"~(#?.info)", "Game.info", false},
      {"~a", "a", false},
      {"~a", "b", true},
      {"~a", "", true},
      {"'#?", "#?", true},
      {"'#?", "x", false},
      {"a'(b", "A(B", true},
      {"*", "*", true},  // "*" is no wildcard
      {"*", "x", false},
      {"Game", "GAME", true},
      {"Game", "Games", false},
      {"é#?", "éa", true},
  };
  for (const auto& c : cases) EXPECT_EQ(matches(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

TEST(DosPatterns, ParsingTellsWhetherThereAreWildcardsAndRefusesBrokenPatterns) {
  char buffer[64];
  EXPECT_EQ(ParsePatternNoCase("Plain.adf", buffer, sizeof buffer), 0);
  EXPECT_EQ(ParsePatternNoCase("a'?b", buffer, sizeof buffer), 0);  // an escaped wildcard is none
  EXPECT_EQ(ParsePatternNoCase("#?.adf", buffer, sizeof buffer), 1);
  EXPECT_EQ(ParsePatternNoCase("[ab]", buffer, sizeof buffer), 1);
  for (const char* broken : {"(a|b", "a)", "[a-z", "#", "~", "a'", "(#)"}) {
    EXPECT_EQ(ParsePatternNoCase(broken, buffer, sizeof buffer), -1) << broken;
    EXPECT_EQ(IoErr(), ERROR_BAD_TEMPLATE) << broken;
  }
  // Twice the pattern's length plus two always suffices; too small fails cleanly.
  const std::string pattern = "(Name|Other)#?";
  EXPECT_GE(ParsePatternNoCase(pattern.c_str(), buffer, static_cast<int32_t>(2 * pattern.size() + 2)), 0);
  EXPECT_EQ(ParsePatternNoCase(pattern.c_str(), buffer, 4), -1);
  EXPECT_EQ(IoErr(), ERROR_LINE_TOO_LONG);
}

TEST(DosPatterns, NestedRepeatsOnLongNamesStayFast) {
  // A backtracking matcher takes exponential time on this; position sets do not.
  const std::string name(200, 'a');
  EXPECT_FALSE(matches("#(#(#a))b", (name).c_str()));
  EXPECT_TRUE(matches("#(#(#a))", name.c_str()));
}

}  // namespace
