// The rows of a list, held in a balanced tree ordered by position (a treap
// whose nodes know the number of rows in their subtree). Finding, inserting
// and removing a row by its number, the number of a row's node, and the
// next selected row all cost O(log n), so a list of 100,000 rows can lose or
// gain most of its rows in one go without moving the others one by one.
//
// The tree remembers the last row it found: the row after it or before it
// is one step away, so walking the rows in order by their numbers (as a
// program reads a list, or removes rows as it walks) costs O(1) per row.
//
// Many changes at once go in one pass: rows retired one after the other
// stay in the tree as empty nodes (no node moves, so each costs a walk up
// its parents), a sorted batch is merged with the rows in one pass, and the
// tree is rebuilt in O(n). A rebuild lays the nodes out in memory in row
// order, so that walking the rows reads memory in order and the entries of
// the rows ahead are asked for before they are needed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "os/mui/lists/row_order.h"

namespace mui {

class RowTree {
 public:
  // 48 bytes: walks and rebuilds of a long list read and write every node.
  struct Node {
    void* entry = nullptr;
    Node* left = nullptr;
    Node* right = nullptr;
    Node* parent = nullptr;
    uint32_t size = 1;           // rows in this subtree (retired nodes are none)
    uint32_t selectedCount = 0;  // selected rows in this subtree
    uint32_t priority = 0;
    bool selected = false;
    bool retired = false;  // out of the rows (its entry is no longer the tree's)
  };
  // a before b, by the compare hook and the sort keys where the list has them.
  using Before = RowOrder;

  RowTree() = default;
  RowTree(const RowTree&) = delete;
  RowTree& operator=(const RowTree&) = delete;
  ~RowTree();

  // The node of the active row (NIL: none). It follows its row through
  // every change; a node is valid only until the tree next changes, this one
  // excepted.
  Node* active = nullptr;

  // (Each retired node the counts above still hold is one row fewer.)
  size_t size() const { return root_ ? root_->size - unsettled_.size() : 0; }
  size_t selectedCount() const { return root_ ? root_->selectedCount : 0; }
  // The node of row `row`; NIL when there is no such row.
  Node* at(size_t row) const;
  // The node of the next or the previous row; NIL at the end.
  static Node* after(const Node* node);
  static Node* before(const Node* node);
  // The row number of a node of a row of this tree.
  size_t rowOf(const Node* node) const;

  // A new row before row `row` (at the end when row >= size).
  void insertAt(size_t row, void* entry);
  // New rows for the entries (with their keys as the order makes them), each
  // at its sorted place as they would go one after the other: after every
  // row that does not come after it, so equal entries keep their order. A
  // large batch is sorted on its own and merged with the rows in one pass.
  void insertSortedBatch(const std::vector<KeyedEntry>& entries, const Before& before);
  // Takes the node's row out; answers its entry.
  void* remove(Node* node);
  // The same, leaving the node in the tree until purge: for many rows taken
  // out in a row.
  void* retire(Node* node);
  // Drops the nodes retire left: one by one when they are few, else in one
  // rebuild.
  void purge();
  // Takes every row out, first to last; answers their entries.
  std::vector<void*> clear();

  void setSelected(Node* node, bool on);
  // The first selected row after `row` (-1: from the start), or -1.
  long nextSelected(long row) const;

  // Puts the rows in order, stably: by their keys where every row has one,
  // the compare hook ordering rows whose keys tie; otherwise by a merge sort
  // (a comparison that is not consistent gives some order, never a crash or
  // an endless loop). Rows keep their entries and selection.
  void sort(const Before& before);

  // Calls visit(node) for every row in order.
  void forEach(const std::function<void(Node*)>& visit) const;

  // What a walk through the rows in order calls for an entry a few rows
  // ahead, whose first bytes it asked for a few rows before (NIL: nothing).
  using Fetch = void (*)(const void* context, void* entry);
  void fetchWith(Fetch fetch, const void* context) {
    fetch_ = fetch;
    fetchContext_ = context;
  }

 private:
  Node* root_ = nullptr;
  uint32_t seed_ = 0x2545f491u;
  // Nodes come from blocks the tree keeps until the next rebuild, and go
  // back to a free chain (through their `right` link): filling and emptying
  // a long list then costs no allocation per row. A rebuild makes one block
  // of every row's node, in row order (from orderedBegin_ to orderedEnd_).
  std::vector<std::vector<Node>> blocks_;
  size_t blockUsed_ = 0;
  Node* free_ = nullptr;
  const Node* orderedBegin_ = nullptr;
  const Node* orderedEnd_ = nullptr;
  bool blockIsRows_ = false;  // no row came, went or moved since the rebuild
  std::vector<Node*> retired_;
  // Retired nodes whose parents still count them: a walk that removes row
  // after row (each the row it found last) leaves the counts above each
  // removed node as they were, and the next row is found from the removed
  // one. Every such node lies before the remembered row, so the counts of
  // the rows after it are right; anything else first puts all counts right.
  mutable std::vector<Node*> unsettled_;
  void settle() const;
  // The row found last (NIL: none known); every change of the rows' order
  // forgets it or moves it with its row.
  mutable Node* finger_ = nullptr;
  mutable size_t fingerRow_ = 0;
  Fetch fetch_ = nullptr;
  const void* fetchContext_ = nullptr;

  uint32_t nextPriority();  // random bits
  uint32_t newPriority();   // a new node's
  Node* newNode(void* entry);
  void freeNode(Node* node);
  static void update(Node* n);
  static Node* merge(Node* a, Node* b);
  // Splits into the first `count` rows and the rest.
  static void split(Node* n, size_t count, Node*& first, Node*& rest);
  // A new row after every row that does not come after it.
  void insertSorted(void* entry, const Before& before);
  // Takes the node out of the tree; counted: its row is still counted.
  void unlink(Node* node, bool counted);
  // The nodes of the rows, in order.
  std::vector<Node*> rowNodes() const;
  // Appends a copy of a row's node for a rebuild; the active node's place
  // goes to activeIndex.
  void keepRow(std::vector<Node>& nodes, const Node* node, size_t& activeIndex) const;
  // Makes the tree of these nodes, in this order, by their priorities, in
  // O(n); they become the tree's only block, nodes[activeIndex] the active
  // node (none when past the end).
  void rebuild(std::vector<Node>&& nodes, size_t activeIndex);
  // Asks for the entries of the rows a walk from node meets next, and hands
  // the entry of a nearer one, asked for before, to the fetch.
  void fetchAheadOf(const Node* node) const;
};

}  // namespace mui
