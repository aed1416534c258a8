#include "gui/mui/hosts/gui_text_box_host.h"

#include "core/exception.h"
#include "gui/mui/gui_host_conventions.h"

cGuiChildList* cGuiTextBoxHost::buildTextBox() {
  cGuiShared* record = sharedOf(this);
  Object* label = makeFieldLabel(infoLabel());
  Object* labelColumn = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 0, MUIA_Group_Child, label, MUIA_Group_Child,
                                      MUI_MakeObject(MUIO_VSpace, 0));
  Object* box = MUI_NewObject("Floattext.mui", MUIA_Frame, MUIV_Frame_Text, MUIA_Background, MUII_TextBack,
                              MUIA_Floattext_Text, getState(), infoFixedFont() ? MUIA_Font : TAG_IGNORE,
                              MUIV_Font_Fixed, infoUseLeastSpace() ? MUIA_Weight : TAG_IGNORE, 0);
  // A column that could not be made has disposed the label with it.
  record->labelObject = labelColumn ? label : nullptr;
  record->object = box;
  if (getPopupHint()) applyPopupHint(record, getPopupHint());
  return cGuiChildList::labelled(labelColumn, box);
}

intptr_t cGuiTextBoxHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  switch (id) {
    case GUI_SHARED_BUILD: return toIPTR(buildTextBox());
    case GUI_SHARED_SETUP_NOTIFY: return 0;
    case GUI_SHARED_FIXED_WIDTH:
    case GUI_SHARED_FIXED_HEIGHT: return infoUseLeastSpace();
    case GUI_SHARED_IN_CYCLE_CHAIN: return 0;
    default: Throw("BUG", "cGuiTextBox.shared(); unknown method id");
  }
}

cGuiTextBoxHost* cGuiTextBoxHost::setState_cGuiTextBoxHost(const char* text) {
  cGuiTextBox::setState(text);
  cGuiShared* record = sharedOf(this);
  if (record && record->object) SetAttrs(record->object, MUIA_Floattext_Text, getState());
  return this;
}

cGuiTextBoxHost* cGuiTextBoxHost::setPopupHint_cGuiTextBoxHost(const char* text) {
  keepAndApplyPopupHint(this, text);
  return this;
}
