// Probing files and directories by host path, with the system's requesters
// off, and examining an object through its parent directory.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"

// What exists() asks for.
constexpr int32_t EXISTS_ANY = 0;
constexpr int32_t EXISTS_FILE = 1;
constexpr int32_t EXISTS_DIR = 2;

// Lock(path, mode) with the process's requesters off (window pointer -1),
// the window pointer put back afterwards.
BPTR lockWithoutRequester(const char* path, int32_t accessMode);
// The directory-entry type (ST_...) of the object: through its parent
// directory (examineAll of path) or by Examine of lock; 0 when it cannot be
// examined.
int32_t fileDirTypeOfLock(BPTR lock, const char* path, bool throughParent);
// The directory-entry type of the object at path, 0 when it cannot be
// examined. Through the parent a link itself is examined, not its target.
// *locked (when given) says whether the path could be locked; the path is
// locked only when that is asked or throughParent is FALSE.
int32_t fileDirType(const char* path, bool throughParent, bool* locked = nullptr);
// TRUE when the type stands for a file: zero or negative (an unknown type
// counts as a file). A soft link answers for its target, following chains
// of links. Raises BUG when a soft link has no readable target.
bool dirEntryTypeIsFile(int32_t type, const char* path);
// TRUE when the object exists and is of the kind asked for (EXISTS_...).
bool exists(const char* path, int32_t any0file1dir2 = EXISTS_ANY);
// A directory (a link is followed).
bool isDir(const char* path);
// A file (a link is followed).
bool isFile(const char* path);
// A soft link, or a hard link to a file or a directory.
bool isLink(const char* path);
// A shared lock on the directory that holds the object, ZERO when none.
BPTR lockOnParentDir(const char* path);
// Fills fib for the object from its parent directory, so that a link is
// examined and not its target: type (fib_DirEntryType), name, protection,
// size, date and comment. FALSE when there is no such entry.
bool examineAll(const char* path, FileInfoBlock* fib);
