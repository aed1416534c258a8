#include "files/paths/path_operations.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

bool RenamePath(const char* from, const char* to, bool force) {
  if (!from) Throw("EPU", "cPath; RenamePath(); from=NIL");
  if (!to) Throw("EPU", "cPath; RenamePath(); to=NIL");
  char* hostFrom = nullptr;
  char* hostTo = nullptr;
  BPTR lock = ZERO;
  FileInfoBlock* fib = nullptr;
  const auto cleanUp = [&] {
    UnLock(lock);
    if (fib) FreeDosObject(DOS_FIB, fib);
    DisposeString(hostFrom);
    DisposeString(hostTo);
  };
  bool renamed = false;
  WithCleanUp(
      [&] {
        hostFrom = ExportPath(from);
        hostTo = ExportPath(to);
        lock = Lock(hostFrom, SHARED_LOCK);
        if (lock) {
          fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
          if (!fib) Throw("MEM");
          const int32_t protection = Examine(lock, fib) ? fib->fib_Protection : 0;
          const bool guarded = (protection & (FIBF_READ | FIBF_WRITE)) != 0;
          // The source stays locked while it is renamed. A refusal says why,
          // as a failed Rename would.
          if (force || !guarded) renamed = Rename(hostFrom, hostTo);
          else SetIoErr((protection & FIBF_READ) ? ERROR_READ_PROTECTED : ERROR_WRITE_PROTECTED);
        }
      },
      cleanUp);
  return renamed;
}
