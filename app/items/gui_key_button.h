// cGuiKeyButton: a push button with a keyboard shortcut, for the dialogs. The
// Return key's button shows its label bold. It reports a change when it is
// released over itself.
#pragma once

#include "gui/mui/hosts/gui_native_host.h"

class cGuiWindow;

class cGuiKeyButton : public cGuiNativeHost {
  LUDEX_CLASS(cGuiKeyButton, cGuiNativeHost)
 public:
  void end_class() override;
  // A key "\n" is taken as Return ("\r"), and Return's label gets the bold
  // text escape in front. label NIL reads as "".
  virtual cGuiKeyButton* new_cGuiKeyButton(cGuiWindow* owner, const char* label, char key);

  cGuiChildList* build(Object** object, Object** labelObject) override;
  void setupNotify(Object* object, Hook* hook, const IPTR* params) override;
  bool infoIsFixedWidth() override { return false; }
  bool infoIsFixedHeight() override { return true; }
  bool infoUseInCycleChain() override { return true; }

 private:
  cGuiWindow* window = nullptr;
  char* label = nullptr;  // owned
  char key = 0;
};

// A key button in the window's current build group; outside a group EPU.
cGuiKeyButton* addKeyButton(cGuiWindow* window, const char* label, char key);
