#include "os/dos/read_all.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool readAll(int fd, std::string& out) {
  char chunk[8192];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(chunk, static_cast<size_t>(n));
  }
}

bool readRegularFile(const char* linuxPath, size_t maxSize, std::vector<uint8_t>& out) {
  out.clear();
  if (!linuxPath) return false;
  const int fd = open(linuxPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 || uint64_t(st.st_size) > maxSize) {
    close(fd);
    return false;
  }
  out.resize(size_t(st.st_size));
  size_t got = 0;
  while (got < out.size()) {
    const ssize_t n = read(fd, out.data() + got, out.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += size_t(n);
  }
  close(fd);
  if (got != out.size()) {
    out.clear();
    return false;
  }
  return true;
}
