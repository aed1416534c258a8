#include "gui/groups/gui_group_item.h"

#include <exception>

#include "core/exception.h"
#include "gui/items/gui_input_item.h"

void cGuiGroupItem::end_class() {
  // Every child is ended even when one of them fails; the first error passes on.
  std::exception_ptr failure;
  cGuiItem* child = firstChild;
  firstChild = lastChild = nullptr;
  childCount = 0;
  while (child) {
    cGuiItem* after = child->nextInGroup;
    try {
      End(child);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    child = after;
  }
  cGuiItem::end_class();
  if (failure) std::rethrow_exception(failure);
}

cGuiGroupItem* cGuiGroupItem::new_cGuiGroupItem(const char* groupTitle) {
  hasBorder = groupTitle != nullptr;
  title = groupTitle && *groupTitle ? groupTitle : nullptr;
  scrollable = equalSizedItems = false;
  initShared();
  return this;
}

cGuiItem* cGuiGroupItem::add(cGuiItem* item) {
  if (!item) Throw("EMU", "cGuiGroupItem.add(); item=NIL");
  // A second parent would link the item into two sibling chains and end it twice.
  if (item->internalParent()) Throw("EMU", "cGuiGroupItem.add(); item is already in a group");
  for (cGuiItem* g = this; g; g = g->internalParent()) {
    if (g == item) Throw("EMU", "cGuiGroupItem.add(); a group cannot contain itself");
  }
  item->internalInitParent(this);
  item->nextInGroup = nullptr;
  if (lastChild) lastChild->nextInGroup = item; else firstChild = item;
  lastChild = item;
  ++childCount;
  return item;
}

cGuiGroupItem* cGuiGroupItem::setGhosted(bool flag) {
  for (cGuiItem* child = firstChild; child; child = child->nextInGroup) {
    if (child->IsOfClassType("cGuiInputItem")) {
      static_cast<cGuiInputItem*>(child)->setGhosted(flag);
    } else if (child->IsOfClassType("cGuiGroupItem")) {
      static_cast<cGuiGroupItem*>(child)->setGhosted(flag);
    }
  }
  return this;
}
