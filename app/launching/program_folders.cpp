#include "app/launching/program_folders.h"

#include "app/launching/file_failure.h"
#include "core/clean_up.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "files/dos/variables.h"
#include "files/syntax/path_syntax.h"

bool rememberProgramFolder(const char* variable, const char* folder) {
  if (setVarDirPath(variable, folder, true)) return true;
  FileFailure failure;
  char* saved = StrJoin("ENVARC:/", variable);
  WithCleanUp(
      [&] {
        failure.noteIoErr(saved, "it could not be written");
        const char* name = FindName(variable);
        tellUser("The folder of the program \"%s\" could not be saved to \"%s\" (%s).\nLudex may ask for it again.",
                 {name, failure.file, failure.reason});
      },
      [&] { DisposeString(saved); });
  return false;
}
