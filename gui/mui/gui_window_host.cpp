#include "gui/mui/gui_window_host.h"

#include "core/exception.h"
#include "gui/mui/gui_bar_host.h"
#include "gui/mui/gui_break_host.h"
#include "gui/mui/gui_group_host.h"
#include "gui/mui/gui_group_page_host.h"
#include "gui/mui/gui_label_host.h"
#include "gui/mui/gui_native_simple_host.h"
#include "gui/mui/gui_shared.h"
#include "gui/mui/gui_text_box_host.h"
#include "gui/mui/gui_text_host.h"

namespace {

// Every item of the tree under item, groups before their children.
template <class Visit>
void forEachItem(cGuiItem* item, Visit visit) {
  if (!item) return;
  visit(item);
  if (item->IsOfClassType("cGuiGroupItem"))
    for (cGuiItem* c = static_cast<cGuiGroupItem*>(item)->infoFirstItem(); c; c = c->internalInfoNextInGroup())
      forEachItem(c, visit);
}

}  // namespace

void cGuiWindowHost::end_class() {
  MUI_DisposeObject(rootObject);
  rootObject = nullptr;
  End(objectItems);
  cGuiWindow::end_class();
}

cGuiWindowHost* cGuiWindowHost::new_cGuiWindow(const char* windowTitle) {
  cGuiWindow::new_cGuiWindow(windowTitle);
  title = windowTitle;
  rootObject = nullptr;
  built = false;
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

void cGuiWindowHost::build(bool noOpen) {
  (void)noOpen;  // opening the window is the MUI window's
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
  if (!record->object) {
    forgetBuiltObjects();
    Throw("ERR", "cGuiWindow.build(); failed to create GUI");
  }
  rootObject = record->object;
  built = true;
  for (cGuiItem* item = root->internalGetSeqItem(); item; item = item->internalGetSeqItem()) {
    if (item->IsOfClassType("cGuiGroupItem")) continue;
    if (cGuiShared* itemRecord = sharedOf(item)) itemRecord->setupNotify();
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
