#include "app/dialogs/add_request.h"

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/dos/probes.h"
#include "files/syntax/path_syntax.h"
#include "imaging/requesters.h"
#include "os/asl/asl.h"

const char* requestAdd(const char* argument, char** chosenPath) {
  if (chosenPath) *chosenPath = nullptr;
  char* hostPath = requestFile(nullptr, nullptr, nullptr, "Drop a file or folder here", FRF_REJECTICONS);
  if (!hostPath) return argument;
  // A drawer chosen without a file name is a folder to add.
  char* path = WithCleanUp([&] { return isFile(hostPath) ? ImportFilePath(hostPath) : ImportDirPath(hostPath); },
                           [&] { DisposeString(hostPath); });
  if (chosenPath) *chosenPath = path;
  else DisposeString(path);
  return argument;
}
