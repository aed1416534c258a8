// File handles: a FileHandle record around an open Linux descriptor. Open,
// Close and the transfers build on these.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"

namespace dosfh {

// The handle behind a BPTR; NIL for ZERO, a lock or anything else.
FileHandle* asHandle(BPTR object);

// A new handle that owns the open descriptor fd (opened with `mode`).
BPTR adoptDescriptor(int fd, int32_t mode);
// Makes the handle's descriptor writable before its first write or size
// change. A MODE_OLDFILE handle is opened read-only at first, so that reading
// a file never looks like writing it; here it is opened again for reading and
// writing, through the object it has open (never its path, which may lead
// elsewhere by now), at the same position. 0, or the IoErr code: 223 when the
// protection word or Linux refuses writing.
int32_t makeWritable(FileHandle* fh);
// Closes the descriptor and frees the handle; anything but a live handle is
// ignored. FALSE when Linux reported an error on closing (data may be lost).
bool dispose(BPTR fh);

}  // namespace dosfh
