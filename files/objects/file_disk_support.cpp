// What the disk of a cFile takes, found once per device in a row.
#include "core/string.h"
#include "files/objects/file.h"
#include "files/objects/host_extra.h"
#include "files/objects/probed_disk.h"

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
  if (!AdoptDevice(diskName, DeviceOfPath(path))) return;
  if (IsRememberedDisk(fileDiskName, diskName)) {
    support = static_cast<uint8_t>(fileDiskSupports);
    return;
  }
  // The probes write the file's own values back, so they change nothing on
  // a disk that takes them; a refusal is an answer here, not a failure of
  // the object.
  const char* origin = failureOrigin;
  const char* reason = failureReason;
  support = 0;
  if (cHostFile::setAttributes(cachedAttributes, ATTR_ALL)) support |= FILE_TAKES_ATTRIBUTES;
  if (cHostFile::setTime(cachedTime)) support |= FILE_TAKES_TIME;
  if (writeCache()) support |= FILE_TAKES_EXTRA;
  failureOrigin = origin;
  failureReason = reason;
  RememberDisk(fileDiskName, fileDiskSupports, diskName, support);
}
