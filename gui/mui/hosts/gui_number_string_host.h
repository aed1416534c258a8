// cGuiNumberStringHost: a string field that takes a whole number, beside its
// label, its unit (if any) after it. Once built, its state is the field's
// text read as a number; the program's changes acknowledge the field, so they
// come back as change events like the user's.
#pragma once

#include "gui/items/gui_number_string.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiNumberStringHost : public cGuiNumberString {
  LUDEX_CLASS(cGuiNumberStringHost, cGuiNumberString)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiNumberStringHost)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  int32_t getState() override { return numberHostState(this, MUIA_String_Integer); }
  cGuiNumberStringHost* setState(int32_t n) override { return setState_cGuiNumberStringHost(n); }
  virtual cGuiNumberStringHost* setState_cGuiNumberStringHost(int32_t n);
  // Brings a number the user typed outside min..max back to the nearer
  // bound (which queues the field's change once more). A field whose minimum
  // exceeds its maximum has no number to bring it to and is left alone.
  virtual cGuiNumberStringHost* sanitise();
};
