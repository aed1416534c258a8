#include "gui/mui/hosts/gui_string_host.h"

#include "core/exception.h"
#include "gui/mui/hosts/mui_set_string.h"

Object* makeStringField(const char* contents, int32_t maxChars) {
  const IPTR room = maxChars >= static_cast<int32_t>(GUI_STRING_MAXLEN) ? static_cast<IPTR>(maxChars) + 1
                                                                         : GUI_STRING_MAXLEN;
  return MUI_NewObject("String.mui", MUIA_Frame, MUIV_Frame_String, MUIA_String_MaxLen, room, MUIA_String_Contents,
                       contents);
}

intptr_t cGuiStringHost::shared_cGuiItem(int32_t id, const intptr_t* params, int32_t paramCount) {
  (void)params, (void)paramCount;
  cGuiShared* record = sharedOf(this);
  switch (id) {
    case GUI_SHARED_BUILD: {
      Object* field = makeStringField(cGuiStringItem::getState(), infoMaxChars());
      record->labelObject = makeFieldLabel(infoLabel());
      record->object = field;
      applyHintAndGhosting(this);
      return toIPTR(cGuiChildList::labelled(record->labelObject, field));
    }
    case GUI_SHARED_SETUP_NOTIFY:
      notifyFieldChange(MUIA_String_Acknowledge, MUIV_EveryTime, this, record);
      return toIPTR(this);
    case GUI_SHARED_FIXED_WIDTH: return infoUseLeastSpace();
    case GUI_SHARED_FIXED_HEIGHT: return 1;
    case GUI_SHARED_IN_CYCLE_CHAIN: return 1;
    default: Throw("BUG", "cGuiString.shared(); unknown method id");
  }
}

const char* cGuiStringHost::getState() {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) return cGuiStringItem::getState();
  return reinterpret_cast<const char*>(muiGet(record->object, MUIA_String_Contents));
}

cGuiStringHost* cGuiStringHost::setState_cGuiStringHost(const char* text) {
  cGuiShared* record = sharedOf(this);
  if (!record || !record->object) {
    cGuiStringItem::setState(text);
    return this;
  }
  muiSetString(record->object, text);
  disposeState();
  return this;
}
