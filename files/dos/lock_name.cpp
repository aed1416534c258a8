#include "files/dos/lock_name.h"

#include "core/clean_up.h"
#include "files/dos/strings.h"

char* takeNameOfLock(BPTR lock) {
  if (!lock) return nullptr;
  return WithCleanUp([&] { return strSafeNameFromLock(lock); }, [&] { UnLock(lock); });
}
