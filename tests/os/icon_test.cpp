#include "os/icon/icon.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/info_file.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;

class IconFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetDos();
    folder_ = freshTestFolder("os-icon-files");
    fs::create_directories(folder_ / "Games");
    ostest::mountVolume("Sand", folder_.c_str());
  }
  void TearDown() override { ostest::resetDos(); }

  // The default tool of the icon GetDiskObject finds for name, "(none)" when
  // it finds no icon.
  static std::string toolOf(const char* name) {
    DiskObject* icon = GetDiskObject(name);
    if (!icon) return "(none)";
    std::string tool = icon->do_DefaultTool ? icon->do_DefaultTool : "(no tool)";
    FreeDiskObject(icon);
    return tool;
  }
  void writeIcon(const std::string& relative, const char* tool) {
    InfoFile f;
    f.defaultTool = tool;
    ASSERT_TRUE(f.writeTo((folder_ / relative).string()));
  }

  fs::path folder_;
};

TEST_F(IconFiles, TheIconIsThePathWithInfoAppended) {
  writeIcon("Games/Fred.info", "Exact");
  writeIcon("Games/Bert.INFO", "Upper");
  writeIcon("Games/archive.lha.info", "Archive");
  writeIcon("Disk.info", "Volume");
  struct Case {
    const char* name;
    const char* tool;
  };
  const Case cases[] = {
      {"Sand:Games/Fred", "Exact"},     {"sand:GAMES/fred", "Exact"},  // names ignore a-z case
      {"Sand:Games/Bert", "Upper"},     {"Sand:Games/archive.lha", "Archive"},
      {"Sand:", "Volume"},              {"Sand:Games/Nobody", "(none)"},
      {"Nowhere:Games/Fred", "(none)"}, {"Sand:Games/Fred.info", "(none)"},
  };
  for (const Case& c : cases) EXPECT_EQ(toolOf(c.name), c.tool) << c.name;
  EXPECT_EQ(GetDiskObject(nullptr), nullptr);
}

TEST_F(IconFiles, TheExactNameWinsOverOneThatDiffersInCase) {
  writeIcon("Games/Twin.info", "Exact");
  writeIcon("Games/TWIN.info", "Other");
  EXPECT_EQ(toolOf("Sand:Games/Twin"), "Exact");
  EXPECT_EQ(toolOf("Sand:Games/TWIN"), "Other");
}

TEST_F(IconFiles, WhatIsNoIconFileGivesNil) {
  ASSERT_EQ(mkfifo((folder_ / "Games/Pipe.info").c_str(), 0600), 0);
  fs::create_directory(folder_ / "Games/Drawer.info");
  std::ofstream(folder_ / "Games/Text.info") << "not an icon";
  for (const char* name : {"Sand:Games/Pipe", "Sand:Games/Drawer", "Sand:Games/Text"}) {
    EXPECT_EQ(GetDiskObject(name), nullptr) << name;  // never blocks on the FIFO
    EXPECT_NE(IoErr(), 0) << name;
  }
}

}  // namespace
