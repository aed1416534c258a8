#include "os/exec/break_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace {

TEST(BreakSignals, CtrlCSetsTheBreakAndQuitIsRecordedWithoutEndingTheProgram) {
  installBreakSignalHandlers();
  installBreakSignalHandlers();  // a second install changes nothing
  takeHostCtrlC();
  takeHostQuitRequest();

  ASSERT_EQ(raise(SIGINT), 0);  // would end the test program without the handler
  EXPECT_TRUE(hostCtrlCPending());
  EXPECT_FALSE(hostQuitRequested());
  EXPECT_TRUE(takeHostCtrlC());
  EXPECT_FALSE(takeHostCtrlC());  // taking clears it

  ASSERT_EQ(raise(SIGTERM), 0);
  EXPECT_TRUE(hostQuitRequested());
  EXPECT_FALSE(hostCtrlCPending());
  EXPECT_TRUE(takeHostQuitRequest());
  EXPECT_FALSE(hostQuitRequested());

  setHostCtrlC(true);
  EXPECT_TRUE(takeHostCtrlC());
}

}  // namespace
