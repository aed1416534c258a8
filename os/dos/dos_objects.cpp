// AllocDosObject and FreeDosObject: the blocks the program fills through calls.

#include "os/dos/live_objects.h"
#include "os/dos/process_record.h"

APTR AllocDosObject(uint32_t type, const TagItem*) {
  switch (type) {
    case DOS_FIB:
      doslive::countObject(+1);
      return new FileInfoBlock();
    case DOS_EXALLCONTROL:
      doslive::countObject(+1);
      return new ExAllControl();
    default:
      dosproc::fail(ERROR_ACTION_NOT_KNOWN);
      return nullptr;
  }
}

void FreeDosObject(uint32_t type, APTR object) {
  if (!object) return;
  switch (type) {
    case DOS_FIB:
      doslive::countObject(-1);
      delete static_cast<FileInfoBlock*>(object);
      return;
    case DOS_EXALLCONTROL:
      doslive::countObject(-1);
      delete static_cast<ExAllControl*>(object);
      return;
    default:
      return;
  }
}
