// Read, Write, Flush, Seek and SetFileSize on an open handle. Positions are
// the documented 32-bit words; Linux keeps the true 64-bit position, so
// relative seeks reach past 2 GiB and 4 GiB.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "os/dos/call_hooks.h"
#include "os/dos/dos_testing.h"
#include "os/dos/file_handles.h"
#include "os/dos/host_errors.h"
#include "os/dos/lock_records.h"
#include "os/dos/process_record.h"

namespace {

int32_t failCount(int32_t code) {
  dosproc::fail(code);
  return -1;
}

// Where an offset counts from in `mode`; FALSE (IoErr set) for a bad mode or
// a descriptor that cannot tell.
bool baseOf(int fd, int32_t mode, off_t* base, off_t* size, off_t* position) {
  struct stat st;
  if (fstat(fd, &st) != 0) return dosproc::fail(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));
  const off_t at = lseek(fd, 0, SEEK_CUR);
  if (at < 0) return dosproc::fail(ERROR_SEEK_ERROR);
  *size = S_ISREG(st.st_mode) ? st.st_size : 0;
  *position = at;
  switch (mode) {
    case OFFSET_BEGINNING: *base = 0; return true;
    case OFFSET_CURRENT: *base = at; return true;
    case OFFSET_END: *base = *size; return true;
    default: return dosproc::fail(ERROR_BAD_NUMBER);
  }
}

}  // namespace

int32_t Read(BPTR file, APTR buffer, int32_t length) {
  if (int32_t injected = doshook::enter("Read")) return failCount(injected);
  FileHandle* fh = dosfh::asHandle(file);
  if (!fh) return failCount(ERROR_OBJECT_WRONG_TYPE);
  if (length < 0 || (!buffer && length > 0)) return failCount(ERROR_BAD_NUMBER);
  const bool regular = dosfh::recordOf(fh)->regular;
  auto* at = static_cast<char*>(buffer);
  int32_t total = 0;
  while (total < length) {
    const ssize_t n = read(fh->fh_HostFd, at + total, static_cast<size_t>(length - total));
    if (n < 0) {
      if (errno == EINTR) continue;
      if (total > 0) break;  // report what arrived; the error shows on the next call
      return failCount(dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED));
    }
    if (n == 0) break;
    total += static_cast<int32_t>(n);
    if (!regular) break;  // a pipe or terminal gives what it has
  }
  return total;
}

int32_t Write(BPTR file, const void* buffer, int32_t length) {
  if (int32_t injected = doshook::enter("Write")) return failCount(injected);
  FileHandle* fh = dosfh::asHandle(file);
  if (!fh) return failCount(ERROR_OBJECT_WRONG_TYPE);
  if (length < 0 || (!buffer && length > 0)) return failCount(ERROR_BAD_NUMBER);
  if (length > 0) {
    if (int32_t error = dosfh::makeWritable(fh)) return failCount(error);
  }
  const auto* at = static_cast<const char*>(buffer);
  int32_t total = 0;
  while (total < length) {
    const ssize_t n = write(dosfh::writeFdOf(fh), at + total, static_cast<size_t>(length - total));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int32_t code = dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
      if (total == 0) return failCount(code);
      dosproc::fail(code);  // a short count, and why
      break;
    }
    if (n == 0) {
      dosproc::fail(ERROR_DISK_FULL);
      break;
    }
    total += static_cast<int32_t>(n);
  }
  return total;
}

bool Flush(BPTR file) {
  if (int32_t injected = doshook::enter("Flush")) return dosproc::fail(injected);
  // Every Write went to Linux at once; Flush puts it on the disk, so that a
  // file renamed into place afterwards is whole after a power loss.
  FileHandle* fh = dosfh::asHandle(file);
  if (!fh) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  if (fsync(fh->fh_HostFd) != 0 && errno != EINVAL && errno != EROFS)
    return dosproc::fail(dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED));
  return true;
}

int32_t Seek(BPTR file, int32_t position, int32_t mode) {
  if (int32_t injected = doshook::enter("Seek")) return failCount(injected);
  FileHandle* fh = dosfh::asHandle(file);
  if (!fh) return failCount(ERROR_OBJECT_WRONG_TYPE);
  off_t base, size, old;
  if (!baseOf(fh->fh_HostFd, mode, &base, &size, &old)) return -1;
  const off_t target = base + position;
  if (target < 0 || target > size) return failCount(ERROR_SEEK_ERROR);
  if (lseek(fh->fh_HostFd, target, SEEK_SET) < 0) return failCount(ERROR_SEEK_ERROR);
  dosproc::self().pr_Result2 = 0;  // so that -1 can be told from an old position of 0xFFFFFFFF
  return static_cast<int32_t>(static_cast<uint32_t>(old));
}

int32_t SetFileSize(BPTR file, int32_t offset, int32_t mode) {
  if (int32_t injected = doshook::enter("SetFileSize")) return failCount(injected);
  FileHandle* fh = dosfh::asHandle(file);
  if (!fh) return failCount(ERROR_OBJECT_WRONG_TYPE);
  off_t base, size, position;
  if (!baseOf(fh->fh_HostFd, mode, &base, &size, &position)) return -1;
  const off_t newSize = base + offset;
  if (newSize < 0) return failCount(ERROR_SEEK_ERROR);
  if (int32_t error = dosfh::makeWritable(fh)) return failCount(error);
  if (newSize < size) {
    std::string real;
    if (dosl::realPathOfFd(fh->fh_HostFd, real) == 0 && doshook::hasTrait(real, ostest::TRAIT_CANNOT_SHRINK))
      return failCount(ERROR_ACTION_NOT_KNOWN);
  }
  int result;
  do result = ftruncate(fh->fh_HostFd, newSize);
  while (result != 0 && errno == EINTR);
  if (result != 0) return failCount(dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED));
  if (position > newSize) lseek(fh->fh_HostFd, newSize, SEEK_SET);
  return static_cast<int32_t>(static_cast<uint32_t>(newSize));
}
