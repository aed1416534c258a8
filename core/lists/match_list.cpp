#include "core/lists/match_list.h"

void matchNode::new_matchNode(intptr_t a, intptr_t b, intptr_t c) {
  first = a;
  second = b;
  third = c;
}

void matchNode::end_class() {
  // Ends the nodes after this one one by one, without recursing down the chain.
  matchNode* node = next;
  next = nullptr;
  while (node) {
    matchNode* after = node->next;
    node->next = nullptr;
    End(node);
    node = after;
  }
  class_base::end_class();
}

void matchList::end_class() {
  End(firstNode);
  lastNode = nullptr;
  class_base::end_class();
}

void matchList::append(intptr_t a, intptr_t b, intptr_t c) {
  auto* node = new matchNode;
  node->new_matchNode(a, b, c);
  if (lastNode) lastNode->next = node; else firstNode = node;
  lastNode = node;
}
