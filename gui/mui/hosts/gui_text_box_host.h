// cGuiTextBoxHost: a text of several lines as a framed MUI float text, its
// label standing at the top beside it. The item keeps its text in every case.
#pragma once

#include "gui/items/gui_text_box.h"
#include "gui/mui/gui_shared.h"

class cGuiTextBoxHost : public cGuiTextBox {
  LUDEX_CLASS(cGuiTextBoxHost, cGuiTextBox)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  cGuiTextBoxHost* setState(const char* text) override { return setState_cGuiTextBoxHost(text); }
  virtual cGuiTextBoxHost* setState_cGuiTextBoxHost(const char* text);
  cGuiTextBoxHost* setPopupHint(const char* text) override { return setPopupHint_cGuiTextBoxHost(text); }
  virtual cGuiTextBoxHost* setPopupHint_cGuiTextBoxHost(const char* text);

 private:
  cGuiChildList* buildTextBox();
};
