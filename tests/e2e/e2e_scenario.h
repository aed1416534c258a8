// An end-to-end scenario: the whole program run on a sandbox of its own, one
// start after another, each start a UI script checked by its expect lines,
// by what the program printed and returned, and by the list it left on disk.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/ludex_process.h"

// One start of the program.
struct E2eStart {
  std::string script;
  int exitCode = 0;
  std::string output = "";                        // everything printed (failed lines included)
  std::vector<std::string> listHas = {};          // texts the saved list must hold
  std::vector<std::string> listLacks = {};        // texts it must not hold
  std::optional<std::string> listIs = {};         // the saved list, byte for byte
  std::function<void()> then = {};                // further checks once it has ended
};

// A file the scenario puts below the Games: volume before the first start.
struct E2eFile {
  std::string path;
  std::string bytes;
};

struct E2eScenario {
  E2eDisplay display = E2eDisplay::Headless;
  std::vector<E2eFile> files = {};
  std::optional<std::string> list = {};           // a list on disk before the first start
  std::vector<E2eStart> starts = {};
};

// A text as a UI script argument: in double quotes, with \" and \\ inside.
std::string e2eQuoted(const std::string& text);

// A fake emulator at `relative` in the sandbox: each start is recorded in a
// file of its own under the sandbox's "starts" folder, put in place once
// complete: the folder it runs in, then one "[arg]" line per argument.
void e2eWriteRecordingEmulator(const LudexSandbox& box, const std::string& relative);
// What the recording emulators were started with, one text per start,
// sorted (starts run in the background, so they may end in any order);
// waits a few seconds for the `expected` starts to arrive.
std::vector<std::string> e2eEmulatorStarts(const LudexSandbox& box, size_t expected);

// Makes the files, runs the real program for each start in turn and checks
// it (gtest failures name the start that failed).
void playScenario(LudexSandbox& box, const E2eScenario& scenario);

// Scenarios that run both headless and on Qt's offscreen display:
//   class Launching : public E2eOnEachDisplay {};
//   TEST_P(Launching, ...) { ... .display = GetParam() ... }
//   E2E_ON_EACH_DISPLAY(Launching);
void PrintTo(E2eDisplay display, std::ostream* out);
class E2eOnEachDisplay : public testing::TestWithParam<E2eDisplay> {};
std::string e2eDisplayName(const testing::TestParamInfo<E2eDisplay>& info);
#define E2E_ON_EACH_DISPLAY(fixture)                                                                                   \
  INSTANTIATE_TEST_SUITE_P(, fixture, testing::Values(E2eDisplay::Headless, E2eDisplay::Offscreen), e2eDisplayName)
