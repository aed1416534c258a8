// Sorting a mega list in place: a stable bottom-up merge sort that relinks
// nodes instead of copying their data, so that every cursor stays on its node
// while the nodes move.
//
// Each pass takes the nodes from the front of the list, run by run, and puts
// them back before the end sentinel in merged order; the first node put back
// marks where the rebuilt part begins. Runs are 1, 2, 4 ... nodes long; a pass
// whose first merge takes every node leaves the list sorted.
//
// The nodes are relinked directly, not removed and inserted through cursors:
// no cursor's removal or follow policy applies, so every cursor keeps its node
// (except the infoStart cursors, which go to the new first node). A node is
// never out of the list while the comparator runs, so a comparator that fails
// leaves every node in the list.
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/lists/mega_compare.h"
#include "core/lists/mega_list.h"

namespace {

oMegaNode* mega(oMiniNode* node) { return static_cast<oMegaNode*>(node); }

// Moves node to stand just before at.
void relinkBefore(oMiniNode* node, oMiniNode* at) {
  node->prev->next = node->next;
  node->next->prev = node->prev;
  node->prev = at->prev;
  node->next = at;
  at->prev->next = node;
  at->prev = node;
}

// One merge sort of the nodes between head and sentinel (both excluded).
void mergeSortNodes(oMiniNode* head, oMiniNode* sentinel, cMegaMiniList* store, fCompareMegaNodes* comparator) {
  for (size_t runLength = 1;; runLength *= 2) {
    oMiniNode* rebuilt = sentinel;  // the first node put back in this pass
    // The unsorted part runs from head->next up to the rebuilt part, which is
    // the sentinel itself until the first node has been put back.
    auto atEnd = [&](oMiniNode* n) { return n == rebuilt || n == sentinel; };
    oMiniNode* a = head->next;
    bool firstMerge = true;
    for (;;) {
      oMiniNode* b = a;
      size_t left = 0;
      while (left < runLength && !atEnd(b)) {
        b = b->next;
        ++left;
      }
      size_t right = runLength;
      while (left > 0 || (right > 0 && !atEnd(b))) {
        oMiniNode* taken;
        // On a tie the left node goes first: the sort is stable.
        if (left == 0 || (right > 0 && !atEnd(b) && comparator->call(store, mega(a), mega(b)) < 0)) {
          taken = b;
          b = b->next;
          --right;
        } else {
          taken = a;
          a = a->next;
          --left;
        }
        relinkBefore(taken, sentinel);
        if (rebuilt == sentinel) rebuilt = taken;
      }
      if (atEnd(b)) {
        if (firstMerge) return;
        break;
      }
      a = b;  // the next left run starts where this right run ended
      firstMerge = false;
    }
  }
}

}  // namespace

void cMegaListGeneric::sort(fCompareMegaNodes* comparator) {
  if (!comparator) Throw("EMU", "cMegaListGeneric.sort(); compareFunction=NIL");
  if (infoIsEmpty()) return;
  oMegaNode* const oldFirst = startCursor->node;
  oMiniNode* const head = oldFirst->prev;  // stays put: it is outside the range
  oMiniNode* const sentinel = pastEndCursor->node;

  // The lists that share these nodes keep their start on the new first node.
  auto settleStart = [&] {
    oMegaNode* const newFirst = mega(head->next);
    if (newFirst == oldFirst) return;
    cMiniListGeneric* view = store;
    do {
      cMegaListGeneric* list = static_cast<cMegaMiniList*>(view)->owner;
      if (list && list->startCursor && list->startCursor->node == oldFirst) list->startCursor->moveTo(newFirst);
      if (view->start == oldFirst) view->start = newFirst;
      view = view->nextList;
    } while (view && view != store);
  };
  WithCleanUp([&] { mergeSortNodes(head, sentinel, store, comparator); },
              [&] {
                settleStart();
                if (store->root) store->root->noteChange();
              });
}
