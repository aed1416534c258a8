// Files and folders dropped on the main window of the real program, driven by
// a UI script on a sandbox list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/ludex_run.h"
#include "tests/support/info_file.h"

namespace {

TEST(AddingGamesWindow, AFolderAndTwoFilesDroppedAreAddedAndTheLastFileSelected) {
  LudexSandbox box;
  box.writeList("5\nRacer\nGames:Amiga/Racer.adf\n,Racing,\n\n0\n$0\n");
  box.writePrefs(false, "");
  const std::filesystem::path games = box.folder() / "games";
  const auto write = [&](const std::string& relative, const std::string& contents) {
    std::filesystem::create_directories((games / relative).parent_path());
    std::ofstream(games / relative, std::ios::binary) << contents;
  };
  write("Amiga/Racer.adf", std::string("DOS") + std::string(1021, '\0'));
  write("New/Frog_Hop.adf", std::string("DOS") + std::string(1021, '\0'));
  write("New/readme.txt", "text");
  write("New/Turrican/Turrican.slave", "slave");
  InfoFile icon;
  icon.defaultTool = "WHDLoad";
  ASSERT_TRUE(icon.writeTo((games / "New/Turrican/Turrican.info").string()));
  write("Solo/zork1.z3", "\x03");

  const LudexRunResult r = box.run(
      "drop Games:New/\n"
      "expect-rows Games 3\n"
      "expect-text Selected \"\"\n"
      // The file already listed comes last: its entry is the one selected.
      "drop Games:Solo/zork1.z3 Games:Amiga/Racer.adf\n"
      "expect-rows Games 4\n"
      "expect-text Selected \"Games:Amiga/Racer.adf\"\n"
      "close\n");
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(r.exitCode, 0);
  const std::string list = box.list();
  for (const char* game : {"Racer\nGames:Amiga/Racer.adf\n,Racing,\n", "Frog Hop\nGames:New/Frog_Hop.adf\n,Floppy,\n",
                           "Turrican\nGames:New/Turrican/Turrican\n,WHDLoad,\n",
                           "zork 1\nGames:Solo/zork1.z3\n,Infocom,\n"})
    EXPECT_NE(list.find(game), std::string::npos) << game << " in\n" << list;
  EXPECT_EQ(list.find("readme"), std::string::npos) << list;
}

// The games of a folder are looked up by path while it is walked: a game
// removed since is forgotten there too, and a second drop brings it back once.
TEST(AddingGamesWindow, AGameRemovedComesBackWhenItsFolderIsDroppedAgain) {
  LudexSandbox box;
  box.writePrefs(false, "");
  for (const char* game : {"New/Frog.smd", "New/Toad.smd"}) box.writeGame(game);

  const LudexRunResult r = box.run(
      "drop Games:New/\n"
      "expect-rows Games 2\n"
      "click-row Games Frog\n"
      "press Remove\n"
      "expect-no-row Games Frog\n"
      "drop Games:New/\n"
      "expect-rows Games 2\n"
      "drop Games:New/ Games:New/\n"
      "expect-rows Games 2\n"
      "close\n");
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(r.exitCode, 0);
  const std::string list = box.list();
  for (const char* path : {"\nGames:New/Frog.smd\n", "\nGames:New/Toad.smd\n"}) {
    const size_t at = list.find(path);
    EXPECT_NE(at, std::string::npos) << path << " in\n" << list;
    EXPECT_EQ(list.find(path, at + 1), std::string::npos) << path << " twice in\n" << list;
  }
}

}  // namespace
