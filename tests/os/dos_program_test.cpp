// The program's name, folder and arguments; the Ctrl-C break signal.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/exec/break_signals.h"
#include "tests/support/dos_sandbox.h"

namespace {

TEST(DosProgram, NameFolderAndArgumentsDefaultToTheRunningExecutable) {
  DosSandbox box;
  char name[256];
  ASSERT_TRUE(GetProgramName(name, sizeof name));
  EXPECT_STREQ(name, "ludex_os_tests");
  char tiny[4];
  EXPECT_FALSE(GetProgramName(tiny, sizeof tiny));
  EXPECT_EQ(IoErr(), ERROR_LINE_TOO_LONG);

  const BPTR dir = GetProgramDir();
  ASSERT_NE(dir, ZERO);
  EXPECT_EQ(GetProgramDir(), dir);  // the process's own lock, kept
  char path[1024];
  ASSERT_TRUE(NameFromLock(dir, path, sizeof path));
  // The folder holds the program itself.
  std::string file = std::string(path) + (path[std::strlen(path) - 1] == ':' ? "" : "/") + name;
  BPTR self = Lock(file.c_str(), SHARED_LOCK);
  EXPECT_NE(self, ZERO) << file;
  UnLock(self);

  const std::string args = GetArgStr();
  ASSERT_FALSE(args.empty());
  EXPECT_EQ(args.back(), '\n');
}

TEST(DosProgram, SetValuesReplaceTheDefaults) {
  DosSandbox box;
  ASSERT_TRUE(SetProgramName("Ludex"));
  char name[16];
  ASSERT_TRUE(GetProgramName(name, sizeof name));
  EXPECT_STREQ(name, "Ludex");
  const std::string old = SetArgStr("FILE=\"a b\"\n");
  EXPECT_EQ(old.back(), '\n');
  EXPECT_STREQ(GetArgStr(), "FILE=\"a b\"\n");

  BPTR folder = Lock("Sandbox:", SHARED_LOCK);
  UnLock(SetProgramDir(folder));  // the process now owns it
  EXPECT_EQ(GetProgramDir(), folder);
}

TEST(DosSignals, CtrlCAtTheTerminalSetsTheBreakBitUntilTaken) {
  installBreakSignalHandlers();
  SetSignal(0, SIGBREAKF_CTRL_C);
  EXPECT_EQ(SetSignal(0, 0) & SIGBREAKF_CTRL_C, 0u);

  ASSERT_EQ(raise(SIGINT), 0);
  EXPECT_EQ(SetSignal(0, 0) & SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);  // looking does not clear it
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);  // tested and cleared
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, 0u);

  SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);  // the program may raise it itself
  EXPECT_TRUE(hostCtrlCPending());
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C), SIGBREAKF_CTRL_C);

  // Other bits are kept apart from the break.
  SetSignal(SIGBREAKF_CTRL_D, SIGBREAKF_CTRL_D);
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_D), SIGBREAKF_CTRL_D);
  EXPECT_EQ(SetSignal(0, 0), 0u);
}

}  // namespace
