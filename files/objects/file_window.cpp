// cFile: transfers through the write-back window, the size and the position.
#include <algorithm>
#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "files/objects/file.h"

void cFile::allocateWindow() {
  if (!window) window = static_cast<uint8_t*>(Arena::alloc(FILE_WINDOW_SIZE));
}

void cFile::applyPendingShrink() {
  if (hostValidEnd < size) cHostFile::setSize(hostValidEnd);
  hostValidEnd = size;
}

void cFile::flushDirtyBuffer() {
  if (dirtyLength == 0) return;
  // Data written past stale host bytes would make them the file's again.
  applyPendingShrink();
  const int64_t saved = position;
  position = windowStart;
  try {
    cHostFile::write_cBaseFile(window, dirtyLength, 0, false);
  } catch (...) {
    position = saved;
    throw;
  }
  position = saved;
  dirtyLength = 0;
  hostValidEnd = size;
}

void cFile::loadNonDirty() {
  if (dirtyLength == FILE_WINDOW_SIZE || loaded) return;
  allocateWindow();
  const int64_t saved = position;
  position = windowStart + dirtyLength;
  try {
    cHostFile::read_cBaseFile(window + dirtyLength, FILE_WINDOW_SIZE - dirtyLength, 0, NO_STOP_BYTE);
  } catch (...) {
    position = saved;
    throw;
  }
  position = saved;
  // Beyond a shrink the host still has what the file no longer has: those
  // bytes are pad bytes now.
  const int64_t valid = std::clamp<int64_t>(hostValidEnd - windowStart, dirtyLength, FILE_WINDOW_SIZE);
  std::memset(window + valid, padByte, static_cast<size_t>(FILE_WINDOW_SIZE - valid));
  loaded = true;
}

void cFile::moveWindow(int64_t start) {
  flushDirtyBuffer();
  windowStart = start;
  dirtyLength = 0;
  loaded = false;
}

void cFile::bringHostUpToDate() {
  if (readOnlyFlag) return;
  applyPendingShrink();
  flushDirtyBuffer();
  if (size != cachedSize) cHostFile::setSize(cachedSize);
  hostValidEnd = size;
}

void cFile::dropBytesFrom(int64_t newSize) {
  hostValidEnd = std::min(hostValidEnd, newSize);
  const int64_t kept = std::clamp<int64_t>(newSize - windowStart, 0, FILE_WINDOW_SIZE);
  dirtyLength = static_cast<int32_t>(std::min<int64_t>(dirtyLength, kept));
  if (loaded) std::memset(window + kept, padByte, static_cast<size_t>(FILE_WINDOW_SIZE - kept));
}

// ---------------------------------------------------------------------------
// Size and position

void cFile::setSize(int64_t newSize) {
  requireWritable("setSize");
  if (newSize < 0) Throw("EMU", "cFile.setSize(); sizeInBytes<0");
  if (newSize < cachedSize) dropBytesFrom(newSize);
  cachedSize = newSize;
  stampTime();
}

void cFile::setPosition(int64_t newPosition) {
  requireOpen("setPosition");
  if (newPosition < 0) newPosition += cachedSize + 1;
  if (newPosition < 0) Throw("EMU", "cFile.setPosition(); position before start of file is illegal");
  position = newPosition;
}

int64_t cFile::getPosition(bool fromEnd) {
  requireOpen("getPosition");
  return fromEnd ? position - cachedSize - 1 : position;
}

// ---------------------------------------------------------------------------
// Transfers

int64_t cFile::write_cBaseFile(const void* buffer, int32_t length, int32_t offset, bool noGrow,
                               int32_t* notWritten) {
  requireWritable("write");
  if (length < 0) Throw("EMU", "cFile.write(); lengthInBytes<0");
  if (!buffer) Throw("EMU", "cFile.write(); buffer=NILA");
  if (offset < 0) Throw("EMU", "cFile.write(); offsetInBytes<0");

  if (length > FILE_WINDOW_SIZE) {
    // Straight to the host, once the host file is the file; the window may
    // hold bytes this write replaces.
    bringHostUpToDate();
    loaded = false;
    int64_t end = 0;
    try {
      end = cHostFile::write_cBaseFile(buffer, length, offset, noGrow, notWritten);
    } catch (...) {
      cachedSize = hostValidEnd = size;
      throw;
    }
    cachedSize = hostValidEnd = size;
    stampTime();
    return end;
  }

  const int64_t p = position;
  int32_t cut = 0;
  if (noGrow) {
    const int64_t available = std::max<int64_t>(cachedSize - p, 0);
    cut = static_cast<int32_t>(std::max<int64_t>(length - available, 0));
    length -= cut;
  }
  const int64_t e = p + length;
  if (length > 0) {
    allocateWindow();
    if (e > windowStart + FILE_WINDOW_SIZE || p < windowStart) moveWindow(p);
    // The bytes between the dirty prefix and the new data must be the file's.
    if (!loaded && p > windowStart + dirtyLength) loadNonDirty();
    std::memcpy(window + (p - windowStart), static_cast<const uint8_t*>(buffer) + offset, static_cast<size_t>(length));
    dirtyLength = static_cast<int32_t>(std::max<int64_t>(dirtyLength, e - windowStart));
  }
  if (!noGrow && e > cachedSize) cachedSize = e;
  stampTime();
  if (notWritten) *notWritten = cut;
  return e;
}

int64_t cFile::read_cBaseFile(void* buffer, int32_t length, int32_t offset, int32_t stopByte,
                              int32_t* notDelivered) {
  requireOpen("read");
  if (length < 0) Throw("EMU", "cFile.read(); lengthInBytes<0");
  if (!buffer) Throw("EMU", "cFile.read(); buffer=NILA");
  if (offset < 0) Throw("EMU", "cFile.read(); offsetInBytes<0");

  if (length > FILE_WINDOW_SIZE) {
    bringHostUpToDate();
    return cHostFile::read_cBaseFile(buffer, length, offset, stopByte, notDelivered);
  }

  auto* bytes = static_cast<uint8_t*>(buffer) + offset;
  const int64_t p = position;
  const int64_t e = p + length;
  if (length > 0) {
    allocateWindow();
    if (e > windowStart + FILE_WINDOW_SIZE || p < windowStart) moveWindow(p);
    if (!loaded && e > windowStart + dirtyLength) loadNonDirty();
    std::memcpy(bytes, window + (p - windowStart), static_cast<size_t>(length));
  }
  // Past the cached end every byte is a pad byte, whatever the window holds.
  const int64_t available = std::max<int64_t>(cachedSize - p, 0);
  const int32_t missing = static_cast<int32_t>(std::max<int64_t>(length - available, 0));
  std::memset(bytes + (length - missing), padByte, static_cast<size_t>(missing));

  if (stopByte >= 0) {
    // Bytes compare as signed 8-bit values: a stop byte above 127 never matches.
    for (int32_t i = 0; i < length; ++i) {
      if (static_cast<int8_t>(bytes[i]) != stopByte) continue;
      const int32_t count = i + 1;
      std::memset(bytes + count, padByte, static_cast<size_t>(length - count));
      if (notDelivered) *notDelivered = length - count;
      return p + count;
    }
  }
  if (notDelivered) *notDelivered = missing;
  return e;
}
