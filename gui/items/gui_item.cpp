#include "gui/items/gui_item.h"

#include "core/exception.h"

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

cGuiItem* cGuiItem::setRedirectEventTo(cGuiItem* target) {
  for (cGuiItem* t = target; t; t = t->getRedirectEventTo())
    if (t == this) Throw("EMU", "cGuiItem.setRedirectEventTo(); the redirect would close a cycle");
  redirect = target;
  return this;
}
