#include "tests/support/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

FolderWatch::FolderWatch(const std::string& folder) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ >= 0 && inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_MODIFY | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
    close(fd_);
    fd_ = -1;
  }
}

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) close(fd_);
}

std::string FolderWatch::events() {
  std::string seen;
  alignas(inotify_event) char buffer[4096];
  ssize_t n;
  while (fd_ >= 0 && (n = read(fd_, buffer, sizeof buffer)) > 0) {
    for (char* at = buffer; at < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(at);
      at += sizeof(inotify_event) + e->len;
      if (e->len == 0) continue;  // the folder itself, read for a listing
      if (!seen.empty()) seen += " ";
      seen += (e->mask & IN_OPEN)          ? "open"
              : (e->mask & IN_MODIFY)      ? "modify"
              : (e->mask & IN_CLOSE_WRITE) ? "close-write"
                                           : "close-read";
    }
  }
  return seen;
}
