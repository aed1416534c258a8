// The icon reader's parts below GetDiskObject: the parser of the on-disk
// format and the reading of an icon file by its Linux path.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/icon/icon.h"

// Icon files larger than this are refused without being read.
constexpr size_t MAX_ICON_FILE_SIZE = 4 * 1024 * 1024;

// Builds an icon from the bytes of an ".info" file; NIL when anything in it is
// out of place: wrong magic or version, an unknown type, a length or count
// that runs past the end of the bytes, an image larger than 1024 by 1024 or
// deeper than 8 planes. Free the result with FreeDiskObject.
DiskObject* parseDiskObject(const uint8_t* bytes, size_t size);

// Reads and parses a regular file; NIL for anything else (a missing file, a
// folder, a FIFO or device, a file too large, a short read).
DiskObject* readDiskObjectFile(const char* linuxPath);
