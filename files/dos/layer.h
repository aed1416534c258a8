// The program's layer over dos.library: every part of it in one include.
// All functions take and give host paths ("DH0:Games/Fred"), except
// setVarDirPath and getVarDirPath, which take and give canonical directory
// paths. Failures of the system's calls are answers (FALSE, NIL, 0), not
// errors; every lock, DOS object and string a function takes is given back
// on every way out of it.
#pragma once
#include "files/dos/expand.h"
#include "files/dos/file_helpers.h"
#include "files/dos/links.h"
#include "files/dos/path_parts.h"
#include "files/dos/probes.h"
#include "files/dos/program.h"
#include "files/dos/shell_module.h"
#include "files/dos/strings.h"
#include "files/dos/variables.h"
