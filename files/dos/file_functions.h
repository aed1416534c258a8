// 64-bit positions and sizes on a dos.library file handle, built from the
// system's 32-bit calls; DateStamps and the program's time count; the reason
// text of a host failure.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"

// Moves the position to `position` counted as mode says (OFFSET_BEGINNING,
// OFFSET_CURRENT, OFFSET_END). A distance past 32 bits is covered by a Seek to
// 0 in that mode (not for OFFSET_CURRENT) and relative Seeks of at most
// 2^31-1 bytes forward or 2^31 backward. TRUE on success.
bool setFilePosition64(BPTR fh, int64_t position, int32_t mode);
// setFilePosition64 from the beginning; raises FILE when it fails.
void safeSetFilePosition64(BPTR fh, int64_t position);
// The position (the system's 32-bit answer read as unsigned), -1 on failure.
int64_t getFilePosition64(BPTR fh);
// getFilePosition64; raises FILE when it fails.
int64_t safeGetFilePosition64(BPTR fh);
// The position in full 64 bits, -1 on failure: past 4 GiB the 32-bit answer
// wraps, so the handle is stepped back by 2 GiB at a time to the last step
// before the start and forward again.
int64_t fullFilePosition64(BPTR fh);
// The examined size of a file (an unsigned 32-bit count) is held at this cap
// for every file of 4 GiB - 1 bytes or more.
constexpr uint32_t FIB_SIZE_CAP = 0xFFFFFFFFu;
// The size of the open file, -1 on failure: examined from the handle when
// below the cap, else the handle's end found by Seeks (the position is put
// back unless leaveAtEnd).
int64_t getFileSize64(BPTR fh, bool leaveAtEnd);
// Sets the size; a size that is negative or not below 2^31 is refused (FALSE)
// without a call. TRUE when the file has the size asked for.
bool setFileSize64(BPTR fh, int64_t size);
// The size of the open file; with linksAsEmpty a link has size 0. Raises ERR
// when it cannot be found.
int64_t fileSizeFromFH(BPTR fh, bool keepPosition, bool linksAsEmpty);

// A DateStamp (days since 1978-01-01, minute of the day, tick of the minute)
// as seconds since 2000-01-01 (ticks cut to whole seconds).
int64_t datestampToTime(int32_t days, int32_t minute, int32_t tick);
// Seconds since 2000-01-01 as a DateStamp: returns the days; *minute and *tick
// get the rest, always in 0-1439 and 0-2950. Days outside 32 bits are held
// at the nearest end.
int32_t timeToDatestamp(int64_t time, int32_t* minute = nullptr, int32_t* tick = nullptr);

// The reason of the last host failure: message itself when IoErr() is 0, else
// message, ": " and the system's text of the error, in the shared fault
// buffer (valid until the next call). The file module's and the directory
// module's twins.
const char* dosFailureReason_cpath_file(const char* message);
const char* dosFailureReason(const char* message);
// UnLock when lock is not ZERO; returns ZERO (for `lock = unLock(lock)`).
BPTR unLock_cpath_file(BPTR lock);
BPTR unLock_cpath_dir(BPTR lock);
