#include "os/dos/watched_folders.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <set>
#include <unordered_map>

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
  std::set<std::string> folders;  // in order, so that the ones below a folder stand together
  std::unordered_multimap<int, std::string> folderOfWatch;  // one inode watched under several paths has one watch
};

Watcher& watcher() {
  static Watcher w;
  return w;
}

// The kernel signals the process when an event joins the queue, so that an
// empty queue is known without reading it: a load of a long list resolves
// several paths a game, and an empty read of the queue for each cost as
// much as the rest of the resolving. The flag is set before the queue is
// first read and again by every signal; a read clears it first, so that an
// event that comes during the read signals again. Where the signal cannot
// be had, every look reads the queue.
std::atomic<bool> queueMayHoldEvents{true};
bool queueSignals = false;  // events on the descriptor raise SIGIO
static_assert(std::atomic<bool>::is_always_lock_free);

void onQueueSignal(int) { queueMayHoldEvents.store(true, std::memory_order_relaxed); }

// A new descriptor (the first, or one that took the place of another).
int newQueue() {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  queueMayHoldEvents.store(true);
  if (fd < 0) return fd;
  static const bool handled = [] {
    struct sigaction action {};
    action.sa_handler = onQueueSignal;
    sigemptyset(&action.sa_mask);
    // Slow calls the signal interrupts go on as if it never came.
    action.sa_flags = SA_RESTART;
    // A forked child shares the queue, but the signals go to its parent:
    // the child reads at every look.
    pthread_atfork(nullptr, nullptr, [] { queueSignals = false; });
    return sigaction(SIGIO, &action, nullptr) == 0;
  }();
  const int flags = fcntl(fd, F_GETFL);
  queueSignals =
      handled && flags >= 0 && fcntl(fd, F_SETOWN, getpid()) == 0 && fcntl(fd, F_SETFL, flags | O_ASYNC) == 0;
  return fd;
}

// Every watch goes at once with its descriptor; a new one takes its place, so
// that dos keeps the same number of descriptors open. (Closing an inotify
// descriptor waits for the kernel's readers, some milliseconds: only events
// that may have moved a watched folder come here.)
void dropAll(Watcher& w) {
  if (w.fd >= 0) {
    close(w.fd);
    w.fd = newQueue();
    w.unavailable = w.fd < 0;
  }
  w.folders.clear();
  w.folderOfWatch.clear();
  ++w.generation;
}

// Whether the path is a watched folder or lies on the way to one.
bool leadsToWatched(const Watcher& w, const std::string& path) {
  if (w.folders.count(path)) return true;
  const std::string below = path + "/";
  const auto next = w.folders.lower_bound(below);
  return next != w.folders.end() && next->compare(0, below.size(), below) == 0;
}

// Whether after the event a watched path may name another folder than the
// one its watch is on: a watch went or moved, events were lost, or a name
// that is or leads to a watched folder was made, moved or deleted. A change
// of any other name keeps the watches (the generation still moves on).
bool mayMoveWatchedFolders(const Watcher& w, const inotify_event& e) {
  if (e.mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) return true;
  if (!(e.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))) return false;
  const auto [first, last] = w.folderOfWatch.equal_range(e.wd);
  if (first == last || e.len == 0) return true;
  for (auto it = first; it != last; ++it) {
    const std::string& folder = it->second;
    if (leadsToWatched(w, folder + (!folder.empty() && folder.back() == '/' ? "" : "/") + e.name)) return true;
  }
  return false;
}

}  // namespace

uint64_t generation() {
  Watcher& w = watcher();
  if (w.fd < 0) return w.generation;
  if (queueSignals && !queueMayHoldEvents.load(std::memory_order_relaxed)) return w.generation;
  queueMayHoldEvents.store(false);
  alignas(inotify_event) char buffer[4096];
  ssize_t n;
  do n = read(w.fd, buffer, sizeof buffer);
  while (n < 0 && errno == EINTR);
  // Any event at all (a change, a lost queue, a watch gone with its folder)
  // ends what was kept. The watches start over as folders are read again
  // when a watched folder may have moved.
  if (n < 0 && errno != EAGAIN) {
    dropAll(w);
  } else if (n > 0) {
    // More may wait than one read takes: the next look reads again.
    queueMayHoldEvents.store(true);
    bool moved = false;
    for (char* at = buffer; at < buffer + n && !moved;) {
      const auto* e = reinterpret_cast<const inotify_event*>(at);
      moved = mayMoveWatchedFolders(w, *e);
      at += sizeof(inotify_event) + e->len;
    }
    if (moved) {
      dropAll(w);
    } else {
      ++w.generation;
    }
  }
  return w.generation;
}

bool available() {
  Watcher& w = watcher();
  if (w.fd < 0 && !w.unavailable) {
    w.fd = newQueue();
    w.unavailable = w.fd < 0;
  }
  return !w.unavailable;
}

bool watch(const std::string& folder) {
  Watcher& w = watcher();
  if (w.folders.count(folder)) return true;
  if (w.folders.size() >= MAX_WATCHED) dropAll(w);
  if (!available()) return false;
  const int wd = inotify_add_watch(w.fd, folder.c_str(), CHANGES);
  if (wd < 0) return false;
  w.folders.insert(folder);
  w.folderOfWatch.emplace(wd, folder);
  return true;
}

void reset() {
  Watcher& w = watcher();
  dropAll(w);
  w.unavailable = false;
  available();
}

}  // namespace doswatch
