#include "os/shell/shell_paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool sameIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

// The entry of folder `dir` named `name`: the exact name, else the one entry
// that differs only in a-z case, else the name as given (a new file).
std::string matchInFolder(const std::string& dir, const std::string& name) {
  struct stat st {};
  const std::string exact = dir + "/" + name;
  if (lstat(exact.c_str(), &st) == 0) return exact;
  DIR* d = opendir(dir.c_str());
  if (!d) return exact;
  std::string found;
  int matches = 0;
  while (dirent* e = readdir(d)) {
    if (sameIgnoringCase(name, e->d_name)) {
      found = e->d_name;
      ++matches;
    }
  }
  closedir(d);
  return matches == 1 ? dir + "/" + found : exact;
}

}  // namespace

bool startsWithKnownVolume(const std::string& text) { return strncasecmp(text.c_str(), "NIL:", 4) == 0; }

bool shellHostPath(const std::string& amigaPath, const std::string& dir, std::string* hostPath) {
  if (strncasecmp(amigaPath.c_str(), "NIL:", 4) == 0) {
    *hostPath = "/dev/null";
    return true;
  }
  if (amigaPath.find(':') != std::string::npos) return false;
  if (!amigaPath.empty() && amigaPath[0] == '/') {
    *hostPath = amigaPath;
    return true;
  }
  *hostPath = amigaPath.find('/') == std::string::npos ? matchInFolder(dir, amigaPath) : dir + "/" + amigaPath;
  return true;
}

std::string mapShellArgument(const std::string& argument, const std::string& dir) {
  std::string host;
  if (startsWithKnownVolume(argument) && shellHostPath(argument, dir, &host)) return host;
  return argument;
}
