// RecurseDir: a breadth-first walk of a directory tree with one directory
// object and one queue of directory paths.
#include <cstring>

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "files/dos/file_functions.h"
#include "files/dos/path_parts.h"
#include "files/objects/dir_entry_list.h"
#include "files/objects/host_dir.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_tree.h"
#include "os/dos/dos.h"

namespace {

// The directories still to walk, first in first out. Owns its paths.
struct PathQueue {
  char* head = nullptr;
  char* last = nullptr;

  void append(char* path) {
    if (last) StrLink(last, path); else head = path;
    last = path;
  }
  // Unlinks the first path and hands it over.
  char* takeFirst() {
    char* first = head;
    if (!first) return nullptr;
    head = StrNext(first);
    if (!head) last = nullptr;
    StrLink(first, nullptr);
    return first;
  }
  void dispose() {
    DisposeString(head);
    head = last = nullptr;
  }
};

// One walk: its directory object, its queue, and the folders it has been in.
class Walk {
 public:
  Walk(funcRecurseFile* fileFunc, funcRecurseDir* dirFunc, funcRecurseDirFailure* failureFunc)
      : fileFunc_(fileFunc), dirFunc_(dirFunc), failureFunc_(failureFunc) {}

  void run(const char* dirPath, funcRecurseDirAbort* abortFunc);
  void release();

 private:
  // Lists the open directory and hands out its entries; FALSE when the walk
  // is to end.
  bool visit(const char* path);
  // The directory could not be walked: FALSE when the walk is to end.
  bool failed(const char* path, const char* origin, const char* reason) {
    return !failureFunc_ || failureFunc_->call_funcRecurseDirFailure(path, origin, reason);
  }
  // TRUE the first time the folder under the open object is met. A folder is
  // known by the full name of its lock, in which links are resolved; that
  // name, as a directory path, goes to named_.
  bool firstVisit(bool* nameless);
  void visitEntries(const char* path);

  funcRecurseFile* fileFunc_;
  funcRecurseDir* dirFunc_;
  funcRecurseDirFailure* failureFunc_;
  cHostDir* dir_ = nullptr;
  cDirEntryList* list_ = nullptr;
  cStringSpace* visited_ = nullptr;
  PathQueue queue_;
  char* current_ = nullptr;  // the path being walked, off the queue
  // The one name of the folder being walked: its entries are named below it,
  // whichever way the walk came, so a file has the name a walk from anywhere
  // else (or a drop of it) gives it.
  char* named_ = nullptr;
  char* entry_ = nullptr;    // the full path of the entry being handed out
};

void Walk::release() {
  End(list_);
  End(dir_);
  End(visited_);
  queue_.dispose();
  DisposeString(current_);
  current_ = nullptr;
  DisposeString(named_);
  named_ = nullptr;
  DisposeString(entry_);
  entry_ = nullptr;
}

void Walk::run(const char* dirPath, funcRecurseDirAbort* abortFunc) {
  dir_ = new cHostDir;
  dir_->new_cBaseDir();
  visited_ = new cStringSpace;
  visited_->new_cStringSpace(false, CASE_SENSITIVE);
  queue_.append(StrClone(dirPath));

  while (queue_.head) {
    current_ = queue_.takeFirst();
    const bool goOn = visit(current_);
    DisposeString(current_);
    current_ = nullptr;
    if (!goOn) return;
    if (SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C) {
      if (!queue_.head) return;
      if (!abortFunc) Throw("BRK");
      abortFunc->call(queue_.head);
      return;
    }
  }
}

bool Walk::visit(const char* path) {
  bool opened = false;
  try {
    opened = dir_->open(path, true, false);
  } catch (const Exception& e) {
    // The directory was there but could not be examined.
    if (!e.is("FILE")) throw;
    return failed(path, "cHostDir.open()", e.message());
  }
  if (!opened) return failed(path, dir_->infoFailureOrigin(), dir_->infoFailureReason());

  bool nameless = false;
  if (!firstVisit(&nameless)) {
    dir_->close();
    // Reached again through a link: already walked, or being walked.
    return nameless ? failed(path, "cPath; RecurseDir()", dosFailureReason("directory has no name")) : true;
  }
  try {
    list_ = dir_->makeEntryList();
  } catch (const Exception& e) {
    // Examined but not listed (no read permission, gone meanwhile).
    if (!e.is("FILE")) throw;
    dir_->close();
    DisposeString(named_);
    named_ = nullptr;
    return failed(path, "cHostDir.makeEntryList()", e.message());
  }
  dir_->close();
  visitEntries(named_);
  End(list_);
  DisposeString(named_);
  named_ = nullptr;
  return true;
}

bool Walk::firstVisit(bool* nameless) {
  char* name = fullPath(dir_->lock, nullptr);
  if (!name) {
    // Without a name a repeat cannot be recognised; the folder is left out.
    *nameless = true;
    return false;
  }
  bool seen = false;
  WithCleanUp(
      [&] {
        visited_->set_cStringSpace(name, 1, true, &seen);
        if (!seen) named_ = ImportDirPath(name);
      },
      [&] { DisposeString(name); });
  return !seen;
}

void Walk::visitEntries(const char* path) {
  for (bool more = list_->gotoFirst(ENTRY_ANY); more; more = list_->gotoNext(ENTRY_ANY)) {
    const char* name = list_->infoName();
    entry_ = StrJoin(path, name);
    if (NamesDirectory(name)) {
      if (!dirFunc_ || dirFunc_->call_funcRecurseDir(entry_)) {
        queue_.append(entry_);
        entry_ = nullptr;
      }
    } else {
      fileFunc_->call(entry_);
    }
    DisposeString(entry_);
    entry_ = nullptr;
  }
}

}  // namespace

void RecurseDir(const char* dirPath, funcRecurseFile* fileFunc, funcRecurseDir* dirFunc,
                funcRecurseDirFailure* failureFunc, funcRecurseDirAbort* abortFunc) {
  if (!dirPath) Throw("EPU", "cPath; RecurseDir(); dirPath=NIL");
  if (InvalidDirPath(dirPath)) Throw("EPU", "cPath; RecurseDir(); dirPath is invalid");
  if (!fileFunc) Throw("EPU", "cPath; RecurseDir(); fileFunc=NIL");
  Walk walk(fileFunc, dirFunc, failureFunc);
  WithCleanUp([&] { walk.run(dirPath, abortFunc); }, [&] { walk.release(); });
}
