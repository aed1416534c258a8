#include "files/cpath_dir_module.h"

#include "files/cached_dir.h"

void new_cpath_dir() { clearDirDiskSupport(); }

void end_cpath_dir() { disposeDirDiskSupport(); }
