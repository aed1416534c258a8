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

#include "os/dos/dos_testing.h"
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
  }
  void TearDown() override {
    ostest::releaseWorkbench();
    ostest::resetDos();
  }

  // A stand-in "xdg-open" that writes each argument on its own line.
  void writeFakeOpener() {
    const fs::path opener = folder_ / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                 (folder_ / "opened").string() + ".tmp\"\nmv \"" + (folder_ / "opened").string() +
                                 ".tmp\" \"" + (folder_ / "opened").string() + "\"\n";
    fs::permissions(opener, fs::perms::owner_all);
  }
  std::string waitForOpened() const {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(folder_ / "opened");
      if (in) {
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
  }

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

}  // namespace
