// cGuiGroupItem: a container of items, and its horizontal and vertical
// leaves. A group owns its children and ends them, first to last.
#pragma once
#include <cstdint>

#include "gui/items/gui_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiGroupItem : public cGuiItem {
  LUDEX_CLASS(cGuiGroupItem, cGuiItem)
 public:
  void end_class() override;

  // A NIL title: no border and no title; "": a border without title; else a
  // border with the title. The title is the caller's string, kept as it is.
  virtual cGuiGroupItem* new_cGuiGroupItem(const char* title);
  // Makes item the last child and returns it. Refuses (EMU) NIL, an item that
  // is already in a group, and the group itself or one that contains it.
  virtual cGuiItem* add(cGuiItem* item);
  // The contents scroll inside the group.
  virtual cGuiGroupItem* initScrollable() {
    scrollable = true;
    return this;
  }
  // All children get the same size.
  virtual cGuiGroupItem* initEqualSizedItems() {
    equalSizedItems = true;
    return this;
  }
  virtual bool infoHasBorder() { return hasBorder; }
  virtual const char* infoTitle() { return title; }
  virtual int32_t infoSize() { return childCount; }
  virtual cGuiItem* infoFirstItem() { return firstChild; }
  virtual cGuiItem* infoLastItem() { return lastChild; }
  virtual bool infoScrollable() { return scrollable; }
  virtual bool infoEqualSizedItems() { return equalSizedItems; }
  // Ghosts or unghosts the input items among the children and, through the
  // child groups, at any depth; other items are left alone. The group keeps
  // no flag of its own.
  virtual cGuiGroupItem* setGhosted(bool flag);

 private:
  bool hasBorder = false;
  const char* title = nullptr;  // the caller's
  bool scrollable = false;
  bool equalSizedItems = false;
  cGuiItem* firstChild = nullptr;
  cGuiItem* lastChild = nullptr;
  int32_t childCount = 0;
};

class cGuiGroupHorizontal : public cGuiGroupItem {
  LUDEX_CLASS(cGuiGroupHorizontal, cGuiGroupItem)
  LUDEX_GUI_TYPED_GROUP(cGuiGroupHorizontal)
};

class cGuiGroupVertical : public cGuiGroupItem {
  LUDEX_CLASS(cGuiGroupVertical, cGuiGroupItem)
  LUDEX_GUI_TYPED_GROUP(cGuiGroupVertical)
};
