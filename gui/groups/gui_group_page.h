// cGuiGroupPage: a group that shows one child at a time; child n (from 0) is
// page n.
#pragma once
#include <cstdint>

#include "gui/groups/gui_group_item.h"

class cGuiGroupPage : public cGuiGroupItem {
  LUDEX_CLASS(cGuiGroupPage, cGuiGroupItem)
  LUDEX_GUI_TYPED_GROUP(cGuiGroupPage)
 public:
  // The group of cGuiGroupItem showing page 0, also when it has no pages yet.
  cGuiGroupPage* new_cGuiGroupItem(const char* title) override {
    cGuiGroupItem::new_cGuiGroupItem(title);
    page = 0;
    return this;
  }
  // The shown page number.
  virtual int32_t getState() { return page; }
  // Shows page n, 0 to infoSize() - 1 (EMU otherwise, the page unchanged).
  virtual cGuiGroupPage* setState(int32_t n);
  // infoSize() - 1: -1 without pages.
  virtual int32_t infoMaxPageNum() { return infoSize() - 1; }

  // Supplied by the host once the native page group exists; here they know
  // no pages: NIL, the group itself, -1 and NIL.
  virtual cGuiItem* getStateItem() { return nullptr; }
  virtual cGuiGroupPage* setStateItem(cGuiItem* item) {
    (void)item;
    return this;
  }
  virtual int32_t infoPageNumOfPageItem(cGuiItem* item) {
    (void)item;
    return -1;
  }
  virtual cGuiItem* infoPageItemOfPageNum(int32_t n) {
    (void)n;
    return nullptr;
  }

 private:
  int32_t page = 0;
};
