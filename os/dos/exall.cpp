// ExAll: a folder's entries in batches of records packed into the caller's
// buffer. The entry list is taken when a scan starts (eac_LastKey 0) and kept
// on the lock until the scan ends, ExAllEnd or UnLock.

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/dos/call_hooks.h"
#include "os/dos/directory_lists.h"
#include "os/dos/dos_testing.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/process_record.h"

namespace {

// The bytes of a record that holds the fields up to `type`.
size_t recordSize(int32_t type) {
  switch (type) {
    case ED_NAME: return offsetof(ExAllData, ed_Type);
    case ED_TYPE: return offsetof(ExAllData, ed_Size);
    case ED_SIZE: return offsetof(ExAllData, ed_Prot);
    case ED_PROTECTION: return offsetof(ExAllData, ed_Days);
    case ED_DATE: return offsetof(ExAllData, ed_Comment);
    case ED_COMMENT: return offsetof(ExAllData, ed_OwnerUID);
    default: return sizeof(ExAllData);
  }
}

constexpr size_t ALIGN = alignof(ExAllData);

size_t aligned(size_t n) { return (n + ALIGN - 1) & ~(ALIGN - 1); }

void endScan(dosl::LockRecord* lock, ExAllControl* control) {
  lock->exAllListed = false;
  lock->exAllEntries.clear();
  lock->exAllEntries.shrink_to_fit();
  control->eac_LastKey = 0;
}

// Writes one record at `at`; its texts follow its fields.
ExAllData* writeRecord(char* at, int32_t type, const dosmeta::EntryInfo& info, size_t fixed) {
  auto* record = reinterpret_cast<ExAllData*>(at);
  std::memset(at, 0, fixed);
  char* text = at + fixed;
  std::memcpy(text, info.name.c_str(), info.name.size() + 1);
  record->ed_Next = nullptr;
  record->ed_Name = text;
  text += info.name.size() + 1;
  if (type >= ED_TYPE) record->ed_Type = info.type;
  if (type >= ED_SIZE) record->ed_Size = info.size;
  if (type >= ED_PROTECTION) record->ed_Prot = static_cast<uint32_t>(info.protection);
  if (type >= ED_DATE) {
    record->ed_Days = static_cast<uint32_t>(info.date.ds_Days);
    record->ed_Mins = static_cast<uint32_t>(info.date.ds_Minute);
    record->ed_Ticks = static_cast<uint32_t>(info.date.ds_Tick);
  }
  if (type >= ED_COMMENT) {
    const size_t shown = info.comment.size() < dosmeta::COMMENT_SHOWN ? info.comment.size() : dosmeta::COMMENT_SHOWN;
    std::memcpy(text, info.comment.data(), shown);
    text[shown] = '\0';
    record->ed_Comment = text;
  }
  if (type >= ED_OWNER) {
    record->ed_OwnerUID = static_cast<uint16_t>(info.uid);
    record->ed_OwnerGID = static_cast<uint16_t>(info.gid);
  }
  return record;
}

}  // namespace

bool ExAll(BPTR lock, ExAllData* buffer, int32_t size, int32_t type, ExAllControl* control) {
  if (control) control->eac_Entries = 0;
  if (int32_t injected = doshook::enter("ExAll")) return dosproc::fail(injected);
  dosl::LockRecord* record = dosl::asLock(lock);
  if (!record || !control) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  std::string real;
  if (dosl::hostPathOf(lock, real) != 0) real.clear();
  if (!real.empty() && doshook::hasTrait(real, ostest::TRAIT_NO_EXALL)) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (type < ED_NAME || type > ED_OWNER || control->eac_MatchFunc) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (!buffer || size <= 0) return dosproc::fail(ERROR_LINE_TOO_LONG);

  const std::string reach = dosl::fdPath(record->fl_HostFd);
  if (control->eac_LastKey == 0 || !record->exAllListed) {
    record->exAllTimed = fstat(record->fl_HostFd, &record->exAllBefore) == 0;
    if (int32_t error = dosdirs::listEntries(reach, record->exAllEntries)) {
      endScan(record, control);
      return dosproc::fail(error);
    }
    record->exAllTimed = record->exAllTimed && fstat(record->fl_HostFd, &record->exAllAfter) == 0;
    record->exAllListed = true;
    control->eac_LastKey = 0;
  }

  // In a folder that may be read but not searched the names can be listed
  // but no entry examined: that fails the listing at every data level, also
  // at those that read nothing beyond the names and kinds.
  const bool searchable = faccessat(record->fl_HostFd, ".", X_OK, 0) == 0 || errno != EACCES;

  char* const base = reinterpret_cast<char*>(buffer);
  const size_t skip = aligned(reinterpret_cast<uintptr_t>(base)) - reinterpret_cast<uintptr_t>(base);
  size_t used = skip;
  const size_t fixed = recordSize(type);
  ExAllData* previous = nullptr;
  size_t index = control->eac_LastKey;
  while (index < record->exAllEntries.size()) {
    const std::string& name = record->exAllEntries[index].name;
    if (control->eac_MatchString && !MatchPatternNoCase(control->eac_MatchString, name.c_str())) {
      ++index;
      continue;
    }
    dosmeta::EntryInfo info;
    // Only what the data type asks for is read: names and kinds come from
    // the listing itself.
    if (int32_t error = searchable ? dosmeta::describeEntryUpTo(reach, name, record->exAllEntries[index].kind, type, info)
                                   : ERROR_READ_PROTECTED) {
      ++index;
      if (error == ERROR_OBJECT_NOT_FOUND) continue;  // gone since the listing
      // There but not to be examined (a folder that may be read but not
      // searched): the listing fails, it does not go on as if it were empty.
      endScan(record, control);
      return dosproc::fail(error);
    }
    size_t need = fixed + info.name.size() + 1;
    if (type >= ED_COMMENT)
      need += (info.comment.size() < dosmeta::COMMENT_SHOWN ? info.comment.size() : dosmeta::COMMENT_SHOWN) + 1;
    need = aligned(need);
    if (used + need > static_cast<size_t>(size)) {
      if (control->eac_Entries == 0) {
        // Not even one record fits: the caller needs a bigger buffer.
        control->eac_LastKey = static_cast<uint32_t>(index);
        return dosproc::fail(ERROR_LINE_TOO_LONG);
      }
      control->eac_LastKey = static_cast<uint32_t>(index);
      return true;
    }
    ExAllData* written = writeRecord(base + used, type, info, fixed);
    if (previous) previous->ed_Next = written;
    previous = written;
    used += need;
    ++control->eac_Entries;
    ++index;
  }
  // The whole listing was handed out: it may stand as the folder's names.
  if (record->exAllTimed && !real.empty())
    dosindex::keepListing(real, record->exAllBefore, record->exAllAfter, std::move(record->exAllEntries));
  endScan(record, control);
  return dosproc::fail(ERROR_NO_MORE_ENTRIES);
}

void ExAllEnd(BPTR lock, ExAllData*, int32_t, int32_t, ExAllControl* control) {
  dosl::LockRecord* record = dosl::asLock(lock);
  if (record && control) endScan(record, control);
}
