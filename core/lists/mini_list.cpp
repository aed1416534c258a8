#include "core/lists/mini_list.h"

#include <exception>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/lists/list_clone.h"

// ---------------------------------------------------------------- views

void cMiniListGeneric::new_cMiniListGeneric(oMiniNodeFloating* endNode) {
  if (!endNode) Throw("EMU", "cMiniListGeneric.new(); endNode=NIL");
  end = endNode;
  start = endNode->next;
  nextList = this;
  auto* r = new cMiniRoot;
  r->new_cMiniRoot(endNode, this);
  root = r;
}

void cMiniListGeneric::end_class() {
  if (root) {
    cMiniRoot* r = root;
    root = nullptr;
    // The last view ends the root, which ends the chain through this view.
    if (r->removeList(this)) {
      r->list = this;
      try {
        End(r);
      } catch (...) {
      }
    }
  }
  start = end = nullptr;
  class_base::end_class();
}

cMiniListGeneric* cMiniListGeneric::clone() { return CloneByMirror(this); }

cMiniListGeneric* cMiniListGeneric::mirror() { return subset(nullptr, nullptr); }

cMiniListGeneric* cMiniListGeneric::subset(oMiniNode* fromNode, oMiniNode* toNode) {
  cMiniListGeneric* view = make();
  if (!view) Throw("BUG", "cMiniListGeneric.subset(); make() gave NIL");
  view->start = fromNode ? fromNode : start;
  view->end = toNode ? toNode : end;
  view->root = root;
  view->nextList = view;
  root->addList(view);
  return view;
}

void cMiniListGeneric::isolateFromSharing() {
  if (!root || root->hasOnlyOneList()) return;
  oMiniNode* first = nullptr;
  oMiniNode* last = nullptr;
  try {
    for (oMiniNode* n = start;; n = n->next) {
      oMiniNode* copy = node_clone(n);
      if (first) {
        // Append the copy to the ring of copies.
        copy->prev = last;
        copy->next = first;
        last->next = copy;
        first->prev = copy;
      } else {
        first = copy;
      }
      last = copy;
      if (n == end) break;
    }
  } catch (...) {
    node_end(first);
    throw;
  }
  cMiniRoot* newRoot = new cMiniRoot;
  root->removeList(this);  // other views remain: the old chain lives on
  newRoot->new_cMiniRoot(last, this);
  root = newRoot;
  start = first;
  end = last;
}

bool cMiniListGeneric::infoIsEmpty() { return start == end; }

intptr_t cMiniListGeneric::node_read(oMiniNode* node) { return node->data; }

oMiniNode* cMiniListGeneric::node_next(oMiniNode* node, bool* isEnd) {
  oMiniNode* n = node->next;
  if (isEnd) *isEnd = (n == end);
  return n;
}

oMiniNode* cMiniListGeneric::node_prev(oMiniNode* node, bool* isEnd) {
  oMiniNode* n = node->prev;
  if (isEnd) *isEnd = (n == end);
  return n;
}

void cMiniListGeneric::node_destroy(oMiniNode* node, oMiniNode* toNode) { node_end(node_remove(node, toNode)); }

oMiniNodeFloating* cMiniListGeneric::node_remove(oMiniNode* node, oMiniNode* toNode) {
  if (!node || node == toNode) return nullptr;
  // Find the range's last node, noting whether the root's node or the start
  // lies in it: whichever does moves to the node after the range.
  bool holdsRootNode = (root && root->node == node);
  bool holdsStart = (start == node);
  oMiniNode* last = node;
  if (toNode) {
    while (last->next != toNode) {
      last = last->next;
      if (last == node) Throw("EMU", "cMiniListGeneric.node_remove(); toNode is not in the chain");
      if (root && root->node == last) holdsRootNode = true;
      if (start == last) holdsStart = true;
    }
  } else if (node->next == node) {
    Throw("EMU", "cMiniListGeneric.node_remove(); the chain would be left empty");
  }
  oMiniNode* before = node->prev;
  oMiniNode* after = last->next;
  if (root) root->noteChange();

  before->next = after;
  after->prev = before;
  node->prev = last;
  last->next = node;

  if (holdsRootNode) root->node = after;
  if (holdsStart) start = after;
  if (last == end) end = before;
  return node;
}

namespace {
// The ring's last node must lead back to its first node.
void checkRing(oMiniNodeFloating* floating, const char* message) {
  if (floating->prev == nullptr || floating->prev->next != floating) Throw("BUG", message);
}

// Links the floating ring between the neighbours before and after; returns
// the ring's last node.
oMiniNode* linkRingBetween(oMiniNode* before, oMiniNode* after, oMiniNodeFloating* floating) {
  oMiniNode* last = floating->prev;
  before->next = floating;
  floating->prev = before;
  last->next = after;
  after->prev = last;
  return last;
}
}  // namespace

oMiniNode* cMiniListGeneric::node_beforeInsert(oMiniNode* node, oMiniNodeFloating* floating) {
  if (!floating) return nullptr;
  checkRing(floating, "cMiniListGeneric.node_beforeInsert(); ownedStart<>start");
  if (root) root->noteChange();
  linkRingBetween(node->prev, node, floating);
  if (node == start) start = floating;
  return floating;
}

oMiniNode* cMiniListGeneric::node_afterInsert(oMiniNode* node, oMiniNodeFloating* floating) {
  if (!floating) return nullptr;
  checkRing(floating, "cMiniListGeneric.node_afterInsert(); ownedStart<>start");
  if (root) root->noteChange();
  oMiniNode* last = linkRingBetween(node, node->next, floating);
  if (node == end) end = last;
  return floating;
}

void cMiniListGeneric::node_end(oMiniNodeFloating* floating) {
  if (!floating) return;
  // Every node is ended even when one of them fails; the first error passes on.
  std::exception_ptr failure;
  oMiniNode* n = floating->next;
  while (n != floating) {
    oMiniNode* after = n->next;
    try {
      node_endNode(n);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    n = after;
  }
  try {
    node_endNode(floating);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

intptr_t cMiniListGeneric::node_writeUngeneric(oMiniNode* node, intptr_t value, bool keepOld) {
  const intptr_t old = node->data;
  if (root && old != value) root->noteChange();
  node->data = value;
  if (keepOld) return old;
  // Writing the value the node already holds must not end it.
  if (old != value) node_endData(old);
  return 0;
}

intptr_t cMiniListGeneric::node_isolateDataFromSharing(oMiniNode* node) { return node->data; }

oMiniNode* cMiniListGeneric::node_clone(oMiniNode* node) {
  const intptr_t data = node_isolateDataFromSharing(node);
  return node_new(node_make(), data);
}

oMiniNode* cMiniListGeneric::node_new(oMiniNode* node, intptr_t value) {
  node->data = value;
  node->prev = node;
  node->next = node;
  return node;
}

void cMiniListGeneric::node_endData(intptr_t) {}

void cMiniListGeneric::node_endNode(oMiniNode* node) {
  WithCleanUp([&] { node_endData(node->data); }, [&] { Arena::release(node); });
}

oMiniNode* cMiniListGeneric::node_make() { return static_cast<oMiniNode*>(Arena::alloc(sizeof(oMiniNode))); }

cMiniListGeneric* cMiniListGeneric::make() { return new cMiniListGeneric; }

// ---------------------------------------------------------------- cMiniList

void cMiniList::new_cMiniListGeneric(oMiniNodeFloating* endNode) {
  cMiniListGeneric::new_cMiniListGeneric(endNode ? endNode : makeNode(0));
}

oMiniNodeFloating* cMiniList::makeNode(intptr_t value) { return node_new(node_make(), value); }

cMiniList* cMiniList::clone_cMiniList() { return static_cast<cMiniList*>(cMiniListGeneric::clone()); }

cMiniList* cMiniList::mirror_cMiniList() { return static_cast<cMiniList*>(cMiniListGeneric::mirror()); }

cMiniList* cMiniList::subset_cMiniList(oMiniNode* fromNode, oMiniNode* toNode) {
  return static_cast<cMiniList*>(cMiniListGeneric::subset(fromNode, toNode));
}

cMiniList* cMiniList::make_cMiniList() { return new cMiniList; }

// ---------------------------------------------------------------- cMiniRoot

void cMiniRoot::new_cMiniRoot(oMiniNode* chainNode, cMiniListGeneric* view) {
  node = chainNode;
  list = view;
  noteChange();
}

void cMiniRoot::noteChange() {
  // One counter for every chain: a stamp never comes back, also for a chain
  // made where an ended one was.
  static uint64_t lastStamp = 0;
  changeStamp = ++lastStamp;
}

uint64_t cMiniListGeneric::infoChangeStamp() const { return root ? root->changeStamp : 0; }

void cMiniRoot::end_class() {
  oMiniNode* chain = node;
  node = nullptr;
  if (chain && list) {
    try {
      list->node_end(chain);
    } catch (...) {
    }
  }
  list = nullptr;
  class_base::end_class();
}

void cMiniRoot::addList(cMiniListGeneric* view) {
  view->nextList = list->nextList;
  list->nextList = view;
}

bool cMiniRoot::removeList(cMiniListGeneric* view) {
  if (view->nextList == view) return true;  // the last view
  cMiniListGeneric* before = view;
  while (before->nextList != view) before = before->nextList;
  before->nextList = view->nextList;
  if (list == view) list = view->nextList;
  view->nextList = view;
  return false;
}

bool cMiniRoot::hasOnlyOneList() { return list == nullptr || list->nextList == list; }
