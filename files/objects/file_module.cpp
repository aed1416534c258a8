#include "files/objects/file_module.h"

#include "files/objects/file.h"

void new_cpath_file() { clearFileDiskSupport(); }

void end_cpath_file() { disposeFileDiskSupport(); }
