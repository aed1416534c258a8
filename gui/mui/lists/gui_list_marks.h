// The program's marks of a list's entries, kept in a ring of their own so
// that acting on the marked entries does not search the whole list, and the
// list of entries waiting for a list that is not built yet.
#pragma once

#include "core/class_base.h"

// A node that can stand in one ring of marks (next NIL: in none).
class markNode : public class_base {
  LUDEX_CLASS(markNode, class_base)
 public:
  markNode* next = nullptr;
  markNode* previous = nullptr;
};

// A circular, doubly linked ring of marked nodes; it does not own them.
class markList : public class_base {
  LUDEX_CLASS(markList, class_base)
 public:
  virtual markList* new_markList() {
    head = nullptr;
    return this;
  }
  // Links the node in before the head and makes it the head. BUG "markList.add();
  // node already in list" for a node in a ring.
  virtual void add(markNode* node);
  // Unlinks the node. BUG "markList.remove(); node not in list" for a node in
  // no ring.
  virtual void remove(markNode* node);
  // Unlinks every node.
  void end_class() override;

  markNode* head = nullptr;  // NIL when empty
};
