// exec.library, hosted: opening libraries and devices by name and version,
// and the task record lookup. Libraries are in-process; opening one only
// checks that it is present (tests can mark one missing) and counts users.
#pragma once
#include <cstdint>

struct Library {
  const char* lib_Name;
  uint16_t lib_Version;
  int32_t lib_OpenCnt;
};

// The library of that name when it is present with at least `version`, else NIL.
Library* OpenLibrary(const char* name, uint32_t version);
// Gives a library back; NIL is ignored.
void CloseLibrary(Library* library);

namespace ostest {
// Makes OpenLibrary fail for the named library until restored.
void markLibraryMissing(const char* name);
// Makes every library present again.
void restoreLibraries();
}  // namespace ostest
