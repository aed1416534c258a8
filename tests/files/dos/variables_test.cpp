// Directory paths in environment variables, the program's own path and the
// shell module's argument string.
#include <gtest/gtest.h>

#include <string>

#include "core/exception.h"
#include "files/dos/program.h"
#include "files/dos/shell_module.h"
#include "files/dos/variables.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

using DosVariables = DosLayerTest;

TEST_F(DosVariables, DirectoryPathsGoOutInHostFormAndComeBackCanonical) {
  struct Case {
    const char* stored;  // the variable's value
    const char* path;    // getVarDirPath
  };
  const std::string longFolder = "Home:" + std::string(150, 'e') + "/" + std::string(100, 'f');
  const Case cases[] = {
      {"DH0:Emulators", "DH0:/Emulators/"},
      {"DH0:", "DH0:/"},
      {"Work:Games/", "Work:/Games/"},
      {longFolder.c_str(), nullptr},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetVar("AppDir/UAE", c.stored, -1, GVF_GLOBAL_ONLY));
    const std::string expected = c.path ? c.path : "Home:/" + std::string(150, 'e') + "/" + std::string(100, 'f') + "/";
    EXPECT_EQ(take(getVarDirPath("AppDir/UAE")), expected);
  }
  EXPECT_EQ(take(getVarDirPath("AppDir/Unset")), "<NIL>");

  ASSERT_TRUE(setVarDirPath("AppDir/UAE", "DH0:/Emulators/UAE/", false));
  EXPECT_EQ(take(strSafeGetVar("AppDir/UAE", 0)), "DH0:Emulators/UAE");
}

TEST_F(DosVariables, OnlySavedVariablesLastBeyondTheRunningSystem) {
  ASSERT_TRUE(setVarDirPath("AppDir/Kept", "Work:/Kept/", true));
  ASSERT_TRUE(setVarDirPath("AppDir/Gone", "Work:/Gone/", false));
  EXPECT_EQ(take(getVarDirPath("AppDir/Gone")), "Work:/Gone/");
  ostest::clearEnv();
  EXPECT_EQ(take(getVarDirPath("AppDir/Kept")), "Work:/Kept/");
  EXPECT_EQ(take(getVarDirPath("AppDir/Gone")), "<NIL>");
}

TEST_F(DosVariables, InvalidPathsAndNamesAreRefused) {
  try {
    setVarDirPath("AppDir/UAE", "DH0:Emulators", false);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("EPU"));
  }
  EXPECT_FALSE(setVarDirPath("AppDir/../x", "Work:/x/", false));
  EXPECT_FALSE(setVarDirPath("AppDir/UAE", nullptr, false));
}

TEST_F(DosVariables, TheProgramPathJoinsItsFolderAndName) {
  box.makeDir("progdir/bin");
  const BPTR home = SetProgramDir(Lock("Sandbox:progdir/bin", SHARED_LOCK));
  const std::string longName = std::string(180, 'L');
  struct Case {
    const char* name;  // as the shell started the program
    std::string path;
  };
  const Case cases[] = {
      {"ludex", "PROGDIR:bin/ludex"},
      {"Work:Programs/Ludex", "PROGDIR:bin/Ludex"},
      {longName.c_str(), "PROGDIR:bin/" + longName},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetProgramName(c.name));
    EXPECT_EQ(take(strSafeGetProgramPath()), c.path) << c.name;
  }
  ostest::failNextCall("GetProgramDir", ERROR_OBJECT_NOT_FOUND);
  EXPECT_EQ(take(strSafeGetProgramPath()), "<NIL>");
  ostest::failNextCall("GetProgramName", ERROR_OBJECT_WRONG_TYPE);
  EXPECT_EQ(take(strSafeGetProgramPath()), "<NIL>");
  UnLock(SetProgramDir(home));

  ASSERT_TRUE(SetProgramName("Ludex"));
  EXPECT_EQ(take(processNameOfTask(FindTask(nullptr))), "Ludex");
  EXPECT_EQ(take(processNameOfTask(nullptr)), "<NIL>");
  ASSERT_TRUE(SetProgramName(""));
  EXPECT_EQ(take(processNameOfTask(FindTask(nullptr))), "<NIL>");
  Task plain{};
  plain.tc_Node.ln_Type = NT_TASK;
  EXPECT_EQ(take(processNameOfTask(&plain)), "<NIL>");
}

TEST(BcplStrings, ConvertBothWays) {
  const uint8_t stored[] = {5, 'L', 'u', 'd', 'e', 'x', '!'};
  EXPECT_EQ(DosLayerTest::take(bcplToString(stored)), "Ludex");
  EXPECT_EQ(bcplToString(nullptr), nullptr);
  uint8_t buffer[8] = {};
  EXPECT_EQ(stringToBcpl("Ludex", buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer + 1), buffer[0]), "Ludex");
  EXPECT_EQ(stringToBcpl("A longer name", buffer, sizeof buffer), 7);  // cut to the buffer
  std::string huge(400, 'h');
  uint8_t big[512] = {};
  EXPECT_EQ(stringToBcpl(huge.c_str(), big, sizeof big), 255);
  EXPECT_EQ(DosLayerTest::take(bcplToString(big)), std::string(255, 'h'));
}

TEST(ShellModule, KeepsTheArgumentsWithoutTheirNewline) {
  DosSandbox box;
  const size_t before = Arena::liveCount();
  end_pshell();  // safe before new_pshell
  const std::string saved = SetArgStr("Games \"My Game.adf\"\n");
  new_pshell();
  EXPECT_STREQ(argString_pshell, "Games \"My Game.adf\"");
  new_pshell();
  end_pshell();
  EXPECT_EQ(argString_pshell, nullptr);
  end_pshell();
  SetArgStr("");
  new_pshell();
  EXPECT_STREQ(argString_pshell, "");
  end_pshell();
  SetArgStr(saved.c_str());
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
