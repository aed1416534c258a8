#include "os/exec/exec.h"

#include <strings.h>

#include <list>
#include <string>
#include <vector>

namespace {

// Every library the program opens is present in the hosted system, at a
// version new enough for any request the program makes.
constexpr uint16_t HOSTED_VERSION = 50;

struct OpenedLibrary {
  std::string name;
  Library base;
};

struct LibraryTable {
  std::list<OpenedLibrary> open;  // stable addresses: callers keep Library*
  std::vector<std::string> missing;
};

LibraryTable& table() {
  static LibraryTable t;
  return t;
}

bool isMissing(const char* name) {
  for (const std::string& m : table().missing)
    if (strcasecmp(m.c_str(), name) == 0) return true;
  return false;
}

}  // namespace

Library* OpenLibrary(const char* name, uint32_t version) {
  if (!name || isMissing(name) || version > HOSTED_VERSION) return nullptr;
  for (OpenedLibrary& lib : table().open) {
    if (strcasecmp(lib.name.c_str(), name) == 0) {
      ++lib.base.lib_OpenCnt;
      return &lib.base;
    }
  }
  // Library records live as long as the process, like the system's own.
  OpenedLibrary& lib = table().open.emplace_back();
  lib.name = name;
  lib.base = Library{lib.name.c_str(), HOSTED_VERSION, 1};
  return &lib.base;
}

void CloseLibrary(Library* library) {
  if (library && library->lib_OpenCnt > 0) --library->lib_OpenCnt;
}

void ostest::markLibraryMissing(const char* name) { table().missing.emplace_back(name); }
void ostest::restoreLibraries() { table().missing.clear(); }
