// ListedKind: an object's kind told by its folder's listing, without a look
// at the disk.
#include "os/dos/call_hooks.h"
#include "os/dos/dos.h"
#include "os/dos/path_resolution.h"

bool ListedKind(const char* name, int32_t* kind) {
  if (doshook::enter("ListedKind", name) || !name || !kind) return false;
  // It answers for a Lock and an Examine: a failure a test injected into
  // either is left for the Lock and Examine that the caller makes instead.
  if (doshook::failurePending("Lock") || doshook::failurePending("Examine")) return false;
  switch (dospath::listedWithoutLooking(name)) {
    case dospath::Listed::Unknown: return false;
    case dospath::Listed::Missing: *kind = 0; break;
    case dospath::Listed::File: *kind = ST_FILE; break;
    case dospath::Listed::Folder: *kind = ST_USERDIR; break;
  }
  return true;
}
