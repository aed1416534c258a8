// cBaseDir: what a directory object adds to cPath. The host directory class
// fills in opening a child and listing the entries.
#pragma once
#include "files/objects/path.h"

class cDirEntryList;

class cBaseDir : public cPath {
  LUDEX_CLASS(cBaseDir, cPath)

 public:
  // The constructor; empty here.
  virtual void new_cBaseDir() {}
  // Reopens the object on its parent directory (the absolute path's parent),
  // read-only as it was, with force. When that fails the object is opened
  // again where it was (BUG when even that fails), keeps the failed open's
  // origin and reason, and the answer is FALSE. At a volume root there is no
  // parent: FALSE with origin "cBaseDir.openParent()", the object untouched.
  virtual bool openParent(bool force);
  // Reopens the object on the directory relativeDirPath below it. Placeholder.
  virtual bool openChild(const char* /*relativeDirPath*/, bool /*force*/) { return false; }
  // A new list of the open directory's entries; NIL here.
  virtual cDirEntryList* makeEntryList() { return nullptr; }

 protected:
  // Closes the object and opens it on path, readOnly and with force. When
  // that fails it is opened again on here with force (BUG bugText when even
  // that fails) and keeps the failed open's origin and reason. TRUE when path
  // was opened.
  bool reopenOn(const char* path, const char* here, bool readOnly, bool force, const char* bugText);
};
