// cGuiStringHost: a one-line text field beside its label, keeping up to 255
// characters, or more when the item asks for more. Once built, its state is the field's contents; the program's
// changes acknowledge the field, so they come back as change events like the
// user's.
#pragma once

#include "gui/items/gui_string_item.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

// The room of a string field: 255 characters and the end mark.
constexpr IPTR GUI_STRING_MAXLEN = 256;

// A framed string field showing contents (NIL: empty), of that room or, for
// maxChars above 255, of room for maxChars characters.
Object* makeStringField(const char* contents, int32_t maxChars = 0);

class cGuiStringHost : public cGuiString {
  LUDEX_CLASS(cGuiStringHost, cGuiString)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiStringHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  const char* getState() override;
  cGuiStringHost* setState(const char* text) override { return setState_cGuiStringHost(text); }
  virtual cGuiStringHost* setState_cGuiStringHost(const char* text);
};
