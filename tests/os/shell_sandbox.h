// A sandbox folder for shell tests, with fake programs that record where and
// with which arguments they ran.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "os/shell/shell.h"

class DosSandbox;

class ShellSandbox : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The Linux folder of the sandbox's Home: (no links in it) and a path inside it.
  const std::string& root() const { return root_; }
  std::string host(const std::string& relative) const { return root_ + "/" + relative; }
  // The Amiga name of a path inside the sandbox, which is mounted as Home:.
  std::string amiga(const std::string& relative) const;

  // Writes an executable program `relative` that writes its current folder
  // and then each argument in brackets, one a line, to the record file; with
  // delaySeconds it first sleeps that long.
  void writeFakeEmulator(const std::string& relative, int delaySeconds = 0);
  // Writes an executable shell script with the given body (for exit codes,
  // output and the like).
  void writeProgram(const std::string& relative, const std::string& body);
  void writeFile(const std::string& relative, const std::string& text);
  std::string readFile(const std::string& relative) const;
  bool exists(const std::string& relative) const;
  void removeFile(const std::string& relative);
  // What the fake emulator recorded, "" when it did not run.
  std::string record() const { return readFile("record"); }
  // The record of a run in folder `dir` with these arguments.
  std::string recordOf(const std::string& dir, std::initializer_list<std::string> args) const;
  // Waits up to `seconds` for the record to appear.
  bool waitForRecord(double seconds) const;
  // True when a file named `name` exists anywhere in the sandbox.
  bool anyFileNamed(const std::string& name) const;

  // A shell in the sandbox whose output and errors go to the file "console".
  ShellState shell();
  std::string console() const { return readFile("console"); }

 private:
  DosSandbox* box_ = nullptr;
  std::string root_;
  int console_ = -1;
  int nullInput_ = -1;
};
