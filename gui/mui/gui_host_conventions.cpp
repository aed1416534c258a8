#include "gui/mui/gui_host_conventions.h"

#include <cstring>
#include <vector>

#include "gui/groups/gui_group_item.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/client/gui_window_host.h"

bool internalSafeParent_IsSameClassTypeAs(cGuiItem* item, const char* className) {
  cGuiGroupItem* parent = item->internalParent();
  return parent && std::strcmp(parent->InfoClassType(), className) == 0;
}

bool internalSafeParent_IsOfClassType(cGuiItem* item, const char* className) {
  cGuiGroupItem* parent = item->internalParent();
  return parent && parent->IsOfClassType(className);
}

IPTR muiGet(Object* object, Tag attribute) {
  IPTR value = 0;
  GetAttr(attribute, object, &value);
  return value;
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

void keepAndApplyGhosted(cGuiInputItem* item, bool flag) {
  item->cGuiInputItem::setGhosted(flag);
  cGuiShared* record = sharedOf(item);
  if (record && record->object) SetAttrs(record->object, MUIA_Disabled, flag ? 1 : 0);
}

void applyHintAndGhosting(cGuiInputItem* item) {
  cGuiShared* record = sharedOf(item);
  if (item->getPopupHint()) applyPopupHint(record, item->getPopupHint());
  if (item->getGhosted()) keepAndApplyGhosted(item, true);
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

int32_t numberHostState(cGuiNumberItem* item, Tag attribute) {
  cGuiShared* record = sharedOf(item);
  if (!record || !record->object) return item->cGuiNumberItem::getState();
  return static_cast<int32_t>(muiGet(record->object, attribute));
}

void setNumberHostState(cGuiNumberItem* item, Tag attribute, int32_t n) {
  item->cGuiNumberItem::setState(n);
  cGuiShared* record = sharedOf(item);
  if (record && record->object) SetAttrs(record->object, attribute, n);
}

Object* withUnit(Object* field, const char* unit) {
  if (!unit) return field;
  return MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, field, MUIA_Group_Child,
                       MUI_MakeObject(MUIO_Label, unit, MUIO_Label_DoubleFrame));
}

void notifyFieldChange(Tag attribute, IPTR value, cGuiItem* item, cGuiShared* record) {
  notifyItemChange(record->object, attribute, value, item, record);
  if (record->window) record->window->mapObjectToItem(record->object, item);
}
