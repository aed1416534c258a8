#include <string>

#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/icon/icon_format.h"

DiskObject* GetDiskObject(const char* name) {
  if (!name) return nullptr;
  std::string iconName = name;
  // A volume's own icon is its "Disk.info".
  if (!iconName.empty() && iconName.back() == ':') iconName += "Disk";
  iconName += ".info";
  std::string linuxPath;
  if (!HostPathOfAmigaPath(iconName.c_str(), false, linuxPath)) return nullptr;  // IoErr says why
  DiskObject* icon = readDiskObjectFile(linuxPath.c_str());
  if (!icon) SetIoErr(ERROR_OBJECT_WRONG_TYPE);
  return icon;
}
