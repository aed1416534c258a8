// dos.library calls that fill the program's strings.
//
// The fixed-capacity wrappers fill the caller's string in place, within its
// capacity, and set its length from what the call put there. The growing
// variants ("strSafe...") return a new string big enough for the whole text
// (the caller disposes it), or NIL when the call fails.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"

// Fault(code, header) into s; returns the length of the text.
int32_t strFault(int32_t code, const char* header, char* s);
// GetVar into s. FALSE when the variable is not set; *length gets the
// characters read.
bool strGetVar(const char* name, char* s, uint32_t flags, int32_t* length = nullptr);
// SetVar(name, value, length of value, flags).
bool strSetVar(const char* name, const char* value, uint32_t flags);
// AddPart(path, part) in place, within the capacity of path.
bool strAddPart(char* path, const char* part);
// The full name of an open file.
bool strNameFromFH(char* s, BPTR fh);
// The full name of a lock.
bool strNameFromLock(char* s, BPTR lock);
// The program name the shell started the program under.
bool strGetProgramName(char* s);
// The full name of the process's current directory; when it has none, of its
// home directory (the program's own folder). FALSE (212) for a task that is
// no process.
bool strGetNameOfCurrentDir(char* s);

// The growing variants: they start at 128 characters and double while the
// call answers "line too long" (120), up to a limit; any other failure is NIL.
char* strSafeNameFromLock(BPTR lock);
char* strSafeNameFromFH(BPTR fh);
char* strSafeGetNameOfCurrentDir();
char* strSafeGetProgramName();
// The variable's whole value, NIL when it is not set.
char* strSafeGetVar(const char* name, uint32_t flags);

// Fault(code, header) into one shared buffer of 512 characters, made on the
// first call; the text stays valid until the next call.
char* staticFault(int32_t code, const char* header);
// Frees the shared buffer (the shell module's finaliser does this at exit).
void disposeStaticFault();
