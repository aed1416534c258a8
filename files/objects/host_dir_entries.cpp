// Listing a directory's entries with ExAll.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/merge_sort.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
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

// A name of the listing with its key: the name with a-z folded to upper
// case, so that keys in byte order are the list's case-insensitive order.
struct Keyed {
  char* name;
  const char* key;
  size_t length;
};

bool keyBefore(const Keyed& a, const Keyed& b) {
  const int order = std::memcmp(a.key, b.key, a.length < b.length ? a.length : b.length);
  return order < 0 || (order == 0 && a.length < b.length);
}

bool sameKey(const Keyed& a, const Keyed& b) { return a.length == b.length && std::memcmp(a.key, b.key, a.length) == 0; }

// Puts the chain of names (in the order ExAll gave them) into the list. They
// are sorted first, by keys made once for all of them, and added last to
// first, so that each goes in at the front: a folder of many thousands of
// entries takes little more per entry than a small one. Of names equal
// ignoring case the first one given stays.
void addAll(cDirEntryList* list, char* names) {
  size_t count = 0, total = 0;
  for (const char* name = names; name; name = StrNext(name)) {
    ++count;
    total += static_cast<size_t>(EstrLen(name));
  }
  Keyed* entries = nullptr;
  char* keys = nullptr;
  const auto release = [&] {
    Arena::release(entries);
    Arena::release(keys);
  };
  try {
    entries = static_cast<Keyed*>(Arena::alloc(sizeof(Keyed) * (count ? count : 1)));
    keys = static_cast<char*>(Arena::alloc(total ? total : 1));
  } catch (...) {
    release();
    DisposeString(names);
    throw;
  }
  char* key = keys;
  size_t i = 0;
  for (char* name = names; name; name = StrNext(name), ++i) {
    const size_t length = static_cast<size_t>(EstrLen(name));
    for (size_t c = 0; c < length; ++c) key[c] = UpperChar(name[c]);
    entries[i] = {name, key, length};
    key += length;
  }
  for (i = 0; i < count; ++i) StrLink(entries[i].name, nullptr);
  std::stable_sort(entries, entries + count, keyBefore);
  // Last to first, each name that equals the one before it dropped.
  for (i = count; i-- > 0;) {
    if (i > 0 && sameKey(entries[i], entries[i - 1])) {
      DisposeString(entries[i].name);
      continue;
    }
    try {
      list->addString(entries[i].name);
    } catch (...) {
      // The names not added yet go with it.
      while (i-- > 0) DisposeString(entries[i].name);
      release();
      throw;
    }
  }
  release();
}

}  // namespace

cDirEntryList* cHostDir::makeEntryList() {
  requireOpen(className, "makeEntryList");
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  auto* info = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  void* buffer = nullptr;
  cDirEntryList* list = nullptr;
  char* names = nullptr;  // the entries' names so far, in ExAll's order
  char* lastName = nullptr;
  bool scanning = false;  // ExAll has more to give
  const auto release = [&] {
    if (control) FreeDosObject(DOS_EXALLCONTROL, control);
    if (info) FreeDosObject(DOS_FIB, info);
    Arena::release(buffer);
    DisposeString(names);
    names = nullptr;
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
        names = appendNode(names, lastName, entryName(entry, hostPath, info), &lastName);
    } while (scanning);
    if (error != ERROR_NO_MORE_ENTRIES) {
      std::printf("# cHostDir.makeEntryList(); ExAll() failed for path \"%s\" with error %ld.\n", hostPath,
                  static_cast<long>(error));
      SetIoErr(error);
      Throw("FILE", dosFailureReason("cHostDir.makeEntryList(); ExAll() failed"));
    }
    char* taken = names;
    names = nullptr;
    addAll(list, taken);
  } catch (...) {
    if (scanning) ExAllEnd(lock, static_cast<ExAllData*>(buffer), EXALL_BUFFER_SIZE, ED_TYPE, control);
    End(list);
    release();
    throw;
  }
  release();
  return list;
}
