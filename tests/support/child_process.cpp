#include "tests/support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

ChildResult runInChild(const std::function<int()>& body) {
  ChildResult result;
  int fds[2];
  if (pipe(fds) != 0) return result;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) return result;
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDOUT_FILENO);
    close(fds[1]);
    const int code = body();
    std::fflush(stdout);
    _exit(code);
  }
  close(fds[1]);
  char buffer[4096];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}
