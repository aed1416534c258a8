#include "os/shell/shell_paths.h"

#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/dos/lock_records.h"
#include "os/dos/volumes.h"

bool startsWithKnownVolume(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == 0 || colon == std::string::npos) return false;
  const size_t slash = text.find('/');
  if (slash != std::string::npos && slash < colon) return false;
  return dosvol::find(std::string_view(text).substr(0, colon)) != nullptr;
}

bool shellHostPath(const std::string& amigaPath, const std::string& dir, bool forCreation, std::string* hostPath) {
  const int32_t callersError = IoErr();
  int32_t error = 0;
  BPTR here = dosl::lockHostPath(dir, SHARED_LOCK, &error);
  if (!here) {
    SetIoErr(callersError);
    return false;
  }
  // Relative names start in the shell's folder, which the process takes as
  // its current directory for the moment of the lookup.
  BPTR before = CurrentDir(here);
  std::string host;
  const bool found = HostPathOfAmigaPath(amigaPath.c_str(), forCreation, host);
  CurrentDir(before);
  UnLock(here);
  SetIoErr(callersError);
  if (found) *hostPath = host;
  return found;
}

std::string mapShellArgument(const std::string& argument, const std::string& dir) {
  std::string host;
  if (startsWithKnownVolume(argument) && shellHostPath(argument, dir, true, &host)) return host;
  return argument;
}
