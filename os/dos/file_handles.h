// File handles: a FileHandle record around an open Linux descriptor. Open,
// Close and the transfers build on these.
#pragma once
#include <cstdint>
#include <string>

#include "os/dos/dos.h"

namespace dosfh {

// What a handle holds beyond the public FileHandle.
struct HandleRecord : FileHandle {
  bool regular = false;  // a plain file: a read goes on until it has all it asked for
  bool console = false;  // a console (CON:, CONSOLE:): never quiet, however its streams look
  // A console on the program's standard streams reads a copy of standard
  // input (fh_HostFd) and writes this copy of standard output; -1: it
  // writes where it reads.
  int writeFd = -1;
};

// The handle behind a BPTR; NIL for ZERO, a lock or anything else.
FileHandle* asHandle(BPTR object);
inline HandleRecord* recordOf(FileHandle* fh) { return static_cast<HandleRecord*>(fh); }

// A new handle that owns the open descriptor fd (opened with `mode`). realPath,
// when known, says that fd is a plain file lying there; else what fd is and
// where it lies are read from the descriptor.
BPTR adoptDescriptor(int fd, int32_t mode, const std::string* realPath = nullptr);
// Makes the handle's descriptor writable before its first write or size
// change. A MODE_OLDFILE handle is opened read-only at first, so that reading
// a file never looks like writing it; here it is opened again for reading and
// writing, through the object it has open (never its path, which may lead
// elsewhere by now), at the same position. 0, or the IoErr code: 223 when the
// protection word or Linux refuses writing.
int32_t makeWritable(FileHandle* fh);
// The descriptor writes through the handle go to.
inline int writeFdOf(FileHandle* fh) {
  return recordOf(fh)->writeFd >= 0 ? recordOf(fh)->writeFd : fh->fh_HostFd;
}
// Closes the descriptor and frees the handle; anything but a live handle is
// ignored. 0, or the IoErr code of the error Linux reported on closing (data
// may be lost).
int32_t dispose(BPTR fh);

}  // namespace dosfh
