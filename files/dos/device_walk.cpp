#include "files/dos/device_walk.h"

#include <cstring>

#include "core/clean_up.h"
#include "os/dos/dos.h"

const char* pathAfterDevice(const char* path) {
  const char* colon = std::strchr(path, ':');
  const char* slash = std::strchr(path, '/');
  // Only a ":" before any "/" ends a device name.
  return colon && (!slash || colon < slash) ? colon + 1 : path;
}

bool walkDeviceFolders(const char* path, const std::function<bool(const char* rest)>& visit) {
  if (!path) return false;
  const char* rest = pathAfterDevice(path);
  DevProc* dp = nullptr;
  bool done = false;
  WithCleanUp(
      [&] {
        while (!done && (dp = GetDeviceProc(path, dp)) != nullptr) {
          MsgPort* oldTask = SetFileSysTask(dp->dvp_Port);
          const BPTR oldDir = CurrentDir(dp->dvp_Lock);
          WithCleanUp(
              [&] { done = visit(rest); },
              [&] {
                CurrentDir(oldDir);
                SetFileSysTask(oldTask);
              });
          if (!(dp->dvp_Flags & DVPF_ASSIGN)) break;
        }
      },
      [&] { FreeDeviceProc(dp); });
  return done;
}
