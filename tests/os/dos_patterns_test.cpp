// Wildcard patterns, parsed and matched without regard to the case of a-z.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"

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

// A plain model of the patterns, for short names: every way to match an item
// from a start, tried by brute force over the (start, end) pairs.
class ModelPattern {
 public:
  explicit ModelPattern(const std::string& p) : p_(p) {}
  // Whether the whole pattern matches the whole name.
  bool matches(const std::string& name) {
    name_ = name;
    size_t at = 0;
    const std::vector<Item> items = sequence(at, false);
    return sequenceMatches(items, 0, 0, name_.size());
  }

 private:
  struct Item {
    char kind;  // 'c' a character, '?', '[' a class, '#', '~', '(' a group
    char c = 0;
    std::string klass = "";
    std::vector<std::vector<Item>> alternatives = {};  // '(' ; '#' and '~' hold one with one item
  };
  std::vector<Item> sequence(size_t& at, bool inGroup) {
    std::vector<Item> items;
    while (at < p_.size() && !(inGroup && (p_[at] == '|' || p_[at] == ')'))) items.push_back(item(at));
    return items;
  }
  Item item(size_t& at) {
    const char c = p_[at++];
    Item it{c, 0};
    if (c == '#' || c == '~') it.alternatives = {{item(at)}};
    else if (c == '(') {
      for (;;) {
        it.alternatives.push_back(sequence(at, true));
        if (p_[at++] == ')') break;
      }
    } else if (c == '[') {
      while (p_[at] != ']') it.klass += p_[at++];
      ++at;
    } else if (c == '\'') {
      it = Item{'c', p_[at++]};
    } else if (c != '?') {
      it = Item{'c', c};
    }
    return it;
  }
  static char up(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
  bool classHas(const std::string& k, char c) const {
    size_t i = 0;
    const bool negated = !k.empty() && k[0] == '~';
    if (negated) i = 1;
    bool in = false;
    for (; i < k.size(); ++i) {
      const char lo = k[i] == '\'' ? k[++i] : k[i];
      char hi = lo;
      if (i + 2 < k.size() && k[i + 1] == '-') {
        i += 2;
        hi = k[i] == '\'' ? k[++i] : k[i];
      }
      const auto in3 = [&](char x) { return static_cast<unsigned char>(x) >= static_cast<unsigned char>(lo) &&
                                            static_cast<unsigned char>(x) <= static_cast<unsigned char>(hi); };
      const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      if (in3(c) || in3(up(c)) || in3(lower)) in = true;
    }
    return in != negated;
  }
  bool itemMatches(const Item& it, size_t from, size_t to) {
    switch (it.kind) {
      case 'c': return to == from + 1 && up(name_[from]) == up(it.c);
      case '?': return to == from + 1;
      case '[': return to == from + 1 && classHas(it.klass, name_[from]);
      case '~': return !itemMatches(it.alternatives[0][0], from, to);
      case '#':
        if (from == to) return true;
        for (size_t mid = from + 1; mid <= to; ++mid)
          if (itemMatches(it.alternatives[0][0], from, mid) && itemMatches(it, mid, to)) return true;
        return false;
      default:
        for (const auto& alternative : it.alternatives)
          if (sequenceMatches(alternative, 0, from, to)) return true;
        return false;
    }
  }
  bool sequenceMatches(const std::vector<Item>& items, size_t first, size_t from, size_t to) {
    if (first == items.size()) return from == to;
    for (size_t mid = from; mid <= to; ++mid)
      if (itemMatches(items[first], from, mid) && sequenceMatches(items, first + 1, mid, to)) return true;
    return false;
  }
  std::string p_, name_;
};

// Random patterns of every construct on random short names: the matcher
// answers as the plain model does.
TEST(DosPatterns, MatchesAsAPlainModelDoes) {
  std::mt19937 random(45);
  const char* const pieces[] = {"a", "b", "A", "?", "#", "~", "(", "|", ")", "[a-b]", "[~a]", "'#", "#?", "~(a)"};
  int compared = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string pattern;
    const int length = 1 + static_cast<int>(random() % 7);
    for (int i = 0; i < length; ++i) pattern += pieces[random() % (sizeof pieces / sizeof pieces[0])];
    char parsed[128];
    if (ParsePatternNoCase(pattern.c_str(), parsed, sizeof parsed) < 0) continue;
    for (int n = 0; n < 4; ++n) {
      std::string name;
      const int size = static_cast<int>(random() % 6);
      for (int i = 0; i < size; ++i) name += "abAB#"[random() % 5];
      EXPECT_EQ(MatchPatternNoCase(parsed, name.c_str()), ModelPattern(pattern).matches(name)) << pattern << " / " << name;
      ++compared;
    }
  }
  EXPECT_GT(compared, 4000);
}

// The steps of one match, and its documented bound: (n+1)(2m+2) without
// "~", and (n+1)^2 (2m+3) more for each "~" that is not inside another.
struct Steps {
  uint64_t taken, bound;
};
Steps stepsOf(const std::string& pattern, const std::string& name, bool expected) {
  char parsed[256];
  EXPECT_GE(ParsePatternNoCase(pattern.c_str(), parsed, sizeof parsed), 0) << pattern;
  const uint64_t before = ostest::patternMatchSteps();
  EXPECT_EQ(MatchPatternNoCase(parsed, name.c_str()), expected) << pattern << " on " << name.size();
  const uint64_t n = name.size() + 1, m = pattern.size();
  uint64_t nots = 0;
  for (char c : pattern) nots += c == '~';
  return {ostest::patternMatchSteps() - before, n * (2 * m + 2) + nots * n * n * (2 * m + 3)};
}

TEST(DosPatterns, LongNamesStayWithinTheDocumentedBound) {
  for (size_t n : {200u, 1600u}) {
    const std::string xs(n, 'x');
    const std::string abs = [&] {
      std::string s;
      while (s.size() < n) s += "ab";
      return s;
    }();
    const struct {
      std::string pattern, name;
      bool match;
    } cases[] = {
        {"##?~(#?x)y", xs, false},
        {"##?~(#?x)y", xs + "ay", true},
        {"#(#(#x))", xs, true},
        {"#(ab)", abs, true},
        {"#(a|b|ab)#?c", abs, false},
        {"~(#?.info)", xs, true},
    };
    for (const auto& c : cases) {
      const Steps s = stepsOf(c.pattern, c.name, c.match);
      EXPECT_LE(s.taken, s.bound) << c.pattern << " on " << n;
    }
  }
}

TEST(DosPatterns, NestingDeeperThanAHundredIsRefused) {
  char buffer[1024];
  for (const auto& [pattern, ok] : std::vector<std::pair<std::string, bool>>{
           {std::string(99, '(') + "a" + std::string(99, ')'), true},
           {std::string(101, '(') + "a" + std::string(101, ')'), false},
           {std::string(99, '#') + "a", true},
           {std::string(300, '~') + "a", false}}) {
    EXPECT_EQ(ParsePatternNoCase(pattern.c_str(), buffer, sizeof buffer) >= 0, ok) << pattern.size();
    if (ok) {
      EXPECT_TRUE(MatchPatternNoCase(buffer, "A"));
    }
  }
}

TEST(DosPatterns, NestedRepeatsOnLongNamesStayFast) {
  // A backtracking matcher takes exponential time on this; position sets do not.
  const std::string name(200, 'a');
  EXPECT_FALSE(matches("#(#(#a))b", (name).c_str()));
  EXPECT_TRUE(matches("#(#(#a))", name.c_str()));
}

}  // namespace
