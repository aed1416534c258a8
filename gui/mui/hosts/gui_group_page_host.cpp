#include "gui/mui/hosts/gui_group_page_host.h"

#include "core/exception.h"

void cGuiGroupPageHost::end_class() {
  forgetPages();
  cGuiGroupPage::end_class();
}

cGuiItem* cGuiGroupPageHost::add(cGuiItem* item) {
  // The built page group shows the pages it was built with: a page added
  // now would have no object, nor a place in the page table.
  if (pageTableMade) Throw("EMU", "cGuiGroupPage.add(); the window has been built");
  if (item && !item->IsOfClassType("cGuiGroupItem")) {
    auto* wrapper = new cGuiGroupHorizontalHost;
    wrapper->new_cGuiGroupItem(nullptr);
    try {
      wrapper->add(item);
    } catch (...) {
      End(wrapper);
      throw;
    }
    return cGuiGroupPage::add(wrapper);
  }
  return cGuiGroupPage::add(item);
}

void cGuiGroupPageHost::groupBuilt(cGuiShared* record) {
  pageObject = record->object;
  if (pageObject && infoScrollable()) {
    IPTR contents = 0;
    GetAttr(MUIA_Scrollgroup_Contents, record->object, &contents);
    pageObject = reinterpret_cast<Object*>(contents);
  }
  pageTable.clear();
  for (cGuiItem* child = infoFirstItem(); child; child = child->internalInfoNextInGroup()) pageTable.push_back(child);
  pageTableMade = true;
  // A group without pages has no page to show; the stored 0 is no page number.
  if (infoSize() > 0) setState(getState());
}

cGuiGroupPageHost* cGuiGroupPageHost::setState_cGuiGroupPageHost(int32_t n) {
  cGuiGroupPage::setState(n);
  cGuiShared* record = sharedOf(this);
  if (record && record->object) SetAttrs(pageObject, MUIA_Group_ActivePage, n);
  return this;
}

cGuiGroupPageHost* cGuiGroupPageHost::setStateItem_cGuiGroupPageHost(cGuiItem* item) {
  return setState(infoPageNumOfPageItem(item));
}

void cGuiGroupPageHost::requireBuilt(const char* operation) {
  if (!pageTableMade) ThrowF("EMU", "cGuiGroupPage.%s(); the window has not been built", operation);
}

cGuiItem* cGuiGroupPageHost::getStateItem() {
  requireBuilt("getStateItem");
  if (pageTable.empty()) return nullptr;
  return pageTable[static_cast<size_t>(getState())];
}

cGuiItem* cGuiGroupPageHost::infoPageItemOfPageNum(int32_t n) {
  requireBuilt("infoPageItemOfPageNum");
  if (n < 0 || n >= static_cast<int32_t>(pageTable.size()))
    Throw("EMU", "cGuiGroupPage.infoPageItemOfPageNum(); the page number is outside the valid range");
  return pageTable[static_cast<size_t>(n)];
}

int32_t cGuiGroupPageHost::infoPageNumOfPageItem(cGuiItem* item) {
  requireBuilt("infoPageNumOfPageItem");
  // A plain item stands for the wrapper that add made around it.
  if (item && !item->IsOfClassType("cGuiGroupItem")) item = item->internalParent();
  if (!item || item->internalParent() != this)
    Throw("EMU", "cGuiGroupPage.infoPageNumOfPageItem(); the given item is not a page of the group");
  for (size_t i = 0; i < pageTable.size(); ++i)
    if (pageTable[i] == item) return static_cast<int32_t>(i);
  Throw("BUG", "cGuiGroupPage.infoPageNumOfPageItem(); failed to find matching page item");
}
