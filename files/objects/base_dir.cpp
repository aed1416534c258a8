#include "files/objects/base_dir.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

bool cBaseDir::openParent(bool force) {
  char* here = ExpandPath(getPath());
  char* parent = nullptr;
  bool opened = false;
  WithCleanUp(
      [&] {
        parent = ExtractSubPath(here);
        if (parent[0] == '\0') {
          // A volume root: an empty parent part would name the current directory.
          fail("cBaseDir.openParent()", "dir has no parent");
        } else {
          opened = reopenOn(parent, here, infoReadOnly(), force,
                            "cBaseDir.openParent(); failed to reopen current dir, after failed to open parent");
        }
      },
      [&] {
        DisposeString(here);
        DisposeString(parent);
      });
  return opened;
}

bool cBaseDir::reopenOn(const char* path, const char* here, bool readOnly, bool force, const char* bugText) {
  close();
  if (open(path, readOnly, force)) return true;
  const char* origin = failureOrigin;
  const char* reason = failureReason;
  if (!open(here, readOnly, true)) Throw("BUG", bugText);
  // The reopen cleared the texts; the caller wants to know why path could
  // not be opened.
  fail(origin, reason);
  return false;
}
