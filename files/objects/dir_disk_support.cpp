// What the disk of a cDir takes, found once per device in a row.
#include "core/string.h"
#include "files/objects/dir.h"
#include "files/objects/host_extra.h"
#include "files/objects/probed_disk.h"

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
  if (!AdoptDevice(diskName, DeviceOfPath(path))) return;
  if (IsRememberedDisk(dirDiskName, diskName)) {
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
  RememberDisk(dirDiskName, dirDiskSupports, diskName, support);
}
