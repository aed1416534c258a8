#include "app/launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/game.h"
#include "app/launcher.h"
#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/string.h"
#include "core/string_space.h"
#include "files/dos/variables.h"
#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "os/workbench/workbench.h"
#include "tests/support/dos_sandbox.h"

namespace {

class Launching : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    launcherSpace = new cStringSpace;
    launcherSpace->new_cStringSpace(true, CASE_INSENSITIVE);
    prefsShowOutput = false;
    ostest::resetRequesters();
    ostest::standInForWorkbench(true);
    // A fake emulator that records its folder and arguments, one a line.
    box.writeFile("emu/fakeemu",
                  "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"" + box.host("record.tmp") +
                      "\"\nmv \"" + box.host("record.tmp") + "\" \"" + box.host("record") + "\"\n");
    chmod(box.host("emu/fakeemu").c_str(), 0755);
    box.writeFile("Games/my game.adf", "DOS");
    handles = ostest::liveHandleCount();
  }
  void TearDown() override {
    EXPECT_EQ(ostest::liveHandleCount(), handles);
    End(g);
    End(launcherSpace);
    end_ludex();
    ostest::releaseWorkbench();
    ostest::resetRequesters();
  }

  void addLauncher(const char* tag, const char* commands) {
    addLauncherToSpace(StrClone(tag), StrClone(commands), launcherSpace);
  }
  void makeGame(const char* tags, const char* params, const char* path = "Sandbox:/Games/my game.adf") {
    g = new game;
    g->new_game(StrClone("My Game"), StrClone(path), StrClone(tags), params ? StrClone(params) : nullptr, 0, 0);
  }
  void rememberEmulatorFolder() { ASSERT_TRUE(setVarDirPath("AppDir/fakeemu", "Sandbox:/emu/", false)); }

  // What the fake emulator recorded, waiting for it since launches do not wait.
  std::string record() {
    for (int i = 0; i < 100 && !box.exists("record"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return box.readFile("record");
  }
  std::string expected(const std::string& folder, std::initializer_list<std::string> args) {
    std::string text = box.host(folder) + "\n";
    for (const std::string& a : args) text += "[" + a + "]\n";
    return text;
  }

  DosSandbox box;
  game* g = nullptr;
  int32_t handles = 0;
};

TEST_F(Launching, TwoLineLauncherRunsThroughTheScriptInTheProgramsFolder) {
  rememberEmulatorFolder();
  addLauncher("Floppy", "CD \"${AppDir/fakeemu}\"\nfakeemu %p \"%g\"");
  makeGame(",Favourite,floppy,", "-fast");
  launch(g);
  EXPECT_EQ(record(), expected("emu", {"-fast", box.host("Games/my game.adf")}));
  EXPECT_EQ(box.readFile("t/Ludex.script"), "CD \"Sandbox:emu\"\nfakeemu -fast \"Sandbox:Games/my game.adf\"");
}

TEST_F(Launching, OneLineLauncherRunsDirectlyUnlessOutputIsShown) {
  addLauncher("MSDOS", "Sandbox:emu/fakeemu \"%g\" %p %%g");
  makeGame(",MSDOS,", nullptr);
  launch(g);
  EXPECT_EQ(record(), expected("", {box.host("Games/my game.adf"), "%g"}));
  EXPECT_FALSE(box.exists("t/Ludex.script"));

  unlink(box.host("record").c_str());
  prefsShowOutput = true;
  launch(g);
  EXPECT_EQ(record(), expected("", {box.host("Games/my game.adf"), "%g"}));
  EXPECT_EQ(box.readFile("t/Ludex.script").rfind("Set echo ON\n", 0), 0u);
}

TEST_F(Launching, UnknownProgramFolderIsAskedForAndRemembered) {
  addLauncher("Floppy", "CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\"");
  makeGame(",Floppy,", nullptr);
  ostest::answerChoose("Sandbox:emu", "fakeemu");
  launch(g);
  EXPECT_EQ(record(), expected("emu", {box.host("Games/my game.adf")}));
  ASSERT_EQ(ostest::requesterLog().size(), 1u);
  EXPECT_EQ(ostest::requesterLog()[0].title, "Where is the program \"fakeemu\"?");
  EXPECT_TRUE(box.exists("envarc/AppDir/fakeemu"));  // remembered for good

  // The next launch finds the folder without asking.
  unlink(box.host("record").c_str());
  launch(g);
  EXPECT_EQ(record(), expected("emu", {box.host("Games/my game.adf")}));
  EXPECT_EQ(ostest::requesterLog().size(), 1u);
}

TEST_F(Launching, CancelStartsNothingAndAWrongFileIsReported) {
  addLauncher("Floppy", "CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\"");
  makeGame(",Floppy,", nullptr);
  ostest::answerCancel();
  launch(g);
  EXPECT_EQ(ostest::requesterLog().size(), 1u);  // the file requester only: nothing said
  EXPECT_FALSE(box.exists("t/Ludex.script"));

  box.writeFile("emu/other", "x");
  ostest::answerChoose("Sandbox:emu", "other");
  launch(g);
  ASSERT_EQ(ostest::requesterLog().size(), 3u);
  EXPECT_EQ(ostest::requesterLog()[2].body, "You did not supply the program \"fakeemu\".");
  EXPECT_FALSE(box.exists("envarc/AppDir/fakeemu"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(box.exists("record"));
}

TEST_F(Launching, FolderChosenInsteadOfAFileIsAskedAgainInIt) {
  addLauncher("Floppy", "CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\"");
  makeGame(",Floppy,", nullptr);
  ostest::answerChoose("Sandbox:emu", nullptr);  // the drawer alone
  ostest::answerChoose("Sandbox:emu", "fakeemu");
  launch(g);
  EXPECT_EQ(record(), expected("emu", {box.host("Games/my game.adf")}));
  ASSERT_EQ(ostest::requesterLog().size(), 2u);
}

TEST_F(Launching, GameWithoutALauncherGoesToTheDesktop) {
  addLauncher("Floppy", "fakeemu \"%g\"");
  makeGame(",Favourite,Racing,", nullptr);
  launch(g);
  ASSERT_EQ(ostest::workbenchCalls().size(), 1u);
  EXPECT_EQ(ostest::workbenchCalls()[0].name, "Sandbox:Games/my game.adf");
}

TEST_F(Launching, QuotesAndStarsInThePathArriveIntact) {
  box.writeFile("Games/say \"hi\" *now*.adf", "DOS");
  addLauncher("Floppy", "Sandbox:emu/fakeemu \"%g\"");
  makeGame(",Floppy,", nullptr, "Sandbox:/Games/say \"hi\" *now*.adf");
  launch(g);
  EXPECT_EQ(record(), expected("", {box.host("Games/say \"hi\" *now*.adf")}));
}

TEST(LaunchHelpers, AppendableFolderOfAPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"DH0:/Games/x.adf", "DH0:Games/"}, {"DH0:/x.adf", "DH0:"}, {"Games/x", "Games/"}, {"x", ""},
  };
  for (auto [path, folder] : cases) {
    char* s = extractAppendableHostSubPath(path);
    EXPECT_STREQ(s, folder) << path;
    DisposeString(s);
  }
}

TEST(LaunchHelpers, CommandThatCannotStartAnswersTwentyAndKeepsNoHandle) {
  DosSandbox box;
  const int32_t handles = ostest::liveHandleCount();
  int32_t code = 0;
  EXPECT_TRUE(executeCommand("Sandbox:nothing-here", true, false, LAUNCH_STACK_SIZE, 0, ZERO, nullptr, &code));
  EXPECT_EQ(code, 20);  // the shell started and could not find it
  // A current folder that is gone: the command cannot start, and the input
  // handle opened for it is closed again.
  box.makeDir("gone");
  BPTR gone = Lock("Sandbox:gone", SHARED_LOCK);
  ASSERT_NE(gone, ZERO);
  ASSERT_TRUE(DeleteFile("Sandbox:gone"));
  code = 0;
  EXPECT_FALSE(executeCommand("anything", true, false, LAUNCH_STACK_SIZE, 0, gone, nullptr, &code));
  EXPECT_EQ(code, 20);
  UnLock(gone);
  EXPECT_EQ(ostest::liveHandleCount(), handles);
}

}  // namespace
