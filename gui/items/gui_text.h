// cGuiText: one line of text shown in a frame, with a label.
#pragma once

#include "gui/items/gui_output_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiText : public cGuiOutputItem {
  LUDEX_CLASS(cGuiText, cGuiOutputItem)
  LUDEX_GUI_TYPED_OUTPUT(cGuiText)
 public:
  void end_class() override {
    DisposeOwnedText(text);
    cGuiOutputItem::end_class();
  }

  // An empty text, left-aligned, in the normal font.
  virtual cGuiText* new_cGuiText(const char* label) {
    initLabel(label);
    ReplaceOwnedText(text, "", OwnedTextRule::NilAsEmpty);
    fixedFont = false;
    textAlignment = 'L';
    initShared();
    return this;
  }
  // The text the item holds; the host reads the shown text once built.
  virtual const char* getState() { return text; }
  // Keeps a copy of newText (NIL: "").
  virtual cGuiText* setState(const char* newText) {
    ReplaceOwnedText(text, newText, OwnedTextRule::NilAsEmpty);
    return this;
  }
  virtual cGuiText* initFixedFont() {
    fixedFont = true;
    return this;
  }
  virtual bool infoFixedFont() { return fixedFont; }
  virtual cGuiText* initAlignRight() {
    textAlignment = 'R';
    return this;
  }
  virtual cGuiText* initAlignCenter() {
    textAlignment = 'C';
    return this;
  }
  virtual bool infoAlignRight() { return textAlignment == 'R'; }
  virtual bool infoAlignCenter() { return textAlignment == 'C'; }

 protected:
  // For the host, which drops its copy once the native object holds the text.
  void disposeText() { DisposeOwnedText(text); }

 private:
  char* text = nullptr;  // owned
  bool fixedFont = false;
  char textAlignment = 'L';
};
