// cGuiStringBox: several lines of text the user edits.
#pragma once

#include "gui/items/gui_string_item.h"

class cGuiStringBox : public cGuiStringItem {
  LUDEX_CLASS(cGuiStringBox, cGuiStringItem)
  LUDEX_GUI_TYPED_INPUT(cGuiStringBox)
 public:
  virtual cGuiStringBox* new_cGuiStringBox(const char* label) {
    fixedFont = false;
    newStringItem(label);
    return this;
  }
  cGuiStringBox* setState(const char* text) override {
    cGuiStringItem::setState(text);
    return this;
  }
  virtual cGuiStringBox* initFixedFont() {
    fixedFont = true;
    return this;
  }
  virtual bool infoFixedFont() { return fixedFont; }

 private:
  bool fixedFont = false;
};
