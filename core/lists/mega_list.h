// Mega lists: circular doubly linked lists whose positions are cursor objects
// (core/lists/mega_cursor.h) that stay valid while the list changes.
//
// The list runs through an end sentinel, a node holding 0 that is never a
// member. The list's infoStart cursor sits on the first node (removedThen 1,
// followWhen 1) and its infoPastEnd cursor on the sentinel (2, 2); the list is
// empty when both sit on the same node. The nodes live in a node store (a
// cMegaMiniList), which mirrors and subsets share.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/lists/mega_cursor.h"
#include "core/lists/mega_mini_list.h"

class fCompareMegaNodes;

class cMegaListGeneric : public class_base {
  LUDEX_CLASS(cMegaListGeneric, class_base)
  friend class cMegaCursorGeneric;

 public:
  cMegaMiniList* store = nullptr;  // owned node store
  cMegaCursorGeneric* startCursor = nullptr;    // owned: infoStart
  cMegaCursorGeneric* pastEndCursor = nullptr;  // owned: infoPastEnd
  // Where a cursor with removedThen 0 goes when its node is destroyed: TRUE to
  // the node after the range, FALSE to the node before it.
  bool cursorNextIfDestroyNode = false;

  // Makes the node store around endNode when there is none yet (a derived
  // list decides what NIL gives), then the list's two cursors.
  virtual void new_cMegaListGeneric(bool nextIfDestroyNode, oMegaNode* endNode);
  // Ends the node store (and, when it was the last view, every node), then
  // the two cursors. Errors are swallowed so that ending always completes.
  void end_class() override;

  virtual cMegaCursorGeneric* infoStart() { return startCursor; }
  virtual cMegaCursorGeneric* infoPastEnd() { return pastEndCursor; }
  virtual bool infoIsEmpty();
  virtual cMegaMiniList* infoMiniList() { return store; }
  virtual bool getCursorNextIfDestroyNode() { return cursorNextIfDestroyNode; }
  virtual cMegaListGeneric* setCursorNextIfDestroyNode(bool flag);
  // Ends a floating node (ring) that is in no list, its data by this list's rule.
  virtual void destroyNode(oMegaNode* floating);

  // A private copy (mirror, then isolateFromSharing on it).
  virtual cMegaListGeneric* clone();
  virtual cMegaListGeneric* mirror();
  // A new list of this list's class sharing the nodes from fromCursor's node
  // up to, not including, toCursor's node (NIL: infoStart / infoPastEnd).
  virtual cMegaListGeneric* subset(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor);
  // Copies the list's range into a chain of its own when it shares nodes; the
  // list's cursors move onto the copies.
  virtual void isolateFromSharing();
  // Sorts in place, stably, by relinking nodes (core/lists/mega_sort.cpp).
  virtual void sort(fCompareMegaNodes* comparator);

  // Hooks for derived lists (empty here).
  virtual intptr_t node_isolateDataFromSharing(oMegaNode* node) { return node->data; }
  virtual void node_clone(oMegaNode*, oMegaNode*) {}
  virtual void node_new(oMegaNode*, intptr_t) {}
  virtual void node_endData(intptr_t) {}
  virtual void node_endNode(oMegaNode*) {}
  // Factories: NIL here; typed lists give unconstructed objects.
  virtual cMegaListGeneric* make() { return nullptr; }
  virtual oMegaNode* make_node() { return nullptr; }
  virtual cMegaCursorGeneric* make_cursor() { return nullptr; }

 protected:
  // A node record from the allocator, zero-filled.
  static oMegaNode* allocateNode();
  // A constructed cursor of this list's cursor class.
  cMegaCursorGeneric* newCursor(oMegaNode* onNode, int32_t removedThenPolicy, int32_t followWhenPolicy);
};
