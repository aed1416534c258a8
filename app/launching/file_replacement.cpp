#include "app/launching/file_replacement.h"

#include <cstdio>

#include "app/games/line_files.h"
#include "app/launching/file_failure.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/dos/strings.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

constexpr int LAST_NUMBER = 999;

// A link itself (not what it leads to) at the path: through its folder's
// listing, so that a link that leads nowhere is seen too.
bool isLinkAt(const char* path) {
  char* host = ExportPath(path);
  return WithCleanUp([&] { return isLink(host); }, [&] { DisposeString(host); });
}

// A link that leads nowhere (or round in a loop): ExistsPath, whose lock
// follows links, takes it for nothing, yet its name is taken.
bool leadsNowhere(const char* path) { return !ExistsPath(path, true) && isLinkAt(path); }

enum class Entry { None, File, Link, Folder };

// What stands at a file path. A link to a file counts as a file: deleting it
// deletes the link, never its target.
Entry entryAt(const char* path) {
  if (!ExistsPath(path, true)) return isLinkAt(path) ? Entry::Link : Entry::None;
  if (ExistsPath(path, false)) return Entry::File;
  return isLinkAt(path) ? Entry::Link : Entry::Folder;
}

// The steps of a replacement, each noting why it failed.
struct Steps {
  const FileReplacement& file;
  FileFailure& why;

  // Clears one of the replacement's own names. A link there goes as a link,
  // whatever it leads to; a protected file stays, and a folder is not the
  // program's to remove: the user is told what to move.
  bool remove(const char* path) {
    bool removed = true;
    switch (entryAt(path)) {
      case Entry::None: return true;
      case Entry::Folder: why.noteInTheWay(file.path, path); return false;
      case Entry::Link: removed = DeletePath(path, false, true); break;
      case Entry::File: removed = DeletePath(path, false, false); break;
    }
    if (!removed) why.noteIoErr(path, "it could not be deleted");
    return removed;
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
  // A link in the file's place that leads nowhere holds no file: it goes, as
  // a link, and the new file takes its place as on a first save.
  if (leadsNowhere(file.path) && !DeletePath(file.path, false, true)) {
    why.noteIoErr(file.path, "it could not be deleted");
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
    // The partial name is the program's own affair, unless something it
    // could not remove stands there: then that is what the user must move.
    const Entry left = entryAt(file.partial);
    if (left == Entry::Folder) why.noteInTheWay(file.path, file.partial);
    else if (left == Entry::None) why.moveTo(file.path);
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

bool nameIsTaken(const char* path) { return entryAt(path) != Entry::None; }

char* unusedNumberedPath(const char* path) {
  if (!nameIsTaken(path)) return StrClone(path);
  for (int n = 1; n <= LAST_NUMBER; ++n) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, ".%d", n);
    char* candidate = StrJoin(path, suffix);
    if (!nameIsTaken(candidate)) return candidate;
    DisposeString(candidate);
  }
  return nullptr;
}
