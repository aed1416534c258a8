// Splitting and joining host paths ("DH0:Games/Fred") by AmigaDOS's rules.
// Every function returns a new string (the caller disposes it); a NIL path
// gives NIL.
#pragma once
#include "os/dos/dos.h"

// A copy of the final part of the path (FilePart).
char* strSubFilePart(const char* path);
// A copy of everything before the final part (PathPart): no "/" after a
// directory name, the ":" of a bare device kept ("DH0:a/b" -> "DH0:a",
// "DH0:b" -> "DH0:", "b" -> "").
char* strSubPathPart(const char* path);
// A copy of the final part; *pathPart (when given) gets a new string with
// everything before it, separator included ("DH0:a/b" -> "b" and "DH0:a/").
char* splitPath(const char* path, char** pathPart = nullptr);
// The directory (with parentOnly, only its part before its final component)
// joined with the name by AddPart. Raises BUG when the result does not fit.
char* strJoinPart(const char* dir, const char* name, bool parentOnly = false);
// The full name of the lock joined with the name (NIL reads as ""); NIL when
// the lock has no name.
char* fullPath(BPTR lock, const char* name);
