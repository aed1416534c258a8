#include "files/trees/dir_module.h"

#include "files/objects/dir.h"
#include "files/trees/recurse_callbacks.h"

cHostDir* deleteDir_dir = nullptr;
funcRecurseFile* funcRecurseFile_cpath_dir = nullptr;
funcRecurseDir* funcRecurseDir_cpath_dir = nullptr;
funcRecurseDirFailure* funcRecurseDirFailure_cpath_dir = nullptr;
funcRecurseDirAbort* funcRecurseDirAbort_cpath_dir = nullptr;

namespace {

template <class T>
T* madeCallback() {
  T* object = new T;
  try {
    object->new_function();
  } catch (...) {
    End(object);
    throw;
  }
  return object;
}

}  // namespace

void new_cpath_dir() {
  clearDirDiskSupport();
  // Made one by one: when one fails, end_cpath_dir ends those already made.
  funcRecurseFile_cpath_dir = madeCallback<funcRecurseFile>();
  funcRecurseDir_cpath_dir = madeCallback<funcRecurseDir>();
  funcRecurseDirFailure_cpath_dir = madeCallback<funcRecurseDirFailure>();
  funcRecurseDirAbort_cpath_dir = madeCallback<funcRecurseDirAbort>();
}

void end_cpath_dir() {
  End(funcRecurseDirAbort_cpath_dir);
  End(funcRecurseDirFailure_cpath_dir);
  End(funcRecurseDir_cpath_dir);
  End(funcRecurseFile_cpath_dir);
  disposeDirDiskSupport();
}
