#include "app/launching/file_replacement.h"

#include "app/games/line_files.h"
#include "files/paths/path_operations.h"

bool replaceFileWithLines(const FileReplacement& file, const char* lines) {
  DeletePath(file.temporary, false, false);
  // writeLines leaves nothing behind when it fails; a complete file is synced
  // by its close, so that the renames below commit only data on the disk.
  if (!writeLines(file.partial, lines)) return false;
  if (!RenamePath(file.partial, file.temporary, false)) {
    DeletePath(file.partial, false, false);
    return false;
  }
  // Results ignored: a first save has no file to move, and a failed step
  // leaves the old file or the complete temporary one for the next start.
  if (file.backup) {
    DeletePath(file.backup, false, false);
    RenamePath(file.path, file.backup, false);
  } else {
    DeletePath(file.path, false, false);
  }
  RenamePath(file.temporary, file.path, false);
  return true;
}

void finishInterruptedReplacement(const FileReplacement& file) {
  DeletePath(file.partial, false, false);
  if (!ExistsPath(file.path, true) && ExistsPath(file.temporary, false)) RenamePath(file.temporary, file.path, false);
}
