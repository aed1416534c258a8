// The full name of a lock the caller hands over, for the places that lock a
// path only to learn its name.
#pragma once
#include "os/dos/dos.h"

// The full name of lock as strSafeNameFromLock gives it (a new string, NIL
// when it has none or lock is ZERO). The lock is taken over: it is unlocked
// in any case.
char* takeNameOfLock(BPTR lock);
