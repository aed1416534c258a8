#include "gui/gui_item.h"

void cGuiItem::attachShared(cGuiSharedBase* record) {
  cGuiSharedBase* old = shared;
  shared = record;
  End(old);
}

void cGuiItem::end_class() {
  try {
    End(shared);
  } catch (...) {
    // Ending an item always completes; a failing native record is dropped.
  }
  class_base::end_class();
}
