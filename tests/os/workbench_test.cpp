#include "os/workbench/workbench.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "os/dos/dos_testing.h"
#include "os/icon/icon.h"
#include "os/workbench/desktop_messages.h"
#include "tests/support/info_file.h"
#include "tests/support/scoped_env.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;

class Workbench : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetDos();
    folder_ = freshTestFolder("os-workbench");
    fs::create_directories(folder_ / "bin");
    fs::create_directories(folder_ / "vol" / "Games");
    ostest::mountVolume("Sand", (folder_ / "vol").c_str());
    ostest::dismountVolume("C");  // whatever LUDEX_ASSIGNS of the user's says
  }
  void TearDown() override {
    ostest::releaseWorkbench();
    ostest::resetDesktopMessages();
    ostest::resetDos();
  }

  // A stand-in program at a Linux path that writes its working folder and
  // each argument, one a line, to the file "ran" beside the test's folders.
  void writeFakeTool(const fs::path& at) {
    fs::create_directories(at.parent_path());
    const std::string ran = (folder_ / "ran").string();
    std::ofstream(at) << "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"" + ran +
                             ".tmp\"\nmv \"" + ran + ".tmp\" \"" + ran + "\"\n";
    fs::permissions(at, fs::perms::owner_all);
  }
  std::string waitForRan() const { return waitFor(folder_ / "ran"); }
  static std::string waitFor(const fs::path& file) {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(file);
      if (in) {
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
  }
  void writeIcon(const std::string& relative, uint8_t type, const char* tool) {
    InfoFile f;
    f.type = type;
    if (tool) f.defaultTool = tool;
    ASSERT_TRUE(f.writeTo((folder_ / "vol" / relative).string()));
  }

  // A stand-in "xdg-open" that writes each argument on its own line.
  void writeFakeOpener() {
    const fs::path opener = folder_ / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                 (folder_ / "opened").string() + ".tmp\"\nmv \"" + (folder_ / "opened").string() +
                                 ".tmp\" \"" + (folder_ / "opened").string() + "\"\n";
    fs::permissions(opener, fs::perms::owner_all);
  }
  std::string waitForOpened() const { return waitFor(folder_ / "opened"); }

  fs::path folder_;
};

TEST_F(Workbench, TheStandInRecordsCallsAndAnswersAsSet) {
  const TagItem none[] = {{TAG_DONE, 0}};
  ostest::standInForWorkbench(true);
  EXPECT_TRUE(OpenWorkbenchObjectA("Sand:Games/Fred", none));
  ostest::standInForWorkbench(false);
  EXPECT_FALSE(OpenWorkbenchObjectA("Nowhere:x", nullptr));
  ASSERT_EQ(ostest::workbenchCalls().size(), 2u);
  EXPECT_EQ(ostest::workbenchCalls()[0].name, "Sand:Games/Fred");
  EXPECT_TRUE(ostest::workbenchCalls()[0].hadTags);
  EXPECT_EQ(ostest::workbenchCalls()[1].name, "Nowhere:x");
  EXPECT_FALSE(ostest::workbenchCalls()[1].hadTags);
  ostest::releaseWorkbench();
  EXPECT_TRUE(ostest::workbenchCalls().empty());
}

TEST_F(Workbench, WithoutADisplayNothingIsOpened) {
  writeFakeOpener();
  const std::string path = (folder_ / "bin").string() + ":" + std::getenv("PATH");
  ScopedEnv pathVar("PATH", path.c_str());
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  EXPECT_FALSE(OpenWorkbenchObjectA("Sand:Games", nullptr));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(folder_ / "opened"));
}

TEST_F(Workbench, WithADisplayTheOpenerGetsTheLinuxPathAsOneArgument) {
  const std::string name = "Fred $(touch pwned) `touch pwned2` \"quoted\"; x.adf";
  std::ofstream(folder_ / "vol" / "Games" / name) << "disk";
  writeFakeOpener();
  const std::string path = (folder_ / "bin").string() + ":/usr/bin:/bin";
  ScopedEnv pathVar("PATH", path.c_str());
  ScopedEnv display("DISPLAY", ":99");
  EXPECT_TRUE(OpenWorkbenchObjectA(("sand:games/" + name).c_str(), nullptr));
  EXPECT_EQ(waitForOpened(), (fs::canonical(folder_ / "vol" / "Games") / name).string() + "\n");
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_FALSE(fs::exists(folder_ / "pwned"));
  EXPECT_FALSE(fs::exists(folder_ / "bin" / "pwned2"));
}

TEST_F(Workbench, AnObjectThatIsNotThereOrNoOpenerGivesFalse) {
  writeFakeOpener();
  ScopedEnv display("DISPLAY", ":99");
  {
    const std::string path = (folder_ / "bin").string() + ":/usr/bin:/bin";
    ScopedEnv pathVar("PATH", path.c_str());
    EXPECT_FALSE(OpenWorkbenchObjectA("Sand:Games/Missing", nullptr));
    EXPECT_FALSE(OpenWorkbenchObjectA("Unknown:Games", nullptr));
    EXPECT_FALSE(OpenWorkbenchObjectA(nullptr, nullptr));
  }
  {
    ScopedEnv pathVar("PATH", (folder_ / "vol").c_str());  // no opener there
    EXPECT_FALSE(OpenWorkbenchObjectA("Sand:Games", nullptr));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(folder_ / "opened"));
}

// Projects start with their default tool as the Amiga desktop starts them,
// found on the command path (the C: assign) or PATH, with or without a
// display; the tool gets the project's Linux path and starts in its folder.
TEST_F(Workbench, ProjectsStartWithTheirDefaultToolAndToolsByThemselves) {
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  const fs::path vol = fs::canonical(folder_ / "vol");
  fs::create_directories(vol / "Games" / "Lemmings");
  std::ofstream(vol / "Games" / "Lemmings" / "Lemmings.slave") << "slave";
  writeIcon("Games/Lemmings/Lemmings.info", WBPROJECT, "WHDLoad");
  std::ofstream(vol / "Games" / "notes.txt") << "text";
  writeIcon("Games/notes.txt.info", WBPROJECT, "Reader");
  writeIcon("Games/Zool.info", WBPROJECT, "C:Zoolrun");
  std::ofstream(vol / "Games" / "Runme") << "program";
  writeIcon("Games/Runme.info", WBTOOL, nullptr);
  writeFakeTool(folder_ / "bin" / "whdload");  // found for "WHDLoad" on PATH in lower case
  writeFakeTool(folder_ / "bin" / "Reader");
  writeFakeTool(folder_ / "c" / "ZoolRun");    // the command path ignores a-z case
  writeFakeTool(vol / "Games" / "Runme");
  ostest::assignFolders("C", {(folder_ / "c").c_str()});
  const std::string path = (folder_ / "bin").string() + ":/usr/bin:/bin";
  ScopedEnv pathVar("PATH", path.c_str());
  struct Case {
    const char* name;
    std::string folder;              // where the program starts
    std::vector<std::string> args;  // what it is given
  };
  const std::string games = (vol / "Games").string();
  const Case cases[] = {
      // A WHDLoad install: only the icon and the slave are there.
      {"Sand:Games/Lemmings/Lemmings", games + "/Lemmings", {games + "/Lemmings/Lemmings"}},
      {"sand:games/lemmings/LEMMINGS", games + "/Lemmings", {games + "/Lemmings/Lemmings"}},
      {"Sand:Games/notes.txt", games, {games + "/notes.txt"}},
      {"Sand:Games/Zool", games, {games + "/Zool"}},
      {"Sand:Games/Runme", games, {}},
  };
  for (const Case& c : cases) {
    fs::remove(folder_ / "ran");
    ASSERT_TRUE(OpenWorkbenchObjectA(c.name, nullptr)) << c.name;
    std::string want = c.folder + "\n";
    for (const std::string& a : c.args) want += a + "\n";
    EXPECT_EQ(waitForRan(), want) << c.name;
  }
  EXPECT_TRUE(ostest::desktopMessages().empty());
}

// A default tool in "C:" (as WHDLoad installs name it) is looked for in the
// C: assign when there is one, then on PATH by its name; a tool with any
// other path is that path only. Not found, the message says where it looked.
TEST_F(Workbench, ADefaultToolInCIsLookedForInTheCAssignThenOnPath) {
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  const std::string path = (folder_ / "bin").string() + ":/usr/bin:/bin";  // the stand-in needs mv
  ScopedEnv pathVar("PATH", path.c_str());
  const fs::path vol = fs::canonical(folder_ / "vol");
  fs::create_directories(vol / "Games" / "Zool");
  std::ofstream(vol / "Games" / "Zool" / "Zool.slave") << "slave";
  writeIcon("Games/Zool/Zool.info", WBPROJECT, "C:WHDLoad");
  writeIcon("Games/Viewed.info", WBPROJECT, "Sand:Tools/Viewer");
  std::ofstream(vol / "Games" / "Viewed") << "picture";
  enum class Where { Path, CAssign, Nowhere, NowhereWithCAssign, OnPathOnly };
  struct Case {
    const char* what;
    const char* object;
    Where where;
    std::string message;  // "": the tool runs with the project's path in the project's folder
  };
  const std::string games = (vol / "Games").string();
  const Case cases[] = {
      {"only on PATH, no C: assign", "Sand:Games/Zool/Zool", Where::Path, ""},
      {"only in the C: assign", "Sand:Games/Zool/Zool", Where::CAssign, ""},
      {"nowhere, no C: assign", "Sand:Games/Zool/Zool", Where::Nowhere,
       "Cannot start the tool \"C:WHDLoad\" of \"Zool\": not found on PATH (as \"WHDLoad\" or \"whdload\"), "
       "and there is no C: assign"},
      {"nowhere, an empty C: assign", "Sand:Games/Zool/Zool", Where::NowhereWithCAssign,
       "Cannot start the tool \"C:WHDLoad\" of \"Zool\": not found in the folders of the C: assign or on PATH "
       "(as \"WHDLoad\" or \"whdload\")"},
      {"a path of its own is not searched", "Sand:Games/Viewed", Where::OnPathOnly,
       "Cannot start the tool \"Sand:Tools/Viewer\" of \"Viewed\": there is no program at that path"},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder_ / "bin");
    fs::remove_all(folder_ / "c");
    fs::create_directories(folder_ / "bin");
    fs::create_directories(folder_ / "c");
    fs::remove(folder_ / "ran");
    ostest::dismountVolume("C");
    ostest::resetDesktopMessages();
    if (c.where == Where::Path) writeFakeTool(folder_ / "bin" / "whdload");
    if (c.where == Where::CAssign) writeFakeTool(folder_ / "c" / "WHDLoad");
    if (c.where == Where::OnPathOnly) writeFakeTool(folder_ / "bin" / "Viewer");
    if (c.where == Where::CAssign || c.where == Where::NowhereWithCAssign)
      ostest::assignFolders("C", {(folder_ / "c").c_str()});
    const bool started = OpenWorkbenchObjectA(c.object, nullptr);
    if (c.message.empty()) {
      EXPECT_TRUE(started) << c.what;
      EXPECT_EQ(waitForRan(), games + "/Zool\n" + games + "/Zool/Zool\n") << c.what;
      EXPECT_TRUE(ostest::desktopMessages().empty()) << c.what;
    } else {
      EXPECT_FALSE(started) << c.what;
      EXPECT_EQ(ostest::desktopMessages(), std::vector<std::string>{c.message}) << c.what;
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(folder_ / "ran"));  // the cases that failed started nothing
}

// What cannot be started returns FALSE, and the desktop says what and why.
TEST_F(Workbench, WhatCannotBeStartedIsReportedByTheDesktopAndGivesFalse) {
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  ScopedEnv pathVar("PATH", (folder_ / "bin").c_str());  // no tool there
  writeIcon("Games/Lemmings.info", WBPROJECT, "WHDLoad");
  writeIcon("Games/Blank.info", WBPROJECT, nullptr);
  std::ofstream(folder_ / "vol" / "Games" / "Stuck") << "not executable";
  writeIcon("Games/Stuck.info", WBTOOL, nullptr);
  std::ofstream(folder_ / "vol" / "Games" / "plain.adf") << "disk";
  struct Case {
    const char* name;
    std::string message;
  };
  const Case cases[] = {
      {"Sand:Games/Lemmings",
       "Cannot start the tool \"WHDLoad\" of \"Lemmings\": not found on PATH (as \"WHDLoad\" or \"whdload\"), "
       "and there is no C: assign"},
      {"Sand:Games/Blank", "Cannot open \"Blank\": the project has no default tool"},
      {"Sand:Games/Stuck", "Cannot start \"Stuck\": file is not executable"},
      {"Sand:Games/Nothing", "Cannot open \"Nothing\": object not found"},
      {"Sand:Games/plain.adf", "Cannot open \"plain.adf\": there is no display to show it on"},
  };
  for (const Case& c : cases) {
    ostest::resetDesktopMessages();
    EXPECT_FALSE(OpenWorkbenchObjectA(c.name, nullptr)) << c.name;
    EXPECT_EQ(ostest::desktopMessages(), std::vector<std::string>{c.message}) << c.name;
  }
  // Without a display of its own the message is one line on standard error.
  testing::internal::CaptureStderr();
  OpenWorkbenchObjectA("Sand:Games/Lemmings", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Workbench: Cannot start the tool \"WHDLoad\" of \"Lemmings\": not found on PATH (as \"WHDLoad\" or "
            "\"whdload\"), and there is no C: assign\n");
  // A display's own way of showing it takes the message instead.
  static std::vector<std::string> shown;
  const DesktopMessenger before = SetDesktopMessenger([](const std::string& text) { shown.push_back(text); });
  testing::internal::CaptureStderr();
  OpenWorkbenchObjectA("Sand:Games/Blank", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  SetDesktopMessenger(before);
  EXPECT_EQ(shown, std::vector<std::string>{"Cannot open \"Blank\": the project has no default tool"});
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(folder_ / "ran"));
}

}  // namespace
