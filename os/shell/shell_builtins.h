// The shell's built-in commands (other than Run, which takes the rest of its
// line as it was written and lives with the interpreter).
#pragma once
#include <string>
#include <vector>

#include "os/shell/shell.h"
#include "os/shell/shell_reader.h"

// One command as a built-in sees it.
struct ShellCommand {
  std::string name;
  std::vector<ShellItem> args;  // the words after the name
  HostStreams streams;          // the shell's streams after the line's redirections
  // Execute only: the script's lines, read before the command was started.
  const std::vector<std::string>* script = nullptr;
};

using ShellBuiltin = int32_t (*)(ShellState& state, const ShellCommand& command);

// The built-in of that name, a-z case ignored, or NIL.
ShellBuiltin findShellBuiltin(const std::string& name);

// Reads the whole script an Execute command names into lines: RC_OK, or
// RC_FAIL after printing why it could not.
int32_t loadExecuteScript(const ShellState& state, const ShellCommand& command, std::vector<std::string>* lines);

// True when the two names are equal with a-z folded to upper case.
bool sameCommandName(const std::string& a, const char* b);
