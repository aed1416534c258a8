// The program's layer over dos.library: every part of it in one include.
// All functions take and give host paths ("DH0:Games/Fred"), except
// setVarDirPath and getVarDirPath, which take and give canonical directory
// paths. Failures of the system's calls are answers (FALSE, NIL, 0), not
// errors; every lock, DOS object and string a function takes is given back
// on every way out of it.
#pragma once
#include "files/amiga_dos_expand.h"
#include "files/amiga_dos_file_helpers.h"
#include "files/amiga_dos_links.h"
#include "files/amiga_dos_path_parts.h"
#include "files/amiga_dos_probes.h"
#include "files/amiga_dos_program.h"
#include "files/amiga_dos_strings.h"
#include "files/amiga_dos_variables.h"
#include "files/shell_module.h"
