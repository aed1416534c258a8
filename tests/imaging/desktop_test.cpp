#include "imaging/desktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "os/dos/dos_testing.h"
#include "os/exec/exec.h"
#include "os/icon/icon.h"
#include "os/workbench/workbench.h"
#include "platform/system_libraries.h"
#include "tests/support/info_file.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetDos();
    folder_ = freshTestFolder("imaging-desktop");
    fs::create_directories(folder_ / "Games");
    ostest::mountVolume("Sand", folder_.c_str());
    blocks_ = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), blocks_);
    ostest::releaseWorkbench();
    ostest::resetDos();
  }
  void writeIcon(const std::string& relative, uint8_t type, std::optional<std::string> tool) {
    InfoFile f;
    f.type = type;
    f.defaultTool = tool;
    f.drawerData = type == WBDRAWER || type == WBDISK;
    ASSERT_TRUE(f.writeTo((folder_ / relative).string()));
  }
  // getToolOfProjectIcon's answer as text, "NIL" for none.
  static std::string toolOf(const char* path) {
    char* tool = getToolOfProjectIcon(path);
    if (!tool) return "NIL";
    std::string s = tool;
    EXPECT_EQ(EstrLen(tool), static_cast<int32_t>(s.size()));
    DisposeString(tool);
    return s;
  }

  fs::path folder_;
  size_t blocks_ = 0;
};

TEST_F(Desktop, WbRunHandsTheHostPathToTheDesktop) {
  ostest::standInForWorkbench(true);
  EXPECT_TRUE(wbRun("Sand:/Games/Fred"));
  EXPECT_TRUE(wbRun("Sand:/Games/"));
  EXPECT_TRUE(wbRun("Sand:/"));
  ostest::standInForWorkbench(false);
  EXPECT_FALSE(wbRun("Sand:/Games/Bert"));
  const auto& calls = ostest::workbenchCalls();
  ASSERT_EQ(calls.size(), 4u);
  const char* expected[] = {"Sand:Games/Fred", "Sand:Games", "Sand:", "Sand:Games/Bert"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(calls[i].name, expected[i]);
    EXPECT_TRUE(calls[i].hadTags);  // an empty tag list, not NIL
  }
}

TEST_F(Desktop, WbRunRefusesAnInvalidPath) {
  ostest::standInForWorkbench(true);
  try {
    wbRun("Sand:Games//x");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("EPU"));
  }
  EXPECT_TRUE(ostest::workbenchCalls().empty());
}

TEST_F(Desktop, OnlyAProjectIconWithAToolGivesTheTool) {
  writeIcon("Games/Fred.info", WBPROJECT, "WHDLoad");
  writeIcon("Games/Path.info", WBPROJECT, "SYS:C/WHDLoad");
  writeIcon("Games/NoTool.info", WBPROJECT, std::nullopt);
  writeIcon("Games/EmptyTool.info", WBPROJECT, "");
  writeIcon("Games/Program.info", WBTOOL, "WHDLoad");
  writeIcon("Games/Drawer.info", WBDRAWER, "WHDLoad");
  std::ofstream(folder_ / "Games/Broken.info") << "\xE3\x10 not really";
  struct Case {
    const char* path;
    const char* tool;
  };
  const Case cases[] = {
      {"Sand:Games/Fred", "WHDLoad"},   {"sand:games/FRED", "WHDLoad"},
      {"Sand:Games/Path", "SYS:C/WHDLoad"},
      {"Sand:Games/NoTool", "NIL"},     {"Sand:Games/EmptyTool", "NIL"},
      {"Sand:Games/Program", "NIL"},    {"Sand:Games/Drawer", "NIL"},
      {"Sand:Games/Broken", "NIL"},     {"Sand:Games/Missing", "NIL"},
      {"Nowhere:Fred", "NIL"},
  };
  for (const Case& c : cases) EXPECT_EQ(toolOf(c.path), c.tool) << c.path;
}

TEST(DesktopModule, OpensWorkbenchOnlyWhenStartUpDidNot) {
  WorkbenchBase = nullptr;
  new_pamigawb();
  Library* wb = WorkbenchBase;
  ASSERT_NE(wb, nullptr);
  const int32_t users = wb->lib_OpenCnt;
  end_pamigawb();
  EXPECT_EQ(WorkbenchBase, nullptr);
  EXPECT_EQ(wb->lib_OpenCnt, users - 1);

  WorkbenchBase = wb;  // opened by start-up
  new_pamigawb();
  end_pamigawb();
  EXPECT_EQ(WorkbenchBase, wb);
  EXPECT_EQ(wb->lib_OpenCnt, users - 1);
  WorkbenchBase = nullptr;

  ostest::markLibraryMissing("workbench.library");
  new_pamigawb();  // not checked: start-up goes on
  EXPECT_EQ(WorkbenchBase, nullptr);
  ostest::restoreLibraries();
  end_pamigawb();
}

}  // namespace
