#include "tests/os/shell_sandbox.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/dos_sandbox.h"

namespace fs = std::filesystem;

void ShellSandbox::SetUp() {
  // The sandbox's own volumes stand in for every standard one; the shell works
  // in its Home:, so no test reaches the user's real folders.
  box_ = new DosSandbox();
  root_ = box_->host("home");
  console_ = open(host("console").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  nullInput_ = open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(console_, 0);
  ASSERT_GE(nullInput_, 0);
}

void ShellSandbox::TearDown() {
  if (console_ >= 0) close(console_);
  if (nullInput_ >= 0) close(nullInput_);
  delete box_;
}

std::string ShellSandbox::amiga(const std::string& relative) const {
  return "Home:" + relative;
}

void ShellSandbox::writeProgram(const std::string& relative, const std::string& body) {
  writeFile(relative, "#!/bin/sh\n" + body + "\n");
  fs::permissions(host(relative), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

void ShellSandbox::writeFakeEmulator(const std::string& relative, int delaySeconds) {
  std::string body;
  if (delaySeconds > 0) body += "sleep " + std::to_string(delaySeconds) + "\n";
  // Written to a temporary name and moved, so a reader never sees half a record.
  body += "{ pwd -P; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > '" + host("record.part") + "'\n";
  body += "mv '" + host("record.part") + "' '" + host("record") + "'";
  writeProgram(relative, body);
}

void ShellSandbox::writeFile(const std::string& relative, const std::string& text) {
  fs::create_directories(fs::path(host(relative)).parent_path());
  std::ofstream out(host(relative), std::ios::binary | std::ios::trunc);
  out << text;
}

std::string ShellSandbox::readFile(const std::string& relative) const {
  std::ifstream in(host(relative), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ShellSandbox::exists(const std::string& relative) const { return fs::exists(host(relative)); }

void ShellSandbox::removeFile(const std::string& relative) { fs::remove(host(relative)); }

std::string ShellSandbox::recordOf(const std::string& dir, std::initializer_list<std::string> args) const {
  std::string text = dir + "\n";
  for (const std::string& a : args) text += "[" + a + "]\n";
  return text;
}

bool ShellSandbox::waitForRecord(double seconds) const {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
    if (exists("record")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return exists("record");
}

bool ShellSandbox::anyFileNamed(const std::string& name) const {
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root_))
    if (e.path().filename() == name) return true;
  return false;
}

ShellState ShellSandbox::shell() {
  ShellState state;
  state.dir = root_;
  state.streams = HostStreams{nullInput_, console_, console_};
  return state;
}
