// What a lock holds beyond the public FileLock: the object's identity (for
// exclusive locks) and the entry lists of directory scans in progress.
#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "os/dos/directory_lists.h"
#include "os/dos/dos.h"

namespace dosl {

struct LockRecord : FileLock {
  dev_t dev = 0;
  ino_t ino = 0;
  // Where the object lay when it was locked, still true while the watch
  // generation is `listedUnder` (nonzero: its folder is watched and its
  // listing showed the name), so that Examine need not ask Linux for it.
  std::string listedPath;
  uint64_t listedUnder = 0;
  bool exNextListed = false;             // the entry list ExNext goes over was taken (by its first call after Examine)
  std::vector<std::string> exNextNames;
  bool exAllListed = false;              // an ExAll scan is going on
  std::vector<dosdirs::ListedEntry> exAllEntries;
  // The folder's status from before and after the scan's listing was taken,
  // so that a whole listing may stand as the folder's names later.
  struct stat exAllBefore {};
  struct stat exAllAfter {};
  bool exAllTimed = false;
};

// The lock behind a BPTR; NIL for ZERO, a file handle or anything else.
LockRecord* asLock(BPTR object);

// A new lock on the object at a Linux path (links followed). An exclusive lock
// needs the object to itself, and no shared lock is had while one is held
// (202). ZERO with *error set on failure. `realPath`, when given, is where the
// object lies (no link on the way, none at the end).
BPTR lockHostPath(const std::string& path, int32_t mode, int32_t* error, const std::string* realPath = nullptr);

// TRUE when an exclusive lock is held on the object with this identity.
bool exclusivelyLocked(dev_t dev, ino_t ino);

// A path that reaches the object of a descriptor wherever it now lies.
std::string fdPath(int fd);
// The real Linux path of a descriptor's object now; 205 when it was deleted.
int32_t realPathOfFd(int fd, std::string& out);
// The Linux folder of the root that the ZERO lock stands for: the root of the
// process's pr_FileSystemTask volume, Root: when it has none.
std::string zeroLockFolder();
// The real Linux path of a lock's object (ZERO included) or of a file handle's.
int32_t hostPathOf(BPTR object, std::string& out);
// The port of the volume a real Linux path lies on.
MsgPort* portOfRealPath(const std::string& realPath);

}  // namespace dosl
