#include "files/paths/path_operations.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/time_count.h"
#include "files/paths/unique_numbers.h"

uint32_t cPath_randomSeed = 0;

void new_cpath_sharedbase() { cPath_randomSeed = static_cast<uint32_t>(CurrentTime_ptime()); }

char* MakeUniquePath(int32_t file1dir2, const char* base, const char* prefix) {
  if (file1dir2 != 1 && file1dir2 != 2) Throw("EMU", "cPath; MakeUniquePath(); file1dir2 <> 1 or 2");
  if (!base) Throw("EPU", "cPath; MakeUniquePath(); base=NIL");
  if (!prefix) prefix = "TMP";
  const char* format = file1dir2 == 1 ? "%s%s%" PRIx32 : "%s%s%" PRIx32 "/";
  // Eight hexadecimal digits and a "/" at most.
  const int32_t capacity = static_cast<int32_t>(std::strlen(base) + std::strlen(prefix)) + 9;
  for (int32_t tries = 0; tries < UNIQUE_NAME_TRIES; ++tries) {
    const uint32_t number = DrawUniqueNumber(&cPath_randomSeed);
    char* path = NewString(capacity);
    std::snprintf(path, static_cast<size_t>(capacity) + 1, format, base, prefix, number);
    UpdateStrLen(path);
    bool taken = true;
    try {
      taken = ExistsPath(path, true);
    } catch (...) {
      DisposeString(path);
      throw;
    }
    if (!taken) return path;
    DisposeString(path);
  }
  Throw("BUG", "cPath; MakeUniquePath(); retry limit exceeded, possibly due to a buggy filing system");
}
