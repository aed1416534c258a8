#include "app/launching/file_replacement.h"

#include <cstdio>

#include "app/games/line_files.h"
#include "app/launching/file_failure.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "files/paths/path_operations.h"
#include "os/dos/dos.h"

namespace {

constexpr int LAST_NUMBER = 999;

// The steps of a replacement, each noting why it failed.
struct Steps {
  const FileReplacement& file;
  FileFailure& why;

  bool remove(const char* path) {
    if (!ExistsPath(path, true) || DeletePath(path, false, false)) return true;
    why.noteIoErr(path, "it could not be deleted");
    return false;
  }
  bool move(const char* from, const char* to, const char* blamed) {
    if (RenamePath(from, to, false)) return true;
    why.noteIoErr(blamed, "it could not be renamed");
    return false;
  }
  // A failed step after the new file became the temporary one: that file goes,
  // so that it is never taken for a newer file while the old one is in place.
  ReplacementResult dropTemporary() {
    DeletePath(file.temporary, false, false);
    return ReplacementResult::Failed;
  }
};

}  // namespace

ReplacementResult replaceFileWithLines(const FileReplacement& file, const char* lines, FileFailure* failure) {
  FileFailure own;
  FileFailure& why = failure ? *failure : own;
  why.clear();
  Steps step{file, why};
  if (ExistsPath(file.path, true) && !ExistsPath(file.path, false)) {
    why.note(file.path, staticFault(ERROR_OBJECT_WRONG_TYPE, nullptr));
    return ReplacementResult::Failed;
  }
  // A complete file of an earlier save that could not take its place is the
  // newest one there is: it is not written over while it waits.
  if (!finishInterruptedReplacement(file)) {
    why.noteIoErr(file.path, "it could not be put in place");
    return ReplacementResult::Failed;
  }
  // writeLines leaves nothing behind when it fails; a complete file is synced
  // by its close, so that the renames below commit only data on the disk.
  if (!writeLines(file.partial, lines, &why)) {
    why.moveTo(file.path);  // the partial name is the program's own affair
    return ReplacementResult::Failed;
  }
  // A temporary file beside the file is one a stopped save left: older.
  if (!step.remove(file.temporary) || !step.move(file.partial, file.temporary, file.temporary)) {
    DeletePath(file.partial, false, false);
    return ReplacementResult::Failed;
  }

  ReplacementResult result = ReplacementResult::Replaced;
  bool backedUp = false, removedOld = false;
  if (ExistsPath(file.path, false)) {
    if (file.backup && step.remove(file.backup)) {
      // A file that may not be renamed stays as it is, with its backup gone.
      if (!step.move(file.path, file.backup, file.path)) return step.dropTemporary();
      backedUp = true;
    } else {
      if (file.backup) result = ReplacementResult::ReplacedWithoutBackup;
      if (!step.remove(file.path)) return step.dropTemporary();
      removedOld = true;
    }
  }
  if (!RenamePath(file.temporary, file.path, false)) {
    why.noteIoErr(file.path, "it could not be renamed");
    // The old file goes back, or was never moved; where it is gone, the new
    // one waits as the temporary file for the next start.
    if (backedUp ? RenamePath(file.backup, file.path, false) : !removedOld && ExistsPath(file.path, true))
      return step.dropTemporary();
    return ReplacementResult::Failed;
  }
  return result;
}

bool finishInterruptedReplacement(const FileReplacement& file) {
  DeletePath(file.partial, false, false);
  if (ExistsPath(file.path, true) || !ExistsPath(file.temporary, false)) return true;
  return RenamePath(file.temporary, file.path, false);
}

char* unusedNumberedPath(const char* path) {
  if (!ExistsPath(path, true)) return StrClone(path);
  for (int n = 1; n <= LAST_NUMBER; ++n) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, ".%d", n);
    char* candidate = StrJoin(path, suffix);
    if (!ExistsPath(candidate, true)) return candidate;
    DisposeString(candidate);
  }
  return nullptr;
}
