// The running process's record, for the calls that read or change its fields
// (current directory, home directory, window pointer).
#pragma once
#include "os/dos/dos.h"

// The process that runs this code, or NIL when the running task is no process.
Process* ownProcess();
