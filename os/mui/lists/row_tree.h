// The rows of a list, held in a balanced tree ordered by position (a treap
// whose nodes know the size of their subtree). Finding, inserting and
// removing a row by its number, the number of a row's node, and the next
// selected row all cost O(log n), so a list of 100,000 rows can lose or gain
// most of its rows in one go without moving the others one by one. A node
// stays the same while rows come and go around it, which is how the active
// row follows its entry.
//
// The tree remembers the last row it found: the row after it or before it
// is one step away, so walking the rows in order by their numbers (as a
// program reads a list, or removes rows as it walks) costs O(1) per row.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "os/mui/lists/row_order.h"

namespace mui {

class RowTree {
 public:
  struct Node {
    void* entry = nullptr;
    bool selected = false;
    Node* left = nullptr;
    Node* right = nullptr;
    Node* parent = nullptr;
    uint32_t priority = 0;
    size_t size = 1;           // nodes in this subtree
    size_t selectedCount = 0;  // selected nodes in this subtree
  };
  // a before b, by the compare hook and the sort keys where the list has them.
  using Before = RowOrder;

  RowTree() = default;
  RowTree(const RowTree&) = delete;
  RowTree& operator=(const RowTree&) = delete;
  ~RowTree();

  size_t size() const { return root_ ? root_->size : 0; }
  size_t selectedCount() const { return root_ ? root_->selectedCount : 0; }
  // The node of row `row`; NIL when there is no such row.
  Node* at(size_t row) const;
  // The node of the next or the previous row; NIL at the end.
  static Node* after(const Node* node);
  static Node* before(const Node* node);
  // The row number of a node of this tree.
  size_t rowOf(const Node* node) const;

  // A new row before row `row` (at the end when row >= size).
  Node* insertAt(size_t row, void* entry);
  // A new row after every row that does not come after it (equal rows keep
  // the order they were inserted in).
  Node* insertSorted(void* entry, const Before& before);
  // New rows for the entries, each at its sorted place as insertSorted
  // would put them one after the other (equal entries keep their order). A
  // large batch is sorted on its own and merged with the rows in one pass,
  // by the entries' keys where they have them.
  void insertSortedBatch(const std::vector<void*>& entries, const Before& before);
  // Takes the node's row out; answers its entry.
  void* remove(Node* node);
  // Takes every row out, first to last; answers their entries.
  std::vector<void*> clear();

  void setSelected(Node* node, bool on);
  // The first selected row after `row` (-1: from the start), or -1.
  long nextSelected(long row) const;

  // Puts the rows in order, stably: by their keys where every row has one,
  // the compare hook ordering rows whose keys tie; otherwise by a merge sort
  // (a comparison that is not consistent gives some order, never a crash or
  // an endless loop). Nodes keep their entries and selection.
  void sort(const Before& before);

  // Calls visit(node) for every row in order.
  void forEach(const std::function<void(Node*)>& visit) const;

 private:
  Node* root_ = nullptr;
  uint32_t seed_ = 0x2545f491u;
  // Nodes come from blocks the tree keeps until it ends, and go back to a
  // free chain (through their `right` link): filling and emptying a long
  // list then costs no allocation per row.
  std::vector<std::unique_ptr<Node[]>> blocks_;
  // The row found last (NIL: none known); every change of the rows' order
  // forgets it or moves it with its row.
  mutable Node* finger_ = nullptr;
  mutable size_t fingerRow_ = 0;
  size_t blockUsed_ = 0;
  Node* free_ = nullptr;

  uint32_t nextPriority();
  Node* newNode(void* entry);
  void freeNode(Node* node);
  static void update(Node* n);
  static Node* merge(Node* a, Node* b);
  // Splits into the first `count` rows and the rest.
  static void split(Node* n, size_t count, Node*& first, Node*& rest);
  void inOrder(std::vector<Node*>& out) const;
  // A tree of the nodes in this order, by their priorities, in O(n): each
  // node's counts are made as its subtree is completed.
  static Node* build(const std::vector<Node*>& nodes);
};

}  // namespace mui
