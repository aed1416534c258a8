#include "files/paths/path_operations.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

bool isLinkType(int32_t type) { return type == ST_SOFTLINK || type == ST_LINKDIR || type == ST_LINKFILE; }

}  // namespace

bool DeletePath(const char* path, bool force, bool anyType) {
  if (!path) Throw("EPU", "cPath; DeletePath(); path=NIL");
  char* host = ExportPath(path);
  FileInfoBlock* fib = nullptr;
  const auto cleanUp = [&] {
    if (fib) FreeDosObject(DOS_FIB, fib);
    DisposeString(host);
  };
  bool deleted = false;
  WithCleanUp(
      [&] {
        bool examined = false;
        if (force || !anyType) {
          fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
          if (!fib) Throw("MEM");
        }
        if (force) {
          // Through the parent, so that a link is looked at itself, not followed.
          examined = examineAll(host, fib);
        } else if (!anyType) {
          const BPTR lock = Lock(host, SHARED_LOCK);
          if (lock) {
            examined = Examine(lock, fib);
            UnLock(lock);
          }
        }
        const int32_t type = examined ? fib->fib_DirEntryType : 0;
        const bool otherKind = examined && !anyType && dirEntryTypeIsFile(type, host) == NamesDirectory(path);
        if (otherKind) SetIoErr(ERROR_OBJECT_WRONG_TYPE);  // left alone, and why
        if (!otherKind) {
          const int32_t protection = examined ? fib->fib_Protection : 0;
          const bool cleared = force && !isLinkType(type) && SetProtection(host, FIBF_DEFAULT);
          deleted = DeleteFile(host);
          // A delete that fails (a folder not empty, an object in use) must not
          // leave the object unprotected: its bits go back as they were.
          if (!deleted && cleared && examined && protection != FIBF_DEFAULT) {
            const int32_t error = IoErr();
            SetProtection(host, protection);
            SetIoErr(error);
          }
        }
      },
      cleanUp);
  return deleted;
}
