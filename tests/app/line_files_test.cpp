#include "app/games/line_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ludex_module.h"
#include "core/strings/string.h"
#include "tests/support/dos_sandbox.h"

namespace {

class LineFiles : public testing::Test {
 protected:
  void SetUp() override { new_ludex(); }
  void TearDown() override { end_ludex(); }
  DosSandbox box;
};

TEST_F(LineFiles, LinesOfEverySizeAreWrittenAndReadBackAsTheyWere) {
  // Short lines past several blocks of the writer, empty ones, one line
  // longer than a block and one longer than the file object's window.
  std::vector<std::string> lines;
  for (int i = 0; i < 20000; ++i) lines.push_back(i % 7 ? "line " + std::to_string(i) : "");
  lines.insert(lines.begin() + 9000, std::string(200000, 'b'));
  lines.insert(lines.begin() + 15000, std::string(600000, 'w'));
  lines.push_back("last");
  StringChain chain;
  std::string expected;
  for (size_t i = 0; i < lines.size(); ++i) {
    chain.append(StrClone(lines[i].c_str()));
    expected += (i ? "\n" : "") + lines[i];
  }
  EXPECT_TRUE(writeLines("Sandbox:/lines.txt", chain.head));
  DisposeString(chain.head);
  EXPECT_EQ(box.readFile("lines.txt"), expected);

  char* last = nullptr;
  char* read = readLines("Sandbox:/lines.txt", &last);
  std::vector<std::string> back;
  for (const char* line = read; line; line = StrNext(line)) back.push_back(line);
  EXPECT_EQ(back, lines);
  EXPECT_STREQ(last, "last");
  DisposeString(read);
}

}  // namespace
