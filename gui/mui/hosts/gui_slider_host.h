// cGuiSliderHost: a slider between the item's minimum and maximum beside its
// label, its unit (if any) after it. Once built, its state is the slider's value.
#pragma once

#include "gui/items/gui_slider.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiSliderHost : public cGuiSlider {
  LUDEX_CLASS(cGuiSliderHost, cGuiSlider)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiSliderHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  int32_t getState() override { return numberHostState(this, MUIA_Numeric_Value); }
  cGuiSliderHost* setState(int32_t n) override { return setState_cGuiSliderHost(n); }
  virtual cGuiSliderHost* setState_cGuiSliderHost(int32_t n) {
    setNumberHostState(this, MUIA_Numeric_Value, n);
    return this;
  }
};
