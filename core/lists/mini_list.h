// Mini lists: views on a circular doubly linked chain of nodes.
//
// Several views (a mirror, a subset) may share one chain. A cMiniRoot ties the
// views of one chain together and ends the chain when the last view ends. A
// view covers the nodes from its start node through its end node along next;
// the end node is the view's sentinel, and the view is empty when start and
// end are the same node. A view can isolate itself, taking a private copy of
// its range.
//
// A node in no chain is "floating": a ring of one or more nodes, the given
// node first (its prev is the ring's last node, whose next is the given node).
#pragma once
#include <cstdint>

#include "core/class_base.h"

struct oMiniNode {
  intptr_t data;
  oMiniNode* prev;
  oMiniNode* next;
};
// A node that heads a ring of nodes in no chain.
using oMiniNodeFloating = oMiniNode;

class cMiniRoot;

class cMiniListGeneric : public class_base {
  LUDEX_CLASS(cMiniListGeneric, class_base)
 public:
  oMiniNode* start = nullptr;  // first node of the view
  oMiniNode* end = nullptr;    // the view's end node (its sentinel)
  cMiniRoot* root = nullptr;   // shared by every view of the chain
  cMiniListGeneric* nextList = nullptr;  // ring of the root's views

  // The view's end node is endNode (a floating node) and its start that
  // node's next; a new root ties the chain to this view alone.
  virtual void new_cMiniListGeneric(oMiniNodeFloating* endNode);
  void end_class() override;

  // A private copy of this view (mirror, then isolateFromSharing).
  virtual cMiniListGeneric* clone();
  // A new view of the same nodes.
  virtual cMiniListGeneric* mirror();
  // A new view sharing this chain, from fromNode to toNode (its end node);
  // NIL stands for this view's start / end.
  virtual cMiniListGeneric* subset(oMiniNode* fromNode, oMiniNode* toNode);
  // When other views share the chain, copies start through end into a chain of
  // this view's own. A lone view is left unchanged.
  virtual void isolateFromSharing();
  virtual bool infoIsEmpty();
  // Changes with every change of the chain's nodes, their order or their
  // values, through any of its views; two states of any chains never share
  // a stamp. A walk's findings can be kept as long as the stamp holds.
  uint64_t infoChangeStamp() const;

  virtual intptr_t node_read(oMiniNode* node);
  // The next / previous node; *isEnd is TRUE when that node is the end node.
  virtual oMiniNode* node_next(oMiniNode* node, bool* isEnd = nullptr);
  virtual oMiniNode* node_prev(oMiniNode* node, bool* isEnd = nullptr);
  // node_remove, then ends the removed nodes.
  virtual void node_destroy(oMiniNode* node, oMiniNode* toNode);
  // Unlinks node up to, not including, toNode (NIL: node alone) and returns
  // them as a floating ring; NIL when node is toNode.
  virtual oMiniNodeFloating* node_remove(oMiniNode* node, oMiniNode* toNode);
  // Link the floating ring before / after node; return its first node.
  virtual oMiniNode* node_beforeInsert(oMiniNode* node, oMiniNodeFloating* floating);
  virtual oMiniNode* node_afterInsert(oMiniNode* node, oMiniNodeFloating* floating);
  // Ends every node of a floating ring (the given node last); NIL does nothing.
  virtual void node_end(oMiniNodeFloating* floating);
  // Stores value; keepOld TRUE returns the old value, otherwise ends it and
  // returns 0.
  virtual intptr_t node_writeUngeneric(oMiniNode* node, intptr_t value, bool keepOld);

  // Hooks for derived views.
  virtual intptr_t node_isolateDataFromSharing(oMiniNode* node);
  virtual oMiniNode* node_clone(oMiniNode* node);
  virtual oMiniNode* node_new(oMiniNode* node, intptr_t value);
  virtual void node_endData(intptr_t value);
  virtual void node_endNode(oMiniNode* node);
  virtual oMiniNode* node_make();
  // An unconstructed view of the same class.
  virtual cMiniListGeneric* make();
};

// A mini list of plain values: adds the factories and the typed forms.
class cMiniList : public cMiniListGeneric {
  LUDEX_CLASS(cMiniList, cMiniListGeneric)
 public:
  // As the generic form; a NIL endNode makes an end node holding 0.
  void new_cMiniListGeneric(oMiniNodeFloating* endNode) override;

  // A floating node holding value.
  virtual oMiniNodeFloating* makeNode(intptr_t value);
  cMiniListGeneric* clone() override { return clone_cMiniList(); }
  cMiniListGeneric* mirror() override { return mirror_cMiniList(); }
  cMiniListGeneric* subset(oMiniNode* fromNode, oMiniNode* toNode) override {
    return subset_cMiniList(fromNode, toNode);
  }
  cMiniListGeneric* make() override { return make_cMiniList(); }

  virtual cMiniList* clone_cMiniList();
  virtual cMiniList* mirror_cMiniList();
  virtual cMiniList* subset_cMiniList(oMiniNode* fromNode, oMiniNode* toNode);
  virtual intptr_t node_write(oMiniNode* node, intptr_t value, bool keepOld = false) {
    return node_writeUngeneric(node, value, keepOld);
  }
  virtual cMiniList* make_cMiniList();
};

class cMiniRoot : public class_base {
  LUDEX_CLASS(cMiniRoot, class_base)
 public:
  oMiniNode* node = nullptr;         // one node of the chain; the chain is ended from it
  cMiniListGeneric* list = nullptr;  // one view of the ring
  uint64_t changeStamp = 0;          // see infoChangeStamp

  virtual void new_cMiniRoot(oMiniNode* chainNode, cMiniListGeneric* view);
  // Ends the whole chain through the view `list`. Errors are swallowed.
  void end_class() override;

  // Links view into the ring after the root's list.
  virtual void addList(cMiniListGeneric* view);
  // Unlinks view (it then points to itself); TRUE when it was the last view.
  virtual bool removeList(cMiniListGeneric* view);
  virtual bool hasOnlyOneList();
  // A new stamp: the chain changed.
  void noteChange();
};

// The module's self-test: builds, changes and prints a small list.
void show(cMiniListGeneric* list);
void main_cminilist();
