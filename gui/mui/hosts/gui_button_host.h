// cGuiButtonHost: a push button (release-verify) showing its caption, or a
// picture beside its caption when the picture file exists. A picture that is
// missing at the build makes the button a text button for good.
#pragma once

#include "gui/items/gui_button.h"
#include "gui/mui/gui_shared.h"

class cGuiButtonHost : public cGuiButton {
  LUDEX_CLASS(cGuiButtonHost, cGuiButton)
 public:
  // Disposes the picture's system path, then the model's fields.
  void end_class() override;
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  cGuiButtonHost* setPopupHint(const char* text) override { return setPopupHint_cGuiButtonHost(text); }
  virtual cGuiButtonHost* setPopupHint_cGuiButtonHost(const char* text);
  cGuiButtonHost* setGhosted(bool flag) override { return setGhosted_cGuiButtonHost(flag); }
  virtual cGuiButtonHost* setGhosted_cGuiButtonHost(bool flag);

  // The picture's path in the system's form (NIL for a text button) and its object.
  const char* infoSystemPic() { return systemPic; }
  Object* infoImageObject();

 private:
  cGuiChildList* buildButton();
  // The system path of the picture when its file exists; otherwise NIL, and
  // the item forgets its picture.
  char* existingPicture();
  // Disables or enables the button; a picture button keeps the state to
  // itself, so the picture is not drawn ghosted.
  void applyGhosted(bool flag);

  char* systemPic = nullptr;  // owned
  Object* imageObject = nullptr;
};
