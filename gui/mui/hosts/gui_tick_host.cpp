#include "gui/mui/hosts/gui_tick_host.h"

#include "core/exception.h"
#include "gui/mui/gui_host_conventions.h"

cGuiChildList* cGuiTickHost::buildTick() {
  cGuiShared* record = sharedOf(this);
  Object* check = MUI_NewObject("Image.mui", MUIA_Frame, MUIV_Frame_ImageButton, MUIA_InputMode,
                                MUIV_InputMode_Toggle, MUIA_Image_Spec, MUII_CheckMark, MUIA_Image_FreeVert, 1,
                                MUIA_Selected, cGuiTick::getState() ? 1 : 0, MUIA_Background, MUII_ButtonBack,
                                MUIA_ShowSelState, 0);
  Object* placed = check;
  if (!inHorizontalGroup(this) && !infoUseLeastSpace()) {
    // A space after the check mark keeps it at the left.
    placed = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, check, MUIA_Group_Child,
                           MUI_MakeObject(MUIO_HSpace, 0));
    if (!placed) check = nullptr;
  }
  record->object = check;
  const char* label = infoLabel();
  cGuiChildList* list = nullptr;
  // In a column of labelled items an empty label still takes its place.
  if ((!label || !*label) && !inVerticalGroup(this)) {
    list = cGuiChildList::of(placed);
  } else {
    record->labelObject = makeFieldLabel(label);
    list = cGuiChildList::labelled(record->labelObject, placed);
  }
  applyHintAndGhosting(this);
  return list;
}

intptr_t cGuiTickHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildTick());
    case GUI_SHARED_SETUP_NOTIFY: {
      cGuiShared* record = sharedOf(this);
      notifyItemChange(record->object, MUIA_Selected, MUIV_EveryTime, this, record);
      return toIPTR(this);
    }
    case GUI_SHARED_FIXED_WIDTH: return inHorizontalGroup(this) || infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiTick.shared(); unknown method id");
  }
}

bool cGuiTickHost::getState() {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) return cGuiTick::getState();
  return muiGet(record->object, MUIA_Selected) == 1;
}

cGuiTickHost* cGuiTickHost::setState_cGuiTickHost(bool flag) {
  cGuiShared* record = sharedOf(this);
  if (record && record->object)
    SetAttrs(record->object, MUIA_Selected, flag ? 1 : 0);
  else
    cGuiTick::setState(flag);
  return this;
}
