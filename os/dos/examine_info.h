// Copies a described object into a FileInfoBlock.
#pragma once
#include "os/dos/dos.h"
#include "os/dos/metadata.h"

namespace dosexamine {

// Sets every field but fib_DiskKey; the comment is cut to the 79 shown.
void toFileInfoBlock(const dosmeta::EntryInfo& info, FileInfoBlock* fib);

}  // namespace dosexamine
