#include "files/objects/host_file.h"

#include <cstdio>

#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/file_functions.h"
#include "files/dos/links.h"
#include "files/objects/host_protection.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

void clearInfo(FileInfoBlock* info) {
  info->fib_Protection = 0;
  info->fib_Comment[0] = '\0';
  int32_t minute = 0, tick = 0;
  info->fib_Date.ds_Days = timeToDatestamp(0, &minute, &tick);
  info->fib_Date.ds_Minute = minute;
  info->fib_Date.ds_Tick = tick;
}

// The examined size, or -1 at the 32-bit cap, where the file may be larger.
int64_t examinedSizeBelowCap(const FileInfoBlock* info) {
  const uint32_t examined = static_cast<uint32_t>(info->fib_Size);
  return examined < FIB_SIZE_CAP ? int64_t{examined} : -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Life

void cHostFile::new_cBaseFile(uint8_t pad) {
  padByte = pad;
  if (!fileInfo) {
    fileInfo = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
    if (!fileInfo) Throw("MEM");
  }
}

void cHostFile::end_class() {
  if (handle) {
    try {
      close();
    } catch (...) {
    }
  }
  if (handle) {
    // The close failed half-way (a subclass's flush): let go all the same.
    Close(handle);
    handle = ZERO;
    restoreProtection();
  }
  releasePaths();
  if (fileInfo) FreeDosObject(DOS_FIB, fileInfo);
  fileInfo = nullptr;
  cBaseFile::end_class();
}

void cHostFile::releasePaths() {
  DisposeString(hostPath);
  hostPath = nullptr;
  DisposeString(canonicalPath);
  canonicalPath = nullptr;
  DisposeString(linkTarget);
  linkTarget = nullptr;
  linkKind = LINK_KIND_UNKNOWN;
}

bool cHostFile::examineHandle(const char* operation) {
  if (ExamineFH(handle, fileInfo)) return true;
  if (!(flags & HOSTFILE_UNEXAMINABLE)) ThrowF("FILE", "cHostFile.%s(); ExamineFH() failed", operation);
  return false;
}

int64_t cHostFile::examinedSize() {
  const int64_t examined = examinedSizeBelowCap(fileInfo);
  if (examined >= 0) return examined;
  // At the cap the file may be any size from 4 GiB - 1 up: ask the handle.
  const int64_t real = getFileSize64(handle, false);
  if (real < 0) {
    handlePosition = -1;  // it may have moved: the next transfer seeks
    return size;
  }
  return real;
}

void cHostFile::restoreProtection() {
  const int32_t putBack = removedProtection | pendingProtection;
  removedProtection = 0;
  pendingProtection = 0;
  if (putBack && hostPath) {
    fileInfo->fib_Protection |= putBack;
    SetProtection(hostPath, fileInfo->fib_Protection);
  }
}

// ---------------------------------------------------------------------------
// Open and close

bool cHostFile::open_cBaseFile(const char* path, bool readOnly, bool force, bool atEnd) {
  // Misuse first: the clean-up below must never meet a handle it did not open.
  if (handle) Throw("EMU", "cHostFile.open(); a file is already open");
  if (!path) Throw("EMU", "cHostFile.open(); filePath=NIL");
  if (InvalidFilePath(path)) Throw("EMU", "cHostFile.open(); filePath is invalid");

  clearFailure();
  readOnlyFlag = readOnly;
  removedProtection = 0;
  pendingProtection = 0;
  DisposeString(linkTarget);
  linkTarget = nullptr;
  linkKind = LINK_KIND_UNKNOWN;
  flags = 0;

  const bool ftp = IsFtpPath(path);
  BPTR lock = ZERO;
  bool existed = true;    // FALSE only when the system said "not found"
  bool created = false;   // this open made the file (MODE_NEWFILE)
  bool examined = false;  // the file info holds this file's examination
  const char* reason = nullptr;

  auto cleanUp = [&] {
    if (lock) UnLock(lock);
    lock = ZERO;
    if (handle) Close(handle);
    handle = ZERO;
    // A failed forced open leaves the file protected as it found it.
    restoreProtection();
    // Only what this open made goes: "not found" is also the answer for a
    // soft link that leads nowhere or to itself, and that is the user's.
    if (created && canonicalPath) DeletePath(canonicalPath, true, false);
    releasePaths();
  };

  try {
    hostPath = ExportPath(path);
    canonicalPath = StrClone(path);

    lock = Lock(hostPath, ACCESS_READ);
    if (lock) {
      if (Examine(lock, fileInfo)) {
        examined = true;
        int32_t protection = fileInfo->fib_Protection;
        // Clears bits of the word; fileInfo keeps what the disk has.
        auto removeProtection = [&](int32_t bits, const char* refused) {
          if (!SetProtection(hostPath, protection & ~bits)) {
            reason = refused;
            return;
          }
          protection &= ~bits;
          removedProtection |= bits;
        };
        if (protection & FIBF_READ) {
          if (!force) reason = "file is read protected";
          else removeProtection(FIBF_READ, "could not remove read protection");
        }
        if (!reason && (protection & FIBF_WRITE) && !readOnly) {
          // Only the bits that were set come back at close.
          if (!force) reason = "file is write protected";
          else removeProtection(protection & (FIBF_WRITE | FIBF_DELETE), "could not remove write protection");
        }
        fileInfo->fib_Protection = protection;
      }
      UnLock(lock);
      lock = ZERO;
    } else {
      existed = IoErr() != ERROR_OBJECT_NOT_FOUND;
    }

    if (!reason) {
      handle = Open(hostPath, readOnly ? MODE_OLDFILE : MODE_READWRITE);
      if (!handle && !readOnly) {
        // Only a file that is not there is made; one that exists but cannot
        // be opened now is never emptied.
        if (!existed) created = (handle = Open(hostPath, MODE_NEWFILE)) != ZERO;
        else if (ftp) handle = Open(hostPath, MODE_OLDFILE);
      }
      if (!handle) {
        reason = dosFailureReason_cpath_file(existed ? "error opening file"
                                             : readOnly ? "file does not exist"
                                                        : "could not create file");
      }
    }

    if (!reason) {
      if (!ExamineFH(handle, fileInfo)) {
        flags |= HOSTFILE_UNEXAMINABLE;
        if (!examined) clearInfo(fileInfo);
      } else {
        examined = true;
      }
      size = getFileSize64(handle, true);
      if (size == -1 && examined) size = examinedSizeBelowCap(fileInfo);
      if (size == -1) reason = dosFailureReason_cpath_file("error finding size of file");
    }

    if (!reason) {
      if (ftp) flags |= HOSTFILE_UNEXAMINABLE;
      position = atEnd ? size : 0;
      if (setFilePosition64(handle, position, OFFSET_BEGINNING)) {
        handlePosition = position;
      } else {
        reason = dosFailureReason_cpath_file(atEnd ? "error seeking to end of file" : "error seeking to start of file");
      }
    }
  } catch (...) {
    cleanUp();
    throw;
  }
  if (!reason) return true;
  cleanUp();
  return fail("cHostFile.open()", reason);
}

void cHostFile::close() {
  requireOpen(className, "close");
  Close(handle);
  handle = ZERO;
  restoreProtection();
  releasePaths();
}

void cHostFile::flush() {
  requireOpen(className, "flush");
  // What was written must be on the disk before anyone relies on it (a
  // rename that puts the file in place): a failed Flush is a failed flush.
  if (!readOnlyFlag && !Flush(handle)) Throw("FILE", "cHostFile.flush(); Flush() failed");
  if (examineHandle("flush")) size = examinedSize();
  DisposeString(linkTarget);
  linkTarget = nullptr;
  linkKind = LINK_KIND_UNKNOWN;
}

// ---------------------------------------------------------------------------
// The open kludge

void cHostFile::openKludgeBegin() {
  if (!handle) Throw("BUG", "cHostFile.openKludgeBegin(); kludge already started");
  Close(handle);
  handle = ZERO;
}

void cHostFile::openKludgeFinish() {
  if (handle) Throw("BUG", "cHostFile.openKludgeFinish(); kludge already finished");
  handle = Open(hostPath, readOnlyFlag ? MODE_OLDFILE : MODE_READWRITE);
  if (!handle && !readOnlyFlag) {
    if (!linkTarget && size == 0) handle = Open(hostPath, MODE_NEWFILE);
    else if (IsFtpPath(canonicalPath) || linkTarget) handle = Open(hostPath, MODE_OLDFILE);
  }
  if (!handle) {
    restoreProtection();
    releasePaths();
    Throw("BUG", "cHostFile.openKludgeFinish(); kludge failed");
  }
  handlePosition = safeGetFilePosition64(handle);
}

// ---------------------------------------------------------------------------
// What the object tells

const char* cHostFile::getPath() {
  requireOpen(className, "getPath");
  return canonicalPath;
}

int32_t cHostFile::getAttributes() {
  requireOpen(className, "getAttributes");
  return attributesOfProtection(fileInfo->fib_Protection | pendingProtection);
}

int32_t cHostFile::getAttributesSupported() {
  requireOpen(className, "getAttributesSupported");
  return (flags & HOSTFILE_UNEXAMINABLE) ? 0 : ATTR_ALL;
}

int64_t cHostFile::getSize() {
  requireOpen(className, "getSize");
  return size;
}

int64_t cHostFile::getTime() {
  requireOpen(className, "getTime");
  const struct DateStamp& date = fileInfo->fib_Date;
  return datestampToTime(date.ds_Days, date.ds_Minute, date.ds_Tick);
}

void cHostFile::setPosition(int64_t newPosition) {
  requireOpen(className, "setPosition");
  if (newPosition < 0) newPosition += size + 1;
  if (newPosition < 0) Throw("EMU", "cHostFile.setPosition(); position before start of file is illegal");
  position = newPosition;
}

int64_t cHostFile::getPosition(bool fromEnd) {
  requireOpen(className, "getPosition");
  return fromEnd ? position - size - 1 : position;
}
