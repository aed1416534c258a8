#include "os/shell/shell_builtins.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "os/dos/host_paths.h"
#include "os/dos/read_all.h"
#include "os/shell/shell_paths.h"

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void say(const ShellState& state, const std::string& text) { shellWrite(state.streams.err, text + "\n"); }

// CD [dir]: makes dir the current folder for the following lines; without an
// argument prints the current folder's Amiga name.
int32_t commandCd(ShellState& state, const ShellCommand& command) {
  if (command.args.empty()) {
    shellWrite(command.streams.out, AmigaPathOfHostPath(state.dir.c_str()) + "\n");
    return RC_OK;
  }
  const std::string& target = command.args[0].text;
  std::string host;
  struct stat st {};
  if (!shellHostPath(target, state.dir, false, &host) || stat(host.c_str(), &st) != 0) {
    say(state, "Can't find " + target);
    return RC_FAIL;
  }
  if (!S_ISDIR(st.st_mode)) {
    say(state, target + " is not a directory");
    return RC_FAIL;
  }
  char resolved[PATH_MAX];
  state.dir = realpath(host.c_str(), resolved) ? resolved : host;
  return RC_OK;
}

// Set echo ON|OFF.
int32_t commandSet(ShellState& state, const ShellCommand& command) {
  if (command.args.size() == 2 && sameCommandName(command.args[0].text, "echo")) {
    if (sameCommandName(command.args[1].text, "ON")) {
      state.echo = true;
      return RC_OK;
    }
    if (sameCommandName(command.args[1].text, "OFF")) {
      state.echo = false;
      return RC_OK;
    }
  }
  say(state, "Set: only \"Set echo ON\" and \"Set echo OFF\" are known");
  return RC_ERROR;
}

// Stack [size]: records the stack size; without an argument prints it.
int32_t commandStack(ShellState& state, const ShellCommand& command) {
  if (command.args.empty()) {
    shellWrite(command.streams.out, "Current stack size is " + std::to_string(state.stack) + " bytes\n");
    return RC_OK;
  }
  const std::string& text = command.args[0].text;
  errno = 0;
  char* end = nullptr;
  const long size = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || errno || size <= 0 || size > INT32_MAX) {
    say(state, "Stack: bad size \"" + text + "\"");
    return RC_ERROR;
  }
  state.stack = static_cast<int32_t>(size);
  return RC_OK;
}

// RequestChoice title body button... [TIMEOUTSECS=n]: shows the note on the
// shell's console (not in the command's redirected output, which is where the
// chosen button's number would go) and answers the first button at once.
int32_t commandRequestChoice(ShellState& state, const ShellCommand& command) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < command.args.size(); ++i) {
    const ShellItem& a = command.args[i];
    if (!a.quoted && (sameCommandName(a.text, "TIMEOUTSECS") || sameCommandName(a.text, "PUBSCREEN"))) {
      ++i;  // the keyword's value follows as the next word
      continue;
    }
    if (!a.quoted && (sameCommandName(a.text.substr(0, 12), "TIMEOUTSECS=") ||
                      sameCommandName(a.text.substr(0, 10), "PUBSCREEN="))) {
      continue;
    }
    positional.push_back(a.text);
  }
  if (positional.size() < 3) {
    say(state, "RequestChoice: title, body and at least one button are needed");
    return RC_FAIL;
  }
  shellWrite(state.streams.out, positional[0] + ": " + positional[1] + "\n");
  return 1;
}

// Execute script: runs the script's lines in this shell, each to completion,
// until one returns RC_ERROR or more.
int32_t commandExecute(ShellState& state, const ShellCommand& command) {
  if (state.executeDepth >= MAX_EXECUTE_DEPTH) {
    say(state, "Execute: scripts nested more than " + std::to_string(MAX_EXECUTE_DEPTH) + " deep");
    return RC_FAIL;
  }
  std::vector<std::string> loaded;
  const std::vector<std::string>* lines = command.script;
  if (!lines) {
    const int32_t rc = loadExecuteScript(state, command, &loaded);
    if (rc != RC_OK) return rc;
    lines = &loaded;
  }
  const HostStreams outer = state.streams;
  state.streams.in = command.streams.in;
  state.streams.out = command.streams.out;
  ++state.executeDepth;
  int32_t rc = RC_OK;
  try {
    rc = runShellLines(state, *lines);
  } catch (...) {
    state.streams = outer;
    --state.executeDepth;
    throw;
  }
  state.streams = outer;
  --state.executeDepth;
  return rc;
}

struct NamedBuiltin {
  const char* name;
  ShellBuiltin run;
};

const NamedBuiltin builtins[] = {
    {"CD", commandCd},
    {"Set", commandSet},
    {"Stack", commandStack},
    {"RequestChoice", commandRequestChoice},
    {"Execute", commandExecute},
};

// Reads the whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string* text) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return false;
  }
  const bool ok = readAll(fd, *text);
  close(fd);
  return ok;
}

}  // namespace

bool sameCommandName(const std::string& a, const char* b) {
  const size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

ShellBuiltin findShellBuiltin(const std::string& name) {
  for (const NamedBuiltin& b : builtins)
    if (sameCommandName(name, b.name)) return b.run;
  return nullptr;
}

int32_t loadExecuteScript(const ShellState& state, const ShellCommand& command, std::vector<std::string>* lines) {
  lines->clear();
  if (command.args.empty()) {
    say(state, "Execute: no script given");
    return RC_FAIL;
  }
  const std::string& name = command.args[0].text;
  std::string host, text;
  if (!shellHostPath(name, state.dir, false, &host) || !readWholeFile(host, &text)) {
    say(state, "Execute: can't open " + name);
    return RC_FAIL;
  }
  *lines = splitShellLines(text);
  return RC_OK;
}
