// The running program's own file, and the command names of processes.
#pragma once
#include <cstdint>

#include "os/exec/tasks.h"

// The host path of the program's own file (a new string): its folder
// (GetProgramDir) joined with the final part of the name it was started
// under. NIL when either is not known.
char* strSafeGetProgramPath();
// The command name of a shell process (a new string); NIL for a task that is
// no process, a process without a shell, or an empty name.
char* processNameOfTask(Task* task);

// A new string from a BCPL string (a length byte, then the characters); NIL for NIL.
char* bcplToString(const uint8_t* bcpl);
// text as a BCPL string in bcpl, a buffer of `maximum` bytes with the length
// byte (at most 255 characters, fewer when they do not fit). Returns the
// characters stored.
int32_t stringToBcpl(const char* text, uint8_t* bcpl, int32_t maximum);
