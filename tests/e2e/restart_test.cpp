// Starts after the first: a list that cannot be read is set aside whole and
// its backup opened instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/e2e_scenario.h"

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n0\n$0\n";
}

TEST(Restart, ACorruptListIsSetAsideOnceAndTheBackupShownFromThenOn) {
  LudexSandbox box;
  const std::filesystem::path progdir = box.folder() / "progdir";
  const std::string backup = "5" + gameLines("Saved", "Games:Saved.adf", ",Floppy,") +
                             gameLines("Kept", "Games:Kept.adf", ",");
  box.writeList(backup);
  std::filesystem::copy_file(progdir / "Ludex.list", progdir / "Ludex.list.bak");
  const std::string corrupt = "5" + gameLines("Bad", "Games:Bad.adf", ",") + "not a separator\n";

  E2eScenario s{.list = corrupt};
  // No window opens: the script's first line would fail if one did.
  s.starts.push_back({.script = "expect-rows Games 99\n",
                      .output = "EXCEPTION: \"list\"; loadGameList(); Ludex.list is corrupt.\n",
                      .listIs = backup});
  s.starts.push_back({.script = "expect-rows Games 2\nexpect-row Games Saved\nexpect-row Games Kept\nclose\n",
                      .listIs = backup});
  playScenario(box, s);
  // The corrupt list is kept whole for its owner to look at.
  std::ifstream bad(progdir / "Ludex.list.BAD", std::ios::binary);
  std::stringstream text;
  text << bad.rdbuf();
  EXPECT_EQ(text.str(), corrupt);
}

}  // namespace
