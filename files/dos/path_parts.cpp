#include "files/dos/path_parts.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"

namespace {

int32_t lengthOf(const char* s) { return s ? static_cast<int32_t>(std::strlen(s)) : 0; }

}  // namespace

char* strSubFilePart(const char* path) {
  if (!path) return nullptr;
  return StrClone(FilePart(path));
}

char* strSubPathPart(const char* path) {
  if (!path) return nullptr;
  const int32_t keep = static_cast<int32_t>(PathPart(path) - path);
  return StrCopy(NewString(keep), path, keep);
}

char* splitPath(const char* path, char** pathPart) {
  if (pathPart) *pathPart = nullptr;
  if (!path) return nullptr;
  const char* name = FilePart(path);
  char* result = StrClone(name);
  if (pathPart) {
    const int32_t keep = static_cast<int32_t>(name - path);
    try {
      *pathPart = StrCopy(NewString(keep > 0 ? keep : 1), path, keep);
    } catch (...) {
      DisposeString(result);
      throw;
    }
  }
  return result;
}

char* strJoinPart(const char* dir, const char* name, bool parentOnly) {
  if (!dir) return nullptr;
  char* joined = NewString(lengthOf(dir) + lengthOf(name) + 2);
  const int32_t keep = parentOnly ? static_cast<int32_t>(PathPart(dir) - dir) : ALL;
  StrCopy(joined, dir, keep);
  if (!strAddPart(joined, name ? name : "")) {
    DisposeString(joined);
    Throw("BUG", "pAmigaDos; strJoinPart(); the allocated string was too small");
  }
  return joined;
}

char* fullPath(BPTR lock, const char* name) {
  char* dir = strSafeNameFromLock(lock);
  if (!dir) return nullptr;
  char* path = nullptr;
  try {
    path = NewString(lengthOf(name) + EstrLen(dir) + 2);
  } catch (...) {
    DisposeString(dir);
    throw;
  }
  StrCopy(path, dir);
  DisposeString(dir);
  if (!strAddPart(path, name ? name : "")) {
    DisposeString(path);
    return nullptr;
  }
  return path;
}
