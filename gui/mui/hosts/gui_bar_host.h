// cGuiBarHost: a bar drawn across its group: a horizontal line in a vertical
// group, an upright line elsewhere.
#pragma once

#include "gui/groups/gui_bar.h"
#include "gui/mui/gui_shared.h"

class cGuiBarHost : public cGuiBar {
  LUDEX_CLASS(cGuiBarHost, cGuiBar)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
};
