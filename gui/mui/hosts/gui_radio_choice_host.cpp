#include "gui/mui/hosts/gui_radio_choice_host.h"

#include "core/exception.h"

intptr_t cGuiRadioChoiceHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* radio = MUI_NewObject("Radio.mui", MUIA_Radio_Entries, infoChoices(), MUIA_Radio_Active,
                                    cGuiNumberItem::getState());
      Object* placed = radio;
      if (!inHorizontalGroup(this) && !infoUseLeastSpace()) {
        // A space after the buttons keeps them at the left.
        placed = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, radio, MUIA_Group_Child,
                               MUI_MakeObject(MUIO_HSpace, 0));
        if (!placed) radio = nullptr;
      }
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = radio;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, placed));
    }
    case GUI_SHARED_SETUP_NOTIFY:
      notifyItemChange(record->object, MUIA_Radio_Active, MUIV_EveryTime, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return inHorizontalGroup(this) || infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiRadioChoice.shared(); unknown method id");
  }
}
