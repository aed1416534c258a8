// Open and Close. The protection word is checked here, by dos.library itself,
// so that a file denied to the program is denied the same way to every Linux
// user, root included.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "os/dos/call_hooks.h"
#include "os/dos/console_handles.h"
#include "os/dos/dos_testing.h"
#include "os/dos/file_handles.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"

namespace {

int openRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do fd = open(path, flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// An existing plain file for MODE_OLDFILE or MODE_READWRITE: refuses what the
// word denies, then opens it. MODE_OLDFILE opens it for reading only, so that
// reading a file never counts as writing it (change notifications, sync
// tools, overlay layers copied up); its first write opens it for writing
// (dosfh::makeWritable). Opened without blocking, so that a FIFO or device
// that took the file's place is refused instead of hanging the program.
// `lockUnchecked`: whether an exclusive lock on the file is still to be looked
// for (the path was resolved from a folder's listing, without its identity).
int32_t openExisting(const std::string& path, int32_t mode, bool lockUnchecked, int* fdOut) {
  if (mode == MODE_READWRITE && (dosmeta::protectionOf(path) & FIBF_WRITE)) return ERROR_WRITE_PROTECTED;
  const int fd = openRetrying(path.c_str(), (mode == MODE_OLDFILE ? O_RDONLY : O_RDWR) | O_NONBLOCK);
  if (fd < 0) return dosio::ioErrOfErrno(errno, mode == MODE_OLDFILE ? ERROR_READ_PROTECTED : ERROR_WRITE_PROTECTED);
  int32_t error = 0;
  struct stat st{};
  int32_t word = 0;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    error = ERROR_OBJECT_WRONG_TYPE;
  else if (lockUnchecked && dosl::exclusivelyLocked(st.st_dev, st.st_ino))
    error = ERROR_OBJECT_IN_USE;
  else if (mode == MODE_OLDFILE && dosmeta::readProtection(fd, &word) && (word & FIBF_READ))
    error = ERROR_READ_PROTECTED;  // Linux lets it be read; the stored word does not
  if (error) {
    close(fd);
    return error;
  }
  // A plain file's reads and writes never block, so O_NONBLOCK stays: one
  // system call less for every file opened.
  *fdOut = fd;
  return 0;
}

// MODE_NEWFILE: empties an existing file (keeping its protection word and
// comment) or makes a new one, never through a link that appeared meanwhile.
int32_t openNew(const dospath::Resolved& r, int* fdOut) {
  int fd;
  if (r.exists) {
    if (dosmeta::protectionOf(r.host) & FIBF_WRITE) return ERROR_WRITE_PROTECTED;
    fd = openRetrying(r.host.c_str(), O_RDWR | O_TRUNC);
  } else {
    dosindex::forget(r.parent);
    fd = openRetrying(r.host.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
  }
  if (fd < 0) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  *fdOut = fd;
  return 0;
}

}  // namespace

BPTR Open(const char* name, int32_t accessMode) {
  if (int32_t injected = doshook::enter("Open", name)) return dosproc::failLock(injected);
  if (!name) return dosproc::failLock(ERROR_OBJECT_NOT_FOUND);
  if (accessMode != MODE_OLDFILE && accessMode != MODE_NEWFILE && accessMode != MODE_READWRITE)
    return dosproc::failLock(ERROR_BAD_NUMBER);
  if (dosconsole::isConsoleName(name)) return dosconsole::open(name, accessMode);

  dospath::Resolved r;
  const dospath::Want want = accessMode == MODE_NEWFILE ? dospath::Want::Create : dospath::Want::Existing;
  if (int32_t error = dospath::resolve(name, want, r)) return dosproc::failLock(error);
  if (r.nil) {
    const int fd = openRetrying("/dev/null", O_RDWR);
    if (fd < 0) return dosproc::failLock(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));
    return dosfh::adoptDescriptor(fd, accessMode);
  }
  if (r.start) return dosproc::failLock(ERROR_OBJECT_WRONG_TYPE);

  // A plain file known from its folder's listing opens for reading as it is;
  // anything else is looked at first.
  const bool fromListing = r.exists && !r.described && accessMode == MODE_OLDFILE && S_ISREG(r.st.st_mode);
  if (r.exists && !r.described && !fromListing && lstat(r.host.c_str(), &r.st) != 0)
    return dosproc::failLock(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));
  // The object as the path found it, through a final link to what it leads to.
  struct stat st = r.st;
  const bool present = r.exists && (!S_ISLNK(st.st_mode) || stat(r.host.c_str(), &st) == 0);
  if (r.exists && !present && accessMode != MODE_NEWFILE)
    return dosproc::failLock(ERROR_OBJECT_NOT_FOUND);  // a soft link that leads nowhere
  if (present) {
    // Only plain files open: folders, FIFOs, devices and sockets are the wrong type.
    if (!S_ISREG(st.st_mode)) return dosproc::failLock(ERROR_OBJECT_WRONG_TYPE);
    // An exclusive lock keeps the object to its holder.
    if (!fromListing && dosl::exclusivelyLocked(st.st_dev, st.st_ino)) return dosproc::failLock(ERROR_OBJECT_IN_USE);
  }
  if (accessMode == MODE_READWRITE && doshook::hasTrait(r.parent, ostest::TRAIT_NO_READWRITE))
    return dosproc::failLock(ERROR_ACTION_NOT_KNOWN);

  int fd = -1;
  int32_t error;
  if (accessMode != MODE_NEWFILE)
    error = openExisting(r.host, accessMode, fromListing, &fd);
  else if (r.exists && !present)
    error = ERROR_OBJECT_NOT_FOUND;  // a new file through a soft link that leads nowhere
  else
    error = openNew(r, &fd);
  if (error) return dosproc::failLock(error);
  // Named by no link, the file lies where the path found it.
  return dosfh::adoptDescriptor(fd, accessMode, S_ISLNK(r.st.st_mode) || !r.exists ? nullptr : &r.host);
}

bool Close(BPTR file) {
  const int32_t injected = doshook::enter("Close");
  if (!file) return true;
  if (!dosfh::asHandle(file)) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  // The handle goes in every case; a failure only tells that data may be lost.
  const int32_t error = dosfh::dispose(file);
  if (injected) return dosproc::fail(injected);
  return error ? dosproc::fail(error) : true;
}
