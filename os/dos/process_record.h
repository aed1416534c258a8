// The hosted process record and the bookkeeping every call shares: the IoErr
// slot and the "insert volume" requesters.
#pragma once
#include <cstdint>
#include <string_view>

#include "os/dos/dos.h"

namespace dosproc {

// The one hosted process, made on first use with the Linux working folder as
// its current directory.
Process& self();

// Sets IoErr to code and answers FALSE / ZERO, for the failing paths of calls.
bool fail(int32_t code);
BPTR failLock(int32_t code);

// A path named a volume that is not mounted: counts one "insert volume"
// requester unless the process's window pointer is -1.
void noteUnknownVolume(std::string_view name);

// Releases the process's locks and clears its record and the requester count.
void reset();

}  // namespace dosproc
