// The test API of the hosted dos.library (see dos_testing.h).

#include "os/dos/call_hooks.h"
#include "os/dos/console_handles.h"
#include "os/dos/console_windows.h"
#include "os/dos/dos_testing.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/process_record.h"
#include "os/dos/program_record.h"
#include "os/dos/resolved_folders.h"
#include "os/dos/volumes.h"
#include "os/dos/watched_folders.h"

void ostest::resetDos() {
  dosproc::reset();
  dosvol::reset();
  dosprogram::reset();
  doshook::reset();
  dosindex::forgetAll();
  dosfolders::forgetAll();
  doswatch::reset();
  dosconsole::reset();
  ostest::setTerminalAtStandardStreams(std::nullopt);
}

void ostest::mountVolume(const char* name, const char* hostFolder) {
  dosvol::Volume v;
  v.name = name;
  v.kind = dosvol::Kind::Volume;
  v.folders = {hostFolder};
  dosvol::mount(v);
}

void ostest::assignFolders(const char* name, std::initializer_list<const char*> hostFolders) {
  dosvol::Volume v;
  v.name = name;
  v.kind = dosvol::Kind::Assign;
  for (const char* f : hostFolders) v.folders.emplace_back(f);
  dosvol::mount(v);
}

bool ostest::dismountVolume(const char* name) { return dosvol::dismount(name); }

bool ostest::foldersAreWatched() { return doswatch::available(); }

int32_t ostest::ioErrOfLinuxError(int e) { return dosio::ioErrOfErrno(e, ERROR_WRITE_PROTECTED); }
