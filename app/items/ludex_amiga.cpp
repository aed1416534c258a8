#include "app/items/ludex_amiga.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/program.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "os/mui/mui.h"

TagItem keyButtonLeftSpaceTags[3];
TagItem keyButtonRightSpaceTags[3];

namespace {
char* programPath = nullptr;
char* lastToolbarImage = nullptr;

void fillSpaceTags(TagItem* tags) {
  tags[0] = {MUIA_InnerLeft, 0};
  tags[1] = {MUIA_InnerRight, 0};
  tags[2] = {TAG_DONE, 0};
}
}  // namespace

const char* ourProgPath_ludex_amiga() { return programPath; }

const char* tbimages(const char* name) {
  if (!name) Throw("EPU", "tbimages(); name=NIL");
  DisposeString(lastToolbarImage);
  lastToolbarImage = nullptr;
  const char* folder = ExistsPath("PROGDIR:/tbimages/", false) ? "PROGDIR:/tbimages/" : "tbimages:/";
  lastToolbarImage = StrJoin(folder, name);
  return lastToolbarImage;
}

void new_ludex_amiga() {
  fillSpaceTags(keyButtonLeftSpaceTags);
  fillSpaceTags(keyButtonRightSpaceTags);
  DisposeString(programPath);
  programPath = nullptr;
  char* host = strSafeGetProgramPath();
  if (!host) return;
  WithCleanUp([&] { programPath = ImportFilePath(host); }, [&] { DisposeString(host); });
}

void end_ludex_amiga() {
  DisposeString(programPath);
  programPath = nullptr;
  DisposeString(lastToolbarImage);
  lastToolbarImage = nullptr;
}
