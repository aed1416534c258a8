#include "files/paths/path_operations.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/own_process.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

// Some handlers answer a lock of a missing object with this code.
constexpr int32_t HANDLER_OBJECT_MISSING = 4;

// Whether a path that could not be locked names something, by the error.
bool existsDespite(int32_t error, const char* path) {
  switch (error) {
    case ERROR_OBJECT_NOT_FOUND:
    case ERROR_DEVICE_NOT_MOUNTED:
    case HANDLER_OBJECT_MISSING: return false;
    // A network filing system reports a missing object as in use.
    case ERROR_OBJECT_IN_USE: return !IsFtpPath(path);
    // Something is there that cannot be locked now.
    default: return true;
  }
}

}  // namespace

bool ExistsPath(const char* path, bool anyType) {
  if (!path) Throw("EPU", "cPath; ExistsPath(); path=NIL");
  // Only a probe: no requester may ask for a volume that is not mounted.
  Process* me = ownProcess();
  const APTR window = me ? me->pr_WindowPtr : nullptr;
  if (me) me->pr_WindowPtr = reinterpret_cast<APTR>(-1);
  FileInfoBlock* fib = nullptr;
  char* host = nullptr;
  BPTR lock = ZERO;
  const auto cleanUp = [&] {
    UnLock(lock);
    if (me) me->pr_WindowPtr = window;
    if (fib) FreeDosObject(DOS_FIB, fib);
    DisposeString(host);
  };
  bool found = false;
  WithCleanUp(
      [&] {
        host = ExportPath(path);
        // The listing of a watched folder that has not changed answers
        // without a lock; a network filing system is always asked.
        int32_t kind = 0;
        if (!IsFtpPath(path) && ListedKind(host, &kind)) {
          found = kind != 0 && (anyType || (kind < 0) == !NamesDirectory(path));
          return;
        }
        fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
        if (!fib) Throw("MEM");
        lock = Lock(host, SHARED_LOCK);
        if (!lock) {
          found = existsDespite(IoErr(), path);
        } else if (!anyType) {
          found = Examine(lock, fib) && dirEntryTypeIsFile(fib->fib_DirEntryType, host) == !NamesDirectory(path);
        } else {
          // A network filing system hands out locks on objects it cannot find.
          found = !IsFtpPath(path) || Examine(lock, fib);
        }
      },
      cleanUp);
  return found;
}
