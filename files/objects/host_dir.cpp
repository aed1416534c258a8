#include "files/objects/host_dir.h"

#include <cstring>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/file_functions.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

void cHostDir::new_cBaseDir() {
  cBaseDir::new_cBaseDir();
  fileInfo = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (!fileInfo) Throw("MEM");
}

void cHostDir::end_class() {
  const auto release = [this] {
    lock = unLock_cpath_dir(lock);
    releasePaths();
    forgetLink();
    if (fileInfo) FreeDosObject(DOS_FIB, fileInfo);
    fileInfo = nullptr;
  };
  WithCleanUp(
      [&] { if (lock) close(); },
      [&] {
        release();
        cBaseDir::end_class();
      });
}

void cHostDir::releasePaths() {
  DisposeString(hostPath);
  hostPath = nullptr;
  DisposeString(canonicalPath);
  canonicalPath = nullptr;
}

void cHostDir::forgetLink() {
  DisposeString(linkTarget);
  linkTarget = nullptr;
  linkKind = 0;
}

bool cHostDir::open(const char* path, bool readOnly, bool force) {
  if (lock) Throw("EMU", "cHostDir.open(); a dir is already open");
  if (!path) Throw("EMU", "cHostDir.open(); dirPath=NIL");
  if (InvalidDirPath(path)) Throw("EMU", "cHostDir.open(); dirPath is invalid");

  clearFailure();
  readOnlyFlag = readOnly;
  releasePaths();  // left by a failed kludge, else NIL already
  hostPath = ExportPath(path);
  canonicalPath = StrClone(path);
  removedProtection = 0;
  forgetLink();

  BPTR probe = ZERO;
  bool existed = true;
  bool created = false;  // this open made the directory
  bool examined = false;
  const char* reason = nullptr;
  // A directory it is not: the same answer as for nothing at all there.
  const auto notADirectory = [] {
    SetIoErr(ERROR_OBJECT_WRONG_TYPE);
    return dosFailureReason("dir does not exist");
  };
  const auto cleanUp = [&] {
    probe = unLock_cpath_dir(probe);
    lock = unLock_cpath_dir(lock);
    // Protection cleared for this open goes back when the open fails.
    if (removedProtection) SetProtection(hostPath, fileInfo->fib_Protection | removedProtection);
    removedProtection = 0;
    DisposeString(hostPath);
    hostPath = nullptr;
    // Only what this open made goes: "not found" is also the answer for a
    // soft link that leads nowhere or to itself, and that is the user's.
    if (created) DeletePath(path, true, false);
    DisposeString(canonicalPath);
    canonicalPath = nullptr;
  };

  try {
    probe = Lock(hostPath, ACCESS_READ);
    if (probe) {
      if (Examine(probe, fileInfo)) {
        examined = true;
        int32_t protection = fileInfo->fib_Protection;
        if (fileInfo->fib_DirEntryType <= 0) {
          reason = notADirectory();
        } else if (protection & FIBF_READ) {
          if (!force) {
            reason = "dir is read protected";
          } else if (!SetProtection(hostPath, protection & ~FIBF_READ)) {
            reason = "could not remove read protection";
          } else {
            protection &= ~FIBF_READ;
            removedProtection |= FIBF_READ;
          }
        }
        const int32_t writeBits = protection & (FIBF_WRITE | FIBF_DELETE);
        if (!reason && !readOnly && force && (protection & FIBF_WRITE)) {
          if (!SetProtection(hostPath, protection & ~writeBits)) {
            reason = "could not remove write protection";
          } else {
            protection &= ~writeBits;
            // Only the bits that were set come back on close.
            removedProtection |= writeBits;
          }
        }
        fileInfo->fib_Protection = protection;
      }
    } else {
      existed = IoErr() != ERROR_OBJECT_NOT_FOUND;
    }

    if (!reason) {
      if (readOnly) {
        lock = probe ? probe : Lock(hostPath, SHARED_LOCK);
        probe = ZERO;
      } else if (probe) {
        probe = unLock_cpath_dir(probe);
        lock = Lock(hostPath, EXCLUSIVE_LOCK);
      } else {
        lock = CreateDir(hostPath);
        created = lock != ZERO;
        if (!lock) lock = Lock(hostPath, EXCLUSIVE_LOCK);
      }
      if (!lock) reason = dosFailureReason(existed ? "error opening dir" : "dir does not exist");
    }
    if (!reason && !examined) {
      if (!Examine(lock, fileInfo)) Throw("FILE", "cHostDir.open(); failed to examine directory");
      if (fileInfo->fib_DirEntryType <= 0) reason = notADirectory();
    }
  } catch (...) {
    cleanUp();
    throw;
  }
  if (reason) {
    cleanUp();
    return fail("cHostDir.open()", reason);
  }
  return true;
}

void cHostDir::close() {
  requireOpen(className, "close");
  lock = unLock_cpath_dir(lock);
  if (removedProtection) SetProtection(hostPath, fileInfo->fib_Protection | removedProtection);
  removedProtection = 0;
  releasePaths();
  forgetLink();
}

void cHostDir::flush() {
  requireOpen(className, "flush");
  if (!Examine(lock, fileInfo)) Throw("FILE", "cHostDir.flush(); failed to examine directory");
  forgetLink();
}

void cHostDir::openKludgeBegin() {
  if (!lock) Throw("BUG", "cHostDir.openKludgeBegin(); kludge already started");
  lock = unLock_cpath_dir(lock);
}

void cHostDir::openKludgeFinish() {
  if (lock) Throw("BUG", "cHostDir.openKludgeFinish(); kludge already finished");
  if (hostPath) lock = Lock(hostPath, readOnlyFlag ? SHARED_LOCK : EXCLUSIVE_LOCK);
  if (!lock) {
    releasePaths();
    Throw("BUG", "cHostDir.openKludgeFinish(); kludge failed");
  }
}

cHostDir* cHostDir::make_cHostDir() { return new cHostDir; }

cHostDir* cHostDir::clone_cHostDir(bool writable) {
  requireOpen(className, "clone");
  cHostDir* copy = make_cHostDir();
  try {
    copy->new_cBaseDir();
    if (writable && !readOnlyFlag) {
      End(copy);
    } else if (!copy->open(canonicalPath, !writable, false)) {
      End(copy);
    }
  } catch (...) {
    End(copy);
    throw;
  }
  return copy;
}

bool cHostDir::openChild(const char* relativeDirPath, bool force) {
  requireOpen(className, "openChild");
  // A device in the path would make it a path of its own, not one below this.
  if (!relativeDirPath || InvalidDirPath(relativeDirPath) || std::strchr(relativeDirPath, ':'))
    Throw("EMU", "cHostDir.openChild(); relativePath is invalid");
  char* here = StrClone(canonicalPath);
  char* child = NewString(static_cast<int32_t>(std::strlen(here) + std::strlen(relativeDirPath)));
  StrAdd(StrCopy(child, here), relativeDirPath);
  bool opened = false;
  WithCleanUp(
      [&] {
        opened = reopenOn(child, here, readOnlyFlag, force,
                          "cHostDir.openChild(); failed to reopen current dir, after failed to open child");
      },
      [&] {
        DisposeString(here);
        DisposeString(child);
      });
  return opened;
}
