// cGuiBreak: makes no object; in a vertical group or a grid it ends a block of
// labelled items, so the labels of the next items line up anew.
#pragma once

#include "gui/items/gui_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiBreak : public cGuiItem {
  LUDEX_CLASS(cGuiBreak, cGuiItem)
  LUDEX_GUI_TYPED_ITEM(cGuiBreak)
 public:
  virtual cGuiBreak* new_cGuiBreak() {
    initShared();
    return this;
  }
};
