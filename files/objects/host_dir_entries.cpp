// Listing a directory's entries with ExAll.
#include <cstdio>
#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "core/string.h"
#include "files/dos/file_functions.h"
#include "files/dos/path_parts.h"
#include "files/objects/dir_entry_list.h"
#include "files/objects/host_dir.h"

namespace {

constexpr int32_t EXALL_BUFFER_SIZE = 10240;

// TRUE when the soft link `name` in the directory `dirHostPath` leads to a
// directory: its target, locked and examined through the link.
bool softLinkLeadsToDirectory(const char* dirHostPath, const char* name, FileInfoBlock* info) {
  char* linkPath = strJoinPart(dirHostPath, name);
  const BPTR target = Lock(linkPath, SHARED_LOCK);
  DisposeString(linkPath);
  if (!target) return false;
  const bool isDirectory = Examine(target, info) && info->fib_DirEntryType > 0;
  UnLock(target);
  return isDirectory;
}

// The entry's name, with "/" after a directory's.
char* entryName(const ExAllData* entry, const char* dirHostPath, FileInfoBlock* info) {
  bool isDirectory = entry->ed_Type > 0;
  if (entry->ed_Type == ST_SOFTLINK) isDirectory = softLinkLeadsToDirectory(dirHostPath, entry->ed_Name, info);
  char* name = NewString(static_cast<int32_t>(std::strlen(entry->ed_Name)) + 1);
  StrCopy(name, entry->ed_Name);
  if (isDirectory) StrAdd(name, "/");
  return name;
}

}  // namespace

cDirEntryList* cHostDir::makeEntryList() {
  requireOpen(className, "makeEntryList");
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  auto* info = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  void* buffer = nullptr;
  cDirEntryList* list = nullptr;
  bool scanning = false;  // ExAll has more to give
  const auto release = [&] {
    if (control) FreeDosObject(DOS_EXALLCONTROL, control);
    if (info) FreeDosObject(DOS_FIB, info);
    Arena::release(buffer);
  };
  try {
    if (!control || !info) Throw("MEM");
    buffer = Arena::alloc(EXALL_BUFFER_SIZE);
    auto* records = static_cast<ExAllData*>(buffer);
    list = new cDirEntryList;
    list->new_cDirEntryList();
    control->eac_LastKey = 0;
    control->eac_MatchString = nullptr;
    control->eac_MatchFunc = nullptr;
    int32_t error = 0;
    do {
      scanning = ExAll(lock, records, EXALL_BUFFER_SIZE, ED_TYPE, control);
      // Taken at once: looking at soft links below sets IoErr again.
      error = scanning ? 0 : IoErr();
      const ExAllData* entry = records;
      for (uint32_t i = 0; i < control->eac_Entries && entry; ++i, entry = entry->ed_Next)
        list->addString(entryName(entry, hostPath, info));
    } while (scanning);
    if (error != ERROR_NO_MORE_ENTRIES) {
      std::printf("# cHostDir.makeEntryList(); ExAll() failed for path \"%s\" with error %ld.\n", hostPath,
                  static_cast<long>(error));
      SetIoErr(error);
      Throw("FILE", dosFailureReason("cHostDir.makeEntryList(); ExAll() failed"));
    }
  } catch (...) {
    if (scanning) ExAllEnd(lock, static_cast<ExAllData*>(buffer), EXALL_BUFFER_SIZE, ED_TYPE, control);
    End(list);
    release();
    throw;
  }
  release();
  return list;
}
