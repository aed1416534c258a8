#include "gui/mui/gui_host_conventions.h"

#include <cstring>
#include <vector>

#include "gui/gui_group_item.h"
#include "gui/mui/gui_action_hook.h"

bool internalSafeParent_IsSameClassTypeAs(cGuiItem* item, const char* className) {
  cGuiGroupItem* parent = item->internalParent();
  return parent && std::strcmp(parent->InfoClassType(), className) == 0;
}

bool internalSafeParent_IsOfClassType(cGuiItem* item, const char* className) {
  cGuiGroupItem* parent = item->internalParent();
  return parent && parent->IsOfClassType(className);
}

Object* makeFieldLabel(const char* text) { return MUI_MakeObject(MUIO_Label, text, MUIO_Label_DoubleFrame); }

void applyPopupHint(cGuiShared* record, const char* hint) {
  if (!record) return;
  if (record->labelObject) SetAttrs(record->labelObject, MUIA_ShortHelp, hint);
  if (record->object) SetAttrs(record->object, MUIA_ShortHelp, hint);
}

void keepAndApplyPopupHint(cGuiOutputItem* item, const char* hint) {
  if (hint != item->getPopupHint()) item->cGuiOutputItem::setPopupHint(hint);
  applyPopupHint(sharedOf(item), item->getPopupHint());
}

IPTR muim_Notify(Object* object, Tag attribute, IPTR value, Object* destination, const IPTR* actions1,
                 int32_t count1, const IPTR* actions2, int32_t count2) {
  if (!actions1) count1 = 0;
  if (!actions2) count2 = 0;
  std::vector<IPTR> message = {MUIM_Notify, attribute, value, toIPTR(destination), count1 + count2};
  message.insert(message.end(), actions1, actions1 + count1);
  message.insert(message.end(), actions2, actions2 + count2);
  return DoMethodA(object, message.data());
}

IPTR notifyItemChange(Object* object, Tag attribute, IPTR value, cGuiItem* item, cGuiShared* record) {
  const IPTR call[] = {MUIM_CallHook, toIPTR(infoGuiActionHook())};
  const IPTR target[] = {toIPTR(item), toIPTR(record->window)};
  return muim_Notify(object, attribute, value, object, call, 2, target, 2);
}
