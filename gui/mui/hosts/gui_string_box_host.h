// cGuiStringBoxHost: several lines of text the user edits, in a text editor
// with a scroll bar beside it and the label at the top. Once built, its state
// is the editor's text without style codes. An edit, and every text the
// program sets, marks the editor changed and queues the item's change; the
// mark is cleared when the change is delivered, so the next edit fires again.
#pragma once

#include "gui/items/gui_string_box.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiStringBoxHost : public cGuiStringBox {
  LUDEX_CLASS(cGuiStringBoxHost, cGuiStringBox)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiStringBoxHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  const char* getState() override;
  cGuiStringBoxHost* setState(const char* text) override { return setState_cGuiStringBoxHost(text); }
  virtual cGuiStringBoxHost* setState_cGuiStringBoxHost(const char* text);
  void notifyStateHasChanged() override;

 private:
  cGuiChildList* buildStringBox();
  // Some group around the item scrolls.
  bool inScrollingGroup();
};

// What the build prints when the text editor class is missing.
extern const char* const missingTextEditorMessage;
