#include "files/dos/lock_name.h"

#include "files/dos/strings.h"

char* takeNameOfLock(BPTR lock) {
  if (!lock) return nullptr;
  char* name = nullptr;
  try {
    name = strSafeNameFromLock(lock);
  } catch (...) {
    UnLock(lock);
    throw;
  }
  UnLock(lock);
  return name;
}
