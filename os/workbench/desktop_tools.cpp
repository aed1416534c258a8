#include "os/workbench/desktop_tools.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/shell/command_search.h"

namespace {

bool isProgram(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The Linux path of an Amiga path when it names a program; IoErr is left as
// it was, since not finding a tool is no failure of the caller's.
std::string programAt(const std::string& amigaPath) {
  const int32_t savedError = IoErr();
  std::string linuxPath;
  const bool found = HostPathOfAmigaPath(amigaPath.c_str(), false, linuxPath) && isProgram(linuxPath);
  SetIoErr(savedError);
  return found ? linuxPath : "";
}

}  // namespace

std::string findDesktopTool(const std::string& tool) {
  if (tool.empty()) return "";
  if (tool.find(':') != std::string::npos || tool.find('/') != std::string::npos) return programAt(tool);
  std::string found = programAt("C:" + tool);
  if (found.empty()) found = findOnHostPath(tool);
  if (found.empty()) {
    std::string lower = tool;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
    if (lower != tool) found = findOnHostPath(lower);
  }
  return found;
}
