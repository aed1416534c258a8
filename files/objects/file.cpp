// cFile: life, open, close, flush and the cached attributes, time and extra
// data; what the disk takes; transfers through the write-back window, the
// size and the position; the module's start and end.
#include "files/objects/file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "core/time_count.h"
#include "files/objects/extra_cache.h"
#include "files/objects/host_extra.h"
#include "files/objects/probed_disk.h"
#include "files/paths/extra_ids.h"

void cFile::new_cBaseFile(uint8_t pad) {
  cHostFile::new_cBaseFile(pad);
  if (!extraCache) {
    extraCache = new cHostExtra;
    extraCache->new_cHostExtra();
  }
}

void cFile::end_class() {
  const auto release = [this] {
    if (handle) {
      // Only when the close below failed before the host file was closed.
      try {
        cHostFile::close();
      } catch (...) {
      }
    }
    End(extraCache);
    Arena::release(window);
    window = nullptr;
    DisposeString(diskName);
    diskName = nullptr;
    cHostFile::end_class();
  };
  WithCleanUp(
      [&] {
        // Pending data and changes are written while the cache and the window
        // are still there.
        if (handle) close();
      },
      release);
}

void cFile::stampTime() {
  if (!(support & FILE_TAKES_TIME)) return;
  cachedTime = CurrentTime_ptime();
  dirty |= FILE_DIRTY_TIME;
}

void cFile::fillCache() {
  WithCacheBypassed(filling, [this] { return extraCache->setExtra(this); });
}

bool cFile::writeCache() {
  return WithCacheBypassed(filling, [this] { return cHostFile::setExtra(extraCache); });
}

void cFile::rereadFromHost() {
  cachedAttributes = cHostFile::getAttributes();
  cachedTime = cHostFile::getTime();
  fillCache();
  cachedSize = size;
  hostValidEnd = size;
}

// ---------------------------------------------------------------------------
// Open, close, flush

bool cFile::open_cBaseFile(const char* path, bool readOnly, bool force, bool atEnd) {
  if (!cHostFile::open_cBaseFile(path, readOnly, force, atEnd)) return false;
  try {
    rereadFromHost();
    dirty = 0;
    windowStart = 0;
    dirtyLength = 0;
    loaded = false;
    if (!readOnly) evaluateDisk(path);
  } catch (...) {
    if (handle) {
      try {
        cHostFile::close();
      } catch (...) {
      }
    }
    throw;
  }
  return true;
}

void cFile::close() {
  requireOpen(className, "close");
  if (!readOnlyFlag) {
    try {
      // Writing the data changes the file's date: the cached time goes back
      // on after them. A link's date is its target's, which stays alone.
      if (!extraCache->queryExtra(EXTRA_LINK) && (support & FILE_TAKES_TIME)) dirty |= FILE_DIRTY_TIME;
      flush();
    } catch (...) {
      dirtyLength = 0;
      dirty = 0;
      if (handle) cHostFile::close();
      throw;
    }
  }
  dirtyLength = 0;
  dirty = 0;
  cHostFile::close();
}

void cFile::flush() {
  requireOpen(className, "flush");
  bool ok = true;
  // The first refusal's reason, given back as IoErr when the flush fails.
  int32_t error = 0;
  const auto note = [&](bool done) {
    if (!done && ok) error = IoErr();
    ok = ok && done;
  };
  if (!readOnlyFlag) {
    bringHostUpToDate();
    if (dirty & FILE_DIRTY_EXTRA)
      note(WriteChangedExtra(support & FILE_TAKES_EXTRA, [this] { return writeCache(); }, [this] { fillCache(); }));
    if (dirty & FILE_DIRTY_ATTRIBUTES) note(cHostFile::setAttributes(cachedAttributes, ATTR_ALL));
    if (dirty & FILE_DIRTY_TIME) {
      if (!cHostFile::setTime(cachedTime)) {
        note(false);
        std::printf("flush() FAILED to setTime() because \"%s\"; support=%ld, file=\"%s\"\n",
                    failureReason ? failureReason : "", static_cast<long>(support & FILE_TAKES_TIME),
                    canonicalPath ? canonicalPath : "");
      }
    }
    dirty = 0;
  }
  // Also after a refusal: the cache shows what the disk holds, not what it
  // refused.
  cHostFile::flush();
  rereadFromHost();
  loaded = false;
  if (!ok) {
    SetIoErr(error);
    Throw("FILE", "cFile.flush(); failed to set one of more of: time, attributes & extra");
  }
}

// ---------------------------------------------------------------------------
// Cached changes

bool cFile::setAttributes(int32_t attributes, int32_t mask) {
  requireWritable(className, "setAttributes");
  if (!(support & FILE_TAKES_ATTRIBUTES)) return fail("cFile.setAttributes()", "not supported by disk");
  const int32_t m = mask & getAttributesSupported();
  cachedAttributes = (cachedAttributes & ~m) | (attributes & m);
  dirty |= FILE_DIRTY_ATTRIBUTES;
  return true;
}

bool cFile::setTime(int64_t time) {
  requireWritable(className, "setTime");
  if (!(support & FILE_TAKES_TIME)) return fail("cFile.setTime()", "not supported by disk");
  cachedTime = time;
  dirty |= FILE_DIRTY_TIME;
  return true;
}

bool cFile::setExtra(cExtra* other) {
  requireWritable(className, "setExtra");
  const bool taken = extraCache->setExtra(other);
  dirty |= FILE_DIRTY_EXTRA;
  if (!taken) return fail("cFile.setExtra()", "not supported by host");
  return true;
}

cExtra* cFile::getExtra() { return extraCache->getExtra(); }

intptr_t cFile::queryExtra(int32_t id, int32_t* status) {
  if (!filling) return cHostFile::queryExtra(id, status);
  return extraCache->queryExtra(id, status);
}

bool cFile::changeExtra(int32_t id, intptr_t value, int32_t* status) {
  if (!filling) return cHostFile::changeExtra(id, value, status);
  requireWritable(className, "changeExtra");
  if (!ChangeCachedExtra(extraCache, id, value, status, dirty, FILE_DIRTY_EXTRA, [this] { flush(); }))
    return fail("cFile.changeExtra()", "not supported by host");
  return true;
}

cFile* cFile::clone_cFile(bool writable) {
  if (handle && !readOnlyFlag && !writable) flush();
  return static_cast<cFile*>(cHostFile::clone_cHostFile(writable));
}

// What the disk of a cFile takes, found once per device in a row.
char* fileDiskName = nullptr;
int32_t fileDiskSupports = 0;

void clearFileDiskSupport() {
  fileDiskName = nullptr;
  fileDiskSupports = 0;
}

void disposeFileDiskSupport() {
  DisposeString(fileDiskName);
  clearFileDiskSupport();
}

void cFile::evaluateDisk(const char* path) {
  EvaluateDisk(this, path, diskName, support, fileDiskName, fileDiskSupports, [this](uint8_t& takes) {
    if (cHostFile::setAttributes(cachedAttributes, ATTR_ALL)) takes |= FILE_TAKES_ATTRIBUTES;
    if (cHostFile::setTime(cachedTime)) takes |= FILE_TAKES_TIME;
    if (writeCache()) takes |= FILE_TAKES_EXTRA;
  });
}

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
  WithCleanUp([&] { cHostFile::write_cBaseFile(window, dirtyLength, 0, false); }, [&] { position = saved; });
  dirtyLength = 0;
  hostValidEnd = size;
}

void cFile::loadNonDirty() {
  if (dirtyLength == FILE_WINDOW_SIZE || loaded) return;
  allocateWindow();
  const int64_t saved = position;
  position = windowStart + dirtyLength;
  WithCleanUp(
      [&] { cHostFile::read_cBaseFile(window + dirtyLength, FILE_WINDOW_SIZE - dirtyLength, 0, NO_STOP_BYTE); },
      [&] { position = saved; });
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
  requireWritable(className, "setSize");
  if (newSize < 0) Throw("EMU", "cFile.setSize(); sizeInBytes<0");
  if (newSize < cachedSize) dropBytesFrom(newSize);
  cachedSize = newSize;
  stampTime();
}

void cFile::setPosition(int64_t newPosition) {
  requireOpen(className, "setPosition");
  if (newPosition < 0) newPosition += cachedSize + 1;
  if (newPosition < 0) Throw("EMU", "cFile.setPosition(); position before start of file is illegal");
  position = newPosition;
}

int64_t cFile::getPosition(bool fromEnd) {
  requireOpen(className, "getPosition");
  return fromEnd ? position - cachedSize - 1 : position;
}

// ---------------------------------------------------------------------------
// Transfers

int64_t cFile::write_cBaseFile(const void* buffer, int32_t length, int32_t offset, bool noGrow,
                               int32_t* notWritten) {
  requireWritable(className, "write");
  requireTransferArguments(className, "write", buffer, length, offset);

  if (length > FILE_WINDOW_SIZE) {
    // Straight to the host, once the host file is the file; the window may
    // hold bytes this write replaces.
    bringHostUpToDate();
    loaded = false;
    int64_t end = 0;
    WithCleanUp(
        [&] { end = cHostFile::write_cBaseFile(buffer, length, offset, noGrow, notWritten); },
        [&] { cachedSize = hostValidEnd = size; });
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
  requireOpen(className, "read");
  requireTransferArguments(className, "read", buffer, length, offset);

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

void new_cpath_file() { clearFileDiskSupport(); }

void end_cpath_file() { disposeFileDiskSupport(); }
