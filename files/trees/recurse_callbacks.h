// The callback objects of a directory walk (RecurseDir). A walk tells the
// file callback about every file, asks the directory callback whether to go
// into a directory, tells the failure callback about a directory it could not
// open or list, and tells the abort callback where a Ctrl-C stopped it.
//
// Each class forwards its base's operation to its own, so that one object of
// the most derived class, handed to a walk in every role, receives every call
// through call_funcRecurseDirFailure (origin and reason NIL for an ordinary
// visit).
#pragma once
#include "core/class_base.h"

class funcRecurseFile : public function {
  LUDEX_CLASS(funcRecurseFile, function)
 public:
  // A file of the tree, by its canonical path (the walk's, valid during the call).
  virtual void call(const char* /*path*/) {}
};

class funcRecurseDir : public funcRecurseFile {
  LUDEX_CLASS(funcRecurseDir, funcRecurseFile)
 public:
  void call(const char* path) override { call_funcRecurseDir(path); }
  // A directory found in the tree: TRUE to walk into it. The default goes in.
  virtual bool call_funcRecurseDir(const char* /*path*/) { return true; }
};

class funcRecurseDirFailure : public funcRecurseDir {
  LUDEX_CLASS(funcRecurseDirFailure, funcRecurseDir)
 public:
  bool call_funcRecurseDir(const char* path) override { return call_funcRecurseDirFailure(path, nullptr, nullptr); }
  // A directory that could not be opened or listed, with the operation that
  // failed ("cHostDir.open()") and why: TRUE to go on with the walk. Called
  // with NIL origin and reason for an ordinary visit. The default goes on.
  virtual bool call_funcRecurseDirFailure(const char* /*path*/, const char* /*origin*/, const char* /*reason*/) {
    return true;
  }
};

class funcRecurseDirAbort : public function {
  LUDEX_CLASS(funcRecurseDirAbort, function)
 public:
  // Ctrl-C ended the walk; path is the directory it would have opened next.
  virtual void call(const char* /*path*/) {}
};
