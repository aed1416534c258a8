// Starting host programs for the shell: a foreground program the shell waits
// for, and background jobs that run in a session of their own and are never
// left behind as zombies of the caller.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The three streams a started program gets as its stdin, stdout and stderr.
struct HostStreams {
  int in = 0;
  int out = 1;
  int err = 2;
};

struct HostProgram {
  std::string path;               // the program file
  std::vector<std::string> args;  // its arguments, the program's name first
  std::string dir;                // the folder it starts in
  HostStreams streams;
  int32_t priority = 0;  // below 0 lowers the program's scheduling priority
};

// Return code of a program that ended by a signal.
constexpr int32_t RC_KILLED = 20;

// Runs the program and waits for it: its exit code, RC_KILLED when a signal
// ended it, or -1 when it could not be started (*startError, when given, then
// holds the errno of the failed step). Only the three streams and nothing
// else of the caller's open files reach the program.
int32_t runHostProgram(const HostProgram& program, int* startError = nullptr);

// Starts the program in a new session of its own and returns without waiting
// for it to end: true once it runs; false when it could not be started
// (*startError, when given, then holds the errno of the failed step: a
// missing file, one that is not executable, a folder that is not there).
// Nothing is left for the caller to reap.
bool startDetachedProgram(const HostProgram& program, int* startError = nullptr);

// Runs job() in a new process of its own session with the streams as its 0, 1
// and 2 and every other file closed, and returns without waiting: true when
// the process was started. The job's process is not a child of the caller, so
// nothing is left to reap; its result is its exit code, seen by nobody.
bool startBackgroundJob(const HostStreams& streams, int32_t priority, const std::function<int32_t()>& job);
