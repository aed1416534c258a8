#include "files/dos/variables.h"

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

bool setVarDirPath(const char* name, const char* dirPath, bool save) {
  char* host = ExportPath(dirPath);
  if (!host) return false;
  const uint32_t flags = GVF_GLOBAL_ONLY | (save ? GVF_SAVE_VAR : 0);
  const bool set = strSetVar(name, host, flags);
  DisposeString(host);
  return set;
}

char* getVarDirPath(const char* name) {
  char* value = strSafeGetVar(name, 0);
  if (!value) return nullptr;
  return WithCleanUp([&] { return ImportDirPath(value); }, [&] { DisposeString(value); });
}
