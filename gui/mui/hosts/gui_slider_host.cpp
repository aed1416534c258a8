#include "gui/mui/hosts/gui_slider_host.h"

#include "core/exception.h"

intptr_t cGuiSliderHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* slider =
          MUI_NewObject("Slider.mui", MUIA_Numeric_Min, infoMin(), MUIA_Numeric_Max, infoMax(), MUIA_Numeric_Value,
                        cGuiNumberItem::getState(), infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
      Object* placed = withUnit(slider, infoUnit());
      if (!placed) slider = nullptr;
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = slider;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, placed));
    }
    case GUI_SHARED_SETUP_NOTIFY:
      notifyItemChange(record->object, MUIA_Numeric_Value, MUIV_EveryTime, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiSlider.shared(); unknown method id");
  }
}
