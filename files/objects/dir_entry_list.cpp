#include "files/objects/dir_entry_list.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "core/time_count.h"
#include "files/paths/unique_numbers.h"
#include "files/syntax/path_syntax.h"

uint32_t cPath_randomSeed_cpath_dirbase = 0;

void new_cpath_dirbase() { cPath_randomSeed_cpath_dirbase = static_cast<uint32_t>(CurrentTime_ptime()); }

namespace {

bool isKind(const char* name, int32_t any0file1dir2) {
  if (any0file1dir2 == ENTRY_ANY) return true;
  return NamesDirectory(name) == (any0file1dir2 == ENTRY_DIR);
}

// An entry that findName with ignoreKind accepts: equal to name, or (for a
// file name) the directory of that name.
bool matchesEitherKind(const char* entry, const char* name) {
  if (StrCmpNoCase(entry, name)) return true;
  int32_t key = static_cast<int32_t>(std::strlen(name));
  if (key > 0 && name[key - 1] == '/') --key;
  return static_cast<int32_t>(std::strlen(entry)) == key + 1 && entry[key] == '/' && StrCmpNoCase(entry, name, key);
}

}  // namespace

void cDirEntryList::new_cDirEntryList() {
  names = nullptr;
  previousEntry = nullptr;
  currentEntry = nullptr;
}

void cDirEntryList::end_class() {
  DisposeString(names);
  names = nullptr;
  previousEntry = nullptr;
  currentEntry = nullptr;
  class_base::end_class();
}

cDirEntryList* cDirEntryList::make() { return new cDirEntryList; }

cDirEntryList* cDirEntryList::clone() {
  cDirEntryList* copy = make();
  try {
    copy->new_cDirEntryList();
    // Already in order: each copy goes at the end.
    char* last = nullptr;
    for (const char* name = names; name; name = StrNext(name)) {
      char* s = StrClone(name);
      if (last)
        StrLink(last, s);
      else
        copy->names = s;
      last = s;
    }
  } catch (...) {
    End(copy);
    throw;
  }
  return copy;
}

bool cDirEntryList::gotoFirst(int32_t any0file1dir2) {
  if (any0file1dir2 < 0 || any0file1dir2 > 2)
    Throw("EMU", "cDirEntryList.gotoFirst(); any0file1dir2 <> 0 or 1 or 2");
  previousEntry = nullptr;
  currentEntry = names;
  while (currentEntry && !isKind(currentEntry, any0file1dir2)) {
    previousEntry = currentEntry;
    currentEntry = StrNext(currentEntry);
  }
  return currentEntry != nullptr;
}

bool cDirEntryList::gotoNext(int32_t any0file1dir2) {
  if (any0file1dir2 < 0 || any0file1dir2 > 2)
    Throw("EMU", "cDirEntryList.gotoNext(); any0file1dir2 <> 0 or 1 or 2");
  if (!currentEntry) return false;
  do {
    previousEntry = currentEntry;
    currentEntry = StrNext(currentEntry);
  } while (currentEntry && !isKind(currentEntry, any0file1dir2));
  return currentEntry != nullptr;
}

const char* cDirEntryList::infoName() { return currentEntry ? currentEntry : ""; }

bool cDirEntryList::findName(const char* name, bool ignoreKind) {
  if (!name) Throw("EMU", "cDirEntryList.findName(); name=NILA");
  // The whole list is searched: with ignoreKind, names that continue the key
  // with a character below "/" ("Games.old") sort between the key and the
  // directory of that name.
  previousEntry = nullptr;
  currentEntry = names;
  while (currentEntry) {
    if (ignoreKind ? matchesEitherKind(currentEntry, name) : StrCmpNoCase(currentEntry, name)) return true;
    previousEntry = currentEntry;
    currentEntry = StrNext(currentEntry);
  }
  return false;
}

void cDirEntryList::remove_cDirEntryList() {
  if (!currentEntry) Throw("EMU", "cDirEntryList.remove(); not on a list item");
  char* gone = currentEntry;
  char* next = StrNext(gone);
  if (previousEntry)
    StrLink(previousEntry, next);
  else
    names = next;
  StrLink(gone, nullptr);
  DisposeString(gone);
  currentEntry = next;
}

bool cDirEntryList::add(const char* name) {
  if (!name) Throw("EMU", "cDirEntryList.add(); name=NILA");
  return addString(StrClone(name));
}

bool cDirEntryList::addString(char* string) {
  if (!string) Throw("EMU", "cDirEntryList.addString(); string=NILA");
  char* before = nullptr;
  char* at = names;
  while (at && OstrCmpNoCase(at, string) > 0) {
    before = at;
    at = StrNext(at);
  }
  if (at && OstrCmpNoCase(at, string) == 0) {
    StrLink(string, nullptr);
    DisposeString(string);
    return false;
  }
  StrLink(string, at);
  if (before)
    StrLink(before, string);
  else
    names = string;
  // Inserted right before the current entry: the cursor's previous entry is
  // now the new one.
  if (at == currentEntry) previousEntry = string;
  return true;
}

int32_t cDirEntryList::addList(cDirEntryList* other) {
  if (!other) Throw("EMU", "cDirEntryList.addList(); list=NILA");
  int32_t refused = 0;
  for (const char* name = other->names; name; name = StrNext(name))
    if (!add(name)) ++refused;
  return refused;
}

char* cDirEntryList::makeUniqueName(int32_t file1dir2, const char* prefix) {
  if (file1dir2 != 1 && file1dir2 != 2) Throw("EMU", "cDirEntryList.makeUniqueName(); file1dir2 <> 1 or 2");
  if (!prefix) prefix = "TMP";
  // Eight hexadecimal digits and a "/" at most.
  const int32_t capacity = static_cast<int32_t>(std::strlen(prefix)) + 9;
  for (int32_t tries = 0; tries < UNIQUE_NAME_TRIES; ++tries) {
    const uint32_t number = DrawUniqueNumber(&cPath_randomSeed_cpath_dirbase);
    char* name = NewString(capacity);
    std::snprintf(name, static_cast<size_t>(capacity) + 1, "%s%" PRIx32, prefix, number);
    UpdateStrLen(name);
    bool taken = true;
    try {
      // Searched as a file name, which finds a directory of that name too:
      // a directory x/ cannot be made beside a file x, nor a file beside it.
      taken = findName(name, true);
    } catch (...) {
      DisposeString(name);
      throw;
    }
    if (!taken) return file1dir2 == 2 ? StrAdd(name, "/") : name;
    DisposeString(name);
  }
  Throw("BUG", "cDirEntryList.makeUniqueName(); retry limit exceeded");
}
