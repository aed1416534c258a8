// cGuiBreakHost: makes no object; its empty child list ends a two-column block.
#pragma once

#include "core/exception.h"
#include "gui/groups/gui_break.h"
#include "gui/mui/gui_shared.h"

class cGuiBreakHost : public cGuiBreak {
  LUDEX_CLASS(cGuiBreakHost, cGuiBreak)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override {
    (void)params, (void)paramCount;
    switch (id) {
      case GUI_SHARED_BUILD: return toIPTR(cGuiChildList::make());
      case GUI_SHARED_SETUP_NOTIFY: return toIPTR(this);
      case GUI_SHARED_FIXED_WIDTH:
      case GUI_SHARED_FIXED_HEIGHT: return 1;
      case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
      default: Throw("BUG", "cGuiBreak.shared(); unknown method id");
    }
  }
};
