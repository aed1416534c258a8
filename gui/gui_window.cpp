#include "gui/gui_window.h"

#include <cstring>
#include <string>

#include "core/exception.h"
#include "core/strings/string.h"

namespace {

// "cGuiWindow.addBreak(); must be done inside a group" and its kin.
[[noreturn]] void refuseOutsideGroup(const char* operation) {
  ThrowF("EMU", "cGuiWindow.%s(); must be done inside a group", operation);
}

}  // namespace

void cGuiWindow::end_class() {
  currentGroup = groupAside = nullptr;
  listInProgress = nullptr;
  lastChangedItem = nullptr;
  try {
    End(rootGroup);
  } catch (...) {
    // Ending a window always completes.
  }
  cAppResource::end_class();
}

cGuiWindow* cGuiWindow::new_cGuiWindow(const char* title) {
  (void)title;
  rootGroup = currentGroup = groupAside = nullptr;
  listInProgress = nullptr;
  left = top = 0;
  positionSet = false;
  width = height = GUI_NO_SIZE;
  allowDropFiles = false;
  saveId = 0;
  closeRequest = false;
  lastChangedItem = nullptr;
  return this;
}

cGuiWindow* cGuiWindow::initSaveID(uint32_t id) {
  if (id == 0) Throw("EMU", "cGuiWindow.initSaveID(); \"id\" cannot be 0");
  saveId = id;
  return this;
}

// ---- the builder ----

void cGuiWindow::requireBuildGroup(const char* operation) {
  if (!currentGroup) refuseOutsideGroup(operation);
}

template <class Item, class Construct>
Item* cGuiWindow::adopt(const char* operation, Item* (cGuiWindow::*factory)(), Construct construct) {
  requireBuildGroup(operation);
  Item* item = (this->*factory)();
  if (!item) ThrowF("BUG", "cGuiWindow.%s(); the window made no item", operation);
  try {
    construct(item);
    currentGroup->add(item);
  } catch (...) {
    End(item);
    throw;
  }
  return item;
}

template <class Group, class Construct>
Group* cGuiWindow::beginMade(const char* operation, Group* (cGuiWindow::*factory)(), Construct construct) {
  Group* group = (this->*factory)();
  if (!group) ThrowF("BUG", "cGuiWindow.%s(); the window made no group", operation);
  try {
    construct(group);
    beginGroup(group);
  } catch (...) {
    End(group);
    throw;
  }
  return group;
}

void cGuiWindow::requireRoomForGroup() {
  // After the root group was closed, and while a list is described, there is
  // no group to open another one in.
  if (rootGroup && !currentGroup) Throw("EMU", "cGuiWindow.beginGroup(); a window can only have one root group");
}

cGuiGroupItem* cGuiWindow::beginGroup(cGuiGroupItem* group) {
  requireRoomForGroup();
  if (!group) Throw("EMU", "cGuiWindow.beginGroup(); group=NIL");
  if (!rootGroup) {
    // The root group has no parent; one that is in a group already would be
    // owned twice.
    if (group->internalParent()) Throw("EMU", "cGuiGroupItem.add(); item is already in a group");
    rootGroup = currentGroup = group;
    return group;
  }
  currentGroup->add(group);
  currentGroup = group;
  return group;
}

cGuiGroupHorizontal* cGuiWindow::beginGroupHorizontal(const char* title) {
  // Refused before anything is made, so a refusal leaves nothing behind.
  requireRoomForGroup();
  return beginMade("beginGroupHorizontal", &cGuiWindow::makeGroupHorizontal,
                   [&](cGuiGroupHorizontal* g) { g->new_cGuiGroupItem(title); });
}

cGuiGroupVertical* cGuiWindow::beginGroupVertical(const char* title) {
  requireRoomForGroup();
  return beginMade("beginGroupVertical", &cGuiWindow::makeGroupVertical,
                   [&](cGuiGroupVertical* g) { g->new_cGuiGroupItem(title); });
}

cGuiGroupGrid* cGuiWindow::beginGroupGrid(int32_t columns, const char* title) {
  requireRoomForGroup();
  // A grid without columns cannot be laid out.
  if (columns < 1) Throw("EMU", "cGuiWindow.beginGroupGrid(); columns<1");
  return beginMade("beginGroupGrid", &cGuiWindow::makeGroupGrid,
                   [&](cGuiGroupGrid* g) { g->new_cGuiGroupGrid(title, columns); });
}

cGuiGroupPage* cGuiWindow::beginGroupPage(const char* title) {
  requireRoomForGroup();
  return beginMade("beginGroupPage", &cGuiWindow::makeGroupPage,
                   [&](cGuiGroupPage* g) { g->new_cGuiGroupItem(title); });
}

cGuiGroupItem* cGuiWindow::endGroup() {
  if (listInProgress) Throw("EMU", "cGuiWindow.endGroup(); must close the list first");
  if (!currentGroup) Throw("EMU", "cGuiWindow.endGroup(); already closed all groups");
  currentGroup = currentGroup->internalParent();
  return currentGroup;
}

cGuiBreak* cGuiWindow::addBreak() {
  return adopt("addBreak", &cGuiWindow::makeBreak, [](cGuiBreak* i) { i->new_cGuiBreak(); });
}

cGuiBar* cGuiWindow::addBar(const char* title) {
  requireBuildGroup("addBar");
  if (title && currentGroup->IsOfClassType("cGuiGroupHorizontal"))
    Throw("EMU", "cGuiWindow.addBar(); a title does not make sense in a horizontal group (for a vertical bar)");
  return adopt("addBar", &cGuiWindow::makeBar, [&](cGuiBar* i) { i->new_cGuiBar(title); });
}

cGuiLabel* cGuiWindow::addLabel(const char* text) {
  return adopt("addLabel", &cGuiWindow::makeLabel, [&](cGuiLabel* i) { i->new_cGuiLabel(text); });
}

cGuiText* cGuiWindow::addText(const char* label) {
  return adopt("addText", &cGuiWindow::makeText, [&](cGuiText* i) { i->new_cGuiText(label); });
}

cGuiTextBox* cGuiWindow::addTextBox(const char* label) {
  return adopt("addTextBox", &cGuiWindow::makeTextBox, [&](cGuiTextBox* i) { i->new_cGuiTextBox(label); });
}

cGuiButton* cGuiWindow::addButton(const char* label) {
  return adopt("addButton", &cGuiWindow::makeButton, [&](cGuiButton* i) { i->new_cGuiButton(label); });
}

cGuiTick* cGuiWindow::addTick(const char* label) {
  return adopt("addTick", &cGuiWindow::makeTick, [&](cGuiTick* i) { i->new_cGuiTick(label); });
}

cGuiString* cGuiWindow::addString(const char* label) {
  return adopt("addString", &cGuiWindow::makeString, [&](cGuiString* i) { i->new_cGuiString(label); });
}

cGuiStringBox* cGuiWindow::addStringBox(const char* label) {
  return adopt("addStringBox", &cGuiWindow::makeStringBox, [&](cGuiStringBox* i) { i->new_cGuiStringBox(label); });
}

cGuiPathString* cGuiWindow::addPathString(const char* label) {
  return adopt("addPathString", &cGuiWindow::makePathString, [&](cGuiPathString* i) { i->new_cGuiPathString(label); });
}

cGuiNumberString* cGuiWindow::addNumberString(const char* label, int32_t min, int32_t max) {
  return adopt("addNumberString", &cGuiWindow::makeNumberString,
               [&](cGuiNumberString* i) { i->new_cGuiNumberString(label, min, max); });
}

cGuiSlider* cGuiWindow::addSlider(const char* label, int32_t min, int32_t max) {
  return adopt("addSlider", &cGuiWindow::makeSlider, [&](cGuiSlider* i) { i->new_cGuiSlider(label, min, max); });
}

cGuiCycleChoice* cGuiWindow::addCycleChoice(const char* label, const char* const* choices) {
  return adopt("addCycleChoice", &cGuiWindow::makeCycleChoice,
               [&](cGuiCycleChoice* i) { i->new_cGuiChoiceItem(label, choices); });
}

cGuiRadioChoice* cGuiWindow::addRadioChoice(const char* label, const char* const* choices) {
  return adopt("addRadioChoice", &cGuiWindow::makeRadioChoice,
               [&](cGuiRadioChoice* i) { i->new_cGuiChoiceItem(label, choices); });
}

cGuiNativeItem* cGuiWindow::addNative(cGuiNativeItem* item) {
  requireBuildGroup("addNative");
  currentGroup->add(item);
  return item;
}

cGuiNativeSimple* cGuiWindow::addNativeSimpleL(const intptr_t* values, int32_t count) {
  return adopt("addNativeSimpleL", &cGuiWindow::makeNativeSimple, [&](cGuiNativeSimple* i) { i->newL(values, count); });
}

// ---- lists ----

cGuiList* cGuiWindow::beginList(int32_t columns, const char* title) {
  if (!currentGroup) Throw("EMU", "cGuiList.beginList(); must be done inside a group");
  if (columns < 1) Throw("EMU", "cGuiList.beginList(); columns<1");
  cGuiList* list =
      adopt("beginList", &cGuiWindow::makeList, [&](cGuiList* l) { l->new_cGuiList(this, columns, title); });
  listInProgress = list;
  groupAside = currentGroup;
  currentGroup = nullptr;
  return list;
}

void cGuiWindow::addListEntry(const char* label, bool altColour, bool marked, int32_t data, class_base* dataBox) {
  if (!listInProgress) Throw("EMU", "cGuiWindow.addListEntry(); there is no list being defined");
  // NIL ends a producer's entries; here it is an empty entry.
  listInProgress->addEntry(StrClone(label), altColour, marked, data, dataBox, false);
}

cGuiGroupItem* cGuiWindow::endList() {
  if (!listInProgress) Throw("EMU", "cGuiWindow.endList(); there is no list being defined");
  currentGroup = groupAside;
  groupAside = nullptr;
  listInProgress = nullptr;
  return currentGroup;
}

// ---- fixed lists ----

cGuiFixedList* cGuiWindow::beginFixedList(int32_t columns, const char* title) {
  if (columns < 1) Throw("EMU", "cGuiFixedList.beginFixedList(); columns<1");
  requireRoomForGroup();
  // No platform class: the list is made of the window's groups, labels and ticks.
  auto* list = new cGuiFixedList;
  try {
    list->new_cGuiFixedList(this, columns, title);
    beginGroup(list);
  } catch (...) {
    End(list);
    throw;
  }
  return list;
}

cGuiFixedListEntry* cGuiWindow::addFixedListEntry(const char* label) {
  if (!currentGroup || std::strcmp(currentGroup->InfoClassType(), "cGuiFixedList") != 0)
    Throw("EMU", "cGuiWindow.addFixedListEntry(); must be done inside a list");
  return static_cast<cGuiFixedList*>(currentGroup)->internalAddEntry(this, label);
}

// ---- events and geometry ----

bool cGuiWindow::getCloseRequest(bool keep) {
  const bool requested = closeRequest;
  if (!keep) closeRequest = false;
  return requested;
}

int32_t cGuiWindow::getPosition(int32_t* topEdge) {
  if (!positionSet) Throw("EMU", "cGuiWindow.getPosition(); no position has been specified yet");
  if (topEdge) *topEdge = top;
  return left;
}

cGuiWindow* cGuiWindow::setPosition(int32_t leftEdge, int32_t topEdge) {
  left = leftEdge;
  top = topEdge;
  positionSet = true;
  return this;
}

int32_t cGuiWindow::infoWidth() {
  if (width < 0) Throw("EMU", "cGuiWindow.infoWidth(); no size has been specified yet");
  return width;
}

int32_t cGuiWindow::infoHeight() {
  if (height < 0) Throw("EMU", "cGuiWindow.infoHeight(); no size has been specified yet");
  return height;
}

cGuiWindow* cGuiWindow::changeSize(int32_t newWidth, int32_t newHeight) {
  width = newWidth;
  height = newHeight;
  return this;
}
