// What tests need of the hosted dos.library: mount sandbox folders as volumes
// and assigns, start afresh, and see requesters and leftovers.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace ostest {

// Forgets every volume and assign, unlocks the process's current directory and
// clears its record and the requester count. The next call builds the standard
// volumes again from the environment (HOME, LUDEX_HOME, XDG_RUNTIME_DIR,
// LUDEX_VOLUMES, LUDEX_ASSIGNS) and takes the Linux working folder as the
// current directory. Locks the caller still holds stay valid.
void resetDos();
// TRUE when dos can watch folders for changes (inotify); else only the
// folders' modification times guard the names it keeps.
bool foldersAreWatched();

// Mounts a Linux folder as a volume (replacing any volume or assign of that name).
void mountVolume(const char* name, const char* hostFolder);
// Makes name an assign of these folders, tried in this order (replacing any
// volume or assign of that name).
void assignFolders(const char* name, std::initializer_list<const char*> hostFolders);
// Removes a volume or assign; FALSE when there was none.
bool dismountVolume(const char* name);

// "Insert volume" requesters counted since resetDos(), and the volume named by
// the last one.
int32_t insertVolumeRequesters();
const char* lastRequestedVolume();

// Locks, file handles and DOS objects (FileInfoBlocks, ExAllControls, DevProcs)
// alive now.
int32_t liveLockCount();
int32_t liveHandleCount();
int32_t liveDosObjectCount();

// Failure injection: the next call of the named dos.library function (e.g.
// "Open", "Write", "SetProtection") fails with IoErr code, doing nothing.
// `after` calls of it succeed first. Cleared by resetDos() and clearFailures().
void failNextCall(const char* call, int32_t code, int32_t after = 0);
void clearFailures();
// The IoErr code a call sets when Linux fails it with errno e (e.g. EIO), to
// inject the failures Linux gives.
int32_t ioErrOfLinuxError(int e);

// What a volume's file system cannot do, to reach the program's fallbacks.
// The calls concerned fail with ERROR_ACTION_NOT_KNOWN (209) on it.
enum VolumeTrait : uint32_t {
  TRAIT_NO_EXAMINE_FH = 1 << 0,  // ExamineFH
  TRAIT_NO_READWRITE = 1 << 1,   // Open with MODE_READWRITE
  TRAIT_CANNOT_SHRINK = 1 << 2,  // SetFileSize below the current size
  TRAIT_NO_DATES = 1 << 3,       // SetFileDate
  TRAIT_NO_COMMENTS = 1 << 4,    // SetComment with text (as without extended attributes)
  TRAIT_NO_PROTECTION = 1 << 5,  // SetProtection but FIBF_DEFAULT (as without extended attributes)
  TRAIT_NO_EXALL = 1 << 6,       // ExAll
  TRAIT_NO_LINKS = 1 << 7,       // MakeLink
};
// Sets the traits of a mounted volume (0: a full file system again).
void setVolumeTraits(const char* volume, uint32_t traits);

// Call log: while on, every dos.library call is recorded as its name, followed
// by " " and its name argument when it takes one ("Open Sandbox:a.txt", "Read").
void recordCalls(bool on);
// The calls recorded since recording was switched on; cleared by resetDos().
std::vector<std::string> callLog();

// Strict mode: changing an object by name (DeleteFile, Rename, SetProtection,
// SetComment, SetFileDate) while a handle is open on it or an exclusive lock
// is held on it fails with ERROR_OBJECT_IN_USE (202), as the real system does.
void setStrictMode(bool on);

// A "reboot": ENV: is emptied, ENVARC: stays.
void clearEnv();
// TRUE when the volume of Linux folder `folder` stores extended attributes.
bool hasExtendedAttributes(const char* folder);

// The steps every MatchPatternNoCase so far took (states visited and starts
// of "~" items looked at), for tests of its bound.
uint64_t patternMatchSteps();

}  // namespace ostest
