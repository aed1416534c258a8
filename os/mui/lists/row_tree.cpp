#include "os/mui/lists/row_tree.h"

#include <algorithm>

namespace mui {
namespace {
size_t sizeOf(const RowTree::Node* n) { return n ? n->size : 0; }
size_t selectedOf(const RowTree::Node* n) { return n ? n->selectedCount : 0; }

constexpr size_t NODES_PER_BLOCK = 4096;

// Row numbers of the selected rows after `after`: the first, or -1.
long firstSelectedAfter(const RowTree::Node* n, size_t offset, long after) {
  while (n && n->selectedCount) {
    const size_t here = offset + sizeOf(n->left);
    if (after < static_cast<long>(here)) {
      const long inLeft = firstSelectedAfter(n->left, offset, after);
      if (inLeft >= 0) return inLeft;
      if (n->selected) return static_cast<long>(here);
    }
    offset = here + 1;
    n = n->right;
  }
  return -1;
}

// Completes a node whose subtrees are complete: its counts, its children's
// parent links.
void finish(RowTree::Node* n) {
  n->size = 1 + sizeOf(n->left) + sizeOf(n->right);
  n->selectedCount = (n->selected ? 1 : 0) + selectedOf(n->left) + selectedOf(n->right);
  if (n->left) n->left->parent = n;
  if (n->right) n->right->parent = n;
}
}  // namespace

RowTree::~RowTree() = default;  // the blocks hold every node

uint32_t RowTree::nextPriority() {
  // xorshift: any spread of priorities keeps the tree balanced on average.
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  return seed_;
}

void RowTree::update(Node* n) {
  n->size = 1 + sizeOf(n->left) + sizeOf(n->right);
  n->selectedCount = (n->selected ? 1 : 0) + selectedOf(n->left) + selectedOf(n->right);
  if (n->left) n->left->parent = n;
  if (n->right) n->right->parent = n;
}

RowTree::Node* RowTree::merge(Node* a, Node* b) {
  if (!a) return b;
  if (!b) return a;
  if (a->priority > b->priority) {
    a->right = merge(a->right, b);
    update(a);
    return a;
  }
  b->left = merge(a, b->left);
  update(b);
  return b;
}

void RowTree::split(Node* n, size_t count, Node*& first, Node*& rest) {
  if (!n) {
    first = rest = nullptr;
    return;
  }
  if (sizeOf(n->left) >= count) {
    split(n->left, count, first, n->left);
    update(n);
    rest = n;
  } else {
    split(n->right, count - sizeOf(n->left) - 1, n->right, rest);
    update(n);
    first = n;
  }
}

RowTree::Node* RowTree::after(const Node* node) {
  if (node->right) {
    const Node* n = node->right;
    while (n->left) n = n->left;
    return const_cast<Node*>(n);
  }
  while (node->parent && node->parent->right == node) node = node->parent;
  return node->parent;
}

RowTree::Node* RowTree::before(const Node* node) {
  if (node->left) {
    const Node* n = node->left;
    while (n->right) n = n->right;
    return const_cast<Node*>(n);
  }
  while (node->parent && node->parent->left == node) node = node->parent;
  return node->parent;
}

RowTree::Node* RowTree::at(size_t row) const {
  if (finger_) {
    Node* near = nullptr;
    if (row == fingerRow_)
      near = finger_;
    else if (row == fingerRow_ + 1)
      near = after(finger_);
    else if (row + 1 == fingerRow_)
      near = before(finger_);
    if (near) {
      finger_ = near;
      fingerRow_ = row;
      return near;
    }
  }
  Node* n = root_;
  const size_t wanted = row;
  while (n) {
    const size_t left = sizeOf(n->left);
    if (row < left) {
      n = n->left;
    } else if (row == left) {
      finger_ = n;
      fingerRow_ = wanted;
      return n;
    } else {
      row -= left + 1;
      n = n->right;
    }
  }
  return nullptr;
}

size_t RowTree::rowOf(const Node* node) const {
  size_t row = sizeOf(node->left);
  for (const Node* n = node; n->parent; n = n->parent)
    if (n->parent->right == n) row += sizeOf(n->parent->left) + 1;
  return row;
}

RowTree::Node* RowTree::newNode(void* entry) {
  Node* node = free_;
  if (node) {
    free_ = node->right;
  } else {
    if (blocks_.empty() || blockUsed_ == NODES_PER_BLOCK) {
      blocks_.emplace_back(new Node[NODES_PER_BLOCK]);
      blockUsed_ = 0;
    }
    node = &blocks_.back()[blockUsed_++];
  }
  *node = Node{};
  node->entry = entry;
  node->priority = nextPriority();
  return node;
}

void RowTree::freeNode(Node* node) {
  node->right = free_;
  free_ = node;
}

RowTree::Node* RowTree::insertAt(size_t row, void* entry) {
  Node* node = newNode(entry);
  Node* first = nullptr;
  Node* rest = nullptr;
  split(root_, row, first, rest);
  root_ = merge(merge(first, node), rest);
  root_->parent = nullptr;
  finger_ = node;
  fingerRow_ = row < size() ? row : size() - 1;
  return node;
}

RowTree::Node* RowTree::insertSorted(void* entry, const Before& before) {
  size_t row = 0;
  for (Node* n = root_; n;) {
    if (before(entry, n->entry)) {
      n = n->left;
    } else {
      row += sizeOf(n->left) + 1;
      n = n->right;
    }
  }
  return insertAt(row, entry);
}

void RowTree::insertSortedBatch(const std::vector<void*>& entries, const Before& before) {
  // One by one costs about k log n comparisons; sorting the batch and
  // merging about k log k + n + k, and touches the rows in order.
  size_t logN = 1;
  while ((size_t{1} << logN) < size()) ++logN;
  if (entries.size() * logN < size()) {
    for (void* entry : entries) insertSorted(entry, before);
    return;
  }
  std::vector<KeyedEntry> batch = keyedEntries(entries.data(), entries.size(), before);
  // A batch handed in its order (as an update merge hands its missing
  // entries) needs no sort.
  bool ordered = true;
  for (size_t k = 1; k < batch.size() && ordered; ++k) ordered = !comesBefore(batch[k], batch[k - 1], before);
  if (!ordered) sortKeyed(batch, before);
  std::vector<Node*> nodes;
  inOrder(nodes);
  std::vector<void*> shown(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) shown[i] = nodes[i]->entry;
  const std::vector<KeyedEntry> rows = keyedEntries(shown.data(), shown.size(), before);
  std::vector<Node*> merged;
  merged.reserve(rows.size() + batch.size());
  size_t i = 0;
  for (const KeyedEntry& added : batch) {
    // After every row the new entry does not come before.
    while (i < rows.size() && !comesBefore(added, rows[i], before)) merged.push_back(nodes[i++]);
    merged.push_back(newNode(added.entry));
  }
  while (i < rows.size()) merged.push_back(nodes[i++]);
  root_ = build(merged);
  finger_ = nullptr;
}

void* RowTree::remove(Node* node) {
  // The row after a remembered row that goes takes its number.
  finger_ = finger_ == node ? after(node) : nullptr;
  // The node's place goes to its two subtrees merged; the counts above it shrink.
  Node* parent = node->parent;
  Node* joined = merge(node->left, node->right);
  if (joined) joined->parent = parent;
  if (!parent)
    root_ = joined;
  else if (parent->left == node)
    parent->left = joined;
  else
    parent->right = joined;
  // Every subtree above held the node once.
  const size_t selected = node->selected ? 1 : 0;
  for (Node* n = parent; n; n = n->parent) {
    --n->size;
    n->selectedCount -= selected;
  }
  void* entry = node->entry;
  freeNode(node);
  return entry;
}

std::vector<void*> RowTree::clear() {
  std::vector<Node*> nodes;
  inOrder(nodes);
  std::vector<void*> entries;
  entries.reserve(nodes.size());
  for (Node* n : nodes) {
    entries.push_back(n->entry);
    freeNode(n);
  }
  root_ = nullptr;
  finger_ = nullptr;
  return entries;
}

void RowTree::setSelected(Node* node, bool on) {
  if (node->selected == on) return;
  node->selected = on;
  for (Node* n = node; n; n = n->parent) {
    if (on)
      ++n->selectedCount;
    else
      --n->selectedCount;
  }
}

long RowTree::nextSelected(long row) const { return firstSelectedAfter(root_, 0, row < -1 ? -1 : row); }

void RowTree::sort(const Before& before) {
  std::vector<Node*> nodes;
  inOrder(nodes);
  std::vector<void*> entries(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) entries[i] = nodes[i]->entry;
  // The entries with their keys and places: comparing reads neither the
  // nodes nor, where the keys tell, the entries.
  std::vector<KeyedEntry> items = keyedEntries(entries.data(), entries.size(), before);
  sortKeyed(items, before);
  std::vector<Node*> sorted(nodes.size());
  for (size_t i = 0; i < items.size(); ++i) sorted[i] = nodes[items[i].index];
  root_ = build(sorted);
  finger_ = nullptr;
}

void RowTree::forEach(const std::function<void(Node*)>& visit) const {
  std::vector<Node*> nodes;
  inOrder(nodes);
  for (Node* n : nodes) visit(n);
}

void RowTree::inOrder(std::vector<Node*>& out) const {
  out.reserve(out.size() + size());
  std::vector<Node*> stack;
  for (Node* n = root_; n || !stack.empty();) {
    while (n) {
      stack.push_back(n);
      n = n->left;
    }
    n = stack.back();
    stack.pop_back();
    out.push_back(n);
    n = n->right;
  }
}

RowTree::Node* RowTree::build(const std::vector<Node*>& nodes) {
  // The nodes keep their priorities; the tree with this in-order sequence
  // and those priorities as a heap is the treap (a Cartesian tree). The
  // spine holds the right edge of the tree so far; a node leaves it once
  // its subtree is complete (its right child left just before it), so its
  // counts are made then, from nodes touched a moment ago.
  std::vector<Node*> spine;
  for (Node* node : nodes) {
    node->left = node->right = node->parent = nullptr;
    Node* last = nullptr;
    while (!spine.empty() && spine.back()->priority < node->priority) {
      last = spine.back();
      spine.pop_back();
      finish(last);
    }
    node->left = last;
    if (!spine.empty()) spine.back()->right = node;
    spine.push_back(node);
  }
  for (size_t k = spine.size(); k-- > 0;) finish(spine[k]);
  Node* root = spine.empty() ? nullptr : spine.front();
  if (root) root->parent = nullptr;
  return root;
}

}  // namespace mui
