// Changes by name: CreateDir, DeleteFile, Rename.

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "os/dos/call_hooks.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"

namespace {

// Renames without ever replacing what is at `to` (203 when something is).
int32_t renameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
    return errno == EEXIST ? ERROR_OBJECT_EXISTS : dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  // A file system without RENAME_NOREPLACE (EINVAL also means "into itself").
  struct stat st;
  if (lstat(to.c_str(), &st) == 0) return ERROR_OBJECT_EXISTS;
  if (rename(from.c_str(), to.c_str()) == 0) return 0;
  return errno == EINVAL ? ERROR_OBJECT_IN_USE : dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
}

// Writes a folder's entries to the disk, so that a rename in it survives a
// power loss. Best effort: a folder that cannot be opened is left as it is.
void syncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

BPTR CreateDir(const char* name) {
  if (int32_t injected = doshook::enter("CreateDir", name)) return dosproc::failLock(injected);
  if (!name) return dosproc::failLock(ERROR_OBJECT_NOT_FOUND);
  dospath::Resolved r;
  if (int32_t error = dospath::resolve(name, dospath::Want::Create, r)) return dosproc::failLock(error);
  if (r.nil) return dosproc::failLock(ERROR_ACTION_NOT_KNOWN);
  if (r.exists) return dosproc::failLock(ERROR_OBJECT_EXISTS);
  if (mkdir(r.host.c_str(), 0777) != 0) return dosproc::failLock(dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED));
  dosindex::forget(r.parent);
  int32_t error = 0;
  BPTR lock = dosl::lockHostPath(r.host, EXCLUSIVE_LOCK, &error);
  return lock ? lock : dosproc::failLock(error);
}

bool DeleteFile(const char* name) {
  if (int32_t injected = doshook::enter("DeleteFile", name)) return dosproc::fail(injected);
  if (!name) return dosproc::fail(ERROR_OBJECT_NOT_FOUND);
  dospath::Resolved r;
  if (int32_t error = dospath::resolve(name, dospath::Want::Existing, r)) return dosproc::fail(error);
  if (r.nil) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (r.start) return dosproc::fail(ERROR_OBJECT_IN_USE);  // a root, an assign or the current dir
  if (int32_t error = doshook::checkNotInUse(r.host)) return dosproc::fail(error);
  struct stat st;
  if (lstat(r.host.c_str(), &st) != 0) return dosproc::fail(dosio::ioErrOfErrno(errno, ERROR_DELETE_PROTECTED));
  if (!S_ISLNK(st.st_mode)) {
    int32_t protection = 0;
    if (dosmeta::readProtection(r.host, &protection) && (protection & FIBF_DELETE))
      return dosproc::fail(ERROR_DELETE_PROTECTED);
  }
  dosindex::forget(r.parent);
  if (S_ISDIR(st.st_mode)) {
    if (rmdir(r.host.c_str()) != 0)
      return dosproc::fail(errno == EEXIST ? ERROR_DIRECTORY_NOT_EMPTY
                                           : dosio::ioErrOfErrno(errno, ERROR_DELETE_PROTECTED));
    return true;
  }
  struct stat folder;
  const bool recorded = S_ISREG(st.st_mode) && st.st_nlink > 1 && stat(r.parent.c_str(), &folder) == 0 &&
                        dosmeta::isRecordedHardLink(r.host, folder, r.name);
  // Kept open so that the file's other names can lose the record of this one.
  const int fd = recorded ? open(r.host.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC) : -1;
  if (unlink(r.host.c_str()) != 0) {
    const int e = errno;
    if (fd >= 0) close(fd);
    return dosproc::fail(dosio::ioErrOfErrno(e, ERROR_DELETE_PROTECTED));
  }
  if (fd >= 0) {
    dosmeta::forgetHardLinkName(dosl::fdPath(fd), folder, r.name);
    close(fd);
  }
  return true;
}

bool Rename(const char* oldName, const char* newName) {
  if (int32_t injected = doshook::enter("Rename", oldName, newName)) return dosproc::fail(injected);
  if (!oldName || !newName) return dosproc::fail(ERROR_OBJECT_NOT_FOUND);
  dospath::Resolved from, to;
  if (int32_t error = dospath::resolve(oldName, dospath::Want::Existing, from)) return dosproc::fail(error);
  if (from.nil) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (from.start) return dosproc::fail(ERROR_OBJECT_IN_USE);
  if (int32_t error = doshook::checkNotInUse(from.host)) return dosproc::fail(error);
  if (int32_t error = dospath::resolve(newName, dospath::Want::Create, to)) return dosproc::fail(error);
  if (to.nil || to.start) return dosproc::fail(ERROR_OBJECT_EXISTS);

  std::string target = to.host;
  if (to.exists) {
    // Only the object itself may stand at the target: a change of case.
    if (to.parent != from.parent || to.name != from.name) return dosproc::fail(ERROR_OBJECT_EXISTS);
    if (to.givenName == from.name) return true;
    target = to.parent == "/" ? "/" + to.givenName : to.parent + "/" + to.givenName;
  }
  struct stat object, fromFolder, toFolder;
  const bool file = lstat(from.host.c_str(), &object) == 0 && S_ISREG(object.st_mode) && object.st_nlink > 1;
  const bool recorded = file && stat(from.parent.c_str(), &fromFolder) == 0 &&
                        dosmeta::isRecordedHardLink(from.host, fromFolder, from.name);
  // The first name of a file that hard links were made to: ReadLink follows it.
  const bool origin = file && !recorded && dosmeta::readLinkOrigin(from.host) == from.host;
  dosindex::forget(from.parent);
  dosindex::forget(to.parent);
  // What the rename commits is on the disk before it, and the rename itself
  // after it: the object's entry first, then both folders.
  syncFolder(from.parent);
  if (int32_t error = renameNoReplace(from.host, target)) return dosproc::fail(error);
  syncFolder(to.parent);
  if (to.parent != from.parent) syncFolder(from.parent);
  if (recorded && stat(to.parent.c_str(), &toFolder) == 0) {
    const std::string newLeaf = target.substr(target.rfind('/') + 1);
    dosmeta::moveHardLinkName(target, fromFolder, from.name, toFolder, newLeaf);
  }
  if (origin) dosmeta::writeLinkOrigin(target, target);
  return true;
}
