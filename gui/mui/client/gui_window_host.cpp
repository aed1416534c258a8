#include "gui/mui/client/gui_window_host.h"

#include <vector>

#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/items/gui_container_item.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/gui_shared.h"
#include "gui/mui/hosts/gui_bar_host.h"
#include "gui/mui/hosts/gui_break_host.h"
#include "gui/mui/hosts/gui_button_host.h"
#include "gui/mui/hosts/gui_cycle_choice_host.h"
#include "gui/mui/hosts/gui_group_host.h"
#include "gui/mui/hosts/gui_group_page_host.h"
#include "gui/mui/hosts/gui_label_host.h"
#include "gui/mui/hosts/gui_native_simple_host.h"
#include "gui/mui/hosts/gui_number_string_host.h"
#include "gui/mui/hosts/gui_path_string_host.h"
#include "gui/mui/hosts/gui_radio_choice_host.h"
#include "gui/mui/hosts/gui_slider_host.h"
#include "gui/mui/hosts/gui_string_box_host.h"
#include "gui/mui/hosts/gui_string_host.h"
#include "gui/mui/hosts/gui_text_box_host.h"
#include "gui/mui/hosts/gui_text_host.h"
#include "gui/mui/hosts/gui_tick_host.h"
#include "gui/mui/lists/gui_list_host.h"

namespace {

// Every item of the tree under item, groups before their children. An item
// made of other items holds them in its inner group (a fixed list hands out
// only its rows as its own items).
template <class Visit>
void forEachItem(cGuiItem* item, Visit visit) {
  if (!item) return;
  visit(item);
  if (!item->IsOfClassType("cGuiGroupItem")) return;
  cGuiGroupItem* group = item->IsOfClassType("cGuiContainerItem") ? static_cast<cGuiContainerItem*>(item)->infoInner()
                                                                  : static_cast<cGuiGroupItem*>(item);
  for (cGuiItem* c = group->infoFirstItem(); c; c = c->internalInfoNextInGroup()) forEachItem(c, visit);
}

}  // namespace

void cGuiWindowHost::end_class() {
  if (windowObject) {
    try {
      if (isOpen) close();
    } catch (...) {
      // Ending always completes.
    }
  }
  // No event outlives its window, built or not: the commodities kill queues
  // one for every window, also for one still being described.
  if (guiAppClient) guiAppClient->windowEnds(this);
  if (windowObject) MUI_DisposeObject(windowObject);
  windowObject = rootObject = nullptr;
  // The items end after their objects: none may reach a disposed one.
  forgetBuiltObjects();
  lastActiveObject = nullptr;
  DisposeString(droppedPath);
  DisposeString(previousDroppedPath);
  droppedPath = previousDroppedPath = nullptr;
  End(objectItems);
  cGuiWindow::end_class();
}

cGuiWindowHost* cGuiWindowHost::new_cGuiWindow(const char* windowTitle) {
  cGuiWindow::new_cGuiWindow(windowTitle);
  title = windowTitle;
  windowObject = rootObject = nullptr;
  isOpen = busy = built = false;
  droppedPath = previousDroppedPath = nullptr;
  lastActiveObject = nullptr;
  objectItems = new cNumberSpace;
  objectItems->new_cNumberSpace(false);
  return this;
}

void cGuiWindowHost::forgetBuiltObjects() {
  forEachItem(infoRootGroup(), [](cGuiItem* item) {
    if (cGuiShared* record = sharedOf(item)) record->forgetObjects();
    if (item->IsOfClassType("cGuiGroupPageHost")) static_cast<cGuiGroupPageHost*>(item)->forgetPages();
    if (item->IsOfClassType("cGuiNativeSimpleHost")) static_cast<cGuiNativeSimpleHost*>(item)->forgetObjects();
  });
}

Object* cGuiWindowHost::newWindowObject() {
  TagItem tags[16];
  int n = 0;
  tags[n++] = {MUIA_Window_Title, toIPTR(title)};
  tags[n++] = {MUIA_Window_ScreenTitle, toIPTR(appHost ? appHost->infoTitle() : nullptr)};
  if (guiAppClient && guiAppClient->infoScreen()) tags[n++] = {MUIA_Window_Screen, toIPTR(guiAppClient->infoScreen())};
  int32_t left = 0, top = 0;
  if (infoWishedPosition(&left, &top)) {
    tags[n++] = {MUIA_Window_LeftEdge, left};
    tags[n++] = {MUIA_Window_TopEdge, top};
  }
  if (infoWishedWidth() >= 0) tags[n++] = {MUIA_Window_Width, infoWishedWidth()};
  if (infoWishedHeight() >= 0) tags[n++] = {MUIA_Window_Height, infoWishedHeight()};
  if (infoSaveID()) tags[n++] = {MUIA_Window_ID, static_cast<IPTR>(infoSaveID())};
  tags[n++] = {MUIA_Window_AppWindow, infoAllowDropFiles() ? 1 : 0};
  tags[n++] = {MUIA_Window_Sleep, busy ? 1 : 0};
  tags[n++] = {MUIA_Window_RootObject, toIPTR(rootObject)};
  tags[n++] = {TAG_DONE, 0};
  return MUI_NewObjectA("Window.mui", tags);
}

void cGuiWindowHost::build(bool noOpen) {
  if (infoCurrentBuildGroup()) Throw("EMU", "cGuiWindow.build(); an endGroup() call is missing");
  cGuiGroupItem* root = infoRootGroup();
  if (!root) Throw("EMU", "cGuiWindow.build(); the window has no root group");
  // A second build would make a second tree and leave the first unowned.
  if (built) Throw("EMU", "cGuiWindow.build(); the window has already been built");
  cGuiShared* record = sharedOf(root);
  try {
    cGuiChildList* list = record->build(nullptr, this, false, false, nullptr);
    End(list);
  } catch (...) {
    forgetBuiltObjects();
    throw;
  }
  rootObject = record->object;
  // Without a root object, MUI makes no window either; a window it cannot
  // make takes its root object with it.
  windowObject = rootObject ? newWindowObject() : nullptr;
  if (!windowObject) {
    rootObject = nullptr;
    forgetBuiltObjects();
    Throw("ERR", "cGuiWindow.build(); failed to create GUI");
  }
  built = true;
  isOpen = false;
  setupWindow();
  if (!noOpen) open();
}

void cGuiWindowHost::setupWindow() {
  if (static_cast<cGuiGroupItem*>(infoRootGroup())->infoScrollable())
    SetAttrs(windowObject, MUIA_Window_UseRightBorderScroller, 1, MUIA_Window_UseBottomBorderScroller, 1);
  Hook* hook = guiAppClient ? guiAppClient->infoWindowHook() : nullptr;
  const IPTR call[] = {MUIM_CallHook, toIPTR(hook), toIPTR(this)};
  const IPTR closeArgs[] = {MUIA_Window_CloseRequest, MUIV_TriggerValue};
  muim_Notify(windowObject, MUIA_Window_CloseRequest, 1, windowObject, call, 3, closeArgs, 2);
  if (infoAllowDropFiles()) {
    const IPTR dropArgs[] = {MUIA_AppMessage, MUIV_TriggerValue};
    muim_Notify(windowObject, MUIA_AppMessage, MUIV_EveryTime, windowObject, call, 3, dropArgs, 2);
  }
  const IPTR activeArgs[] = {MUIA_Window_ActiveObject, MUIV_TriggerValue};
  muim_Notify(windowObject, MUIA_Window_ActiveObject, MUIV_EveryTime, windowObject, call, 3, activeArgs, 2);

  cGuiItem* first = infoRootGroup()->internalGetSeqItem();
  int32_t count = 0;
  for (cGuiItem* item = first; item; item = item->internalGetSeqItem()) {
    if (item->IsOfClassType("cGuiGroupItem")) continue;
    cGuiShared* itemRecord = sharedOf(item);
    if (!itemRecord) continue;
    itemRecord->setupNotify();
    if (itemRecord->infoUseInCycleChain() && itemRecord->object) ++count;
  }
  std::vector<IPTR> chain = {MUIM_Window_SetCycleChain};
  for (cGuiItem* item = first; item; item = item->internalGetSeqItem()) {
    cGuiShared* itemRecord = item->IsOfClassType("cGuiGroupItem") ? nullptr : sharedOf(item);
    if (itemRecord && itemRecord->infoUseInCycleChain() && itemRecord->object) chain.push_back(toIPTR(itemRecord->object));
  }
  if (static_cast<int32_t>(chain.size()) - 1 != count) Throw("BUG", "cGuiWindow.build(); objectCount was wrong");
  chain.push_back(0);
  DoMethodA(windowObject, chain.data());

  for (cGuiItem* item = first; item; item = item->internalGetSeqItem())
    if (item->IsOfClassType("cGuiStringItem")) {
      if (cGuiShared* itemRecord = sharedOf(item)) SetAttrs(windowObject, MUIA_Window_ActiveObject, itemRecord->object);
      break;
    }
}

void cGuiWindowHost::mapObjectToItem(Object* object, cGuiItem* item) {
  objectItems->set_cNumberSpace(reinterpret_cast<intptr_t>(object), reinterpret_cast<intptr_t>(item), false, nullptr);
}

cGuiItem* cGuiWindowHost::infoItemOfObject(Object* object) {
  return reinterpret_cast<cGuiItem*>(objectItems->get_cNumberSpace(reinterpret_cast<intptr_t>(object)));
}

cGuiNativeSimple* cGuiWindowHost::addNativeSimple(Object* object, Tag stateAttribute, IPTR triggerValue,
                                                  Object* labelObject, bool fixedWidth, bool fixedHeight,
                                                  bool useInCycleChain) {
  cGuiGroupItem* group = infoCurrentBuildGroup();
  if (!group) Throw("EMU", "cGuiWindow.addNativeSimple(); must be done inside a group");
  auto* item = new cGuiNativeSimpleHost;
  try {
    item->new_cGuiNativeSimpleHost(object, stateAttribute, triggerValue, labelObject, fixedWidth, fixedHeight,
                                   useInCycleChain);
    group->add(item);
  } catch (...) {
    End(item);
    throw;
  }
  return item;
}

cGuiGroupHorizontal* cGuiWindowHost::makeGroupHorizontal() { return new cGuiGroupHorizontalHost; }
cGuiGroupVertical* cGuiWindowHost::makeGroupVertical() { return new cGuiGroupVerticalHost; }
cGuiGroupGrid* cGuiWindowHost::makeGroupGrid() { return new cGuiGroupGridHost; }
cGuiGroupPage* cGuiWindowHost::makeGroupPage() { return new cGuiGroupPageHost; }
cGuiBreak* cGuiWindowHost::makeBreak() { return new cGuiBreakHost; }
cGuiBar* cGuiWindowHost::makeBar() { return new cGuiBarHost; }
cGuiLabel* cGuiWindowHost::makeLabel() { return new cGuiLabelHost; }
cGuiText* cGuiWindowHost::makeText() { return new cGuiTextHost; }
cGuiTextBox* cGuiWindowHost::makeTextBox() { return new cGuiTextBoxHost; }
cGuiNativeSimple* cGuiWindowHost::makeNativeSimple() { return new cGuiNativeSimpleHost; }
cGuiButton* cGuiWindowHost::makeButton() { return new cGuiButtonHost; }
cGuiTick* cGuiWindowHost::makeTick() { return new cGuiTickHost; }
cGuiString* cGuiWindowHost::makeString() { return new cGuiStringHost; }
cGuiStringBox* cGuiWindowHost::makeStringBox() { return new cGuiStringBoxHost; }
cGuiPathString* cGuiWindowHost::makePathString() { return new cGuiPathStringHost; }
cGuiNumberString* cGuiWindowHost::makeNumberString() { return new cGuiNumberStringHost; }
cGuiSlider* cGuiWindowHost::makeSlider() { return new cGuiSliderHost; }
cGuiCycleChoice* cGuiWindowHost::makeCycleChoice() { return new cGuiCycleChoiceHost; }
cGuiRadioChoice* cGuiWindowHost::makeRadioChoice() { return new cGuiRadioChoiceHost; }
cGuiList* cGuiWindowHost::makeList() { return new cGuiListHost; }
