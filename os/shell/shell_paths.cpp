#include "os/shell/shell_paths.h"

#include <sys/stat.h>

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

namespace {

// The Linux path of an argument that names an Amiga path, when it leads
// somewhere. A folder written to take a name after it ("Games:dir/", or a
// volume's root "Games:") keeps a "/" at its end.
bool mapPath(const std::string& path, const std::string& dir, std::string* host) {
  if (!startsWithKnownVolume(path) || !shellHostPath(path, dir, true, host)) return false;
  if (host->empty() || host->back() == '/') return true;
  struct stat st {};
  const char last = path.back();
  if (last == '/' || (last == ':' && stat(host->c_str(), &st) == 0 && S_ISDIR(st.st_mode))) *host += '/';
  return true;
}

}  // namespace

std::string mapShellArgument(const std::string& argument, const std::string& dir) {
  std::string host;
  if (mapPath(argument, dir, &host)) return host;
  // "name=path": the value of an option written the way many programs take it.
  const size_t equals = argument.find('=');
  if (equals != std::string::npos && mapPath(argument.substr(equals + 1), dir, &host))
    return argument.substr(0, equals + 1) + host;
  return argument;
}
