// itemNode_cgui: a node of the chain of child lists that a group collects
// while it is built. A node owns its list; ending the head ends the chain.
#pragma once

#include "core/class_base.h"
#include "gui/mui/gui_child_list.h"

class itemNode_cgui : public class_base {
  LUDEX_CLASS(itemNode_cgui, class_base)
 public:
  virtual itemNode_cgui* new_itemNode4(cGuiChildList* childList) {
    list = childList;
    next = nullptr;
    return this;
  }
  // Disposes the list, then ends the nodes after this one, one by one (not
  // by recursion, so a long chain needs no deep stack).
  void end_class() override;

  cGuiChildList* list = nullptr;  // owned
  itemNode_cgui* next = nullptr;
};

// Appends node to the chain head..tail; returns the head, the new tail in *tail.
itemNode_cgui* appendItemNode(itemNode_cgui* node, itemNode_cgui* head, itemNode_cgui** tail);
