// cHostFile: changes by name (date, name, protection), each made between
// openKludgeBegin and openKludgeFinish.
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/file_functions.h"
#include "files/objects/host_file.h"
#include "files/objects/host_protection.h"
#include "files/syntax/path_syntax.h"

bool cHostFile::setTime(int64_t time) {
  requireWritable(className, "setTime");
  struct DateStamp date{};
  date.ds_Days = timeToDatestamp(time, &date.ds_Minute, &date.ds_Tick);
  openKludgeBegin();
  if (!SetFileDate(hostPath, &date)) {
    const char* reason = dosFailureReason_cpath_file("error setting file date");
    openKludgeFinish();
    return fail("cHostFile.setTime()", reason);
  }
  openKludgeFinish();
  // Only a date the disk took is the file's.
  fileInfo->fib_Date = date;
  examineHandle("setTime");
  return true;
}

bool cHostFile::setPath(const char* path) {
  requireWritable(className, "setPath");
  if (!path) Throw("EMU", "cHostFile.setPath(); path=NILA");
  if (InvalidFilePath(path)) Throw("EMU", "cHostFile.setPath(); path is invalid");
  char* newHostPath = ExportPath(path);
  char* newPath = nullptr;
  try {
    newPath = StrClone(path);
    openKludgeBegin();
    if (!Rename(hostPath, newHostPath)) {
      const char* reason = dosFailureReason_cpath_file("error renaming host file");
      DisposeString(newHostPath);
      newHostPath = nullptr;
      DisposeString(newPath);
      newPath = nullptr;
      openKludgeFinish();
      return fail("cHostFile.setPath()", reason);
    }
  } catch (...) {
    DisposeString(newHostPath);
    DisposeString(newPath);
    throw;
  }
  DisposeString(canonicalPath);
  canonicalPath = newPath;
  DisposeString(hostPath);
  hostPath = newHostPath;
  openKludgeFinish();
  return true;
}

bool cHostFile::setAttributes(int32_t attributes, int32_t mask) {
  requireWritable(className, "setAttributes");
  const int32_t wanted = (getAttributes() & ~mask) | (attributes & mask);
  const int32_t before = fileInfo->fib_Protection | pendingProtection;
  const int32_t after = protectionWithAttributes(before, wanted);
  // Bits that deny access are held back until close: on disk now, they
  // would keep the handle from being opened again by the next change by
  // name. The disk still has to take them: the full word is set first.
  const int32_t heldBack = after & PROT_ACCESS_BITS;
  const int32_t onDisk = after & ~heldBack;
  openKludgeBegin();
  const char* reason = nullptr;
  if (!SetProtection(hostPath, after)) {
    reason = dosFailureReason_cpath_file("error setting file protection bits");
  } else if (heldBack && !SetProtection(hostPath, onDisk)) {
    reason = dosFailureReason_cpath_file("error setting file protection bits");
    SetProtection(hostPath, fileInfo->fib_Protection);
  }
  if (reason) {
    openKludgeFinish();
    return fail("cHostFile.setAttributes()", reason);
  }
  // A bit this change altered is no longer the open's to put back.
  removedProtection &= ~(after ^ before);
  pendingProtection = heldBack;
  fileInfo->fib_Protection = onDisk;
  openKludgeFinish();
  return true;
}
