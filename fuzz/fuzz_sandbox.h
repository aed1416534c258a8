// The folder the fuzz targets of file loaders work in: the benchmarks' fresh
// folder under the system's temporary folder, mounted as the volumes the
// program uses (Games:, PROGDIR:, ENVARC:, ENV:, T:), made once for the
// process; and the modules the application's code relies on, started once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/ludex_module.h"
#include "bench/bench_folder.h"
#include "core/time_count.h"
#include "files/objects/file.h"

class FuzzSandbox {
 public:
  static const FuzzSandbox& get() {
    static const FuzzSandbox sandbox;
    return sandbox;
  }
  // Writes bytes to a Linux file inside the sandbox ("progdir/Ludex.list").
  void write(const std::string& relative, const uint8_t* data, size_t size) const {
    std::ofstream(folder.root + "/" + relative, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

 private:
  FuzzSandbox() : folder("ludex-fuzz") {
    if (folder.root.empty()) std::abort();
    folder.mount();
    new_ptime();
    new_cpath_file();
    new_ludex();
  }
  BenchFolder folder;
};
