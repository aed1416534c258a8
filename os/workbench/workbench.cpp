#include "os/workbench/workbench.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/icon/icon.h"
#include "os/shell/command_search.h"
#include "os/shell/host_process.h"
#include "os/workbench/desktop_messages.h"
#include "os/workbench/desktop_tools.h"

namespace {

struct StandIn {
  std::mutex lock;
  bool active = false;
  bool answer = false;
  std::vector<ostest::WorkbenchCall> calls;
};

StandIn& standIn() {
  static StandIn s;
  return s;
}

bool hasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

bool isFolder(const std::string& linuxPath) {
  struct stat st {};
  return stat(linuxPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string folderOf(const std::string& linuxPath) {
  const size_t slash = linuxPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : linuxPath.substr(0, slash);
}

// The last part of an Amiga path, as the desktop names an object to the user.
std::string shownName(const std::string& amigaPath) {
  std::string name = amigaPath;
  while (!name.empty() && name.back() == '/') name.pop_back();
  const size_t cut = name.find_last_of(":/");
  return cut == std::string::npos || cut + 1 == name.size() ? name : name.substr(cut + 1);
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// Why a program could not be started, in the desktop's words.
std::string startFailure(int error) {
  switch (error) {
    case ENOENT: return "object not found";
    case EACCES:
    case EPERM: return "file is not executable";
    case ENOEXEC: return "not a program this system can run";
    default: return std::strerror(error);
  }
}

// Starts a program with its arguments in a folder, its input from NIL:.
// Returns 0 when it runs, else the errno of the failed step.
int startProgram(const std::string& path, std::vector<std::string> args, const std::string& folder) {
  HostProgram program;
  program.path = path;
  program.args = std::move(args);
  program.dir = folder;
  const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (nothing < 0) return errno;
  program.streams.in = nothing;
  int error = 0;
  const bool started = startDetachedProgram(program, &error);
  close(nothing);
  return started ? 0 : (error ? error : EIO);
}

// Hands a drawer, or a file without an icon, to the host's opener.
bool openOnHost(const std::string& name, const std::string& linuxPath) {
  if (!hasDisplay()) {
    showDesktopMessage("Cannot open " + quoted(shownName(name)) + ": there is no display to show it on");
    return false;
  }
  const std::string opener = findOnHostPath("xdg-open");
  if (opener.empty()) {
    showDesktopMessage("Cannot open " + quoted(shownName(name)) + ": \"xdg-open\" was not found");
    return false;
  }
  const int error = startProgram(opener, {"xdg-open", linuxPath}, folderOf(linuxPath));
  if (error) showDesktopMessage("Cannot open " + quoted(shownName(name)) + ": " + startFailure(error));
  return error == 0;
}

// Opens a project with its icon's default tool: the tool gets the project's
// Linux path as its argument and starts in the project's folder.
bool openProject(const std::string& name, const DiskObject* icon, const std::string& projectPath) {
  const std::string project = shownName(name);
  const char* tool = icon->do_DefaultTool;
  if (!tool || !*tool) {
    showDesktopMessage("Cannot open " + quoted(project) + ": the project has no default tool");
    return false;
  }
  std::string where;
  const std::string program = findDesktopTool(tool, &where);
  if (program.empty()) {
    showDesktopMessage("Cannot start the tool " + quoted(tool) + " of " + quoted(project) + ": " + where);
    return false;
  }
  const int error = startProgram(program, {tool, projectPath}, folderOf(projectPath));
  if (error)
    showDesktopMessage("Cannot start the tool " + quoted(tool) + " of " + quoted(project) + ": " + startFailure(error));
  return error == 0;
}

// Starts a tool: the program itself, in its own folder.
bool startTool(const std::string& name, const std::string& linuxPath) {
  const int error = startProgram(linuxPath, {linuxPath}, folderOf(linuxPath));
  if (error) showDesktopMessage("Cannot start " + quoted(shownName(name)) + ": " + startFailure(error));
  return error == 0;
}

bool openObject(const std::string& name) {
  const int32_t savedError = IoErr();
  std::string linuxPath;
  const bool exists = HostPathOfAmigaPath(name.c_str(), false, linuxPath);
  if (exists && isFolder(linuxPath)) return openOnHost(name, linuxPath);
  DiskObject* icon = GetDiskObject(name.c_str());
  std::string iconPath;
  if (icon && !HostPathOfAmigaPath((name + ".info").c_str(), false, iconPath)) iconPath.clear();
  SetIoErr(savedError);
  bool opened = false;
  if (icon && icon->do_Type == WBPROJECT) {
    // The project is the path, or only its icon is there: the icon's name
    // without ".info" (as a WHDLoad install has it).
    const std::string projectPath =
        exists ? linuxPath : iconPath.empty() ? std::string() : iconPath.substr(0, iconPath.size() - 5);
    opened = !projectPath.empty() && openProject(name, icon, projectPath);
  } else if (icon && icon->do_Type == WBTOOL && exists) {
    opened = startTool(name, linuxPath);
  } else if (exists) {
    opened = openOnHost(name, linuxPath);
  } else {
    showDesktopMessage("Cannot open " + quoted(shownName(name)) + ": object not found");
  }
  FreeDiskObject(icon);
  return opened;
}

}  // namespace

bool OpenWorkbenchObjectA(const char* name, const TagItem* tags) {
  {
    StandIn& s = standIn();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.active) {
      s.calls.push_back(ostest::WorkbenchCall{name ? name : "", tags != nullptr});
      return s.answer;
    }
  }
  if (!name || !*name) return false;
  return openObject(name);
}

void ostest::standInForWorkbench(bool answer) {
  StandIn& s = standIn();
  std::lock_guard<std::mutex> guard(s.lock);
  s.active = true;
  s.answer = answer;
}

void ostest::releaseWorkbench() {
  StandIn& s = standIn();
  std::lock_guard<std::mutex> guard(s.lock);
  s.active = false;
  s.calls.clear();
}

const std::vector<ostest::WorkbenchCall>& ostest::workbenchCalls() { return standIn().calls; }
