#include "os/shell/host_process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "os/shell/write_all.h"

extern char** environ;

namespace {

// Everything between fork and exec uses async-signal-safe calls only: the
// caller may have threads, and one of them may hold a lock the child needs.

void closeFrom(unsigned first, unsigned last) {
  if (first > last) return;
  if (close_range(first, last, 0) == 0) return;
  const long limit = sysconf(_SC_OPEN_MAX);
  for (long fd = first; fd <= static_cast<long>(last) && fd < limit; ++fd) close(static_cast<int>(fd));
}

// Makes the streams the child's 0, 1 and 2 and closes every other file except
// `keep` (-1 for none). Returns false when a stream is not open.
bool takeStreams(const HostStreams& streams, int keep) {
  const int sources[3] = {streams.in, streams.out, streams.err};
  int copies[3];
  // Copy first: a source may itself be 0, 1 or 2 and be overwritten below.
  for (int i = 0; i < 3; ++i) {
    copies[i] = fcntl(sources[i], F_DUPFD_CLOEXEC, 3);
    if (copies[i] < 0) return false;
  }
  for (int i = 0; i < 3; ++i)
    if (dup2(copies[i], i) < 0) return false;
  if (keep >= 3) {
    closeFrom(3, static_cast<unsigned>(keep) - 1);
    closeFrom(static_cast<unsigned>(keep) + 1, ~0u);
  } else {
    closeFrom(3, ~0u);
  }
  return true;
}

// Signals the caller handles or ignores get their default action again.
void resetSignals() {
  static const int handled[] = {SIGINT, SIGTERM, SIGQUIT, SIGPIPE, SIGCHLD, SIGHUP};
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : handled) sigaction(s, &action, nullptr);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
}

void lowerPriority(int32_t priority) {
  if (priority >= 0) return;
  const int niceness = priority < -19 ? 19 : -priority;
  errno = 0;
  const int current = getpriority(PRIO_PROCESS, 0);
  if (errno == 0 && current < niceness) setpriority(PRIO_PROCESS, 0, niceness);
}

// The program's arguments as execve takes them (pointing into program).
std::vector<char*> argvOf(const HostProgram& program) {
  std::vector<char*> argv;
  argv.reserve(program.args.size() + 1);
  for (const std::string& a : program.args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// In a forked child: becomes the program, or writes the errno of the step
// that failed to the report pipe (which exec closes) and ends.
[[noreturn]] void execOrReport(const HostProgram& program, char* const* argv, int reportWrite) {
  int failure = 0;
  const int reportFd = fcntl(reportWrite, F_DUPFD_CLOEXEC, 3);
  if (reportFd < 0 || !takeStreams(program.streams, reportFd)) {
    failure = errno ? errno : EBADF;
  } else {
    resetSignals();
    lowerPriority(program.priority);
    if (chdir(program.dir.c_str()) == 0) execve(program.path.c_str(), argv, environ);
    failure = errno;
  }
  writeAll(reportFd >= 0 ? reportFd : reportWrite, &failure, sizeof failure);
  _exit(127);
}

// In the parent: waits until the report pipe closes (the program runs) or
// brings an errno (it did not start); true with *failure set for the latter.
bool startFailed(int report[2], int* failure) {
  close(report[1]);
  *failure = 0;
  ssize_t got;
  while ((got = read(report[0], failure, sizeof *failure)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == static_cast<ssize_t>(sizeof *failure);
}

int waitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

int32_t runHostProgram(const HostProgram& program, int* startError) {
  if (startError) *startError = 0;
  const std::vector<char*> argv = argvOf(program);

  // The child reports a failed start through this pipe; exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    if (startError) *startError = errno;
    return -1;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    const int e = errno;
    close(report[0]);
    close(report[1]);
    if (startError) *startError = e;
    return -1;
  }
  if (pid == 0) {
    close(report[0]);
    execOrReport(program, argv.data(), report[1]);
  }

  int failure = 0;
  const bool failed = startFailed(report, &failure);
  const int status = waitForExit(pid);
  if (failed) {
    if (startError) *startError = failure;
    return -1;
  }
  if (status < 0) return RC_KILLED;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return RC_KILLED;
}

bool startDetachedProgram(const HostProgram& program, int* startError) {
  if (startError) *startError = 0;
  const std::vector<char*> argv = argvOf(program);
  // The program reports a failed start through this pipe; exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    if (startError) *startError = errno;
    return false;
  }
  std::fflush(nullptr);
  const pid_t middle = fork();
  if (middle < 0) {
    const int e = errno;
    close(report[0]);
    close(report[1]);
    if (startError) *startError = e;
    return false;
  }
  if (middle == 0) {
    // The middle process leaves the caller's session and ends at once, so the
    // program is adopted by the system and the caller reaps only this one.
    close(report[0]);
    setsid();
    const pid_t worker = fork();
    if (worker != 0) {
      int failure = worker < 0 ? errno : 0;
      if (worker < 0) writeAll(report[1], &failure, sizeof failure);
      _exit(worker < 0 ? 1 : 0);
    }
    execOrReport(program, argv.data(), report[1]);
  }
  int failure = 0;
  const bool failed = startFailed(report, &failure);
  waitForExit(middle);
  if (failed) {
    if (startError) *startError = failure;
    return false;
  }
  return true;
}

bool startBackgroundJob(const HostStreams& streams, int32_t priority, const std::function<int32_t()>& job) {
  // Nothing buffered may be written twice, once by each process.
  std::fflush(nullptr);
  const pid_t middle = fork();
  if (middle < 0) return false;
  if (middle == 0) {
    // The middle process leaves the caller's session (a Ctrl-C meant for the
    // caller does not reach the job) and ends at once, so the job is adopted
    // by the system and the caller reaps only this short-lived process.
    setsid();
    const pid_t worker = fork();
    if (worker < 0) _exit(1);
    if (worker > 0) _exit(0);
    if (!takeStreams(streams, -1)) _exit(RC_KILLED);
    resetSignals();
    lowerPriority(priority);
    int32_t rc = RC_KILLED;
    try {
      rc = job();
    } catch (...) {
    }
    _exit(rc < 0 ? RC_KILLED : static_cast<int>(rc & 0xff));
  }
  const int status = waitForExit(middle);
  return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
