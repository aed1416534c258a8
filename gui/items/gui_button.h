// cGuiButton: a push button showing its label as caption, or an image.
#pragma once

#include "gui/items/gui_input_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiButton : public cGuiInputItem {
  LUDEX_CLASS(cGuiButton, cGuiInputItem)
  LUDEX_GUI_TYPED_INPUT(cGuiButton)
 public:
  void end_class() override {
    DisposeOwnedText(picture);
    cGuiInputItem::end_class();
  }

  virtual cGuiButton* new_cGuiButton(const char* label) {
    initLabel(label);
    initShared();
    return this;
  }
  // Keeps a copy of the image file's path; NIL or "" leaves no image.
  virtual cGuiButton* initPic(const char* path) {
    ReplaceOwnedText(picture, path, OwnedTextRule::EmptyAsNone);
    return this;
  }
  virtual const char* infoPic() { return picture; }

 protected:
  // For the host, which drops the path when the image cannot be loaded.
  void disposePic() { DisposeOwnedText(picture); }

 private:
  char* picture = nullptr;  // owned
};
