// The folder a benchmark works in: fresh under the system's temporary folder,
// with the volumes the program uses (Games:, PROGDIR:, ENVARC:, ENV:, T:)
// mounted inside it, so the user's own folders are never touched.
#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "os/dos/dos_testing.h"

class BenchFolder {
 public:
  // "" when the folder cannot be made.
  explicit BenchFolder(const char* name) {
    std::string pattern = std::string("/tmp/") + name + "-XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    root = pattern;
    for (const char* sub : {"games", "progdir", "envarc", "env", "t"})
      std::filesystem::create_directories(root + "/" + sub);
  }
  ~BenchFolder() {
    std::error_code ignored;
    if (!root.empty()) std::filesystem::remove_all(root, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  // Points the program's volumes into the folder.
  void mount() const {
    ostest::resetDos();
    ostest::mountVolume("Games", (root + "/games").c_str());
    ostest::assignFolders("PROGDIR", {(root + "/progdir").c_str()});
    ostest::assignFolders("ENVARC", {(root + "/envarc").c_str()});
    ostest::assignFolders("ENV", {(root + "/env").c_str()});
    ostest::assignFolders("T", {(root + "/t").c_str()});
  }

  std::string root;
};
