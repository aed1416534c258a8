// What tests need of the hosted dos.library: mount sandbox folders as volumes
// and assigns, start afresh, and see requesters and leftovers.
#pragma once
#include <cstdint>
#include <initializer_list>

namespace ostest {

// Forgets every volume and assign, unlocks the process's current directory and
// clears its record and the requester count. The next call builds the standard
// volumes again from the environment (HOME, LUDEX_HOME, XDG_RUNTIME_DIR,
// LUDEX_VOLUMES, LUDEX_ASSIGNS) and takes the Linux working folder as the
// current directory. Locks the caller still holds stay valid.
void resetDos();

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

}  // namespace ostest
