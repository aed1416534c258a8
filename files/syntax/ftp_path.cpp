#include "files/syntax/ftp_path.h"

#include "core/text.h"

bool IsFtpPath(const char* path) {
  if (!path) return false;
  return StrCmpNoCase(path, "FTPMount:/", 10) || StrCmpNoCase(path, "FTP:/", 5);
}
