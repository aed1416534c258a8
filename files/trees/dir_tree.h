// Operations on whole directory trees named by canonical directory paths:
// walking a tree with callback objects, deleting a tree, and creating the
// missing directories of a path. Each uses one directory object (cHostDir)
// for all the directories it opens, and leaves no object, list or string
// behind on any way out.
#pragma once
#include "files/trees/recurse_callbacks.h"

// Walks the tree below dirPath breadth first: all entries of a directory (in
// the entry list's case-insensitive order) before any of its subdirectories,
// subdirectories level by level in the order they were found. Each file goes
// to fileFunc->call with its full path, named below the full name of its
// folder's lock (the folder's one name, whichever way the walk reached it: a
// folder that is a volume's or an assign's gives its entries names through
// that volume or assign). Each subdirectory is walked unless
// dirFunc (when given) answers FALSE for it. A directory that cannot be
// opened or listed goes to failureFunc (when given; an answer of FALSE ends
// the walk) and is skipped. A directory reached again (through a soft link)
// is skipped, so a link to an ancestor does not walk forever. After each
// directory a Ctrl-C is read and cleared: with directories still to walk it
// ends the walk, calling abortFunc with the next one, or raising BRK when
// there is no abortFunc. Errors of the callbacks pass out of the walk.
// EPU for a NIL or invalid dirPath or a NIL fileFunc.
void RecurseDir(const char* dirPath, funcRecurseFile* fileFunc, funcRecurseDir* dirFunc = nullptr,
                funcRecurseDirFailure* failureFunc = nullptr, funcRecurseDirAbort* abortFunc = nullptr);

// Deletes the directory at path with everything in it (with force also
// protected objects). A soft or hard link found in the tree is deleted
// itself, never what it leads to; a path that is itself a link loses only
// the link. Every entry is tried even after a failure; TRUE when the whole
// tree is gone. EPU for a NIL or invalid path.
bool DeleteDirPath(const char* path, bool force);

// Creates every missing directory of path: of the path itself when it names
// a directory and parentOnly is FALSE, else of its parent part. TRUE when all
// were created or none was missing; FALSE at the first that could not be
// created (those made before it stay). EPU for a NIL path.
bool CreateDirs(const char* path, bool parentOnly);
