// DeleteDirPath: deleting a directory tree depth first with one directory
// object, opened, listed and closed in turn for each directory.
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/objects/dir_entry_list.h"
#include "files/objects/host_dir.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_module.h"
#include "files/trees/dir_tree.h"

namespace {

// TRUE when the object at the canonical path is a link itself.
bool namesLink(const char* path) {
  char* host = ExportPath(path);
  return WithCleanUp([&] { return isLink(host); }, [&] { DisposeString(host); });
}

// The entries of the directory at path, NIL when it cannot be opened or
// listed. The directory is closed again.
cDirEntryList* listOf(cHostDir* dir, const char* path) {
  try {
    if (!dir->open(path, true, false)) return nullptr;
  } catch (const Exception& e) {
    if (!e.is("FILE")) throw;
    return nullptr;  // there, but it could not be examined
  }
  cDirEntryList* list = nullptr;
  try {
    list = dir->makeEntryList();
  } catch (const Exception& e) {
    dir->close();
    if (!e.is("FILE")) throw;
    return nullptr;
  }
  dir->close();
  return list;
}

bool deleteTree(cHostDir* dir, const char* path, bool force) {
  // A link goes as it is: what it leads to may lie outside the tree.
  if (namesLink(path)) return DeletePath(path, force, false);
  cDirEntryList* list = listOf(dir, path);
  if (!list) return false;
  bool all = true;
  char* full = nullptr;
  try {
    for (bool more = list->gotoFirst(ENTRY_ANY); more; more = list->gotoNext(ENTRY_ANY)) {
      const char* name = list->infoName();
      full = StrJoin(path, name);
      if (!(NamesDirectory(name) ? deleteTree(dir, full, force) : DeletePath(full, force, false))) all = false;
      DisposeString(full);
      full = nullptr;
    }
    if (!DeletePath(path, force, false)) all = false;
  } catch (...) {
    DisposeString(full);
    End(list);
    throw;
  }
  End(list);
  return all;
}

}  // namespace

bool DeleteDirPath(const char* path, bool force) {
  if (!path) Throw("EPU", "cPath; DeleteDirPath(); path=NIL");
  if (InvalidDirPath(path)) Throw("EPU", "cPath; DeleteDirPath(); path is invalid");
  cHostDir* outer = deleteDir_dir;  // NIL unless a delete is running already
  cHostDir* dir = new cHostDir;
  deleteDir_dir = dir;
  const auto cleanUp = [&] {
    deleteDir_dir = outer;
    End(dir);
  };
  bool deleted = false;
  WithCleanUp(
      [&] {
        dir->new_cBaseDir();
        deleted = deleteTree(dir, path, force);
      },
      cleanUp);
  return deleted;
}
