#include "os/dos/console_windows.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "os/dos/console_handles.h"
#include "os/dos/file_handles.h"
#include "os/dos/host_errors.h"
#include "os/dos/name_case.h"
#include "os/dos/process_record.h"

namespace {

ConsoleHost* host = nullptr;
// The terminal side of the program's own console window, kept while the
// window is there; -1: none.
int ownConsole = -1;
std::optional<bool> terminalOverride;

bool terminalAtStandardStreams() {
  if (terminalOverride) return *terminalOverride;
  return isatty(STDIN_FILENO) || isatty(STDOUT_FILENO) || isatty(STDERR_FILENO);
}

bool startsWithNoCase(const char* text, const char* start) {
  for (; *start; ++text, ++start)
    if (dosname::foldAZ(*text) != dosname::foldAZ(*start)) return false;
  return true;
}

int32_t numberOr(const std::string& field, int32_t none) {
  if (field.empty()) return none;
  char* end = nullptr;
  const long n = std::strtol(field.c_str(), &end, 10);
  return *end || n < 0 || n > 100000 ? none : static_cast<int32_t>(n);
}

BPTR failWith(int32_t code) { return dosproc::failLock(code); }

// A console handle on a descriptor (taken over).
BPTR consoleHandle(int fd, int32_t mode, int writeFd = -1) {
  BPTR handle = dosfh::adoptDescriptor(fd, mode);
  auto* record = dosfh::recordOf(dosfh::asHandle(handle));
  record->console = true;
  record->writeFd = writeFd;
  return handle;
}

// The console on the program's standard streams: it reads standard input
// and writes standard output.
BPTR standardStreams(int32_t mode) {
  int in = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
  if (in < 0) in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);  // no input at all: nothing to read
  const int out = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (in < 0 || out < 0) {
    const int32_t code = dosio::ioErrOfErrno(errno, ERROR_OBJECT_NOT_FOUND);
    if (in >= 0) close(in);
    if (out >= 0) close(out);
    return failWith(code);
  }
  return consoleHandle(in, mode, out);
}

// A new console window: a terminal pair whose controlling side goes to the
// host. Its other side is answered (-1 with IoErr set when none can be made).
int newWindow(const ConsoleWindowSpec& spec) {
  const int controlling = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  int side = -1;
  if (controlling >= 0 && grantpt(controlling) == 0 && unlockpt(controlling) == 0 &&
      ptsname_r(controlling, name, sizeof name) == 0)
    side = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (side < 0) {
    dosproc::fail(dosio::ioErrOfErrno(errno, ERROR_NO_FREE_STORE));
    if (controlling >= 0) close(controlling);
    return -1;
  }
  // What is written shows as it is ("\n" stays "\n"); typing is edited in
  // lines and echoed, as in any console.
  termios settings{};
  if (tcgetattr(side, &settings) == 0) {
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(side, TCSANOW, &settings);
  }
  host->openConsoleWindow(spec, controlling);
  return side;
}

// TRUE while the window of a terminal side is there (its controlling side open).
bool windowThere(int side) {
  pollfd p{side, POLLOUT, 0};
  return poll(&p, 1, 0) >= 0 && !(p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

// The program's own console window: the one it has while that is there, else a new one.
BPTR ownConsoleWindow(int32_t mode) {
  if (ownConsole >= 0 && !windowThere(ownConsole)) {
    close(ownConsole);
    ownConsole = -1;
  }
  if (ownConsole < 0) {
    ConsoleWindowSpec spec;
    spec.autoOpen = spec.closeGadget = spec.wait = true;
    ownConsole = newWindow(spec);
    if (ownConsole < 0) return ZERO;
  }
  const int fd = fcntl(ownConsole, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return failWith(dosio::ioErrOfErrno(errno, ERROR_NO_FREE_STORE));
  return consoleHandle(fd, mode);
}

}  // namespace

ConsoleWindowSpec ParseConsoleSpec(const char* afterColon) {
  std::vector<std::string> fields(1);
  for (const char* p = afterColon ? afterColon : ""; *p; ++p) {
    if (*p == '/')
      fields.emplace_back();
    else
      fields.back() += *p;
  }
  fields.resize(std::max<size_t>(fields.size(), 5));
  ConsoleWindowSpec spec;
  spec.left = numberOr(fields[0], -1);
  spec.top = numberOr(fields[1], -1);
  spec.width = numberOr(fields[2], -1);
  spec.height = numberOr(fields[3], -1);
  spec.title = fields[4];
  for (size_t i = 5; i < fields.size(); ++i) {
    const char* option = fields[i].c_str();
    if (dosname::equalNoCase(option, "AUTO")) spec.autoOpen = true;
    if (dosname::equalNoCase(option, "CLOSE")) spec.closeGadget = true;
    if (dosname::equalNoCase(option, "WAIT")) spec.wait = true;
  }
  return spec;
}

ConsoleHost* SetConsoleHost(ConsoleHost* newHost) {
  ConsoleHost* before = host;
  host = newHost;
  // A window of the host before is no longer this program's console.
  dosconsole::reset();
  return before;
}

void ostest::setTerminalAtStandardStreams(std::optional<bool> terminal) { terminalOverride = terminal; }

bool dosconsole::isConsoleName(const char* name) {
  return name && (startsWithNoCase(name, "CON:") || dosname::equalNoCase(name, "CONSOLE:"));
}

BPTR dosconsole::open(const char* name, int32_t mode) {
  if (startsWithNoCase(name, "CON:")) {
    if (!host) return standardStreams(mode);
    const int side = newWindow(ParseConsoleSpec(name + 4));
    return side < 0 ? ZERO : consoleHandle(side, mode);
  }
  if (!host || terminalAtStandardStreams()) return standardStreams(mode);
  return ownConsoleWindow(mode);
}

void dosconsole::reset() {
  if (ownConsole >= 0) close(ownConsole);
  ownConsole = -1;
}
