// cGuiOutputItem: a labelled item that may take the least room it needs and
// may carry a popup hint.
#pragma once

#include "gui/items/gui_labelled_item.h"

class cGuiOutputItem : public cGuiLabelledItem {
  LUDEX_CLASS(cGuiOutputItem, cGuiLabelledItem)
 public:
  void end_class() override {
    DisposeOwnedText(popupHint);
    cGuiLabelledItem::end_class();
  }

  // The item takes no more room than it needs.
  virtual cGuiOutputItem* initUseLeastSpace() {
    useLeastSpace = true;
    return this;
  }
  virtual bool infoUseLeastSpace() { return useLeastSpace; }
  // Keeps a copy of text as the hint; NIL removes it, "" stays an empty hint.
  virtual cGuiOutputItem* setPopupHint(const char* text) {
    ReplaceOwnedText(popupHint, text, OwnedTextRule::NilAsNone);
    return this;
  }
  virtual const char* getPopupHint() { return popupHint; }

 private:
  bool useLeastSpace = false;
  char* popupHint = nullptr;  // owned
};
