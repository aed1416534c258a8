// cGuiCycleChoiceHost: a cycle gadget showing one of its texts beside its
// label. Once built, its state is the cycle's active entry.
#pragma once

#include "gui/items/gui_choice_item.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiCycleChoiceHost : public cGuiCycleChoice {
  LUDEX_CLASS(cGuiCycleChoiceHost, cGuiCycleChoice)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiCycleChoiceHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  int32_t getState() override { return numberHostState(this, MUIA_Cycle_Active); }
  cGuiCycleChoiceHost* setState(int32_t n) override { return setState_cGuiCycleChoiceHost(n); }
  virtual cGuiCycleChoiceHost* setState_cGuiCycleChoiceHost(int32_t n) {
    setNumberHostState(this, MUIA_Cycle_Active, n);
    return this;
  }
};
