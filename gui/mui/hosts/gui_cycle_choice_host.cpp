#include "gui/mui/hosts/gui_cycle_choice_host.h"

#include "core/exception.h"

intptr_t cGuiCycleChoiceHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* cycle = MUI_NewObject("Cycle.mui", MUIA_Cycle_Entries, infoChoices(), MUIA_Cycle_Active,
                                    cGuiNumberItem::getState(), infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = cycle;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, cycle));
    }
    case GUI_SHARED_SETUP_NOTIFY:
      notifyItemChange(record->object, MUIA_Cycle_Active, MUIV_EveryTime, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiCycleChoice.shared(); unknown method id");
  }
}
