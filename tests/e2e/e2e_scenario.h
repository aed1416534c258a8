// An end-to-end scenario: the whole program run on a sandbox of its own, one
// start after another, each start a UI script checked by its expect lines,
// by what the program printed and returned, and by the list it left on disk.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tests/app/ludex_run.h"

// One start of the program.
struct E2eStart {
  std::string script;
  int exitCode = 0;
  std::string output = "";                        // everything printed (failed lines included)
  std::vector<std::string> listHas = {};          // texts the saved list must hold
  std::vector<std::string> listLacks = {};        // texts it must not hold
  std::optional<std::string> listIs = {};         // the saved list, byte for byte
};

// A file the scenario puts below the Games: volume before the first start.
struct E2eFile {
  std::string path;
  std::string bytes;
};

struct E2eScenario {
  std::vector<E2eFile> files = {};
  std::optional<std::string> list = {};           // a list on disk before the first start
  std::vector<E2eStart> starts = {};
};

// Makes the files, runs each start in turn and checks it (gtest failures
// name the start that failed).
void playScenario(LudexSandbox& box, const E2eScenario& scenario);
