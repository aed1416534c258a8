// cGuiNumberString: a whole number the user types. It starts at 0 whatever
// its bounds.
#pragma once
#include <cstdint>

#include "gui/items/gui_number_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiNumberString : public cGuiNumberItem {
  LUDEX_CLASS(cGuiNumberString, cGuiNumberItem)
  LUDEX_GUI_TYPED_NUMBER(cGuiNumberString, cGuiNumberItem)
 public:
  virtual cGuiNumberString* new_cGuiNumberString(const char* label, int32_t min, int32_t max) {
    newNumberItem(label, 0, min, max);
    initShared();
    return this;
  }

 protected:
  const char* outOfRangeMessage() override { return "cGuiNumberString.setState(); number outside of min/max range"; }
};
