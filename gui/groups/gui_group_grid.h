// cGuiGroupGrid: a group whose children fill rows of a fixed number of columns.
#pragma once
#include <cstdint>

#include "gui/groups/gui_group_item.h"

class cGuiGroupGrid : public cGuiGroupItem {
  LUDEX_CLASS(cGuiGroupGrid, cGuiGroupItem)
  LUDEX_GUI_TYPED_GROUP(cGuiGroupGrid)
 public:
  // The group of cGuiGroupItem, then the number of columns. The constructor
  // checks nothing: the window refuses fewer than one column before it gets
  // here, and the build refuses a grid left without columns.
  virtual cGuiGroupGrid* new_cGuiGroupGrid(const char* title, int32_t columnCount) {
    cGuiGroupItem::new_cGuiGroupItem(title);
    columns = columnCount;
    return this;
  }
  // Made as a plain group, a grid has no columns.
  cGuiGroupGrid* new_cGuiGroupItem(const char* title) override { return new_cGuiGroupGrid(title, 0); }
  // The number of columns.
  virtual int32_t infoWidth() { return columns; }

 private:
  int32_t columns = 0;
};
