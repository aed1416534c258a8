// Examine, ExNext and ExamineFH: one object, or a folder's entries one by one.

#include <cstring>

#include "os/dos/call_hooks.h"
#include "os/dos/directory_lists.h"
#include "os/dos/dos_testing.h"
#include "os/dos/examine_info.h"
#include "os/dos/file_handles.h"
#include "os/dos/lock_records.h"
#include "os/dos/metadata.h"
#include "os/dos/process_record.h"
#include "os/dos/watched_folders.h"

void dosexamine::toFileInfoBlock(const dosmeta::EntryInfo& info, FileInfoBlock* fib) {
  fib->fib_DirEntryType = info.type;
  fib->fib_EntryType = info.type;
  std::strncpy(fib->fib_FileName, info.name.c_str(), FIB_NAME_SIZE - 1);
  fib->fib_FileName[FIB_NAME_SIZE - 1] = '\0';
  fib->fib_Protection = info.protection;
  fib->fib_Size = static_cast<int32_t>(info.size);
  fib->fib_NumBlocks = info.blocks;
  fib->fib_Date = info.date;
  const size_t shown = info.comment.size() < dosmeta::COMMENT_SHOWN ? info.comment.size() : dosmeta::COMMENT_SHOWN;
  std::memcpy(fib->fib_Comment, info.comment.data(), shown);
  fib->fib_Comment[shown] = '\0';
  fib->fib_OwnerUID = static_cast<uint16_t>(info.uid);
  fib->fib_OwnerGID = static_cast<uint16_t>(info.gid);
}

namespace {

// Examines what a lock (ZERO included) or a handle refers to.
bool examineObject(BPTR object, FileInfoBlock* fib) {
  std::string real;
  dosl::LockRecord* lock = dosl::asLock(object);
  // Its folder watched and unchanged since it was locked, the object still
  // lies where it was found, by the same name.
  if (lock && lock->listedUnder && lock->listedUnder == doswatch::generation()) {
    real = lock->listedPath;
  } else {
    if (lock) lock->listedUnder = 0;
    if (int32_t error = dosl::hostPathOf(object, real)) return dosproc::fail(error);
  }
  std::string reach = real;
  int fd = -1;
  if (lock)
    fd = lock->fl_HostFd;
  else if (FileHandle* fh = dosfh::asHandle(object))
    fd = fh->fh_HostFd;
  if (fd >= 0) reach = dosl::fdPath(fd);
  dosmeta::EntryInfo info;
  if (int32_t error = dosmeta::describeObject(reach, real, info, fd)) return dosproc::fail(error);
  fib->fib_DiskKey = 0;
  dosexamine::toFileInfoBlock(info, fib);
  return true;
}

}  // namespace

bool Examine(BPTR lock, FileInfoBlock* fib) {
  if (int32_t injected = doshook::enter("Examine")) return dosproc::fail(injected);
  if (!fib) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (lock && !dosl::asLock(lock) && !dosfh::asHandle(lock)) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  if (!examineObject(lock, fib)) return false;
  // A folder's Examine starts an ExNext scan afresh; its first ExNext lists
  // the entries as they are then, so that examining a folder reads only the
  // folder itself.
  if (dosl::LockRecord* record = dosl::asLock(lock)) {
    record->exNextNames.clear();
    record->exNextListed = false;
  }
  return true;
}

bool ExNext(BPTR lock, FileInfoBlock* fib) {
  if (int32_t injected = doshook::enter("ExNext")) return dosproc::fail(injected);
  dosl::LockRecord* record = dosl::asLock(lock);
  if (!record || !fib) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  const std::string reach = dosl::fdPath(record->fl_HostFd);
  if (!record->exNextListed) {
    // No Examine came first: list the folder now, from the block's place.
    if (int32_t error = dosdirs::listEntries(reach, record->exNextNames)) return dosproc::fail(error);
    record->exNextListed = true;
  }
  size_t index = fib->fib_DiskKey < 0 ? 0 : static_cast<size_t>(fib->fib_DiskKey);
  while (index < record->exNextNames.size()) {
    dosmeta::EntryInfo info;
    const std::string& name = record->exNextNames[index++];
    if (int32_t error = dosmeta::describeEntry(reach, name, info)) {
      if (error == ERROR_OBJECT_NOT_FOUND) continue;  // gone since the listing
      // There but not to be examined: a failure, not the end of the folder.
      // The next call goes on after this entry.
      fib->fib_DiskKey = static_cast<int32_t>(index);
      return dosproc::fail(error);
    }
    dosexamine::toFileInfoBlock(info, fib);
    fib->fib_DiskKey = static_cast<int32_t>(index);
    return true;
  }
  fib->fib_DiskKey = static_cast<int32_t>(index);
  return dosproc::fail(ERROR_NO_MORE_ENTRIES);
}

bool ExamineFH(BPTR fh, FileInfoBlock* fib) {
  if (!fib) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  if (int32_t injected = doshook::enter("ExamineFH")) return dosproc::fail(injected);
  if (!dosfh::asHandle(fh)) return dosproc::fail(ERROR_OBJECT_WRONG_TYPE);
  std::string real;
  if (dosl::hostPathOf(fh, real) == 0 && doshook::hasTrait(real, ostest::TRAIT_NO_EXAMINE_FH))
    return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  return examineObject(fh, fib);
}
