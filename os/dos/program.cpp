// The running program as dos.library knows it: its name, the folder its file
// lies in and its argument line, taken from Linux at first use (the executable
// and the command line) unless the program set them.

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "os/dos/call_hooks.h"
#include "os/dos/lock_records.h"
#include "os/dos/process_record.h"
#include "os/dos/program_record.h"

namespace {

struct ProgramState {
  bool nameSet = false;
  std::string name;
  bool argsSet = false;
  std::string args;
  std::string previousArgs;  // what SetArgStr last replaced, valid until its next call
};

ProgramState& state() {
  static ProgramState s;
  return s;
}

std::string executablePath() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// The arguments after the program's own name, from /proc/self/cmdline.
std::vector<std::string> commandLineArguments() {
  std::vector<std::string> args;
  const int fd = open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return args;
  std::string all;
  char chunk[4096];
  ssize_t n;
  while ((n = read(fd, chunk, sizeof chunk)) > 0) all.append(chunk, static_cast<size_t>(n));
  close(fd);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    args.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  if (!args.empty()) args.erase(args.begin());
  return args;
}

// One argument as the shell reads it back: quoted when it holds blanks,
// quotes or is empty, with "*" escaping "*", '"' and newlines inside quotes.
std::string quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"*\n=;") == std::string::npos) return arg;
  std::string out = "\"";
  for (char c : arg) {
    if (c == '"' || c == '*')
      out += std::string("*") + c;
    else if (c == '\n')
      out += "*N";
    else
      out += c;
  }
  return out + "\"";
}

}  // namespace

bool GetProgramName(char* buffer, int32_t length) {
  if (int32_t injected = doshook::enter("GetProgramName")) return dosproc::fail(injected);
  ProgramState& s = state();
  if (!s.nameSet) {
    const std::string exe = executablePath();
    s.name = exe.substr(exe.rfind('/') + 1);
    s.nameSet = true;
  }
  if (!buffer || length <= 0 || s.name.size() + 1 > static_cast<size_t>(length)) {
    if (buffer && length > 0) buffer[0] = '\0';
    return dosproc::fail(ERROR_LINE_TOO_LONG);
  }
  std::memcpy(buffer, s.name.c_str(), s.name.size() + 1);
  return true;
}

bool SetProgramName(const char* name) {
  if (int32_t injected = doshook::enter("SetProgramName", name)) return dosproc::fail(injected);
  state().name = name ? name : "";
  state().nameSet = true;
  return true;
}

BPTR GetProgramDir() {
  if (int32_t injected = doshook::enter("GetProgramDir")) return dosproc::failLock(injected);
  Process& p = dosproc::self();
  if (!p.pr_HomeDir) {
    const std::string exe = executablePath();
    const size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return dosproc::failLock(ERROR_OBJECT_NOT_FOUND);
    int32_t error = 0;
    p.pr_HomeDir = dosl::lockHostPath(slash == 0 ? "/" : exe.substr(0, slash), SHARED_LOCK, &error);
    if (!p.pr_HomeDir) return dosproc::failLock(error);
  }
  return p.pr_HomeDir;
}

BPTR SetProgramDir(BPTR lock) {
  doshook::enter("SetProgramDir");
  Process& p = dosproc::self();
  BPTR old = p.pr_HomeDir;
  p.pr_HomeDir = lock;
  return old;
}

namespace {

const std::string& currentArgs() {
  ProgramState& s = state();
  if (!s.argsSet) {
    s.args.clear();
    for (const std::string& arg : commandLineArguments()) {
      if (!s.args.empty()) s.args += ' ';
      s.args += quoted(arg);
    }
    s.args += '\n';
    s.argsSet = true;
  }
  return s.args;
}

}  // namespace

const char* GetArgStr() {
  doshook::enter("GetArgStr");
  return currentArgs().c_str();
}

const char* SetArgStr(const char* argString) {
  doshook::enter("SetArgStr");
  ProgramState& s = state();
  s.previousArgs = currentArgs();
  s.args = argString ? argString : "";
  return s.previousArgs.c_str();
}

void dosprogram::reset() { state() = ProgramState{}; }
