#include "os/shell/command_search.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "os/shell/shell_paths.h"

namespace {

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string findOnHostPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return "";
  const std::string folders = path;
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    // An empty entry would mean the Linux working folder, which the shell
    // never uses: it has its own current folder, searched already.
    if (end > start) {
      const std::string candidate = folders.substr(start, end - start) + "/" + name;
      if (isRegularFile(candidate) && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    start = end + 1;
  }
  return "";
}

std::string findShellCommand(const std::string& name, const std::string& dir) {
  if (name.empty()) return "";
  std::string host;
  if (name.find(':') != std::string::npos || name.find('/') != std::string::npos)
    return shellHostPath(name, dir, false, &host) && isRegularFile(host) ? host : "";
  if (shellHostPath(name, dir, false, &host) && isRegularFile(host)) return host;
  return findOnHostPath(name);
}
