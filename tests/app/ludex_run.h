// The whole program run in a child process on a sandbox of its own: its
// volumes (PROGDIR:, ENVARC:, T:, Games:) point into a fresh test folder,
// a UI script drives it, and a fake emulator on its PATH records what it
// was started with.
#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct LudexRunResult {
  int exitCode = -1;
  std::string output;  // stdout
  std::string errors;  // stderr, when the program ran as a process of its own
};

// Environment variables to set (a value) or unset (none).
using LudexEnvironment = std::vector<std::pair<std::string, std::optional<std::string>>>;

class LudexSandbox {
 public:
  LudexSandbox();
  const std::filesystem::path& folder() const { return folder_; }

  // The game list file, written and read as it is on disk.
  void writeList(const std::string& text) const;
  std::string list() const;
  bool hasFile(const std::string& relative) const;
  // Any file of the sandbox, as it is on disk ("" when there is none).
  std::string read(const std::string& relative) const;
  // An executable file of the sandbox (a script that stands in for a program).
  void writeProgram(const std::string& relative, const std::string& text) const;
  // The preferences file with the launchers, given as "tag\ncommands\n\n" blocks.
  void writePrefs(bool autoExit, const std::string& launchers) const;
  // A game file below the Games: volume.
  void writeGame(const std::string& relative) const;
  // What the fake emulator "fakeemu" was started with, one line per start.
  // Games start in the background, so the last ones may still be on their way
  // when the program has ended: this waits (a few seconds at most) until at
  // least `expected` starts are written.
  std::string emulatorStarts(size_t expected = 0) const;

  // Writes the script (NIL: none) into the sandbox and gives the environment
  // the program runs in with it: its volumes, home, script, PATH and no display.
  LudexEnvironment prepareRun(const char* script) const;

  // Runs the program with the script (NIL: no script at all); `beforeStart`
  // runs in the program's process just before it starts (to put up a display).
  LudexRunResult run(const char* script, const std::function<void()>& beforeStart = {}) const;

 private:
  std::filesystem::path folder_;
};
