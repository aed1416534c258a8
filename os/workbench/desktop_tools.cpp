#include "os/workbench/desktop_tools.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/dos/name_case.h"
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

bool hasCommandAssign() {
  for (const HostVolume& v : HostVolumes())
    if (dosname::equalNoCase(v.name, "C")) return true;
  return false;
}

// The name a tool is searched for by: a plain name, or what follows "C:"
// when nothing but a name does; "" for a tool that is a path of its own.
std::string searchedName(const std::string& tool) {
  std::string name = tool;
  if (name.size() > 2 && dosname::equalNoCase(name.substr(0, 2), "C:")) name.erase(0, 2);
  return name.find_first_of(":/") == std::string::npos ? name : "";
}

std::string lowerCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
  return name;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string findDesktopTool(const std::string& tool, std::string* where) {
  if (tool.empty()) return "";
  const std::string name = searchedName(tool);
  if (name.empty()) {
    const std::string found = programAt(tool);
    if (found.empty() && where) *where = "there is no program at that path";
    return found;
  }
  const bool commandAssign = hasCommandAssign();
  std::string found = commandAssign ? programAt("C:" + name) : "";
  const std::string lower = lowerCase(name);
  if (found.empty()) found = findOnHostPath(name);
  if (found.empty() && lower != name) found = findOnHostPath(lower);
  if (found.empty() && where) {
    const std::string names = quoted(name) + (lower != name ? " or " + quoted(lower) : "");
    *where = commandAssign ? "not found in the folders of the C: assign or on PATH (as " + names + ")"
                           : "not found on PATH (as " + names + "), and there is no C: assign";
  }
  return found;
}
