// cGuiTick: a check mark the user ticks and unticks.
#pragma once

#include "gui/items/gui_input_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiTick : public cGuiInputItem {
  LUDEX_CLASS(cGuiTick, cGuiInputItem)
  LUDEX_GUI_TYPED_INPUT(cGuiTick)
 public:
  virtual cGuiTick* new_cGuiTick(const char* label) {
    initLabel(label);
    state = false;
    initShared();
    return this;
  }
  virtual bool getState() { return state; }
  virtual cGuiTick* setState(bool flag) {
    state = flag;
    return this;
  }

 private:
  bool state = false;
};
