// cGuiBar: a separating line drawn across the direction of its group, with an
// optional title (the caller's string, kept as it is; NIL: none).
#pragma once

#include "gui/items/gui_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiBar : public cGuiItem {
  LUDEX_CLASS(cGuiBar, cGuiItem)
  LUDEX_GUI_TYPED_ITEM(cGuiBar)
 public:
  virtual cGuiBar* new_cGuiBar(const char* barTitle) {
    title = barTitle;
    initShared();
    return this;
  }
  virtual const char* infoTitle() { return title; }

 private:
  const char* title = nullptr;  // the caller's
};
