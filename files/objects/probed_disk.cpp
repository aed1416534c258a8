#include "files/objects/probed_disk.h"

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

char* DeviceOfPath(const char* path) {
  char* expanded = ExpandPath(path);
  char* device = nullptr;
  WithCleanUp([&] { device = ExtractDevice(expanded); }, [&] { DisposeString(expanded); });
  if (device[0] == '\0') {
    DisposeString(device);
    device = StrClone(":/");
  }
  return device;
}

bool IsRememberedDisk(const char* remembered, const char* device) {
  return remembered && StrCmpNoCase(remembered, device);
}

bool AdoptDevice(char*& diskName, char* device) {
  if (IsRememberedDisk(diskName, device)) {
    DisposeString(device);
    return false;
  }
  DisposeString(diskName);
  diskName = device;
  return true;
}

void RememberDisk(char*& remembered, int32_t& supports, const char* device, int32_t support) {
  char* copy = StrClone(device);
  DisposeString(remembered);
  remembered = copy;
  supports = support;
}
