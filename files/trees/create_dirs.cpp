// CreateDirs: creating the missing directories of a path from the top down.
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/objects/host_dir.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_tree.h"

bool CreateDirs(const char* path, bool parentOnly) {
  if (!path) Throw("EPU", "cPath; CreateDirs(); path=NIL");
  char* current = nullptr;
  char* missing = nullptr;  // the names still to create, the topmost first
  cHostDir* dir = nullptr;
  const auto cleanUp = [&] {
    End(dir);
    DisposeString(missing);
    DisposeString(current);
  };
  bool created = true;
  WithCleanUp(
      [&] {
        current = NamesDirectory(path) && !parentOnly ? StrClone(path) : ExtractSubPath(path);
        while (current[0] && !ExistsPath(current, false)) {
          missing = StrLink(ExtractName(current), missing);
          char* parent = ExtractSubPath(current);
          DisposeString(current);
          current = parent;
        }
        if (missing) {
          dir = new cHostDir;
          dir->new_cBaseDir();
        }
        for (const char* name = missing; name && created; name = StrNext(name)) {
          char* next = StrJoin(current, name);
          DisposeString(current);
          current = next;
          try {
            // A writable open creates the directory when it is missing.
            created = dir->open(current, false, false);
          } catch (const Exception& e) {
            if (!e.is("FILE")) throw;
            created = false;
          }
          if (dir->infoIsOpen()) dir->close();
        }
      },
      cleanUp);
  return created;
}
