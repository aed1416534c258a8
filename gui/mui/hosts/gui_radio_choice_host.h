// cGuiRadioChoiceHost: radio buttons showing all of their texts beside the
// label. Once built, its state is the radio's active entry.
#pragma once

#include "gui/items/gui_choice_item.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiRadioChoiceHost : public cGuiRadioChoice {
  LUDEX_CLASS(cGuiRadioChoiceHost, cGuiRadioChoice)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiRadioChoiceHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  int32_t getState() override { return numberHostState(this, MUIA_Radio_Active); }
  cGuiRadioChoiceHost* setState(int32_t n) override { return setState_cGuiRadioChoiceHost(n); }
  virtual cGuiRadioChoiceHost* setState_cGuiRadioChoiceHost(int32_t n) {
    setNumberHostState(this, MUIA_Radio_Active, n);
    return this;
  }
};
