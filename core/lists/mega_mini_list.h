// The node store of a mega list: a mini list whose nodes also carry the chain
// of cursors sitting on them. Its node hooks forward to the owning mega list,
// so that the list decides what a node's data is and how it ends.
#pragma once
#include "core/lists/mini_list.h"

class cMegaCursorGeneric;
class cMegaListGeneric;

struct oMegaNode : oMiniNode {
  cMegaCursorGeneric* cursors;  // head of the chain of cursors on this node
};

class cMegaMiniList : public cMiniList {
  LUDEX_CLASS(cMegaMiniList, cMiniList)
 public:
  cMegaListGeneric* owner = nullptr;

  // A view of the same class with the same owner (the mega list that asks for
  // a subset sets its own).
  cMiniList* make_cMiniList() override;

  oMiniNode* node_make() override;
  oMiniNode* node_new(oMiniNode* node, intptr_t value) override;
  void node_endData(intptr_t value) override;
  // Ends the node's data and lets the owner end the node; every cursor still
  // on the node is then detached (node NIL) and the record is freed.
  void node_endNode(oMiniNode* node) override;
  // Copies the node, moves the owner's cursors from the old node onto the copy
  // and lets the owner finish the copy.
  oMiniNode* node_clone(oMiniNode* node) override;
  intptr_t node_isolateDataFromSharing(oMiniNode* node) override;

  // A mega list's bounds are its infoStart and infoPastEnd cursors, which
  // follow every change made through any view of the chain. Sets the start and
  // end of every view of this chain from its list's cursors, so that each
  // store answers for its list's range after a change made through another;
  // called when a change moved a list's own cursor, the only way a bound moves.
  void takeBoundsFromLists();
};
