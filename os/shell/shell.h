// The hosted shell: runs command lines the way the Amiga shell does. Lines are
// split by ShellReader and never handed to a host shell, so names and texts on
// a command line are data and never code.
//
// Built-in commands: CD, Execute, Run, Set echo ON|OFF, Stack, RequestChoice.
// Any other command names a program: a name with a volume, an assign or a "/"
// is mapped to its Linux path; any other name is looked up in the current
// folder (exact name first, then the one name that differs only in the case of
// a-z), then on PATH. Arguments that begin with a known volume or assign are
// passed as their Linux paths, and so is the part after the first "=" of an
// argument when that part begins with one ("startup_file=Games:x.adf"); all
// other arguments pass unchanged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/shell/host_process.h"

constexpr int32_t RC_OK = 0;
constexpr int32_t RC_WARN = 5;
constexpr int32_t RC_ERROR = 10;
constexpr int32_t RC_FAIL = 20;

// Stack size of a new shell when the caller names none.
constexpr int32_t SHELL_DEFAULT_STACK = 4096;
// How deep Execute scripts may nest: a script that executes itself fails with
// RC_FAIL at this depth instead of recursing without end.
constexpr int32_t MAX_EXECUTE_DEPTH = 32;

// What a shell carries from one line to the next.
struct ShellState {
  std::string dir;      // the current folder, a Linux path
  HostStreams streams;  // the shell's own input and output; programs inherit them
  bool echo = false;    // print each line before running it
  int32_t stack = SHELL_DEFAULT_STACK;  // recorded; Linux programs size their own stacks
  int32_t priority = 0;                 // below 0: started programs run at a lower priority
  int32_t executeDepth = 0;             // Execute scripts running inside each other now
};

// Runs one line: its return code (0 for an empty line or a comment).
int32_t runShellLine(ShellState& state, const std::string& line);
// Runs lines in order, each to completion, and stops after the first that
// returns RC_ERROR or more. Returns the return code of the last line run.
int32_t runShellLines(ShellState& state, const std::vector<std::string>& lines);
// Starts lines in a background shell that begins with a copy of `state`, runs
// them as runShellLines does, and returns at once: RC_OK when started, RC_FAIL
// when the first line is an Execute whose script cannot be read (that script
// is read before this returns, so a later change of the file does not reach
// the job), -1 when no process could be started.
int32_t startShellInBackground(const ShellState& state, const std::vector<std::string>& lines);

// The lines of a text, split at each newline ("" gives none).
std::vector<std::string> splitShellLines(const std::string& text);

// Writes all of text to a stream (no buffering, safe in a forked process).
void shellWrite(int fd, const std::string& text);
