// cGuiChoiceItem: one of a NIL-terminated array of texts, chosen by its index;
// the cycle (one text shown, clicked through) and the radio buttons (all
// shown). The array stays the caller's, who keeps it alive with the window.
#pragma once
#include <cstdint>

#include "gui/items/gui_number_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiChoiceItem : public cGuiNumberItem {
  LUDEX_CLASS(cGuiChoiceItem, cGuiNumberItem)
 public:
  // State 0, minimum 0, maximum the index of the last text. A NIL array is
  // taken as no texts: every setState is then refused, and infoChoices()
  // answers an empty array.
  virtual cGuiChoiceItem* new_cGuiChoiceItem(const char* label, const char* const* texts);
  cGuiChoiceItem* setState(int32_t n) override {
    cGuiNumberItem::setState(n);
    return this;
  }
  virtual const char* const* infoChoices() { return choices; }

 private:
  const char* const* choices = nullptr;  // the caller's
};

class cGuiCycleChoice : public cGuiChoiceItem {
  LUDEX_CLASS(cGuiCycleChoice, cGuiChoiceItem)
  LUDEX_GUI_TYPED_NUMBER(cGuiCycleChoice, cGuiChoiceItem)

 protected:
  const char* outOfRangeMessage() override { return "cGuiCycleChoice.setState(); choice outside of min/max range"; }
};

class cGuiRadioChoice : public cGuiChoiceItem {
  LUDEX_CLASS(cGuiRadioChoice, cGuiChoiceItem)
  LUDEX_GUI_TYPED_NUMBER(cGuiRadioChoice, cGuiChoiceItem)

 protected:
  const char* outOfRangeMessage() override { return "cGuiRadioChoice.setState(); choice outside of min/max range"; }
};
