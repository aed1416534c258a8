// GetDeviceProc: which volume, and for an assign which of its folders, the
// device part of a path stands for.

#include <string>

#include "os/dos/live_objects.h"
#include "os/dos/lock_records.h"
#include "os/dos/process_record.h"
#include "os/dos/volumes.h"

namespace {

DevProc* newDevProc(MsgPort* port, BPTR lock, uint32_t flags, int32_t next) {
  auto* dp = new DevProc();
  dp->dvp_Port = port;
  dp->dvp_Lock = lock;
  dp->dvp_Flags = flags;
  dp->dvp_NextFolder = next;
  doslive::countObject(+1);
  return dp;
}

// The port of the volume the current directory lies on.
MsgPort* currentDirPort() {
  std::string real;
  if (dosl::hostPathOf(dosproc::self().pr_CurrentDir, real) != 0) real = dosl::zeroLockFolder();
  return dosl::portOfRealPath(real);
}

}  // namespace

DevProc* GetDeviceProc(const char* name, DevProc* previous) {
  int32_t next = 0;
  if (previous) {
    next = previous->dvp_NextFolder;
    FreeDeviceProc(previous);
    if (next < 0) {
      dosproc::fail(ERROR_NO_MORE_ENTRIES);
      return nullptr;
    }
  }
  const std::string path(name ? name : "");
  const size_t colon = path.find(':');
  const size_t slash = path.find('/');
  if (colon == std::string::npos || (slash != std::string::npos && slash < colon))
    return newDevProc(currentDirPort(), dosproc::self().pr_CurrentDir, 0, -1);  // relative
  const std::string device = path.substr(0, colon);
  if (device.empty()) return newDevProc(currentDirPort(), ZERO, 0, -1);

  const dosvol::Volume* v = dosvol::find(device);
  if (!v) {
    dosproc::noteUnknownVolume(device);
    dosproc::fail(ERROR_DEVICE_NOT_MOUNTED);
    return nullptr;
  }
  if (v->kind != dosvol::Kind::Assign) return newDevProc(v->port, ZERO, 0, -1);

  for (size_t i = static_cast<size_t>(next); i < v->folders.size(); ++i) {
    const int32_t ready = dosvol::prepareFolder(*v, i, false);
    if (ready == ERROR_OBJECT_NOT_FOUND) continue;
    if (ready) {
      dosproc::fail(ready);
      return nullptr;
    }
    int32_t error = 0;
    BPTR lock = dosl::lockHostPath(dosvol::canonicalFolder(v->folders[i]), SHARED_LOCK, &error);
    if (!lock) continue;
    MsgPort* port = reinterpret_cast<FileLock*>(lock)->fl_Task;
    return newDevProc(port, lock, DVPF_UNLOCK | DVPF_ASSIGN, static_cast<int32_t>(i + 1));
  }
  dosproc::fail(ERROR_NO_MORE_ENTRIES);
  return nullptr;
}

void FreeDeviceProc(DevProc* dp) {
  if (!dp) return;
  if (dp->dvp_Flags & DVPF_UNLOCK) UnLock(dp->dvp_Lock);
  doslive::countObject(-1);
  delete dp;
}
