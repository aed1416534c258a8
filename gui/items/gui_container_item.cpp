#include "gui/items/gui_container_item.h"

#include <exception>

void cGuiContainerItem::end_class() {
  std::exception_ptr failure;
  try {
    End(inner);
  } catch (...) {
    failure = std::current_exception();
  }
  cGuiGroupItem::end_class();
  if (failure) std::rethrow_exception(failure);
}

cGuiItem* cGuiContainerItem::addMade(cGuiItem* item) {
  try {
    return add(item);
  } catch (...) {
    End(item);
    throw;
  }
}
