// cGuiNativeSimpleHost: an item around a MUI object the caller made, with the
// attribute that holds its state and the value on which it notifies
// (MUIV_NotTriggerValue: no notification).
#pragma once
#include <cstdint>

#include "gui/items/gui_native_item.h"
#include "gui/mui/gui_shared.h"

class cGuiWindow;

class cGuiNativeSimpleHost : public cGuiNativeSimple {
  LUDEX_CLASS(cGuiNativeSimpleHost, cGuiNativeSimple)
 public:
  virtual cGuiNativeSimpleHost* new_cGuiNativeSimpleHost(Object* object, Tag stateAttribute, IPTR triggerValue,
                                                         Object* labelObject, bool fixedWidth, bool fixedHeight,
                                                         bool useInCycleChain);
  // From the values: object, then state attribute (0), trigger value
  // (MUIV_NotTriggerValue), label object (NIL), fixed width, fixed height,
  // in cycle chain (each TRUE); the defaults stand for values left out. An
  // empty list is refused (EMU).
  cGuiNativeSimpleHost* newL(const intptr_t* values, int32_t count) override;
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;
  intptr_t getState() override;
  cGuiNativeSimpleHost* setState(intptr_t value) override;
  // After a build that did not make the window: objects the build was given
  // went with it and are forgotten; the others are still the item's.
  void forgetObjects() {
    if (placed) object = labelObject = nullptr;
    placed = false;
  }
  // Disposes the objects the item still owns: those no build was given.
  void end_class() override;

 private:
  // The objects go to the window when a build places them; until then they
  // are the item's (a window ended unbuilt, or a build that failed before
  // reaching the item, leaves them to it).
  bool placed = false;
  Object* object = nullptr;
  Tag stateAttribute = 0;
  IPTR triggerValue = 0;
  Object* labelObject = nullptr;
  bool fixedWidth = false;
  bool fixedHeight = false;
  bool useInCycleChain = false;
};

// Adds a native simple item to the window's current build group (the
// window's addNativeSimple).
cGuiNativeSimple* AddNativeSimple(cGuiWindow* window, Object* object, Tag stateAttribute, IPTR triggerValue,
                                  Object* labelObject, bool fixedWidth, bool fixedHeight, bool useInCycleChain);
