#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/exception.h"
#include "os/exec/exec.h"
#include "os/exec/hosted_failure.h"
#include "tests/app/ludex_run.h"
#include "tests/support/child_process.h"
#include "tests/support/scoped_env.h"
#include "tests/support/test_folder.h"

namespace {

std::vector<std::string> ran;

void initA() { ran.push_back("initA"); }
void initFails() { ran.push_back("initFails"); Throw("ERR", "fake module failed"); }
void initC() { ran.push_back("initC"); }
void finA() { ran.push_back("finA"); }
void finB() { ran.push_back("finB"); }
void finFails() { ran.push_back("finFails"); Throw("BUG", "fake finaliser failed"); }
void bodyRecords() { ran.push_back("body"); }
void bodyExits() { CleanUp(3); }
void bodyHostFails() { throw HostedFailure("MUI; Wait(); no input can ever come"); }

const ModuleStep inits[] = {{"initA", initA}, {"notYet", nullptr}, {"initFails", initFails}, {"initC", initC}};
const ModuleStep finis[] = {{"finA", finA}, {"finB", finB}};

// The program as started with no arguments, its name alone.
int ludexMainWithoutArguments() {
  char arg0[] = "ludex";
  char* argv[] = {arg0, nullptr};
  return ludexMain(1, argv);
}

TEST(Startup, FailingInitialiserStillRunsEveryFinaliserAndPrintsOnce) {
  ran.clear();
  testing::internal::CaptureStdout();
  const int32_t rc = runProgram({inits, 4}, {finis, 2}, bodyRecords);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "EXCEPTION: \" ERR\"; fake module failed.\n");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(ran, (std::vector<std::string>{"initA", "initFails", "finA", "finB"}));
}

TEST(Startup, OrderlyExitCarriesItsCodeSilently) {
  ran.clear();
  testing::internal::CaptureStdout();
  EXPECT_EQ(runProgram({inits, 1}, {finis, 2}, bodyExits), 3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(ran, (std::vector<std::string>{"initA", "finA", "finB"}));
}

TEST(Startup, FailingFinaliserEndsTheSequenceButMemoryIsStillReleased) {
  const ChildResult r = runInChild([] {
    const ModuleStep failingFinis[] = {{"finA", finA}, {"finFails", finFails}, {"finB", finB}};
    Arena::alloc(100);  // left over, as a program's games are
    ran.clear();
    const int32_t rc = runProgram({inits, 1}, {failingFinis, 3}, bodyRecords);
    std::printf("ran=%zu live=%zu rc=%d\n", ran.size(), Arena::liveCount(), rc);
    return 0;
  });
  EXPECT_EQ(r.exitCode, 0);
  // initA, body, finA, finFails: finB does not run.
  EXPECT_EQ(r.output, "EXCEPTION: \" BUG\"; fake finaliser failed.\nran=4 live=0 rc=0\n");
}

TEST(Startup, NormalRunPrintsNothingAndReturnsZero) {
  LudexSandbox box;  // never the user's own list and preferences
  const LudexRunResult r = box.run("close\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "");
}

TEST(Startup, AFailureOfTheHostedSystemIsPrintedAndEndsWithItsCodeAfterEveryFinaliser) {
  const ChildResult r = runInChild([] {
    ran.clear();
    const int32_t rc = runProgram({inits, 1}, {finis, 2}, bodyHostFails);
    std::printf("ran=%zu rc=%d\n", ran.size(), rc);
    return 0;
  });
  EXPECT_EQ(r.output, "ERROR: MUI; Wait(); no input can ever come\nran=3 rc=20\n");
}

TEST(Startup, AUiScriptThatCannotRunEndsTheProgramWithTwentyAndSaysWhy) {
  LudexSandbox box;
  LudexRunResult r = box.run("press Save\nquit\n");
  EXPECT_EQ(r.exitCode, 20);
  EXPECT_EQ(r.output.rfind("ERROR: UI script \"", 0), 0u) << r.output;
  EXPECT_NE(r.output.find("line 1 (press \"Save\")"), std::string::npos) << r.output;
}

TEST(Startup, MissingRequiredLibraryEndsSilentlyWithTen) {
  for (const char* lib : {"dos.library", "graphics.library", "asl.library", "datatypes.library",
                          "cybergraphics.library", "gadtools.library"}) {
    const ChildResult r = runInChild([lib] {
      ostest::markLibraryMissing(lib);
      return ludexMainWithoutArguments();
    });
    EXPECT_EQ(r.exitCode, 10) << lib;
    EXPECT_EQ(r.output, "") << lib;
  }
}

TEST(Startup, MissingMuiIsPrintedAndReturnsZero) {
  const ChildResult r = runInChild([] {
    ostest::markLibraryMissing("muimaster.library");
    return ludexMainWithoutArguments();
  });
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "EXCEPTION: \" ERR\"; Failed to open muimaster.library.\n");
}

TEST(LudexModule, ConstantsAndSafeRepeatedEnd) {
  const size_t before = Arena::liveCount();
  end_ludex();  // before new_ludex: harmless
  new_ludex();
  EXPECT_STREQ(app_name, "Ludex");
  EXPECT_STREQ(app_list, "PROGDIR:/Ludex.list");
  EXPECT_STREQ(app_listTmp, "PROGDIR:/Ludex.list.tmp");
  EXPECT_STREQ(app_prefs, "ENVARC:/Ludex.prefs");
  EXPECT_STREQ(app_script, "T:/Ludex.script");
  EXPECT_STREQ(app_version, "");
  EXPECT_EQ(std::string(app_version + 1).rfind("$VER: Ludex ", 0), 0u);
  EXPECT_STREQ(modeLabels_ludex[1], "Hide");
  EXPECT_EQ(modeLabels_ludex[2], nullptr);
  EXPECT_STREQ(loadDictionary_ludex[0], "\\n");
  EXPECT_STREQ(loadDictionary_ludex[1], "\n");
  EXPECT_STREQ(saveDictionary_ludex[0], "\n");
  // The launcher table is whole pairs ended by a NIL tag.
  int n = 0;
  while (predefinedLaunchers[n]) {
    ASSERT_NE(predefinedLaunchers[n + 1], nullptr);
    n += 2;
  }
  EXPECT_GT(n, 0);
  EXPECT_STREQ(predefinedLaunchers[0], "MSDOS");
  end_ludex();
  end_ludex();
  EXPECT_EQ(predefinedLaunchers, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
