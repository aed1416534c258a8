// cGuiNativeHost: the base of the application's own items, which make their
// MUI objects themselves. A subclass overrides build (and, as it needs,
// setupNotify and the size answers); the host keeps the objects in the record.
#pragma once
#include <cstdint>

#include "gui/items/gui_native_item.h"
#include "gui/mui/gui_shared.h"
#include "os/utility/hooks.h"

class cGuiNativeHost : public cGuiNativeItem {
  LUDEX_CLASS(cGuiNativeHost, cGuiNativeItem)
 public:
  void initShared() override { attachShared(newSharedFor(this)); }
  intptr_t shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) override;

  // TRUE when the item's group is of the named class (or derives from it).
  virtual bool infoGroupIsOfClassType(const char* className);
  // Makes the objects: returns the child list for the group (owned by the
  // caller), the main object in *object and the label object (or NIL) in
  // *labelObject. Here: nothing.
  virtual cGuiChildList* build(Object** object, Object** labelObject) {
    *object = *labelObject = nullptr;
    return nullptr;
  }
  // Installs the item's notification on object, calling hook with params
  // [item, window] (two words). Here: none.
  virtual void setupNotify(Object* object, Hook* hook, const IPTR* params) { (void)object, (void)hook, (void)params; }
  virtual bool infoIsFixedWidth() { return true; }
  virtual bool infoIsFixedHeight() { return true; }
  virtual bool infoUseInCycleChain() { return true; }
  virtual Object* infoObject();
  virtual Object* infoLabel();
};
