#include "os/mui/row_tree.h"

#include <algorithm>

namespace mui {
namespace {
size_t sizeOf(const RowTree::Node* n) { return n ? n->size : 0; }
size_t selectedOf(const RowTree::Node* n) { return n ? n->selectedCount : 0; }

void destroy(RowTree::Node* n) {
  if (!n) return;
  destroy(n->left);
  destroy(n->right);
  delete n;
}

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

// Sizes and counts from the leaves up, after build linked the nodes.
void fixUp(RowTree::Node* n) {
  if (!n) return;
  fixUp(n->left);
  fixUp(n->right);
  n->size = 1 + sizeOf(n->left) + sizeOf(n->right);
  n->selectedCount = (n->selected ? 1 : 0) + selectedOf(n->left) + selectedOf(n->right);
  if (n->left) n->left->parent = n;
  if (n->right) n->right->parent = n;
}
}  // namespace

RowTree::~RowTree() { destroy(root_); }

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

RowTree::Node* RowTree::at(size_t row) const {
  Node* n = root_;
  while (n) {
    const size_t left = sizeOf(n->left);
    if (row < left) {
      n = n->left;
    } else if (row == left) {
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

RowTree::Node* RowTree::insertAt(size_t row, void* entry) {
  Node* node = new Node;
  node->entry = entry;
  node->priority = nextPriority();
  Node* first = nullptr;
  Node* rest = nullptr;
  split(root_, row, first, rest);
  root_ = merge(merge(first, node), rest);
  root_->parent = nullptr;
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

void* RowTree::remove(Node* node) {
  const size_t row = rowOf(node);
  Node* first = nullptr;
  Node* middle = nullptr;
  Node* rest = nullptr;
  split(root_, row, first, rest);
  split(rest, 1, middle, rest);
  root_ = merge(first, rest);
  if (root_) root_->parent = nullptr;
  void* entry = middle->entry;
  delete middle;
  return entry;
}

std::vector<void*> RowTree::clear() {
  std::vector<Node*> nodes;
  inOrder(nodes);
  std::vector<void*> entries;
  entries.reserve(nodes.size());
  for (Node* n : nodes) {
    entries.push_back(n->entry);
    delete n;
  }
  root_ = nullptr;
  return entries;
}

void RowTree::setSelected(Node* node, bool on) {
  if (node->selected == on) return;
  node->selected = on;
  for (Node* n = node; n; n = n->parent)
    n->selectedCount = (n->selected ? 1 : 0) + selectedOf(n->left) + selectedOf(n->right);
}

long RowTree::nextSelected(long row) const { return firstSelectedAfter(root_, 0, row < -1 ? -1 : row); }

void RowTree::sort(const Before& before) {
  std::vector<Node*> nodes;
  inOrder(nodes);
  // Bottom-up merge sort: each pass merges neighbouring runs; the right
  // run's node goes first only when it strictly comes before the left's.
  std::vector<Node*> merged(nodes.size());
  for (size_t width = 1; width < nodes.size(); width *= 2) {
    for (size_t lo = 0; lo < nodes.size(); lo += 2 * width) {
      const size_t mid = std::min(lo + width, nodes.size());
      const size_t hi = std::min(lo + 2 * width, nodes.size());
      size_t i = lo, j = mid, out = lo;
      while (i < mid && j < hi) merged[out++] = before(nodes[j]->entry, nodes[i]->entry) ? nodes[j++] : nodes[i++];
      while (i < mid) merged[out++] = nodes[i++];
      while (j < hi) merged[out++] = nodes[j++];
    }
    nodes.swap(merged);
  }
  root_ = build(nodes);
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
  // and those priorities as a heap is the treap (a Cartesian tree).
  std::vector<Node*> spine;
  for (Node* node : nodes) {
    node->left = node->right = node->parent = nullptr;
    Node* last = nullptr;
    while (!spine.empty() && spine.back()->priority < node->priority) {
      last = spine.back();
      spine.pop_back();
    }
    node->left = last;
    if (!spine.empty()) spine.back()->right = node;
    spine.push_back(node);
  }
  Node* root = spine.empty() ? nullptr : spine.front();
  fixUp(root);
  if (root) root->parent = nullptr;
  return root;
}

}  // namespace mui
