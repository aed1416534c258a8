#include "os/shell/shell_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
  const char* line;
  std::vector<std::string> words;
  std::vector<std::string> redirections;  // kind mark + file: "<x", ">x", ">>x"
};

std::string describe(const ShellRedirection& r) {
  const char* mark = r.kind == ShellItemKind::RedirectInput ? "<" : r.kind == ShellItemKind::RedirectAppend ? ">>" : ">";
  return mark + r.file;
}

TEST(ShellReader, SplitsLinesTheAmigaDosWay) {
  const Expected cases[] = {
      {"", {}, {}},
      {" \t ", {}, {}},
      {"UAE -0 \"Home:Games/my game.adf\" -s", {"UAE", "-0", "Home:Games/my game.adf", "-s"}, {}},
      {"a\tb  c\r", {"a", "b", "c"}, {}},
      // Star escapes inside quotes only.
      {"echo \"say *\"hi*\" ** *N*n\"", {"echo", "say \"hi\" * \n\n"}, {}},
      {"echo a*\"b **", {"echo", "a*\"b", "**"}, {}},
      {"echo \"*x\"", {"echo", "*x"}, {}},
      // *" never closes the quote.
      {"echo \"a*\" b", {"echo", "a\" b"}, {}},
      {"x \"\" y", {"x", "", "y"}, {}},
      // A quote left open runs to the end of the line.
      {"x \"open to the end", {"x", "open to the end"}, {}},
      // A quote inside a bare word is an ordinary character.
      {"Megazeux.exe startup_file=\"a b\"", {"Megazeux.exe", "startup_file=\"a", "b\""}, {}},
      // Shell code of other shells is plain text here.
      {"x $(touch pwned) `id` ${HOME} a;b |c &d", {"x", "$(touch", "pwned)", "`id`", "${HOME}", "a;b", "|c", "&d"}, {}},
      // Redirections, written together with the file or apart, anywhere.
      {"RequestChoice >NIL: \"Fuse\" \"Press F1 for menu!\" \"OK\" TIMEOUTSECS=2",
       {"RequestChoice", "Fuse", "Press F1 for menu!", "OK", "TIMEOUTSECS=2"},
       {">NIL:"}},
      {"cmd <in >> out.log arg", {"cmd", "arg"}, {"<in", ">>out.log"}},
      {">\"my file\" cmd", {"cmd"}, {">my file"}},
      {"cmd > \"a b\"", {"cmd"}, {">a b"}},
      // A quoted > is an argument, not a redirection.
      {"cmd \">x\" \"<y\"", {"cmd", ">x", "<y"}, {}},
  };
  for (const Expected& c : cases) {
    ShellLine parsed;
    std::string error;
    ASSERT_TRUE(parseShellLine(c.line, &parsed, &error)) << c.line << ": " << error;
    std::vector<std::string> words, redirections;
    for (const ShellItem& w : parsed.words) words.push_back(w.text);
    for (const ShellRedirection& r : parsed.redirections) redirections.push_back(describe(r));
    EXPECT_EQ(words, c.words) << c.line;
    EXPECT_EQ(redirections, c.redirections) << c.line;
  }
}

TEST(ShellReader, MarksQuotedWordsAndWhereEachItemEnds) {
  const std::string line = "Run \"a b\" c";
  ShellReader reader(line);
  ShellItem item;
  std::string error;
  ASSERT_TRUE(reader.next(&item, &error));
  EXPECT_FALSE(item.quoted);
  EXPECT_EQ(item.end, 3u);
  ASSERT_TRUE(reader.next(&item, &error));
  EXPECT_TRUE(item.quoted);
  EXPECT_EQ(item.text, "a b");
  EXPECT_EQ(item.end, 9u);
  ASSERT_TRUE(reader.next(&item, &error));
  EXPECT_EQ(item.text, "c");
  EXPECT_FALSE(reader.next(&item, &error));
  EXPECT_TRUE(error.empty());
}

TEST(ShellReader, RedirectionWithoutFileIsAnError) {
  for (const char* line : {"cmd >", "cmd <  ", "cmd >>", "cmd >\"\""}) {
    ShellLine parsed;
    std::string error;
    EXPECT_FALSE(parseShellLine(line, &parsed, &error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}

}  // namespace
