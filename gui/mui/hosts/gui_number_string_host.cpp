#include "gui/mui/hosts/gui_number_string_host.h"

#include "core/exception.h"
#include "gui/mui/hosts/mui_set_string.h"

// The digits in the order the field has always listed them.
static const char* const numberCharacters = "0123456879-";

intptr_t cGuiNumberStringHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* field = MUI_NewObject("String.mui", MUIA_Frame, MUIV_Frame_String, MUIA_String_Accept,
                                    numberCharacters, MUIA_String_Integer, cGuiNumberItem::getState());
      Object* placed = withUnit(field, infoUnit());
      if (!placed) field = nullptr;
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = field;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, placed));
    }
    case GUI_SHARED_SETUP_NOTIFY:
      notifyFieldChange(MUIA_String_Acknowledge, MUIV_EveryTime, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return 0;
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiNumberString.shared(); unknown method id");
  }
}

cGuiNumberStringHost* cGuiNumberStringHost::setState_cGuiNumberStringHost(int32_t n) {
  cGuiNumberItem::setState(n);
  cGuiShared* record = sharedOf(this);
  if (record && record->object) muiSetStringInteger(record->object, n);
  return this;
}

cGuiNumberStringHost* cGuiNumberStringHost::sanitise() {
  const int32_t min = infoMin(), max = infoMax();
  // No number lies within the bounds: setState would refuse either one.
  if (min > max) return this;
  const int32_t n = getState();
  if (n < min) return setState_cGuiNumberStringHost(min);
  if (n > max) return setState_cGuiNumberStringHost(max);
  return this;
}
