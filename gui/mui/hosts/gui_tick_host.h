// cGuiTickHost: a check mark the user toggles, its label beside it. Once
// built, its state is the check mark's MUIA_Selected.
#pragma once

#include "gui/items/gui_tick.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiTickHost : public cGuiTick {
  LUDEX_CLASS(cGuiTickHost, cGuiTick)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiTickHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  bool getState() override;
  cGuiTickHost* setState(bool flag) override { return setState_cGuiTickHost(flag); }
  virtual cGuiTickHost* setState_cGuiTickHost(bool flag);

 private:
  cGuiChildList* buildTick();
};
