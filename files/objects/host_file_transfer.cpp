// cHostFile: reading, writing, pad bytes and the size.
#include <algorithm>
#include <cstring>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "files/dos/file_functions.h"
#include "files/objects/host_file.h"

namespace {

// The largest size the system's SetFileSize can set.
constexpr int64_t LARGEST_SETTABLE_SIZE = INT32_MAX;

}  // namespace

// Both run after a failed transfer: the failure's IoErr stays for the caller
// to tell why, whatever the handle's own calls leave.
void cHostFile::rereadHandlePosition() {
  const int32_t error = IoErr();
  if (handle) handlePosition = getFilePosition64(handle);
  SetIoErr(error);
}

void cHostFile::resyncAfterFailedGrowth() {
  if (!handle) return;
  const int32_t error = IoErr();
  // The size was recorded before the pad bytes and the data were written:
  // after a failure the file has what reached the disk.
  const int64_t actual = getFileSize64(handle, true);
  if (actual >= 0) size = actual;
  rereadHandlePosition();
  SetIoErr(error);
}

void cHostFile::seekHandleTo(int64_t where) {
  if (handlePosition == where) return;
  safeSetFilePosition64(handle, where);
  handlePosition = where;
}

int64_t cHostFile::read_cBaseFile(void* buffer, int32_t length, int32_t offset, int32_t stopByte,
                                  int32_t* notDelivered) {
  requireOpen(className, "read");
  requireTransferArguments(className, "read", buffer, length, offset);

  auto* bytes = static_cast<uint8_t*>(buffer) + offset;
  const int64_t available = std::max<int64_t>(size - position, 0);
  int32_t missing = static_cast<int32_t>(std::max<int64_t>(length - available, 0));
  const int32_t toRead = length - missing;
  try {
    if (toRead > 0) {
      seekHandleTo(position);
      if (Read(handle, bytes, toRead) != toRead)
        Throw("BUG", "cHostFile.read(); size of read data does not match that expected");
      handlePosition += toRead;
    }
  } catch (...) {
    rereadHandlePosition();
    throw;
  }
  std::memset(bytes + toRead, padByte, static_cast<size_t>(length - toRead));

  int32_t consumed = length;
  if (stopByte >= 0) {
    // Bytes compare as signed 8-bit values: a stop byte above 127 never matches.
    for (int32_t i = 0; i < length; ++i) {
      if (static_cast<int8_t>(bytes[i]) != stopByte) continue;
      consumed = i + 1;
      if (toRead > consumed) std::memset(bytes + consumed, padByte, static_cast<size_t>(toRead - consumed));
      missing = length - consumed;
      break;
    }
  }
  if (notDelivered) *notDelivered = missing;
  return position + consumed;
}

int64_t cHostFile::write_cBaseFile(const void* buffer, int32_t length, int32_t offset, bool noGrow,
                                   int32_t* notWritten) {
  requireWritable(className, "write");
  requireTransferArguments(className, "write", buffer, length, offset);

  int32_t cut = 0;
  try {
    if (noGrow) {
      const int64_t available = std::max<int64_t>(size - position, 0);
      cut = static_cast<int32_t>(std::max<int64_t>(length - available, 0));
      length -= cut;
    } else if (position + length > size) {
      const int64_t oldSize = size;
      setSizeQuick(position + length);
      if (oldSize < position) writePadBytes(position - oldSize, oldSize);
    }
    if (length > 0) {
      seekHandleTo(position);
      if (Write(handle, static_cast<const uint8_t*>(buffer) + offset, length) != length)
        Throw("FILE", "cHostFile.write(); size of written data does not match that expected");
      handlePosition += length;
    }
    examineHandle("write");
  } catch (...) {
    resyncAfterFailedGrowth();
    throw;
  }
  if (notWritten) *notWritten = cut;
  return position + length;
}

void cHostFile::writePadBytes(int64_t count, int64_t at) {
  if (count <= 0) return;
  const int32_t chunk = static_cast<int32_t>(std::min<int64_t>(count, PAD_CHUNK_SIZE));
  void* pads = Arena::alloc(static_cast<size_t>(chunk));
  try {
    std::memset(pads, padByte, static_cast<size_t>(chunk));
    seekHandleTo(at);
    while (count > 0) {
      const int32_t step = static_cast<int32_t>(std::min<int64_t>(count, chunk));
      if (Write(handle, pads, step) != step)
        Throw("FULL", "cHostFile.writePadBytes(); not all pad bytes were written, disk may be full");
      handlePosition += step;
      count -= step;
    }
  } catch (...) {
    Arena::release(pads);
    rereadHandlePosition();
    throw;
  }
  Arena::release(pads);
}

void cHostFile::setSize(int64_t newSize) {
  requireWritable(className, "setSize");
  if (newSize < 0) Throw("EMU", "cHostFile.setSize(); sizeInBytes<0");
  // The change is counted in 64 bits: a change of 2 GiB or more is no
  // change in the other direction.
  const int64_t oldSize = size;
  setSizeQuick(newSize);
  if (newSize > oldSize) {
    try {
      writePadBytes(newSize - oldSize, oldSize);
    } catch (...) {
      resyncAfterFailedGrowth();
      throw;
    }
  }
  examineHandle("setSize");
}

void cHostFile::setSizeQuick(int64_t newSize) {
  if (newSize >= size) {
    size = newSize;
    return;
  }
  WithCleanUp(
      [&] {
        if (newSize > LARGEST_SETTABLE_SIZE)
          Throw("FILE", "cHostFile.setSizeQuick(); filingsystem cannot set a size of 2 GiB or more");
        if (setFileSize64(handle, newSize)) {
          size = newSize;
        } else {
          const int64_t actual = getFileSize64(handle, true);
          if (actual == size)
            Throw("FILE", "cHostFile.setSizeQuick(); filingsystem does not support reducing the file size");
          // Something changed: put the size back as far as the system lets us,
          // and keep what it then reports.
          setFileSize64(handle, size);
          const int64_t now = getFileSize64(handle, true);
          if (now != -1) size = now;
          Throw("FILE", "cHostFile.setSizeQuick(); filingsystem failed to reduce file size");
        }
      },
      [&] { rereadHandlePosition(); });
}
