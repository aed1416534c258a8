#include "files/dos/file_functions.h"

#include <climits>

#include "core/exception.h"
#include "files/dos/strings.h"

namespace {

constexpr int64_t DAYS_FROM_1978_TO_2000 = 8035;
constexpr int64_t SECONDS_PER_DAY = 86400;

// One Seek; -1 counts as failure only with an error set, since it is also
// the answer for an old position of 0xFFFFFFFF.
bool seekOnce(BPTR fh, int32_t offset, int32_t mode) {
  SetIoErr(0);
  return !(Seek(fh, offset, mode) == -1 && IoErr() != 0);
}

int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

bool setFilePosition64(BPTR fh, int64_t position, int32_t mode) {
  if (position >= INT32_MIN && position <= INT32_MAX) return seekOnce(fh, static_cast<int32_t>(position), mode);
  if (mode != OFFSET_CURRENT && !seekOnce(fh, 0, mode)) return false;
  int64_t left = position;
  while (left != 0) {
    const int64_t step = left > INT32_MAX ? INT32_MAX : left < INT32_MIN ? INT32_MIN : left;
    if (!seekOnce(fh, static_cast<int32_t>(step), OFFSET_CURRENT)) return false;
    left -= step;
  }
  return true;
}

void safeSetFilePosition64(BPTR fh, int64_t position) {
  if (!setFilePosition64(fh, position, OFFSET_BEGINNING)) Throw("FILE", "cPath; safeSetFilePosition64(); failed");
}

int64_t getFilePosition64(BPTR fh) {
  SetIoErr(0);
  const int32_t position = Seek(fh, 0, OFFSET_CURRENT);
  if (position == -1 && IoErr() != 0) return -1;
  return static_cast<uint32_t>(position);
}

int64_t safeGetFilePosition64(BPTR fh) {
  const int64_t position = getFilePosition64(fh);
  if (position < 0) Throw("FILE", "cPath; safeGetFilePosition64(); failed");
  return position;
}

int64_t fullFilePosition64(BPTR fh) {
  // The 32-bit answer first: a handle that cannot tell its position fails here.
  if (getFilePosition64(fh) < 0) return -1;
  // Step back by 2 GiB until a step would pass the start; what is left is
  // below 2 GiB, so the 32-bit answer then is the whole of it.
  int64_t steps = 0;
  while (seekOnce(fh, INT32_MIN, OFFSET_CURRENT)) ++steps;
  if (IoErr() != ERROR_SEEK_ERROR) return -1;
  const int64_t rest = getFilePosition64(fh);
  if (rest < 0) return -1;
  const int64_t position = steps * (int64_t{1} << 31) + rest;
  if (steps > 0 && !setFilePosition64(fh, position, OFFSET_BEGINNING)) return -1;
  return position;
}

int64_t getFileSize64(BPTR fh, bool leaveAtEnd) {
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (fib) {
    const bool examined = ExamineFH(fh, fib);
    const uint32_t size = static_cast<uint32_t>(fib->fib_Size);
    FreeDosObject(DOS_FIB, fib);
    // The examined size is held at the 32-bit cap for every larger file:
    // there only the handle knows the real end.
    if (examined && size < FIB_SIZE_CAP) return size;
  }
  int64_t before = 0;
  if (!leaveAtEnd) {
    before = fullFilePosition64(fh);
    if (before < 0) return -1;
  }
  if (!seekOnce(fh, 0, OFFSET_END)) return -1;
  const int64_t size = fullFilePosition64(fh);
  if (size < 0) return -1;
  if (!leaveAtEnd && !setFilePosition64(fh, before, OFFSET_BEGINNING)) return -1;
  return size;
}

bool setFileSize64(BPTR fh, int64_t size) {
  if (size < 0 || size > INT32_MAX) return false;
  return SetFileSize(fh, static_cast<int32_t>(size), OFFSET_BEGINNING) == size;
}

int64_t fileSizeFromFH(BPTR fh, bool keepPosition, bool linksAsEmpty) {
  if (linksAsEmpty) {
    auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
    if (fib) {
      const bool examined = ExamineFH(fh, fib);
      const int32_t type = fib->fib_DirEntryType;
      FreeDosObject(DOS_FIB, fib);
      if (examined && (type == ST_SOFTLINK || type == ST_LINKDIR || type == ST_LINKFILE)) return 0;
    }
  }
  const int64_t size = getFileSize64(fh, !keepPosition);
  if (size == -1) Throw("ERR", "fileSizeFromFH(); failed to obtain size of file (6)");
  return size;
}

int64_t datestampToTime(int32_t days, int32_t minute, int32_t tick) {
  return (static_cast<int64_t>(days) - DAYS_FROM_1978_TO_2000) * SECONDS_PER_DAY + static_cast<int64_t>(minute) * 60 +
         tick / TICKS_PER_SECOND;
}

int32_t timeToDatestamp(int64_t time, int32_t* minute, int32_t* tick) {
  // Floor division keeps the minute and tick of a time before 2000 in range
  // (a truncating division gives tick 3000 for whole minutes).
  constexpr int64_t lowest = (INT32_MIN - DAYS_FROM_1978_TO_2000) * SECONDS_PER_DAY;
  constexpr int64_t highest = (INT32_MAX - DAYS_FROM_1978_TO_2000) * SECONDS_PER_DAY + SECONDS_PER_DAY - 1;
  if (time < lowest) time = lowest;
  if (time > highest) time = highest;
  const int64_t day = floorDiv(time, SECONDS_PER_DAY);
  const int64_t second = time - day * SECONDS_PER_DAY;
  if (minute) *minute = static_cast<int32_t>(second / 60);
  if (tick) *tick = static_cast<int32_t>(second % 60) * TICKS_PER_SECOND;
  return static_cast<int32_t>(day + DAYS_FROM_1978_TO_2000);
}

const char* dosFailureReason_cpath_file(const char* message) {
  const int32_t code = IoErr();
  if (code == 0) return message;
  return staticFault(code, message);
}

const char* dosFailureReason(const char* message) { return dosFailureReason_cpath_file(message); }

BPTR unLock_cpath_file(BPTR lock) {
  if (lock) UnLock(lock);
  return ZERO;
}

BPTR unLock_cpath_dir(BPTR lock) { return unLock_cpath_file(lock); }
