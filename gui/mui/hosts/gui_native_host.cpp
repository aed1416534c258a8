#include "gui/mui/hosts/gui_native_host.h"

#include "core/exception.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/gui_host_conventions.h"

intptr_t cGuiNativeHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* object = nullptr;
      Object* label = nullptr;
      cGuiChildList* list = build(&object, &label);
      record->object = object;
      record->labelObject = label;
      return toIPTR(list);
    }
    case GUI_SHARED_SETUP_NOTIFY: {
      const IPTR target[] = {toIPTR(this), toIPTR(record->window)};
      setupNotify(record->object, infoGuiActionHook(), target);
      return toIPTR(this);
    }
    case GUI_SHARED_FIXED_WIDTH: return infoIsFixedWidth();
    case GUI_SHARED_FIXED_HEIGHT: return infoIsFixedHeight();
    case GUI_SHARED_IN_CYCLE_CHAIN: return infoUseInCycleChain();
    default: Throw("BUG", "cGuiNative.shared(); unknown method id");
  }
}

bool cGuiNativeHost::infoGroupIsOfClassType(const char* className) {
  return internalSafeParent_IsOfClassType(this, className);
}

Object* cGuiNativeHost::infoObject() { return sharedOf(this)->object; }
Object* cGuiNativeHost::infoLabel() { return sharedOf(this)->labelObject; }
