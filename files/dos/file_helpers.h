// Whole-file helpers by host path: copying, making directory trees, sizes
// and comments.
#pragma once
#include <cstdint>

// Copies the file with its protection bits, comment and date. An existing
// destination is refused unless overwrite, and a destination that is the
// source itself always is. A short read or write deletes the destination.
// Files of up to 2^31-1 bytes. TRUE on success; raises ERR when the
// source's size cannot be found.
bool copyFile(const char* source, const char* destination, bool overwrite);
// Creates the directory and whichever of its parents are missing. TRUE when
// the directory exists afterwards.
bool createDirTree(const char* path);
// The file's size, from an open handle or else by examining it (through its
// parent when asked); -1 with a warning printed when it cannot be found.
int64_t fileSize(const char* path, bool throughParent);
// A copy of the object's comment (a new string), NIL when it cannot be
// locked or examined.
char* getComment(const char* path);
