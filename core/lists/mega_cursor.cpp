#include "core/lists/mega_cursor.h"

#include "core/exception.h"
#include "core/lists/mega_compare.h"
#include "core/lists/mega_list.h"

namespace {
oMegaNode* mega(oMiniNode* node) { return static_cast<oMegaNode*>(node); }
}  // namespace

void cMegaCursorGeneric::new_cMegaCursorGeneric(oMegaNode* onNode, cMegaListGeneric* list, int32_t removedThenPolicy,
                                               int32_t followWhenPolicy) {
  node = onNode;
  owner = list;
  removedThen = removedThenPolicy;
  followWhen = followWhenPolicy;
  if (node) addToNodesCursorList();
}

void cMegaCursorGeneric::end_class() {
  // Touches only the node, never the owner: the list may have ended already.
  removeFromNodesCursorList();
  node = nullptr;
  class_base::end_class();
}

void cMegaCursorGeneric::addToNodesCursorList() {
  prevCursor = nullptr;
  nextCursor = node->cursors;
  if (nextCursor) nextCursor->prevCursor = this;
  node->cursors = this;
}

void cMegaCursorGeneric::removeFromNodesCursorList() {
  if (!node) return;
  if (prevCursor) prevCursor->nextCursor = nextCursor; else node->cursors = nextCursor;
  if (nextCursor) nextCursor->prevCursor = prevCursor;
  nextCursor = prevCursor = nullptr;
}

void cMegaCursorGeneric::moveTo(oMegaNode* target) {
  removeFromNodesCursorList();
  node = target;
  if (node) addToNodesCursorList();
}

bool cMegaCursorGeneric::isListsOwnCursor() const {
  return owner && (owner->startCursor == this || owner->pastEndCursor == this);
}

void cMegaCursorGeneric::requireNode(const char* operation) const {
  if (!node) ThrowF("EMU", "cMegaCursorGeneric.%s(); Cursor is detached from its List", operation);
}

void cMegaCursorGeneric::requireMovable(const char* operation) const {
  // Moving the list's own cursors could make the list read as empty or cut
  // nodes off it; callers clone them instead.
  if (isListsOwnCursor())
    ThrowF("EMU", "cMegaCursorGeneric.%s(); the List's own Cursors can only be cloned", operation);
}

intptr_t cMegaCursorGeneric::read_cMegaCursorGeneric() {
  requireNode("read");
  return node->data;
}

bool cMegaCursorGeneric::stepNext() {
  oMegaNode* sentinel = owner->pastEndCursor->node;
  if (node == sentinel) {
    moveTo(owner->startCursor->node);
    return false;
  }
  oMegaNode* n = mega(node->next);
  moveTo(n);
  return n == sentinel;
}

bool cMegaCursorGeneric::stepPrev() {
  if (node == owner->startCursor->node) {
    moveTo(owner->pastEndCursor->node);
    return true;
  }
  moveTo(mega(node->prev));
  return false;
}

bool cMegaCursorGeneric::next() {
  requireNode("next");
  requireMovable("next");
  return stepNext();
}

bool cMegaCursorGeneric::prev() {
  requireNode("prev");
  requireMovable("prev");
  return stepPrev();
}

void cMegaCursorGeneric::goto_cMegaCursorGeneric(cMegaCursorGeneric* other) {
  requireNode("goto");
  requireMovable("goto");
  if (!other || !other->node) Throw("EMU", "cMegaCursorGeneric.goto(); cursor is not in same List");
  if (other->owner != owner && !node_isInList(other->node, owner))
    Throw("EMU", "cMegaCursorGeneric.goto(); cursor is not in same List");
  moveTo(other->node);
}

bool cMegaCursorGeneric::setOwner(cMegaListGeneric* list) {
  requireNode("setOwner");
  requireMovable("setOwner");
  if (!node_isInList(node, list)) return false;
  owner = list;
  return true;
}

cMegaCursorGeneric* cMegaCursorGeneric::clone(int32_t removedThenPolicy, int32_t followWhenPolicy) {
  requireNode("clone");
  return owner->newCursor(node, removedThenPolicy, followWhenPolicy);
}

bool cMegaCursorGeneric::isOnSameNodeAs(cMegaCursorGeneric* other) { return other && node == other->node; }

bool cMegaCursorGeneric::isOnSameNodeAndListAs(cMegaCursorGeneric* other) {
  return other && node == other->node && owner == other->owner;
}

cMegaMiniList* cMegaCursorGeneric::infoMiniList() {
  requireNode("infoMiniList");
  return owner->store;
}

void cMegaCursorGeneric::destroy(cMegaCursorGeneric* toCursor, int32_t removedThenOverride) {
  removeRange(toCursor, removedThenOverride, true);
}

oMegaNode* cMegaCursorGeneric::remove_cMegaCursorGeneric(cMegaCursorGeneric* toCursor, int32_t removedThenOverride) {
  return removeRange(toCursor, removedThenOverride, false);
}

oMegaNode* cMegaCursorGeneric::removeRange(cMegaCursorGeneric* toCursor, int32_t removedThenOverride,
                                           bool destroyMode) {
  requireNode("remove");
  requireMovable("remove");
  if (toCursor && toCursor->owner != owner)
    Throw("EMU", "cMegaCursorGeneric.remove(); toPastEnd Cursor is not in same List");
  if (toCursor) toCursor->requireNode("remove");

  oMegaNode* const first = node;
  oMegaNode* const stop = toCursor ? toCursor->node : mega(first->next);
  if (stop == first) return nullptr;
  oMegaNode* const before = mega(first->prev);

  // The range must not hold the list's end sentinel: that happens when this
  // cursor sits on it, or when toCursor lies before this cursor.
  oMegaNode* const sentinel = owner->pastEndCursor->node;
  for (oMiniNode* n = first; n != stop; n = n->next) {
    if (n == sentinel)
      Throw("EMU", "cMegaCursorGeneric.remove(); the range holds the end of the List");
    if (n->next == first) Throw("EMU", "cMegaCursorGeneric.remove(); toPastEnd Cursor is not in same List");
  }

  const int32_t savedPolicy = removedThen;
  if (removedThenOverride != REMOVED_NO_OVERRIDE) removedThen = removedThenOverride;
  bool boundsMoved = false;  // a list's own cursor stood in the range
  for (oMiniNode* n = first; n != stop; n = n->next) {
    cMegaCursorGeneric* c = mega(n)->cursors;
    while (c) {
      cMegaCursorGeneric* after = c->nextCursor;
      int32_t r = c->removedThen;
      if (destroyMode && r == REMOVED_STAY) r = owner->cursorNextIfDestroyNode ? REMOVED_GO_NEXT : REMOVED_GO_PREV;
      if (r == REMOVED_GO_NEXT) {
        c->moveTo(stop);
      } else if (r != REMOVED_STAY) {
        c->moveTo(before);
      }
      boundsMoved |= c->isListsOwnCursor();
      c = after;
    }
  }
  removedThen = savedPolicy;

  cMegaMiniList* store = owner->store;
  oMegaNode* ring = mega(store->node_remove(first, stop));
  if (boundsMoved) store->takeBoundsFromLists();
  if (destroyMode) {
    store->node_end(ring);
    return nullptr;
  }
  return ring;
}

void cMegaCursorGeneric::insertFollowing(oMegaNode* floating, bool before) {
  oMegaNode* const at = node;
  cMegaMiniList* store = owner->store;
  oMegaNode* target;
  if (before) {
    target = mega(store->node_beforeInsert(at, floating));
  } else {
    // Followers of an insertion after a node go to the first inserted node,
    // except after the list's end node: there the ring's last node becomes the
    // end node, and the followers (the infoPastEnd cursor of every view of the
    // chain among them) go onto it, behind the whole ring, or the lists would
    // lose the rest of the ring. The end node is the one the infoPastEnd
    // cursor stands on, the same node for every mirror, whichever view inserts.
    oMegaNode* const ringLast = mega(floating->prev);
    const bool atEnd = at == owner->pastEndCursor->node;
    target = mega(store->node_afterInsert(at, floating));
    if (atEnd) target = ringLast;
  }
  const int32_t policy = before ? FOLLOW_BEFORE : FOLLOW_AFTER;
  bool boundsMoved = false;  // a list's own cursor followed the insertion
  cMegaCursorGeneric* c = at->cursors;
  while (c) {
    cMegaCursorGeneric* next = c->nextCursor;
    if (c->followWhen == policy) {
      c->moveTo(target);
      boundsMoved |= c->isListsOwnCursor();
    }
    c = next;
  }
  if (boundsMoved) store->takeBoundsFromLists();
}

void cMegaCursorGeneric::beforeInsert(oMegaNode* floating) {
  requireNode("beforeInsert");
  if (floating) insertFollowing(floating, true);
}

void cMegaCursorGeneric::afterInsert(oMegaNode* floating) {
  requireNode("afterInsert");
  if (floating) insertFollowing(floating, false);
}

bool cMegaCursorGeneric::findSorted(oMegaNode* floating, fCompareMegaNodes* comparator) {
  if (owner->infoIsEmpty()) return false;
  if (node == owner->pastEndCursor->node) stepPrev();
  cMegaMiniList* store = owner->store;
  int32_t order = comparator->call(store, floating, node);
  if (order < 0) {
    // The floating node comes after this one: search forward for the first
    // node not before it.
    do {
      if (stepNext()) return false;
      order = comparator->call(store, floating, node);
    } while (order < 0);
    return order == 0;
  }
  if (order == 0) return true;
  // The floating node comes first: search backward for the last node that is
  // not after it, then stand just after that node.
  do {
    if (stepPrev()) break;
    order = comparator->call(store, floating, node);
  } while (order > 0);
  stepNext();
  return order == 0;
}

bool cMegaCursorGeneric::sortedFind(oMegaNode* floating, fCompareMegaNodes* comparator) {
  if (!floating) Throw("EMU", "cMegaListGeneric.sortedFind(); match=NIL");
  if (!comparator) Throw("EMU", "cMegaListGeneric.sortedFind(); compareFunction=NIL");
  requireNode("sortedFind");
  requireMovable("sortedFind");
  return findSorted(floating, comparator);
}

void cMegaCursorGeneric::sortedInsert(oMegaNode* floating, fCompareMegaNodes* comparator) {
  if (!floating) Throw("EMU", "cMegaListGeneric.sortedInsert(); floating=NIL");
  if (!comparator) Throw("EMU", "cMegaListGeneric.sortedInsert(); compareFunction=NIL");
  requireNode("sortedInsert");
  requireMovable("sortedInsert");
  findSorted(floating, comparator);
  insertFollowing(floating, true);
}

intptr_t cMegaCursorGeneric::writeUngeneric(intptr_t data, bool keepOld) {
  requireNode("write");
  return owner->store->node_writeUngeneric(node, data, keepOld);
}

bool cMegaCursorGeneric::node_isInList(oMegaNode* candidate, cMegaListGeneric* list) {
  if (!candidate || !list || !list->startCursor || !list->pastEndCursor) return false;
  oMegaNode* const first = list->startCursor->node;
  oMegaNode* const sentinel = list->pastEndCursor->node;
  if (first == sentinel) return candidate == sentinel;
  for (oMiniNode* n = first; n != sentinel; n = n->next) {
    if (n == candidate) return true;
    if (n->next == first) break;  // a broken list: never loop forever
  }
  return false;
}
