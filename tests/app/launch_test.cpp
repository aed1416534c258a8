#include "app/launching/launch.h"
#include "app/launching/launch_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
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
#include "tests/support/work_growth.h"

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
// exactly that path as one argument, and nothing else ever starts. A program
// folder with a line break cannot be written outside quotes: nothing starts.
TEST_F(Launching, LineBreakInAPathArrivesAsOneArgumentWhereverTheLauncherPutsIt) {
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

  struct Case {
    const char* commands;
    std::string script;  // "": run directly, without the script
    std::string folder;
  };
  const Case cases[] = {
      {"CD \"${AppDir/fakeemu}\"\nfakeemu %p \"%g\"",
       "CD \"Sandbox:emu\"\nfakeemu -fast \"Sandbox:Games/line1*Ntouch pwned.adf\"", "emu"},
      {"CD Sandbox:emu\nfakeemu %p %g", "CD Sandbox:emu\nfakeemu -fast \"Sandbox:Games/line1*Ntouch pwned.adf\"",
       "emu"},
      {"Sandbox:emu/fakeemu %p %g", "", ""},
  };
  for (const Case& c : cases) {
    unlink(box.host("record").c_str());
    unlink(box.host("t/Ludex.script").c_str());
    addLauncher("Floppy", c.commands);
    launch(g);
    EXPECT_EQ(record(), expected(c.folder, {"-fast", box.host(name)})) << c.commands;
    if (!c.script.empty()) {
      EXPECT_EQ(box.readFile("t/Ludex.script"), c.script) << c.commands;
    }
  }
  EXPECT_TRUE(ostest::requesterLog().empty());

  // A program folder is written where the reference stands: outside quotes
  // one with a line break cannot be, and the user is told.
  box.writeFile("emu\nx/otheremu", box.readFile("emu/fakeemu"));
  chmod(box.host("emu\nx/otheremu").c_str(), 0755);
  unlink(box.host("record").c_str());
  unlink(box.host("t/Ludex.script").c_str());
  addLauncher("Floppy", "CD ${AppDir/otheremu}\notheremu %p \"%g\"");
  ostest::answerChoose("Sandbox:emu\nx", "otheremu");
  launch(g);
  ASSERT_EQ(ostest::requesterLog().size(), 2u);
  EXPECT_NE(ostest::requesterLog()[1].body.find("holds a line break"), std::string::npos);
  EXPECT_FALSE(box.exists("t/Ludex.script"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(box.exists("record"));
  EXPECT_FALSE(box.exists("touched"));
  EXPECT_FALSE(box.exists("pwned.adf"));
}

// A game's path is data: program references, placeholders and redirections in
// it reach the program as written, never asked about, never run, and a path
// left unquoted by the launcher is still one argument.
TEST_F(Launching, WhatAGamesPathHoldsReachesTheProgramAsWritten) {
  rememberEmulatorFolder();
  box.writeFile("precious.sfc", "keep me");
  struct Case {
    const char* file;
    const char* commands;
    std::string before = "";  // what the argument holds before the path
    std::string after = "";
  } cases[] = {
      {"Games/${AppDir/fakeemu}.sfc", "CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\""},
      {"Games/${AppDir/other}.sfc", "CD \"${AppDir/fakeemu}\"\nfakeemu \"%g\""},
      {"Games/${AppDir/other}.sfc", "Sandbox:emu/fakeemu %g"},
      {"Games/x >Sandbox:precious.sfc", "Sandbox:emu/fakeemu %g"},
      {"Games/x >Sandbox:precious.sfc", "CD \"${AppDir/fakeemu}\"\nfakeemu %g"},
      {"Games/<in %g %d %p %%.sfc", "Sandbox:emu/fakeemu -file=%g", "-file="},
      {"Games/two words.sfc", "Sandbox:emu/fakeemu %dgame.adf", "", "game.adf"},
  };
  for (const Case& c : cases) {
    box.writeFile(c.file, "x");
    unlink(box.host("record").c_str());
    End(g);
    addLauncher("SNES", c.commands);
    makeGame(",SNES,", nullptr, (std::string("Sandbox:/") + c.file).c_str());
    launch(g);
    const std::string path = std::string(c.after).empty() ? box.host(c.file) : box.host("Games/");
    const bool throughScript = std::strchr(c.commands, '\n') != nullptr;
    EXPECT_EQ(record(), expected(throughScript ? "emu" : "", {c.before + path + c.after}))
        << c.file << " / " << c.commands;
  }
  EXPECT_TRUE(ostest::requesterLog().empty());
  EXPECT_FALSE(box.exists("envarc/AppDir/other"));
  EXPECT_EQ(box.readFile("precious.sfc"), "keep me");
}

// Launching reads the launcher's text and the game's path a bounded number
// of times: its work grows with their length, and with the number of program
// references, not with the square of either. (The launchers are comments:
// the script is written and run, and nothing starts.)
TEST_F(Launching, WorkGrowsLinearlyWithTheLauncherAndThePath) {
  rememberEmulatorFolder();
  prefsShowOutput = false;
  const std::function<void(size_t)> tasks[] = {
      [&](size_t n) {
        addLauncher("Floppy", ("; " + std::string(n, 'x') + " %p %% %g\n; \"%g\" -file=%d").c_str());
        makeGame(",Floppy,", "-fast");
      },
      [&](size_t n) {
        addLauncher("Floppy", "; emu %g\n; \"%g\" -file=%d %p");
        makeGame(",Floppy,", std::string(n, 'p').c_str(), ("Sandbox:/Games/" + std::string(n, 'g') + ".adf").c_str());
      },
      [&](size_t n) {
        std::string commands;
        for (size_t i = 0; i < n; ++i) commands += "; ${AppDir/fakeemu} %g\n";
        addLauncher("Floppy", commands.c_str());
        makeGame(",Floppy,", nullptr);
      },
  };
  const size_t sizes[] = {50000, 50000, 100};
  for (int t = 0; t < 3; ++t) {
    const WorkAtSizes work = workAtSizes(sizes[t], [&](size_t n) {
      tasks[t](n);
      launch(g);
      End(g);
      EXPECT_GE(box.readFile("t/Ludex.script").size(), n) << t;
    });
    EXPECT_TRUE(growsLinearly(work)) << t;
  }
  EXPECT_TRUE(ostest::requesterLog().empty());
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
// whatever it holds, wherever the launcher puts it: one argument (or a
// redirection's file), with what the launcher's word holds around it.
TEST(LaunchHelpers, SubstitutedNamesReadBackAsThemselves) {
  const char* names[] = {"Work:plain.adf",      "Work:two words.adf", "Work:a*b.adf",        "Work:say \"hi\".adf",
                         "Work:line1\nline2.adf", "Work:*N*n**\"",       "Work:ends*",          "Work:\"quoted\"",
                         "Work:x >Work:precious.sfc", "Work:<in >>out",   "Work:${AppDir/emu}.sfc", "Work:%g%d%p%%.adf",
                         "Work:;x\n;y"};
  struct Template {
    const char* commands;
    const char* before;  // what the word holds before the name
    const char* after;   // and after it
    size_t item;         // the item that holds the name
  };
  const Template templates[] = {
      {"emu \"%g\"", "", "", 1},          {"emu -x \"%d\" %p", "", "", 2},     {"emu \"file=%g\"", "file=", "", 1},
      {"emu >\"%g\" x", "", "", 1},       {"emu %g", "", "", 1},               {"emu \"a\"%g", "", "", 2},
      {"emu -x %d", "", "", 2},            {"emu -file=%g -y", "-file=", "", 1}, {"emu %dgame.adf", "", "game.adf", 1},
      {"emu >%g x", "", "", 1},            {"emu a*b\"%g", "a*b\"", "", 1},     {"%g -x", "", "", 0},
      {"emu %p%g%p", "-p", "-p", 1},       {"emu\t%g\r", "", "", 1},
  };
  for (const Template& t : templates) {
    for (const char* name : names) {
      const std::string what = std::string(t.commands) + " / " + name;
      const LaunchFields fields{name, "-p", name};
      char* text = expandLaunchCommands(t.commands, &fields);
      ASSERT_NE(text, nullptr) << what;
      const std::string line = text;
      DisposeString(text);
      EXPECT_EQ(line.find('\n'), std::string::npos) << what;  // one command line
      ShellLine parsed;
      std::string error;
      ASSERT_TRUE(parseShellLine(line, &parsed, &error)) << what;
      std::vector<std::string> items;
      for (const ShellItem& w : parsed.words) items.push_back(w.text);
      for (const ShellRedirection& r : parsed.redirections) items.insert(items.begin() + 1, r.file);
      ASSERT_GT(items.size(), t.item) << what << ": " << line;
      EXPECT_EQ(items[t.item], std::string(t.before) + name + t.after) << what << ": " << line;
    }
  }
  // A comment line is read by nobody; it stays one line all the same.
  const LaunchFields fields{"Work:a\nb", "", "Work:"};
  char* text = expandLaunchCommands("; emu %g\nemu", &fields);
  EXPECT_STREQ(text, "; emu Work:a*Nb\nemu");
  DisposeString(text);
}

// The launcher's text is read once: what was put in for a placeholder or a
// program reference is never read again, and "%%" and a reference without
// its "}" stay as written.
TEST(LaunchHelpers, WhatWasPutInIsNotReadAgain) {
  struct Case {
    const char* commands;
    const char* path;
    const char* params;
    const char* result;
  } cases[] = {
      {"emu \"%g\"", "Work:${AppDir/emu}.sfc", "", "emu \"Work:${AppDir/emu}.sfc\""},
      {"emu %p", "Work:a", "${AppDir/emu} %g %%", "emu ${AppDir/emu} %g %%"},
      {"emu \"%g\" %%g %%%p %", "Work:%d%p", "%g", "emu \"Work:%d%p\" %g %%g %"},
      {"emu ${AppDir/emu \"%g\"", "Work:}x", "", "emu ${AppDir/emu \"Work:}x\""},
      {"emu %d%g", "Work:a b", "", "emu \"Work:a bWork:a b\""},
      {"emu \"%g\" %x %", "Work:%", "", "emu \"Work:%\" %x %"},
  };
  for (const Case& c : cases) {
    const LaunchFields fields{c.path, c.params, c.path};
    char* text = expandLaunchCommands(c.commands, &fields);
    EXPECT_STREQ(text, c.result) << c.commands;
    DisposeString(text);
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
