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
// Closes the descriptor and frees the handle; anything but a live handle is
// ignored. FALSE when Linux reported an error on closing (data may be lost).
bool dispose(BPTR fh);

}  // namespace dosfh
