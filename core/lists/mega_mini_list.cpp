#include "core/lists/mega_mini_list.h"

#include <exception>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_cursor.h"
#include "core/lists/mega_list.h"

namespace {
oMegaNode* mega(oMiniNode* node) { return static_cast<oMegaNode*>(node); }
}  // namespace

cMiniList* cMegaMiniList::make_cMiniList() {
  auto* view = new cMegaMiniList;
  view->owner = owner;
  return view;
}

oMiniNode* cMegaMiniList::node_make() {
  oMegaNode* node = owner ? owner->make_node() : nullptr;
  if (!node) Throw("BUG", "cMegaMiniList.node_make(); the List makes no nodes");
  return node;
}

oMiniNode* cMegaMiniList::node_new(oMiniNode* node, intptr_t value) {
  cMiniList::node_new(node, value);
  mega(node)->cursors = nullptr;
  owner->node_new(mega(node), value);
  return node;
}

void cMegaMiniList::node_endData(intptr_t value) { owner->node_endData(value); }

void cMegaMiniList::node_endNode(oMiniNode* miniNode) {
  oMegaNode* node = mega(miniNode);
  std::exception_ptr failure;
  try {
    node_endData(node->data);
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    owner->node_endNode(node);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  // Cursors still on the node are detached: they stay safe to end.
  cMegaCursorGeneric* c = node->cursors;
  while (c) {
    cMegaCursorGeneric* after = c->nextCursor;
    c->node = nullptr;
    c->nextCursor = c->prevCursor = nullptr;
    c = after;
  }
  node->cursors = nullptr;
  Arena::release(node);
  if (failure) std::rethrow_exception(failure);
}

oMiniNode* cMegaMiniList::node_clone(oMiniNode* miniNode) {
  oMegaNode* old = mega(miniNode);
  oMegaNode* copy = mega(cMiniList::node_clone(old));
  // The owner's cursors go with the copy; other lists' cursors stay behind.
  cMegaCursorGeneric* c = old->cursors;
  while (c) {
    cMegaCursorGeneric* after = c->nextCursor;
    if (c->owner == owner) c->moveTo(copy);
    c = after;
  }
  owner->node_clone(copy, old);
  return copy;
}

intptr_t cMegaMiniList::node_isolateDataFromSharing(oMiniNode* node) {
  return owner->node_isolateDataFromSharing(mega(node));
}

void cMegaMiniList::takeBoundsFromLists() {
  cMiniListGeneric* view = this;
  do {
    const cMegaListGeneric* list = static_cast<cMegaMiniList*>(view)->owner;
    // A list still being made has no cursors yet.
    if (list && list->startCursor && list->pastEndCursor) {
      view->start = list->startCursor->node;
      view->end = list->pastEndCursor->node;
    }
    view = view->nextList;
  } while (view && view != this);
}
