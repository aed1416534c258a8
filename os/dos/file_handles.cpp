#include "os/dos/file_handles.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "os/dos/live_objects.h"
#include "os/dos/lock_records.h"
#include "os/dos/volumes.h"

FileHandle* dosfh::asHandle(BPTR object) {
  return doslive::isLive(object, DOS_KIND_HANDLE) ? reinterpret_cast<FileHandle*>(object) : nullptr;
}

BPTR dosfh::adoptDescriptor(int fd, int32_t mode) {
  auto* fh = new FileHandle();
  fh->fh_Mode = mode;
  fh->fh_HostFd = fd;
  std::string real;
  if (dosl::realPathOfFd(fd, real) == 0)
    fh->fh_Type = real == "/dev/null" ? dosvol::portOf("NIL") : dosl::portOfRealPath(real);
  doslive::add(&fh->fh_Header, DOS_KIND_HANDLE);
  return &fh->fh_Header;
}

bool dosfh::dispose(BPTR object) {
  FileHandle* fh = asHandle(object);
  if (!fh) return true;
  doslive::remove(&fh->fh_Header);
  const bool closed = close(fh->fh_HostFd) == 0 || errno == EINTR;  // EINTR: Linux closed it all the same
  delete fh;
  return closed;
}
