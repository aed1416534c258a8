#include "app/launching/launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/games/game.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "files/dos/variables.h"
#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "os/shell/shell_reader.h"
#include "os/workbench/workbench.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/scoped_env.h"

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
  std::string expected(const std::string& folder, const std::vector<std::string>& args) {
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

// File names are data: whatever bytes a game's path holds, the emulator gets
// exactly that path, and nothing else ever starts.
TEST_F(Launching, LineBreakInAPathIsEscapedInQuotesAndRefusedOutside) {
  // A "touch" of ours first on PATH: if any part of the name ran as a
  // command, it would leave its mark.
  box.writeFile("bin/touch", "#!/bin/sh\necho ran > \"" + box.host("touched") + "\"\n");
  chmod(box.host("bin/touch").c_str(), 0755);
  const char* oldPath = std::getenv("PATH");
  ScopedEnv path("PATH", (box.host("bin") + ":" + (oldPath ? oldPath : "")).c_str());
  const std::string name = "Games/line1\ntouch pwned.adf";
  box.writeFile(name, "DOS");
  rememberEmulatorFolder();
  makeGame(",Floppy,", "-fast", ("Sandbox:/" + name).c_str());

  addLauncher("Floppy", "CD \"${AppDir/fakeemu}\"\nfakeemu %p \"%g\"");
  launch(g);
  EXPECT_EQ(record(), expected("emu", {"-fast", box.host(name)}));
  EXPECT_EQ(box.readFile("t/Ludex.script"), "CD \"Sandbox:emu\"\nfakeemu -fast \"Sandbox:Games/line1*Ntouch pwned.adf\"");
  EXPECT_TRUE(ostest::requesterLog().empty());

  // Outside quotes it cannot be written: nothing starts, and the user is told.
  for (const char* commands : {"Sandbox:emu/fakeemu %g", "CD Sandbox:emu\nfakeemu %p %g", "Sandbox:emu/fakeemu \"a\"%g"}) {
    unlink(box.host("record").c_str());
    unlink(box.host("t/Ludex.script").c_str());
    ostest::resetRequesters();
    addLauncher("Floppy", commands);
    launch(g);
    ASSERT_EQ(ostest::requesterLog().size(), 1u) << commands;
    EXPECT_NE(ostest::requesterLog()[0].body.find("holds a line break"), std::string::npos) << commands;
    EXPECT_FALSE(box.exists("t/Ludex.script")) << commands;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(box.exists("record"));
  EXPECT_FALSE(box.exists("touched"));
  EXPECT_FALSE(box.exists("pwned.adf"));
}

TEST_F(Launching, PathsReachTheProgramAsTheLauncherPutsThem) {
  box.writeFile("Games/bare*star\"quote.adf", "DOS");
  box.writeFile("root.adf", "DOS");
  // A program folder whose name the shell would read as escapes.
  box.writeFile("emu*\"x\"/fakeemu", box.readFile("emu/fakeemu"));
  chmod(box.host("emu*\"x\"/fakeemu").c_str(), 0755);
  ASSERT_TRUE(setVarDirPath("AppDir/fakeemu", "Sandbox:/emu*\"x\"/", false));
  struct Case {
    const char* commands;
    const char* game;
    std::vector<std::string> args;
    std::string dir = "";
  };
  const Case cases[] = {
      // Outside quotes the path goes in unchanged: no escapes of its own.
      {"Sandbox:emu/fakeemu %g", "Sandbox:/Games/bare*star\"quote.adf", {box.host("Games/bare*star\"quote.adf")}},
      {"Sandbox:emu/fakeemu \"%g\"", "Sandbox:/Games/bare*star\"quote.adf", {box.host("Games/bare*star\"quote.adf")}},
      // The folder ends so that a name can be appended, also in a volume's root.
      {"Sandbox:emu/fakeemu \"%d\" %d", "Sandbox:/Games/my game.adf", {box.host("Games/"), box.host("Games/")}},
      {"Sandbox:emu/fakeemu \"%d\"", "Sandbox:/root.adf", {box.root() + "/"}},
      // A path as an option's value reaches the program as a Linux path.
      {"Sandbox:emu/fakeemu \"startup_file=%g\"", "Sandbox:/Games/my game.adf",
       {"startup_file=" + box.host("Games/my game.adf")}},
      {"CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\"", "Sandbox:/root.adf", {box.host("root.adf")}, "emu*\"x\""},
  };
  for (const Case& c : cases) {
    unlink(box.host("record").c_str());
    End(g);
    End(launcherSpace);
    launcherSpace = new cStringSpace;
    launcherSpace->new_cStringSpace(true, CASE_INSENSITIVE);
    addLauncher("Floppy", c.commands);
    makeGame(",Floppy,", nullptr, c.game);
    launch(g);
    EXPECT_EQ(record(), expected(c.dir, c.args)) << c.commands;
  }
}

// What the shell reads back from the substituted commands is the name itself,
// whatever it holds, wherever the launcher puts it.
TEST(LaunchHelpers, SubstitutedNamesReadBackAsThemselves) {
  const char* names[] = {"Work:plain.adf", "Work:two words.adf", "Work:a*b.adf", "Work:say \"hi\".adf",
                         "Work:line1\nline2.adf", "Work:*N*n**\"", "Work:ends*", "Work:\"quoted\""};
  struct Template {
    const char* commands;
    const char* before;  // what the word holds before the name
    size_t word;         // the word that holds the name
    bool quoted;
  };
  const Template templates[] = {
      {"emu \"%g\"", "", 1, true},          {"emu -x \"%d\" %p", "", 2, true},
      {"emu \"file=%g\"", "file=", 1, true}, {"emu >\"%g\" x", "", 1, true},
      {"; emu %g", "", 0, true},               {"emu %g", "", 1, false},
      {"emu \"a\"%g", "", 2, false},         {"emu -x %d", "", 2, false},
  };
  for (const Template& t : templates) {
    for (const char* name : names) {
      const std::string what = std::string(t.commands) + " / " + name;
      const LaunchFields fields{name, "-p", name};
      char* text = substituteLaunchFields(t.commands, fields);
      const bool lineBreak = std::strchr(name, '\n') != nullptr;
      if (!t.quoted && lineBreak) {
        EXPECT_EQ(text, nullptr) << what;
        continue;
      }
      ASSERT_NE(text, nullptr) << what;
      const std::string line = text;
      DisposeString(text);
      EXPECT_EQ(line.find('\n'), std::string::npos) << what;  // one command line
      if (line[0] == ';') continue;  // a comment: read by nobody
      ShellLine parsed;
      std::string error;
      ASSERT_TRUE(parseShellLine(line, &parsed, &error)) << what;
      std::vector<std::string> items;
      for (const ShellItem& w : parsed.words) items.push_back(w.text);
      for (const ShellRedirection& r : parsed.redirections) items.insert(items.begin() + 1, r.file);
      if (t.quoted || !std::strchr(name, ' ')) {
        ASSERT_GT(items.size(), t.word) << what;
        EXPECT_EQ(items[t.word], std::string(t.before) + name) << what;
      }
      if (!t.quoted) {
        EXPECT_NE(line.find(name), std::string::npos) << what;  // unchanged
      }
    }
  }
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
