#include "gui/items/gui_number_item.h"

#include "core/exception.h"

cGuiNumberItem* cGuiNumberItem::setState(int32_t n) {
  if (n < minimum || n > maximum) Throw("EMU", outOfRangeMessage());
  state = n;
  return this;
}
