// The folder the fuzz targets of file loaders work in: a fresh folder under
// the system's temporary folder, mounted as the volumes the program uses
// (Games:, PROGDIR:, ENVARC:, ENV:, T:), made once for the process; and the
// modules the application's code relies on, started once.
#pragma once
#include <stdlib.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ludex_module.h"
#include "core/time_count.h"
#include "files/objects/file.h"
#include "os/dos/dos_testing.h"

class FuzzSandbox {
 public:
  static const FuzzSandbox& get() {
    static const FuzzSandbox sandbox;
    return sandbox;
  }
  // Writes bytes to a Linux file inside the sandbox ("progdir/Ludex.list").
  void write(const std::string& relative, const uint8_t* data, size_t size) const {
    std::ofstream(root + "/" + relative, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::string root;

  ~FuzzSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

 private:
  FuzzSandbox() {
    char pattern[] = "/tmp/ludex-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    root = pattern;
    for (const char* sub : {"games", "progdir", "envarc", "env", "t"}) mkdir((root + "/" + sub).c_str(), 0700);
    ostest::resetDos();
    ostest::mountVolume("Games", (root + "/games").c_str());
    ostest::assignFolders("PROGDIR", {(root + "/progdir").c_str()});
    ostest::assignFolders("ENVARC", {(root + "/envarc").c_str()});
    ostest::assignFolders("ENV", {(root + "/env").c_str()});
    ostest::assignFolders("T", {(root + "/t").c_str()});
    new_ptime();
    new_cpath_file();
    new_ludex();
  }
};
