// cGuiLabel: a text standing on its own, aligned left, centred or right.
#pragma once

#include "gui/items/gui_output_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiLabel : public cGuiOutputItem {
  LUDEX_CLASS(cGuiLabel, cGuiOutputItem)
  LUDEX_GUI_TYPED_OUTPUT(cGuiLabel)
 public:
  virtual cGuiLabel* new_cGuiLabel(const char* text) {
    initLabel(text);
    altColour = false;
    initShared();
    return this;
  }
  virtual cGuiLabel* initAlignLeft() { return align('L'); }
  virtual cGuiLabel* initAlignCenter() { return align('C'); }
  virtual cGuiLabel* initAlignRight() { return align('R'); }
  // Each is TRUE only for its own letter; all three are FALSE while no
  // alignment was chosen (the build then centres the label).
  virtual bool infoAlignLeft() { return labelAlignment == 'L'; }
  virtual bool infoAlignCenter() { return labelAlignment == 'C'; }
  virtual bool infoAlignRight() { return labelAlignment == 'R'; }
  // The label is shown in the alternative colour.
  virtual cGuiLabel* initAltColour() {
    altColour = true;
    return this;
  }
  virtual bool infoAltColour() { return altColour; }

 private:
  cGuiLabel* align(char letter) {
    labelAlignment = letter;
    return this;
  }
  bool altColour = false;
};
