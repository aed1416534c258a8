// cGuiTextHost: a text as a framed MUI text beside its label. The object
// shows one line: a text of several lines is cut before its first line feed,
// and a centred or right-aligned text carries the alignment code in front,
// which getState hands back as part of the text.
#pragma once

#include "gui/items/gui_text.h"
#include "gui/mui/gui_shared.h"

class cGuiTextHost : public cGuiText {
  LUDEX_CLASS(cGuiTextHost, cGuiText)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  const char* getState() override;
  cGuiTextHost* setState(const char* text) override { return setState_cGuiTextHost(text); }
  virtual cGuiTextHost* setState_cGuiTextHost(const char* text);
  cGuiTextHost* setPopupHint(const char* text) override { return setPopupHint_cGuiTextHost(text); }
  virtual cGuiTextHost* setPopupHint_cGuiTextHost(const char* text);
  // A new string: the text with the alignment code in front (none when left-aligned).
  virtual char* alignText(const char* text);

 private:
  cGuiChildList* buildText();
  // A new string: the text as the object shows it.
  char* shownText(const char* text);
};

// A new copy of text cut before its first line feed, or NIL when it has none.
char* stripExtraLines(const char* text);
