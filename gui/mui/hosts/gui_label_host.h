// cGuiLabelHost: a label as a MUI text, aligned by flexible spaces beside it
// unless it stands in a row or takes the least room.
#pragma once

#include "gui/items/gui_label.h"
#include "gui/mui/gui_shared.h"

class cGuiLabelHost : public cGuiLabel {
  LUDEX_CLASS(cGuiLabelHost, cGuiLabel)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  cGuiLabelHost* setPopupHint(const char* text) override { return setPopupHint_cGuiLabelHost(text); }
  virtual cGuiLabelHost* setPopupHint_cGuiLabelHost(const char* text);

 private:
  cGuiChildList* buildLabel();
};
