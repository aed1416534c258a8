#include "files/cpath_file_module.h"

#include "files/buffered_file.h"

void new_cpath_file() { clearFileDiskSupport(); }

void end_cpath_file() { disposeFileDiskSupport(); }
