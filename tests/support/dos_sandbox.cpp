#include "tests/support/dos_sandbox.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"

namespace fs = std::filesystem;

namespace {

std::string testFolderName() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "no-test";
  for (char& c : name)
    if (c == '/') c = '_';
  return name;
}

std::string sandboxBase() {
  const char* root = std::getenv("LUDEX_TEST_ROOT");
  if (root && root[0] == '/') return root;
  return (fs::temp_directory_path() / ("ludex-tests-" + std::to_string(geteuid()))).string();
}

}  // namespace

DosSandbox::DosSandbox(const char* volume) : volume_(volume) {
  root_ = sandboxBase() + "/" + testFolderName();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
  fs::create_directories(root_);
  root_ = fs::canonical(root_).string();
  for (const char* sub : {"home", "progdir", "envarc"}) fs::create_directories(root_ + "/" + sub);
  for (const char* sub : {"env", "t"}) {
    fs::create_directories(root_ + "/" + sub);
    fs::permissions(root_ + "/" + sub, fs::perms::owner_all);
  }
  restartDos();
}

void DosSandbox::restartDos() const {
  ostest::resetDos();
  ostest::mountVolume(volume_.c_str(), root_.c_str());
  ostest::mountVolume("Home", (root_ + "/home").c_str());
  ostest::assignFolders("PROGDIR", {(root_ + "/progdir").c_str()});
  ostest::assignFolders("ENVARC", {(root_ + "/envarc").c_str()});
  ostest::assignFolders("ENV", {(root_ + "/env").c_str()});
  ostest::assignFolders("T", {(root_ + "/t").c_str()});
  const std::string self = volume_ + ":";
  UnLock(CurrentDir(Lock(self.c_str(), SHARED_LOCK)));
}

DosSandbox::~DosSandbox() {
  ostest::resetDos();
  if (!testing::Test::HasFailure()) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

std::string DosSandbox::host(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "/" + relative;
}

void DosSandbox::makeDir(const std::string& relative) const { fs::create_directories(host(relative)); }

void DosSandbox::writeFile(const std::string& relative, const std::string& contents) const {
  const fs::path path(host(relative));
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}

std::string DosSandbox::readFile(const std::string& relative) const {
  std::ifstream in(host(relative), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool DosSandbox::exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::symlink_status(host(relative), ignored).type() != fs::file_type::not_found;
}
