// cGuiPathStringHost: a path field with a pop-up button that opens the file
// requester, beside its label. The field shows the path in the system's form
// ("DH0:Games/x.adf"); the item's state is the program's form ("DH0:/Games/x.adf",
// a folder ending in "/"). The requester's hooks are in gui_path_hooks.h.
#pragma once
#include <cstdint>

#include "gui/items/gui_path_string.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"

class cGuiPathStringHost : public cGuiPathString {
  LUDEX_CLASS(cGuiPathStringHost, cGuiPathString)
  LUDEX_GUI_INPUT_HOST_OPERATIONS(cGuiPathStringHost)
 public:
  // Disposes the kept paths, then the model's fields.
  void end_class() override;
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  virtual cGuiShared* infoShared() { return sharedOf(this); }

  // The shown path in the program's form: a folder form for an existing
  // folder or a text ending in ":", the file form otherwise ("" included).
  // The string stays the item's until the next call.
  const char* getState() override;
  // Refuses (EMU) a text that is neither a file nor a folder path; shows the
  // path in the system's form (NIL or "": an empty field).
  cGuiPathStringHost* setState(const char* path) override { return setState_cGuiPathStringHost(path); }
  virtual cGuiPathStringHost* setState_cGuiPathStringHost(const char* path);

  // For the requester's start hook: keeps the drawer and file it hands the
  // requester, which reads them once the hook has returned.
  void keepRequesterStart(char* drawer, char* file);
  // Disposes them, once the requester is done.
  void forgetRequesterStart() { keepRequesterStart(nullptr, nullptr); }

 private:
  char* lastState = nullptr;      // owned: getState's answer
  char* lastSet = nullptr;        // owned: the path last set, system form
  char* requesterDrawer = nullptr;  // owned
  char* requesterFile = nullptr;    // owned
};

// The text of the pop-up's string.
const char* getPopaslString(Object* popasl);
void setPopaslString(Object* popasl, const char* text);
// Installs on the pop-up's string the call of hook with params (count words)
// whenever the string is acknowledged.
IPTR muim_Notify_action_popasl(Object* popasl, Hook* hook, const IPTR* params, int32_t count);
