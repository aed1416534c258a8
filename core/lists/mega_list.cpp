#include "core/lists/mega_list.h"

#include <initializer_list>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/list_clone.h"

namespace {
oMegaNode* mega(oMiniNode* node) { return static_cast<oMegaNode*>(node); }
}  // namespace

void cMegaListGeneric::new_cMegaListGeneric(bool nextIfDestroyNode, oMegaNode* endNode) {
  if (!store) {
    auto* s = new cMegaMiniList;
    s->owner = this;
    store = s;  // ended with the list, also when its construction fails
    s->new_cMiniListGeneric(endNode);
  }
  cursorNextIfDestroyNode = nextIfDestroyNode;
  startCursor = newCursor(mega(store->start), REMOVED_GO_NEXT, FOLLOW_BEFORE);
  pastEndCursor = newCursor(mega(store->end), REMOVED_GO_PREV, FOLLOW_AFTER);
}

void cMegaListGeneric::end_class() {
  // The store goes first: ending the nodes detaches the cursors on them.
  try {
    End(store);
  } catch (...) {
  }
  try {
    End(startCursor);
  } catch (...) {
  }
  try {
    End(pastEndCursor);
  } catch (...) {
  }
  class_base::end_class();
}

bool cMegaListGeneric::infoIsEmpty() { return startCursor->node == pastEndCursor->node; }

cMegaListGeneric* cMegaListGeneric::setCursorNextIfDestroyNode(bool flag) {
  cursorNextIfDestroyNode = flag;
  return this;
}

void cMegaListGeneric::destroyNode(oMegaNode* floating) { store->node_end(floating); }

cMegaListGeneric* cMegaListGeneric::clone() { return CloneByMirror(this); }

cMegaListGeneric* cMegaListGeneric::mirror() { return subset(nullptr, nullptr); }

cMegaListGeneric* cMegaListGeneric::subset(cMegaCursorGeneric* fromCursor, cMegaCursorGeneric* toCursor) {
  for (cMegaCursorGeneric* c : {fromCursor, toCursor})
    if (c && (c->owner != this || !c->node)) Throw("EMU", "cMegaListGeneric.subset(); Cursor is not in same List");
  oMegaNode* fromNode = fromCursor ? fromCursor->node : startCursor->node;
  oMegaNode* toNode = toCursor ? toCursor->node : pastEndCursor->node;

  cMegaListGeneric* list = make();
  if (!list) Throw("BUG", "cMegaListGeneric.subset(); the List makes no Lists");
  try {
    auto* view = static_cast<cMegaMiniList*>(store->subset(fromNode, toNode));
    view->owner = list;
    list->store = view;
    list->new_cMegaListGeneric(cursorNextIfDestroyNode, nullptr);
  } catch (...) {
    End(list);
    throw;
  }
  return list;
}

void cMegaListGeneric::isolateFromSharing() {
  store->start = startCursor->node;
  store->end = pastEndCursor->node;
  store->isolateFromSharing();
}

oMegaNode* cMegaListGeneric::allocateNode() { return static_cast<oMegaNode*>(Arena::alloc(sizeof(oMegaNode))); }

cMegaCursorGeneric* cMegaListGeneric::newCursor(oMegaNode* onNode, int32_t removedThenPolicy,
                                                int32_t followWhenPolicy) {
  cMegaCursorGeneric* c = make_cursor();
  if (!c) Throw("BUG", "cMegaListGeneric.make_cursor(); the List makes no Cursors");
  try {
    c->new_cMegaCursorGeneric(onNode, this, removedThenPolicy, followWhenPolicy);
  } catch (...) {
    End(c);
    throw;
  }
  return c;
}
