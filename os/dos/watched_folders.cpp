#include "os/dos/watched_folders.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <unordered_set>

namespace doswatch {
namespace {

// More folders than this and the watches start over.
constexpr size_t MAX_WATCHED = 4096;
// What changes the names in a folder or the folder itself; reading does not.
constexpr uint32_t CHANGES = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                             IN_ATTRIB | IN_ONLYDIR;

struct Watcher {
  int fd = -1;
  bool unavailable = false;  // inotify could not be had: nothing is watched
  uint64_t generation = 1;
  std::unordered_set<std::string> folders;
};

Watcher& watcher() {
  static Watcher w;
  return w;
}

// Every watch goes at once with its descriptor; a new one takes its place, so
// that dos keeps the same number of descriptors open.
void dropAll(Watcher& w) {
  if (w.fd >= 0) {
    close(w.fd);
    w.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    w.unavailable = w.fd < 0;
  }
  w.folders.clear();
  ++w.generation;
}

}  // namespace

uint64_t generation() {
  Watcher& w = watcher();
  if (w.fd < 0) return w.generation;
  alignas(inotify_event) char buffer[4096];
  ssize_t n;
  do n = read(w.fd, buffer, sizeof buffer);
  while (n < 0 && errno == EINTR);
  // Any event at all (a change, a lost queue, a watch gone with its folder)
  // ends what was kept; the watches start over as folders are read again.
  if (n > 0 || (n < 0 && errno != EAGAIN)) dropAll(w);
  return w.generation;
}

bool available() {
  Watcher& w = watcher();
  if (w.fd < 0 && !w.unavailable) {
    w.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    w.unavailable = w.fd < 0;
  }
  return !w.unavailable;
}

bool watch(const std::string& folder) {
  Watcher& w = watcher();
  if (w.folders.count(folder)) return true;
  if (w.folders.size() >= MAX_WATCHED) dropAll(w);
  if (!available()) return false;
  if (inotify_add_watch(w.fd, folder.c_str(), CHANGES) < 0) return false;
  w.folders.insert(folder);
  return true;
}

void reset() {
  Watcher& w = watcher();
  dropAll(w);
  w.unavailable = false;
  available();
}

}  // namespace doswatch
