// The main window's buttons that open the game dialogs, in the real program
// on a sandbox list: "Edit" over several selected games, and "Tag all".
#include <gtest/gtest.h>

#include <string>

#include "tests/app/ludex_run.h"

namespace {

// One game as the list file stores it (no params, never played).
std::string gameLines(const std::string& name, const std::string& path, const std::string& tags) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n0\n$0\n";
}

class MainWindowDialogs : public testing::Test {
 protected:
  void SetUp() override {
    box.writeList("5" + gameLines("Alpha", "Games:Alpha.adf", ",Racing,") +
                  gameLines("Beta", "Games:Beta.adf", ",Puzzle,") + gameLines("Delta", "Games:Delta.adf", ",Fake,") +
                  gameLines("Gamma", "Games:Gamma.adf", ",Fake,"));
    box.writePrefs(false, "");
  }
  void runOk(const char* script) {
    const LudexRunResult r = box.run(script);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.exitCode, 0);
  }
  LudexSandbox box;
};

TEST_F(MainWindowDialogs, EditGoesThroughTheSelectedGamesUntilCancel) {
  runOk(
      "click-row Games Alpha\n"
      "click-row Games Delta shift\n"
      "expect-text Selected \"3 games\"\n"
      "press Edit\n"
      // Skip drops the new name and goes on with the next game.
      "expect-text Name Alpha\n"
      "type Name Changed enter\n"
      "press Skip\n"
      "expect-text Name Beta\n"
      "type Tags \"puzzle Shooter\"\n"
      "press OK\n"
      // Cancel stops with this game still selected.
      "expect-text Name Delta\n"
      "press Cancel\n"
      "expect-text Selected \"Games:Delta.adf\"\n"
      "press Edit\n"
      "type \"Launcher parameters\" \"-x\"\n"
      "press OK\n"
      "expect-text Selected \"\"\n"
      "close\n");
  const std::string list = box.list();
  EXPECT_NE(list.find("\nAlpha\nGames:Alpha.adf\n,Racing,\n\n0\n"), std::string::npos) << list;
  EXPECT_NE(list.find("\nBeta\nGames:Beta.adf\n,Puzzle,Shooter,\n\n0\n"), std::string::npos) << list;
  EXPECT_NE(list.find("\nDelta\nGames:Delta.adf\n,Fake,\n-x\n0\n"), std::string::npos) << list;
  EXPECT_EQ(list.find("Changed"), std::string::npos) << list;
}

TEST_F(MainWindowDialogs, TagAllChangesTheSelectedGamesAndTheListIsSaved) {
  runOk(
      "click-row Games Alpha\n"
      "click-row Games Beta shift\n"
      "press \"Tag all\"\n"
      "expect-text Selected \"2 games\"\n"
      "type Tags Racing\n"
      "press Add\n"
      "press Finished\n"
      "expect-row Games Beta\n"
      "close\n");
  const std::string list = box.list();
  EXPECT_NE(list.find("\nAlpha\nGames:Alpha.adf\n,Racing,\n"), std::string::npos) << list;
  EXPECT_NE(list.find("\nBeta\nGames:Beta.adf\n,Puzzle,Racing,\n"), std::string::npos) << list;
}

}  // namespace
