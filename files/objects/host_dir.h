// cHostDir: the AmigaDOS directory object. It holds a lock on a directory
// named by a canonical path: shared when opened read-only, exclusive when
// writable (a writable open creates a missing directory). It lists the
// directory's entries, moves to a child directory, and renames the directory
// and changes its protection, comment and link state by name, letting go of
// its lock around each such change (the open kludge), because AmigaDOS
// refuses changes by name on an object held open.
//
// Expected failures answer FALSE (or NIL) with a failure origin and reason
// (cPath). Every operation but the constructor, the end, infoIsOpen, make
// and the kludge raises EMU "cHostDir.<operation>(); dir not open" when no
// lock is held; the changing ones (setExtra, changeExtra, setAttributes,
// setPath) then raise EMU "... dir opened in read only mode".
#pragma once
#include <cstdint>

#include "files/objects/base_dir.h"
#include "os/dos/dos.h"

class cHostDir : public cBaseDir {
  LUDEX_CLASS(cHostDir, cBaseDir)

 public:
  char* canonicalPath = nullptr;  // as open was given it; NIL while closed
  char* hostPath = nullptr;       // the same in the system's form
  FileInfoBlock* fileInfo = nullptr;  // the last examination; made by the constructor
  BPTR lock = ZERO;                   // ZERO exactly when closed
  int32_t removedProtection = 0;  // bits open cleared to get in; close sets them again
  char* linkTarget = nullptr;     // canonical path, once looked up
  int32_t linkKind = 0;           // LINK_KIND_... (0: not looked up yet)

  // The constructor: closed, no paths; allocates the FileInfoBlock (MEM).
  void new_cBaseDir() override;
  // Closes the directory when open, then releases the FileInfoBlock. An
  // error of the close (a cached object's flush) passes on after that.
  void end_class() override;

  // Opens the directory at the canonical path. A read- or write-protected
  // directory is refused ("dir is read protected") or, with force, has the
  // protection cleared until close (write protection stands in the way of a
  // writable open only with force). A missing directory is created when the
  // open is writable. Something that is not a directory fails with
  // "dir does not exist". EMU when already open, for NIL or an invalid path.
  bool open(const char* path, bool readOnly, bool force) override;
  // Unlocks, puts back the protection that open cleared, forgets the paths.
  void close() override;
  // Examines the directory again and forgets the link target.
  void flush() override;
  cPath* make() override { return make_cHostDir(); }
  cPath* clone(bool writable) override { return clone_cHostDir(writable); }
  bool infoIsOpen() override { return lock != ZERO; }

  // Attributes map onto the protection bits as for files; all four bits are
  // supported (30).
  bool setAttributes(int32_t attributes, int32_t mask) override;
  int32_t getAttributes() override;
  int32_t getAttributesSupported() override;
  // Renames or moves the directory to the canonical directory path.
  bool setPath(const char* path) override;
  const char* getPath() override;

  // Extra data of the directory: "COMM" its comment, "ATTR" the protection
  // bits that the attributes do not cover, "LINK"/"SLNK"/"HLNK" the target
  // when it is a link (of that kind). Setting "SLNK" or "HLNK" replaces an
  // empty directory by a link to another directory; NIL turns a link back
  // into an (empty) directory.
  bool setExtra(cExtra* other) override;
  cExtra* getExtra() override;
  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override;
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override;

  // Closes and opens the directory relativeDirPath below this one (same
  // read-only state, the given force). When that fails the object opens its
  // old directory again (BUG when even that fails), keeps the failed open's
  // origin and reason, and the answer is FALSE.
  bool openChild(const char* relativeDirPath, bool force) override;
  // A new list of the entries, directories (and soft links to directories)
  // with "/" after their names. FILE when the directory cannot be read.
  cDirEntryList* makeEntryList() override;

  // A bare object of the caller's own class, no constructor run.
  virtual cHostDir* make_cHostDir();
  // A new object of the same class open read-only (writable FALSE) or
  // writable on the same directory; NIL when it cannot be opened or when a
  // writable clone of a writable directory is asked for.
  virtual cHostDir* clone_cHostDir(bool writable);
  // Let go of the lock before a change by name, and take it again after.
  virtual void openKludgeBegin();
  virtual void openKludgeFinish();

 protected:
  // Runs change (one dos.library call, or a few for links) between
  // openKludgeBegin and openKludgeFinish; the lock is taken again also when
  // change raises an error.
  template <class F>
  void withoutLock(F change);

 private:
  bool changeLink(int32_t id, const char* target);
  void lookUpLink();
  // Examines the lock again after a change; FILE naming operation on failure.
  void reexamine(const char* failureMessage);
  void forgetLink();
  void releasePaths();
};

template <class F>
void cHostDir::withoutLock(F change) {
  openKludgeBegin();
  try {
    change();
  } catch (...) {
    try {
      openKludgeFinish();
    } catch (...) {
      // The first error is the one worth reporting.
    }
    throw;
  }
  openKludgeFinish();
}
