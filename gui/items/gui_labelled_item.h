// cGuiLabelledItem: an item with a label, which the build shows beside it.
#pragma once

#include "gui/items/gui_item.h"
#include "gui/items/owned_text.h"

class cGuiLabelledItem : public cGuiItem {
  LUDEX_CLASS(cGuiLabelledItem, cGuiItem)
 public:
  void end_class() override {
    DisposeOwnedText(label);
    cGuiItem::end_class();
  }

  // Keeps a copy of text as the label (NIL: "") and unsets the alignment.
  // Only the constructors call it.
  virtual cGuiLabelledItem* initLabel(const char* text) {
    ReplaceOwnedText(label, text, OwnedTextRule::NilAsEmpty);
    labelAlignment = 0;
    return this;
  }
  virtual const char* infoLabel() { return label; }

 protected:
  // The label's alignment letter: 0 unset, 'L', 'C' or 'R' (cGuiLabel sets it).
  char labelAlignment = 0;

 private:
  char* label = nullptr;  // owned
};
