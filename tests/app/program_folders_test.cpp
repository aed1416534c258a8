#include "app/launching/program_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ludex_module.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "tests/support/dos_sandbox.h"

namespace {

class ProgramFolders : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    ostest::resetRequesters();
  }
  void TearDown() override {
    ostest::resetRequesters();
    end_ludex();
  }
  DosSandbox box;
};

TEST_F(ProgramFolders, AFolderIsRememberedForGoodOrTheUserToldWhyNot) {
  box.makeDir("emu");
  EXPECT_TRUE(rememberProgramFolder("AppDir/fakeemu", "Sandbox:/emu/"));
  EXPECT_EQ(box.readFile("envarc/AppDir/fakeemu"), "Sandbox:emu");
  EXPECT_TRUE(ostest::requesterLog().empty());

  // A full disk, and a folder standing where the value would be stored.
  ostest::failNextCall("SetVar", ERROR_DISK_FULL);
  EXPECT_FALSE(rememberProgramFolder("AppDir/uae", "Sandbox:/emu/"));
  box.makeDir("envarc/AppDir/Fuse");
  EXPECT_FALSE(rememberProgramFolder("AppDir/Fuse", "Sandbox:/emu/"));
  ASSERT_EQ(ostest::requesterLog().size(), 2u);
  EXPECT_EQ(ostest::requesterLog()[0].body,
            "The folder of the program \"uae\" could not be saved to \"ENVARC:AppDir/uae\" (disk is full).\n"
            "Ludex may ask for it again.");
  EXPECT_EQ(ostest::requesterLog()[1].body,
            "The folder of the program \"Fuse\" could not be saved to \"ENVARC:AppDir/Fuse\" (object is of the wrong "
            "type).\nLudex may ask for it again.");
  EXPECT_EQ(ostest::requesterLog()[1].buttons, std::vector<std::string>{"OK"});
}

}  // namespace
