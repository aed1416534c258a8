#include "os/workbench/workbench.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "os/dos/host_paths.h"

extern char** environ;

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

// The first executable "xdg-open" in the folders of PATH, or "".
std::string findOpener() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    const size_t colon = folders.find(':', start);
    std::string folder = folders.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/xdg-open";
    struct stat st;
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (colon == std::string::npos) return {};
    start = colon + 1;
  }
}

// Starts the opener on the Linux path with its own session and no terminal
// input; a background thread waits for it so that it leaves no zombie.
bool spawnOpener(const std::string& opener, const std::string& linuxPath) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string arg0 = "xdg-open";
  std::string arg1 = linuxPath;
  char* argv[] = {arg0.data(), arg1.data(), nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, opener.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (failed) return false;
  std::thread([pid] {
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
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
  if (!name || !hasDisplay()) return false;
  std::string linuxPath;
  if (!HostPathOfAmigaPath(name, false, linuxPath)) return false;
  const std::string opener = findOpener();
  if (opener.empty()) return false;
  return spawnOpener(opener, linuxPath);
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
