#include "files/paths/path_operations.h"

#include <cstring>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

// A ":" before any "/" gives the path its own device.
bool isAbsolute(const char* path) {
  for (const char* c = path; *c; ++c) {
    if (*c == ':') return true;
    if (*c == '/') return false;
  }
  return false;
}

char* joinedToCurrentDir(const char* path) {
  char* current = CurrentDirPath();
  char* joined = nullptr;
  try {
    joined = NewString(EstrLen(current) + static_cast<int32_t>(std::strlen(path)));
  } catch (...) {
    DisposeString(current);
    throw;
  }
  StrAdd(StrCopy(joined, current), path);
  DisposeString(current);
  return joined;
}

}  // namespace

char* CurrentDirPath() {
  char* name = strSafeGetNameOfCurrentDir();
  if (!name) Throw("FILE", "cPath; CurrentDirPath(); strSafeGetNameOfCurrentDir() failed");
  return WithCleanUp([&] { return ImportDirPath(name); }, [&] { DisposeString(name); });
}

char* ExpandPath(const char* path) {
  if (!path) Throw("EPU", "cPath; ExpandPath(); path=NIL");
  char* joined = isAbsolute(path) ? StrClone(path) : joinedToCurrentDir(path);
  char* host = nullptr;
  char* name = nullptr;
  char* resolved = nullptr;
  BPTR lock = ZERO;
  const auto cleanUp = [&] {
    UnLock(lock);
    DisposeString(host);
    DisposeString(name);
  };
  try {
    host = ExportPath(joined);
    lock = Lock(host, SHARED_LOCK);
    // The lock's full name resolves assigns and links to the real volume.
    if (lock) name = strSafeNameFromLock(lock);
    if (name) resolved = NamesDirectory(path) ? ImportDirPath(name) : ImportFilePath(name);
  } catch (...) {
    cleanUp();
    DisposeString(joined);
    throw;
  }
  cleanUp();
  if (!resolved) return joined;
  DisposeString(joined);
  return resolved;
}
