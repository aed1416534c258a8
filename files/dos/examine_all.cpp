// examineAll: one entry of a directory, asked of the directory by a pattern
// that matches only its name, so that the object itself is not locked and a
// link is examined rather than its target.

#include <cstring>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/text.h"
#include "files/dos/probes.h"

namespace {

constexpr int32_t EXALL_BUFFER_SIZE = 200;

void copyText(char* to, const char* from, size_t size) {
  if (!from) from = "";
  std::strncpy(to, from, size - 1);
  to[size - 1] = '\0';
}

// The entry named exactly as asked, else the first one (the pattern ignores case).
const ExAllData* bestEntry(const ExAllData* first, const char* name) {
  for (const ExAllData* e = first; e; e = e->ed_Next)
    if (StrCmp(e->ed_Name, name)) return e;
  return first;
}

void copyEntry(const ExAllData* e, FileInfoBlock* fib) {
  fib->fib_DirEntryType = e->ed_Type;
  copyText(fib->fib_FileName, e->ed_Name, sizeof fib->fib_FileName);
  fib->fib_Protection = static_cast<int32_t>(e->ed_Prot);
  fib->fib_Size = static_cast<int32_t>(e->ed_Size);
  fib->fib_Date.ds_Days = static_cast<int32_t>(e->ed_Days);
  fib->fib_Date.ds_Minute = static_cast<int32_t>(e->ed_Mins);
  fib->fib_Date.ds_Tick = static_cast<int32_t>(e->ed_Ticks);
  copyText(fib->fib_Comment, e->ed_Comment, sizeof fib->fib_Comment);
}

// The slow way, for file systems that cannot scan by pattern: every entry.
bool scanForName(BPTR parent, const char* name, FileInfoBlock* fib) {
  if (!Examine(parent, fib)) return false;
  while (ExNext(parent, fib))
    if (StrCmpNoCase(fib->fib_FileName, name)) return true;
  return false;
}

enum class Scan { Found, NotFound, CannotScan };

Scan scanByPattern(BPTR parent, const char* pattern, const char* name, FileInfoBlock* fib) {
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  if (!control) return Scan::CannotScan;
  void* buffer = nullptr;
  Scan result = Scan::NotFound;
  WithCleanUp(
      [&] {
        buffer = Arena::alloc(EXALL_BUFFER_SIZE);
        control->eac_Entries = 0;
        control->eac_LastKey = 0;
        control->eac_MatchString = const_cast<char*>(pattern);
        control->eac_MatchFunc = nullptr;
        auto* records = static_cast<ExAllData*>(buffer);
        SetIoErr(ERROR_NO_MORE_ENTRIES);
        const bool more = ExAll(parent, records, EXALL_BUFFER_SIZE, ED_COMMENT, control);
        const int32_t error = IoErr();
        if (!more && error != 0 && error != ERROR_NO_MORE_ENTRIES) {
          result = Scan::CannotScan;
        } else {
          if (control->eac_Entries > 0) {
            copyEntry(bestEntry(records, name), fib);
            result = Scan::Found;
          }
          if (more) ExAllEnd(parent, records, EXALL_BUFFER_SIZE, ED_COMMENT, control);
        }
      },
      [&] {
        FreeDosObject(DOS_EXALLCONTROL, control);
        Arena::release(buffer);
      });
  return result;
}

// The name with each pattern character quoted by "'", so that it matches
// only itself ("Game (USA).nes" would else match "Game USA.nes").
char* quotePatternName(const char* name) {
  if (!name) return nullptr;
  static const char special[] = "#?()|[]~'";
  char* quoted = NewString(static_cast<int32_t>(2 * std::strlen(name)));
  for (const char* p = name; *p; ++p) {
    if (std::strchr(special, *p)) StrAdd(quoted, "'");
    StrAdd(quoted, p, 1);
  }
  return quoted;
}

}  // namespace

bool examineAll(const char* path, FileInfoBlock* fib) {
  if (!path || !fib) return false;
  const BPTR parent = lockOnParentDir(path);
  if (!parent) return false;
  const char* name = FilePart(path);
  char* quoted = nullptr;
  char* pattern = nullptr;
  bool found = false;
  WithCleanUp(
      [&] {
        quoted = quotePatternName(name);
        pattern = NewString(2 * EstrLen(quoted) + 2);
        Scan scan = Scan::CannotScan;
        if (ParsePatternNoCase(quoted, pattern, StrMax(pattern) + 1) != -1)
          scan = scanByPattern(parent, pattern, name, fib);
        found = scan == Scan::CannotScan ? scanForName(parent, name, fib) : scan == Scan::Found;
      },
      [&] {
        UnLock(parent);
        DisposeString(quoted);
        DisposeString(pattern);
      });
  return found;
}
