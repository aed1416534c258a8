// Cursors of mega lists: positions that stay valid while nodes are inserted,
// removed, destroyed or sorted. Every node knows the cursors sitting on it;
// every cursor carries two policies:
//   removedThen  where it goes when its node is removed: 1 to the node after
//                the removed range, 2 to the node before it, 0 it stays on its
//                node and leaves the list with it;
//   followWhen   whether it follows an insertion next to its node: 1 before
//                the node, 2 after it, 0 never.
// A list's own infoStart and infoPastEnd cursors keep the list's bounds: they
// follow insertions and removals but callers can only read through them,
// insert at them and clone them.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/lists/mega_mini_list.h"

class cMegaListGeneric;
class fCompareMegaNodes;

constexpr int32_t REMOVED_STAY = 0;
constexpr int32_t REMOVED_GO_NEXT = 1;
constexpr int32_t REMOVED_GO_PREV = 2;
constexpr int32_t FOLLOW_NEVER = 0;
constexpr int32_t FOLLOW_BEFORE = 1;
constexpr int32_t FOLLOW_AFTER = 2;
// A removedThen override standing for "no override" (0x80000000).
constexpr int32_t REMOVED_NO_OVERRIDE = INT32_MIN;

class cMegaCursorGeneric : public class_base {
  LUDEX_CLASS(cMegaCursorGeneric, class_base)
  friend class cMegaListGeneric;
  friend class cMegaMiniList;

 public:
  oMegaNode* node = nullptr;            // NIL: detached (its node was ended)
  cMegaListGeneric* owner = nullptr;
  int32_t removedThen = 0;
  int32_t followWhen = 0;
  cMegaCursorGeneric* nextCursor = nullptr;  // chain of the cursors on node
  cMegaCursorGeneric* prevCursor = nullptr;

  virtual void new_cMegaCursorGeneric(oMegaNode* onNode, cMegaListGeneric* list, int32_t removedThenPolicy,
                                      int32_t followWhenPolicy);
  // Leaves the node's cursor chain; a detached cursor has nothing to leave.
  void end_class() override;

  // Join the head of / leave the node's cursor chain.
  virtual void addToNodesCursorList();
  virtual void removeFromNodesCursorList();

  // The node's data word.
  virtual intptr_t read_cMegaCursorGeneric();
  // Moves to the next node; TRUE when that is the end sentinel. From the end
  // sentinel it wraps to the first node and answers FALSE.
  virtual bool next();
  // Moves to the previous node; TRUE when that is the end sentinel (it wraps
  // there from the first node).
  virtual bool prev();
  // Moves onto other's node.
  virtual void goto_cMegaCursorGeneric(cMegaCursorGeneric* other);
  // Makes list the owner when the cursor's node is in it; answers whether it did.
  virtual bool setOwner(cMegaListGeneric* list);
  virtual cMegaListGeneric* getOwner() { return owner; }
  // A new cursor of the owner's cursor class on the same node.
  virtual cMegaCursorGeneric* clone(int32_t removedThenPolicy, int32_t followWhenPolicy);
  virtual bool isOnSameNodeAs(cMegaCursorGeneric* other);
  virtual bool isOnSameNodeAndListAs(cMegaCursorGeneric* other);
  virtual int32_t infoIfRemovedThen() { return removedThen; }
  virtual int32_t infoFollowWhen() { return followWhen; }
  virtual oMegaNode* infoMiniNode() { return node; }
  virtual cMegaMiniList* infoMiniList();

  // Removes this cursor's node up to, not including, toCursor's node (NIL:
  // this node alone). Cursors on the removed nodes move by their removedThen;
  // an override other than REMOVED_NO_OVERRIDE replaces this cursor's own
  // policy for the call. remove returns the removed nodes as a floating ring
  // (NIL for an empty range); destroy ends them.
  virtual void destroy(cMegaCursorGeneric* toCursor = nullptr, int32_t removedThenOverride = REMOVED_NO_OVERRIDE);
  virtual oMegaNode* remove_cMegaCursorGeneric(cMegaCursorGeneric* toCursor = nullptr,
                                              int32_t removedThenOverride = REMOVED_NO_OVERRIDE);
  virtual oMegaNode* removeRange(cMegaCursorGeneric* toCursor, int32_t removedThenOverride, bool destroyMode);

  // Link a floating ring before / after the cursor's node. The cursors on that
  // node that follow such an insertion (this one included) move onto the first
  // inserted node; after the list's end node they move onto the new end node,
  // the ring's last. NIL inserts nothing.
  virtual void beforeInsert(oMegaNode* floating);
  virtual void afterInsert(oMegaNode* floating);

  // Searches the list, taken as sorted by comparator, for the floating node's
  // place (see the .cpp); TRUE when an equal node was met.
  virtual bool sortedFind(oMegaNode* floating, fCompareMegaNodes* comparator);
  // sortedFind, then beforeInsert.
  virtual void sortedInsert(oMegaNode* floating, fCompareMegaNodes* comparator);

  // Stores a new data word; keepOld TRUE returns the old one, otherwise the
  // old data is ended by the owner's rule and 0 returned.
  virtual intptr_t writeUngeneric(intptr_t data, bool keepOld);

  // TRUE when node is the list's first node or follows it before the end
  // sentinel; the sentinel counts only when the list is empty.
  static bool node_isInList(oMegaNode* node, cMegaListGeneric* list);

 protected:
  // TRUE for the list's infoStart and infoPastEnd cursors.
  bool isListsOwnCursor() const;
  // Misuse checks: a detached cursor, and a list's own cursor asked to move.
  void requireNode(const char* operation) const;
  void requireMovable(const char* operation) const;
  // Moves to another node without any checks.
  void moveTo(oMegaNode* target);
  bool stepNext();
  bool stepPrev();
  bool findSorted(oMegaNode* floating, fCompareMegaNodes* comparator);
  void insertFollowing(oMegaNode* floating, bool before);
};
