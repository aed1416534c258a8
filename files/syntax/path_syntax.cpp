#include "files/syntax/path_syntax.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

int32_t lengthOf(const char* s) { return static_cast<int32_t>(std::strlen(s)); }
bool endsInSlash(const char* s) {
  const size_t n = std::strlen(s);
  return n > 0 && s[n - 1] == '/';
}

// Copies `length` characters of host into result, putting "/" after the first ":".
void copyWithDeviceSlash(char* result, const char* host, int32_t length) {
  const char* colon = static_cast<const char*>(std::memchr(host, ':', static_cast<size_t>(length)));
  if (!colon) {
    StrAdd(result, host, length);
    return;
  }
  const int32_t device = static_cast<int32_t>(colon - host) + 1;
  StrAdd(result, host, device);
  StrAdd(result, "/");
  StrAdd(result, host + device, length - device);
}

// A path with a device has "/" right after its first ":".
bool deviceSlashMissing(const char* path) {
  const char* colon = std::strchr(path, ':');
  return colon && colon[1] != '/';
}

void requirePath(const char* path, const char* procedure, const char* argument) {
  if (!path) ThrowF("EPU", "cPath; %s(); %s", procedure, argument);
}

}  // namespace

char* ImportFilePath(const char* host) {
  if (!host) return nullptr;
  const int32_t len = lengthOf(host);
  char* result = NewString(len + 1);
  copyWithDeviceSlash(result, host, len);
  if (endsInSlash(result)) SetStr(result, EstrLen(result) - 1);
  return result;
}

char* ImportDirPath(const char* host) {
  if (!host) return nullptr;
  if (host[0] == '\0') return NewString(0);
  int32_t len = lengthOf(host);
  if (host[len - 1] == '/') --len;
  char* result = NewString(len + 2);
  copyWithDeviceSlash(result, host, len);
  if (!endsInSlash(result)) StrAdd(result, "/");
  return result;
}

char* ExportPath(const char* path) {
  if (!path) return nullptr;
  const bool isDir = path[0] == '\0' || endsInSlash(path);
  if (isDir ? InvalidDirPath(path) : InvalidFilePath(path)) Throw("EPU", "cPath(); ExportPath(); path is invalid");
  // The empty path keeps nothing (not "length - 1").
  int32_t keep = lengthOf(path);
  if (isDir && keep > 0) --keep;
  char* result = NewString(keep > 0 ? keep : 1);
  const char* colon = static_cast<const char*>(std::memchr(path, ':', static_cast<size_t>(keep)));
  if (!colon) {
    StrAdd(result, path, keep);
  } else {
    const int32_t device = static_cast<int32_t>(colon - path) + 1;
    StrAdd(result, path, device);
    if (keep > device + 1) StrAdd(result, path + device + 1, keep - device - 1);
  }
  return result;
}

bool InvalidDirPath(const char* path) {
  requirePath(path, "InvalidDirPath", "dirPath=NILA");
  if (path[0] == '\0') return false;
  return !endsInSlash(path) || deviceSlashMissing(path);
}

bool InvalidFilePath(const char* path) {
  requirePath(path, "InvalidFilePath", "filePath=NILA");
  return path[0] == '\0' || endsInSlash(path) || deviceSlashMissing(path);
}

bool InvalidFileName(const char* name) {
  requirePath(name, "InvalidFileName", "fileName=NILA");
  return name[0] == '\0' || std::strpbrk(name, ":/") != nullptr;
}

bool InvalidDirName(const char* name) {
  requirePath(name, "InvalidDirName", "dirName=NILA");
  if (name[0] == '\0' || std::strchr(name, ':')) return true;
  const char* slash = std::strchr(name, '/');
  return slash && slash[1] != '\0';
}

char* ExtractDevice(const char* path) {
  requirePath(path, "ExtractDevice", "path=NILA");
  const char* colon = std::strchr(path, ':');
  if (!colon) return NewString(0);
  const int32_t device = static_cast<int32_t>(colon - path) + 1;
  char* result = NewString(device + 1);
  StrAdd(result, path, device);
  StrAdd(result, "/");
  return result;
}

char* ExtractSubPath(const char* path) {
  requirePath(path, "ExtractSubPath", "path=NIL");
  // The last character is never looked at: a directory's own "/" does not count.
  for (int32_t i = lengthOf(path) - 2; i >= 0; --i) {
    if (path[i] == '/') {
      char* result = NewString(i + 1);
      StrAdd(result, path, i + 1);
      return result;
    }
  }
  return NewString(0);
}

const char* FindName(const char* path, int32_t* length) {
  requirePath(path, "FindName", "path=NILA");
  const int32_t len = lengthOf(path);
  if (len == 0) {
    if (length) *length = 0;
    return path;
  }
  int32_t i = len - 1;
  int32_t count = 1;
  if (path[i] == '/') {
    // A lone "/" is its own name; never step before the string.
    if (i == 0) {
      if (length) *length = 1;
      return path;
    }
    --i;
    count = 2;
  }
  while (path[i] != '/' && i > 0) {
    --i;
    ++count;
  }
  if (path[i] == '/') {
    ++i;
    --count;
  }
  if (length) *length = count;
  return path + i;
}

char* ExtractName(const char* path) {
  int32_t length = 0;
  const char* name = FindName(path, &length);
  char* result = NewString(length);
  StrAdd(result, name, length);
  return result;
}

bool IsFtpPath(const char* path) {
  if (!path) return false;
  return StrCmpNoCase(path, "FTPMount:/", 10) || StrCmpNoCase(path, "FTP:/", 5);
}
