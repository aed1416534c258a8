#include "gui/mui/item_node.h"

void itemNode_cgui::end_class() {
  End(list);
  itemNode_cgui* rest = next;
  next = nullptr;
  while (rest) {
    itemNode_cgui* after = rest->next;
    rest->next = nullptr;
    try {
      End(rest);
    } catch (...) {
      // Ending the chain always completes.
    }
    rest = after;
  }
  class_base::end_class();
}

itemNode_cgui* appendItemNode(itemNode_cgui* node, itemNode_cgui* head, itemNode_cgui** tail) {
  if (*tail) (*tail)->next = node; else head = node;
  *tail = node;
  return head;
}
