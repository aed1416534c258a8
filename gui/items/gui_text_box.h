// cGuiTextBox: several lines of text shown in a frame, with a label.
#pragma once

#include "gui/items/gui_output_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiTextBox : public cGuiOutputItem {
  LUDEX_CLASS(cGuiTextBox, cGuiOutputItem)
  LUDEX_GUI_TYPED_OUTPUT(cGuiTextBox)
 public:
  void end_class() override {
    DisposeOwnedText(text);
    cGuiOutputItem::end_class();
  }

  virtual cGuiTextBox* new_cGuiTextBox(const char* label) {
    initLabel(label);
    ReplaceOwnedText(text, "", OwnedTextRule::NilAsEmpty);
    fixedFont = false;
    initShared();
    return this;
  }
  virtual const char* getState() { return text; }
  // Keeps a copy of newText (NIL: "").
  virtual cGuiTextBox* setState(const char* newText) {
    ReplaceOwnedText(text, newText, OwnedTextRule::NilAsEmpty);
    return this;
  }
  virtual cGuiTextBox* initFixedFont() {
    fixedFont = true;
    return this;
  }
  virtual bool infoFixedFont() { return fixedFont; }

 private:
  char* text = nullptr;  // owned
  bool fixedFont = false;
};
