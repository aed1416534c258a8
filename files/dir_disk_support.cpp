// What the disk of a cDir takes, found once per device in a row.
#include "core/string.h"
#include "core/text.h"
#include "files/cached_dir.h"
#include "files/host_extra.h"
#include "files/path_operations.h"
#include "files/path_syntax.h"

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
  char* expanded = ExpandPath(path);
  char* device = nullptr;
  try {
    device = ExtractDevice(expanded);
  } catch (...) {
    DisposeString(expanded);
    throw;
  }
  DisposeString(expanded);
  if (device[0] == '\0') {
    DisposeString(device);
    device = StrClone(":/");
  }
  if (diskName && StrCmpNoCase(diskName, device)) {
    DisposeString(device);
    return;
  }
  DisposeString(diskName);
  diskName = device;
  if (dirDiskName && StrCmpNoCase(dirDiskName, device)) {
    support = static_cast<uint8_t>(dirDiskSupports);
    return;
  }
  // The probes write the directory's own values back; a refusal is an
  // answer here, not a failure of the object.
  const char* origin = failureOrigin;
  const char* reason = failureReason;
  support = 0;
  if (cHostDir::setAttributes(cachedAttributes, ATTR_ALL)) support |= DIR_ATTRIBUTES;
  if (writeCache()) support |= DIR_EXTRA;
  failureOrigin = origin;
  failureReason = reason;
  char* remembered = StrClone(device);
  DisposeString(dirDiskName);
  dirDiskName = remembered;
  dirDiskSupports = support;
}
