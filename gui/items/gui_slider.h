// cGuiSlider: a whole number the user drags into place. It starts at its minimum.
#pragma once
#include <cstdint>

#include "gui/items/gui_number_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiSlider : public cGuiNumberItem {
  LUDEX_CLASS(cGuiSlider, cGuiNumberItem)
  LUDEX_GUI_TYPED_NUMBER(cGuiSlider, cGuiNumberItem)
 public:
  virtual cGuiSlider* new_cGuiSlider(const char* label, int32_t min, int32_t max) {
    newNumberItem(label, min, min, max);
    initShared();
    return this;
  }

 protected:
  const char* outOfRangeMessage() override { return "cGuiSlider.setState(); number outside of min/max range"; }
};
