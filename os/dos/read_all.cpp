#include "os/dos/read_all.h"

#include <errno.h>
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
