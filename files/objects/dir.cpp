#include "files/objects/dir.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/objects/extra_cache.h"
#include "files/objects/host_extra.h"
#include "files/objects/probed_disk.h"

void cDir::new_cBaseDir() {
  cHostDir::new_cBaseDir();
  extraCache = new cHostExtra;
  extraCache->new_cHostExtra();
}

void cDir::end_class() {
  const auto release = [this] {
    End(extraCache);
    DisposeString(diskName);
    diskName = nullptr;
  };
  WithCleanUp([&] { cHostDir::end_class(); }, release);
}

void cDir::fillCache() {
  WithCacheBypassed(filling, [this] { return extraCache->setExtra(this); });
}

bool cDir::writeCache() {
  return WithCacheBypassed(filling, [this] { return cHostDir::setExtra(extraCache); });
}

bool cDir::open(const char* path, bool readOnly, bool force) {
  if (!cHostDir::open(path, readOnly, force)) return false;
  try {
    cachedAttributes = cHostDir::getAttributes();
    fillCache();
    dirty = 0;
    if (!readOnly) evaluateDisk(path);
  } catch (...) {
    cHostDir::close();
    throw;
  }
  return true;
}

void cDir::close() {
  if (lock && !readOnlyFlag) {
    try {
      flush();
    } catch (...) {
      cHostDir::close();
      throw;
    }
  }
  cHostDir::close();
}

void cDir::flush() {
  requireOpen(className, "flush");
  if (!readOnlyFlag) {
    bool ok = true;
    if (dirty & DIR_EXTRA)
      ok = WriteChangedExtra(support & DIR_EXTRA, [this] { return writeCache(); }, [this] { fillCache(); });
    if (dirty & DIR_ATTRIBUTES) ok = cHostDir::setAttributes(cachedAttributes, ATTR_ALL) && ok;
    dirty = 0;
    if (!ok) Throw("FILE", "cDir.flush(); failed to set one of more of: attributes, extra");
  }
  cHostDir::flush();
  if (readOnlyFlag) {
    cachedAttributes = cHostDir::getAttributes();
    fillCache();
  }
}

bool cDir::setAttributes(int32_t attributes, int32_t mask) {
  requireWritable(className, "setAttributes");
  if (!(support & DIR_ATTRIBUTES)) return fail("cDir.setAttributes()", "not supported by disk");
  const int32_t m = mask & ATTR_ALL;
  cachedAttributes = (cachedAttributes & ~m) | (attributes & m);
  dirty |= DIR_ATTRIBUTES;
  return true;
}

bool cDir::setExtra(cExtra* other) {
  requireWritable(className, "setExtra");
  const bool taken = extraCache->setExtra(other);
  dirty |= DIR_EXTRA;
  if (!taken) return fail("cDir.setExtra()", "not supported by host");
  return true;
}

cExtra* cDir::getExtra() { return extraCache->getExtra(); }

intptr_t cDir::queryExtra(int32_t id, int32_t* status) {
  if (!filling) return cHostDir::queryExtra(id, status);
  return extraCache->queryExtra(id, status);
}

bool cDir::changeExtra(int32_t id, intptr_t value, int32_t* status) {
  if (!filling) return cHostDir::changeExtra(id, value, status);
  requireWritable(className, "changeExtra");
  if (!ChangeCachedExtra(extraCache, id, value, status, dirty, DIR_EXTRA, [this] { flush(); }))
    return fail("cDir.changeExtra()", "not supported by host");
  return true;
}

cDir* cDir::clone_cDir(bool writable) { return static_cast<cDir*>(cHostDir::clone_cHostDir(writable)); }

// What the disk of a cDir takes, found once per device in a row.
char* dirDiskName = nullptr;
int32_t dirDiskSupports = 0;

void clearDirDiskSupport() {
  dirDiskName = nullptr;
  dirDiskSupports = 0;
}

void disposeDirDiskSupport() {
  DisposeString(dirDiskName);
  clearDirDiskSupport();
}

void cDir::evaluateDisk(const char* path) {
  EvaluateDisk(this, path, diskName, support, dirDiskName, dirDiskSupports, [this](uint8_t& takes) {
    if (cHostDir::setAttributes(cachedAttributes, ATTR_ALL)) takes |= DIR_ATTRIBUTES;
    if (writeCache()) takes |= DIR_EXTRA;
  });
}
