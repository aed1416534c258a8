// cFile: life, open, close, flush and the cached attributes, time and extra
// data.
#include "files/objects/file.h"

#include <cstdio>

#include "core/arena.h"
#include "core/exception.h"
#include "core/string.h"
#include "core/time_count.h"
#include "files/objects/extra_cache.h"
#include "files/objects/extra_ids.h"
#include "files/objects/host_extra.h"

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
  try {
    // Pending data and changes are written while the cache and the window
    // are still there.
    if (handle) close();
  } catch (...) {
    release();
    throw;
  }
  release();
}

void cFile::requireOpen(const char* operation) const {
  if (!handle) ThrowF("EMU", "cFile.%s(); file not open", operation);
}

void cFile::requireWritable(const char* operation) const {
  requireOpen(operation);
  if (readOnlyFlag) ThrowF("EMU", "cFile.%s(); file opened in read only mode", operation);
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
  requireOpen("close");
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
  requireOpen("flush");
  bool ok = true;
  if (!readOnlyFlag) {
    bringHostUpToDate();
    if (dirty & FILE_DIRTY_EXTRA)
      ok = WriteChangedExtra(support & FILE_TAKES_EXTRA, [this] { return writeCache(); }, [this] { fillCache(); });
    if (dirty & FILE_DIRTY_ATTRIBUTES) ok = cHostFile::setAttributes(cachedAttributes, ATTR_ALL) && ok;
    if (dirty & FILE_DIRTY_TIME) {
      if (!cHostFile::setTime(cachedTime)) {
        ok = false;
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
  if (!ok) Throw("FILE", "cFile.flush(); failed to set one of more of: time, attributes & extra");
}

// ---------------------------------------------------------------------------
// Cached changes

bool cFile::setAttributes(int32_t attributes, int32_t mask) {
  requireWritable("setAttributes");
  if (!(support & FILE_TAKES_ATTRIBUTES)) return fail("cFile.setAttributes()", "not supported by disk");
  const int32_t m = mask & getAttributesSupported();
  cachedAttributes = (cachedAttributes & ~m) | (attributes & m);
  dirty |= FILE_DIRTY_ATTRIBUTES;
  return true;
}

bool cFile::setTime(int64_t time) {
  requireWritable("setTime");
  if (!(support & FILE_TAKES_TIME)) return fail("cFile.setTime()", "not supported by disk");
  cachedTime = time;
  dirty |= FILE_DIRTY_TIME;
  return true;
}

bool cFile::setExtra(cExtra* other) {
  requireWritable("setExtra");
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
  requireWritable("changeExtra");
  if (!ChangeCachedExtra(extraCache, id, value, status, dirty, FILE_DIRTY_EXTRA, [this] { flush(); }))
    return fail("cFile.changeExtra()", "not supported by host");
  return true;
}

cFile* cFile::clone_cFile(bool writable) {
  if (handle && !readOnlyFlag && !writable) flush();
  return static_cast<cFile*>(cHostFile::clone_cHostFile(writable));
}
