// The directory module: directory objects and the operations on whole trees.
#pragma once

class cHostDir;
class funcRecurseFile;
class funcRecurseDir;
class funcRecurseDirFailure;
class funcRecurseDirAbort;

// The one directory object of a running DeleteDirPath; NIL otherwise.
extern cHostDir* deleteDir_dir;
// The walk's default callback objects, made at module start.
extern funcRecurseFile* funcRecurseFile_cpath_dir;
extern funcRecurseDir* funcRecurseDir_cpath_dir;
extern funcRecurseDirFailure* funcRecurseDirFailure_cpath_dir;
extern funcRecurseDirAbort* funcRecurseDirAbort_cpath_dir;

// Start: the disk evaluation of cDir remembers no device yet; the default
// callback objects are made.
void new_cpath_dir();
// End: releases what the module keeps; safe when it never started.
void end_cpath_dir();
