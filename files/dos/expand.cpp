#include "files/dos/expand.h"

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/dos/device_walk.h"
#include "files/dos/links.h"
#include "files/dos/lock_name.h"
#include "files/dos/path_parts.h"
#include "files/dos/strings.h"
#include "os/dos/dos.h"

namespace {

// The full name of the folder that holds the object, joined with the
// object's name; NIL when the folder cannot be locked.
char* nameThroughParent(const char* path) {
  char* parentPath = strSubPathPart(path);
  const BPTR parent = Lock(parentPath, SHARED_LOCK);
  DisposeString(parentPath);
  if (!parent) return nullptr;
  return WithCleanUp([&] { return fullPath(parent, FilePart(path)); }, [&] { UnLock(parent); });
}

// dir joined with path; NIL for a NIL dir (taken over and disposed).
char* joinedAndDisposed(char* dir, const char* path) {
  if (!dir) return nullptr;
  return WithCleanUp([&] { return strJoinPart(dir, path); }, [&] { DisposeString(dir); });
}

}  // namespace

char* expandPath(const char* path, bool keepLink) {
  if (!path) return nullptr;
  if (keepLink) {
    char* target = easyReadLink(path, nullptr, true);
    keepLink = target != nullptr;
    DisposeString(target);
  }
  char* result = nullptr;
  try {
    if (keepLink) {
      // The folder of the device that holds the object, its name made absolute.
      walkDeviceFolders(path, [&result](const char* rest) {
        const BPTR object = Lock(rest, SHARED_LOCK);
        if (!object) return false;
        UnLock(object);
        result = nameThroughParent(rest);
        return result != nullptr;
      });
    } else {
      result = takeNameOfLock(Lock(path, SHARED_LOCK));
    }
    if (!result) result = nameThroughParent(path);
    if (!result) result = joinedAndDisposed(strSafeGetNameOfCurrentDir(), path);
    if (!result) result = StrClone(path);
  } catch (...) {
    DisposeString(result);
    throw;
  }
  return result;
}

char* expandPathForCreation(const char* path) {
  if (!path) return nullptr;
  const char* rest = pathAfterDevice(path);
  char* result = nullptr;
  if (rest != path) {
    char* device = StrCopy(NewString(static_cast<int32_t>(rest - path)), path, static_cast<int32_t>(rest - path));
    const BPTR lock = Lock(device, SHARED_LOCK);
    DisposeString(device);
    result = joinedAndDisposed(takeNameOfLock(lock), rest);
  } else {
    result = joinedAndDisposed(strSafeGetNameOfCurrentDir(), path);
  }
  return result ? result : StrClone(path);
}
