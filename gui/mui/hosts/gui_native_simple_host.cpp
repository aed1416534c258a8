#include "gui/mui/hosts/gui_native_simple_host.h"

#include "core/exception.h"
#include "gui/mui/client/gui_window_host.h"
#include "gui/mui/gui_host_conventions.h"

cGuiNativeSimpleHost* cGuiNativeSimpleHost::new_cGuiNativeSimpleHost(Object* nativeObject, Tag attribute,
                                                                     IPTR trigger, Object* label, bool fixW,
                                                                     bool fixH, bool inCycleChain) {
  object = nativeObject;
  stateAttribute = attribute;
  triggerValue = trigger;
  labelObject = label;
  fixedWidth = fixW;
  fixedHeight = fixH;
  useInCycleChain = inCycleChain;
  initShared();
  return this;
}

cGuiNativeSimpleHost* cGuiNativeSimpleHost::newL(const intptr_t* values, int32_t count) {
  if (!values || count < 1) Throw("EMU", "cGuiWindow.addNativeSimple(); params needs at least 2 parameters");
  auto value = [&](int32_t i, intptr_t absent) { return i < count ? values[i] : absent; };
  return new_cGuiNativeSimpleHost(reinterpret_cast<Object*>(values[0]), static_cast<Tag>(value(1, 0)),
                                  value(2, MUIV_NotTriggerValue), reinterpret_cast<Object*>(value(3, 0)),
                                  value(4, 1) != 0, value(5, 1) != 0, value(6, 1) != 0);
}

intptr_t cGuiNativeSimpleHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      cGuiChildList* list = labelObject ? cGuiChildList::labelled(labelObject, object) : cGuiChildList::of(object);
      placed = true;
      record->object = object;
      record->labelObject = labelObject;
      return toIPTR(list);
    }
    case GUI_SHARED_SETUP_NOTIFY:
      if (triggerValue != MUIV_NotTriggerValue && stateAttribute != 0)
        notifyItemChange(object, stateAttribute, triggerValue, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return fixedWidth;
    case GUI_SHARED_FIXED_HEIGHT: return fixedHeight;
    case GUI_SHARED_IN_CYCLE_CHAIN: return useInCycleChain;
    default: Throw("BUG", "cGuiNativeSimple.shared(); unknown method id");
  }
}

void cGuiNativeSimpleHost::end_class() {
  if (!placed) {
    if (labelObject) MUI_DisposeObject(labelObject);
    if (object) MUI_DisposeObject(object);
  }
  object = labelObject = nullptr;
  placed = false;
  cGuiNativeSimple::end_class();
}

intptr_t cGuiNativeSimpleHost::getState() {
  IPTR value = 0;
  GetAttr(stateAttribute, object, &value);
  return value;
}

cGuiNativeSimpleHost* cGuiNativeSimpleHost::setState(intptr_t value) {
  SetAttrs(object, stateAttribute, value);
  return this;
}

cGuiNativeSimple* AddNativeSimple(cGuiWindow* window, Object* object, Tag stateAttribute, IPTR triggerValue,
                                  Object* labelObject, bool fixedWidth, bool fixedHeight, bool useInCycleChain) {
  return static_cast<cGuiWindowHost*>(window)->addNativeSimple(object, stateAttribute, triggerValue, labelObject,
                                                               fixedWidth, fixedHeight, useInCycleChain);
}
