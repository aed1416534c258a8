#include "os/dos/file_handles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "os/dos/host_errors.h"
#include "os/dos/live_objects.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/volumes.h"

FileHandle* dosfh::asHandle(BPTR object) {
  return doslive::isLive(object, DOS_KIND_HANDLE) ? reinterpret_cast<FileHandle*>(object) : nullptr;
}

BPTR dosfh::adoptDescriptor(int fd, int32_t mode, const std::string* realPath) {
  auto* fh = new HandleRecord();
  fh->fh_Mode = mode;
  fh->fh_HostFd = fd;
  std::string real;
  if (realPath) {
    fh->regular = true;
    fh->fh_Type = dosl::portOfRealPath(*realPath);
  } else {
    struct stat st;
    fh->regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (dosl::realPathOfFd(fd, real) == 0)
      fh->fh_Type = real == "/dev/null" ? dosvol::portOf("NIL") : dosl::portOfRealPath(real);
  }
  doslive::add(&fh->fh_Header, DOS_KIND_HANDLE);
  return &fh->fh_Header;
}

int32_t dosfh::makeWritable(FileHandle* fh) {
  if (recordOf(fh)->console) return 0;  // a console is open both ways from the start
  const int flags = fcntl(fh->fh_HostFd, F_GETFL);
  if (flags < 0 || (flags & O_ACCMODE) != O_RDONLY) return 0;
  if (fh->fh_Mode != MODE_OLDFILE) return ERROR_WRITE_PROTECTED;
  const std::string reach = dosl::fdPath(fh->fh_HostFd);
  if (dosmeta::protectionOf(reach) & FIBF_WRITE) return ERROR_WRITE_PROTECTED;
  // Without blocking, as Open did: a FIFO cannot have taken the place of an
  // object already open, but a device node reached through it could block.
  int writable;
  do writable = open(reach.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  while (writable < 0 && errno == EINTR);
  if (writable < 0) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  fcntl(writable, F_SETFL, fcntl(writable, F_GETFL) & ~O_NONBLOCK);
  const off_t position = lseek(fh->fh_HostFd, 0, SEEK_CUR);
  // The descriptor number stays the handle's: the new open takes its place.
  if ((position >= 0 && lseek(writable, position, SEEK_SET) < 0) ||
      dup3(writable, fh->fh_HostFd, O_CLOEXEC) < 0) {
    const int32_t error = dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
    close(writable);
    return error;
  }
  close(writable);
  return 0;
}

int32_t dosfh::dispose(BPTR object) {
  FileHandle* fh = asHandle(object);
  if (!fh) return 0;
  doslive::remove(&fh->fh_Header);
  // EINTR: Linux closed it all the same.
  const auto closeFd = [](int fd) {
    return close(fd) == 0 || errno == EINTR ? 0 : dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  };
  int32_t error = closeFd(fh->fh_HostFd);
  if (recordOf(fh)->writeFd >= 0) {
    const int32_t writeError = closeFd(recordOf(fh)->writeFd);
    if (!error) error = writeError;
  }
  delete recordOf(fh);
  return error;
}
