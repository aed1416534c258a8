#include "os/mui/lists/row_tree.h"

#include <algorithm>

namespace mui {
namespace {
uint32_t sizeOf(const RowTree::Node* n) { return n ? n->size : 0; }
uint32_t selectedOf(const RowTree::Node* n) { return n ? n->selectedCount : 0; }
uint32_t rowsIn(const RowTree::Node* n) { return n->retired ? 0 : 1; }

constexpr size_t NODES_PER_BLOCK = 4096;
constexpr size_t NO_ROW = SIZE_MAX;
// How many rows ahead a walk asks for the entries, and hands an entry to
// the fetch (by then its first bytes have come).
constexpr size_t FETCH_ROWS_AHEAD = 12;
constexpr size_t FETCH_HOOK_ROWS_AHEAD = 6;

// Row numbers of the selected rows after `after`: the first, or -1.
long firstSelectedAfter(const RowTree::Node* n, size_t offset, long after) {
  while (n && n->selectedCount) {
    const size_t here = offset + sizeOf(n->left);
    if (after < static_cast<long>(here)) {
      const long inLeft = firstSelectedAfter(n->left, offset, after);
      if (inLeft >= 0) return inLeft;
      if (n->selected) return static_cast<long>(here);
    }
    offset = here + rowsIn(n);
    n = n->right;
  }
  return -1;
}

// The first and the last row of a subtree that holds rows.
RowTree::Node* firstRowIn(const RowTree::Node* n) {
  for (;;) {
    if (sizeOf(n->left))
      n = n->left;
    else if (!n->retired)
      return const_cast<RowTree::Node*>(n);
    else
      n = n->right;
  }
}
RowTree::Node* lastRowIn(const RowTree::Node* n) {
  for (;;) {
    if (sizeOf(n->right))
      n = n->right;
    else if (!n->retired)
      return const_cast<RowTree::Node*>(n);
    else
      n = n->left;
  }
}

size_t logOf(size_t n) {
  size_t log = 1;
  while ((size_t{1} << log) < n) ++log;
  return log;
}
}  // namespace

RowTree::~RowTree() = default;  // the blocks hold every node

namespace {
// A priority is a level (high bits) and a tie-break (low bits). A rebuilt
// tree gives each node the level its place has in a perfectly balanced
// tree (the number of trailing zero bits of its place counted from 1), so
// that its depth is log2 n; a new node draws its level as often as a
// balanced tree has it (half the nodes at level 0, a quarter at 1, ...), so
// new nodes settle in at the depths a balanced tree would give them.
constexpr int LEVEL_SHIFT = 27;
constexpr uint32_t TIE_BREAK = (1u << LEVEL_SHIFT) - 1;
uint32_t priorityOf(uint32_t level, uint32_t tieBreak) {
  return (level > 31 ? 31 : level) << LEVEL_SHIFT | (tieBreak & TIE_BREAK);
}
}  // namespace

uint32_t RowTree::nextPriority() {
  // xorshift for the random bits.
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  return seed_;
}

uint32_t RowTree::newPriority() {
  const uint32_t levelBits = nextPriority();
  return priorityOf(static_cast<uint32_t>(__builtin_ctz(levelBits | 0x80000000u)), nextPriority());
}

void RowTree::update(Node* n) {
  n->size = rowsIn(n) + sizeOf(n->left) + sizeOf(n->right);
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
  // A retired node goes with the rows before it.
  if (sizeOf(n->left) >= count) {
    split(n->left, count, first, n->left);
    update(n);
    rest = n;
  } else {
    split(n->right, count - sizeOf(n->left) - rowsIn(n), n->right, rest);
    update(n);
    first = n;
  }
}

RowTree::Node* RowTree::after(const Node* node) {
  if (sizeOf(node->right)) return firstRowIn(node->right);
  for (const Node* n = node; n->parent; n = n->parent) {
    const Node* p = n->parent;
    if (p->left != n) continue;
    if (!p->retired) return const_cast<Node*>(p);
    if (sizeOf(p->right)) return firstRowIn(p->right);
  }
  return nullptr;
}

RowTree::Node* RowTree::before(const Node* node) {
  if (sizeOf(node->left)) return lastRowIn(node->left);
  for (const Node* n = node; n->parent; n = n->parent) {
    const Node* p = n->parent;
    if (p->right != n) continue;
    if (!p->retired) return const_cast<Node*>(p);
    if (sizeOf(p->left)) return lastRowIn(p->left);
  }
  return nullptr;
}

void RowTree::fetchAheadOf(const Node* node) const {
  // After a rebuild the next rows' nodes follow in memory (until rows come
  // and go, when this asks for some other row's entry: no harm).
  if (node < orderedBegin_ || node >= orderedEnd_) return;
  if (node + FETCH_ROWS_AHEAD < orderedEnd_) fetchAhead(node[FETCH_ROWS_AHEAD].entry);
  // A retired node's entry may be ended already; a free node has none.
  if (fetch_ && node + FETCH_HOOK_ROWS_AHEAD < orderedEnd_ && !node[FETCH_HOOK_ROWS_AHEAD].retired)
    fetch_(fetchContext_, node[FETCH_HOOK_ROWS_AHEAD].entry);
}

void RowTree::settle() const {
  if (unsettled_.empty()) return;
  const size_t rows = size();
  if (unsettled_.size() * logOf(rows) < rows) {
    for (Node* node : unsettled_)
      for (Node* n = node; n; n = n->parent) --n->size;
  } else {
    // Most rows went: every count made anew, children before parents, costs
    // less than a walk up from each (and no node moves).
    std::vector<Node*> stack;
    const Node* done = nullptr;
    for (Node* n = root_; n || !stack.empty();) {
      if (n) {
        stack.push_back(n);
        n = n->left;
        continue;
      }
      Node* top = stack.back();
      if (top->right && top->right != done) {
        n = top->right;
        continue;
      }
      update(top);
      done = top;
      stack.pop_back();
    }
  }
  unsettled_.clear();
}

RowTree::Node* RowTree::at(size_t row) const {
  if (finger_) {
    // The remembered row and the one after it need no counts before it.
    Node* near = nullptr;
    if (row == fingerRow_) {
      near = finger_;
    } else if (row == fingerRow_ + 1) {
      near = after(finger_);
    } else if (row + 1 == fingerRow_) {
      settle();
      near = before(finger_);
    }
    if (near) {
      finger_ = near;
      fingerRow_ = row;
      fetchAheadOf(near);
      return near;
    }
  }
  settle();
  Node* n = root_;
  const size_t wanted = row;
  while (n) {
    const size_t left = sizeOf(n->left);
    if (row < left) {
      n = n->left;
    } else if (row == left && !n->retired) {
      finger_ = n;
      fingerRow_ = wanted;
      return n;
    } else {
      row -= left + rowsIn(n);
      n = n->right;
    }
  }
  return nullptr;
}

size_t RowTree::rowOf(const Node* node) const {
  settle();
  size_t row = sizeOf(node->left);
  for (const Node* n = node; n->parent; n = n->parent)
    if (n->parent->right == n) row += sizeOf(n->parent->left) + rowsIn(n->parent);
  return row;
}

RowTree::Node* RowTree::newNode(void* entry) {
  Node* node = free_;
  if (node) {
    free_ = node->right;
  } else {
    if (blocks_.empty() || blockUsed_ == blocks_.back().size()) {
      blocks_.emplace_back(NODES_PER_BLOCK);
      blockUsed_ = 0;
    }
    node = &blocks_.back()[blockUsed_++];
  }
  *node = Node{};
  node->entry = entry;
  node->priority = newPriority();
  return node;
}

void RowTree::freeNode(Node* node) {
  node->entry = nullptr;
  node->right = free_;
  free_ = node;
}

void RowTree::insertAt(size_t row, void* entry) {
  settle();
  blockIsRows_ = false;
  Node* node = newNode(entry);
  Node* first = nullptr;
  Node* rest = nullptr;
  split(root_, row, first, rest);
  root_ = merge(merge(first, node), rest);
  root_->parent = nullptr;
  finger_ = node;
  fingerRow_ = row < size() ? row : size() - 1;
}

void RowTree::insertSorted(void* entry, const Before& before) {
  // Only between rows: retired nodes are dropped first.
  purge();
  size_t row = 0;
  for (Node* n = root_; n;) {
    if (before(entry, n->entry)) {
      n = n->left;
    } else {
      row += sizeOf(n->left) + 1;
      n = n->right;
    }
  }
  insertAt(row, entry);
}

void RowTree::keepRow(std::vector<Node>& nodes, const Node* node, size_t& activeIndex) const {
  if (node == active) activeIndex = nodes.size();
  nodes.push_back(*node);
}

void RowTree::insertSortedBatch(const std::vector<KeyedEntry>& entries, const Before& before) {
  settle();
  // One by one costs about k log n comparisons; sorting the batch and
  // merging about k log k + n + k, and touches the rows in order (dropping
  // the retired nodes on the way).
  if ((entries.size() + retired_.size()) * logOf(size()) < size()) {
    for (const KeyedEntry& e : entries) insertSorted(e.entry, before);
    return;
  }
  // A batch handed in its order (as an update merge hands its missing
  // entries) needs no sort, nor a copy to sort.
  bool ordered = true;
  for (size_t k = 1; k < entries.size() && ordered; ++k) ordered = !comesBefore(entries[k], entries[k - 1], before);
  std::vector<KeyedEntry> sortedCopy;
  if (!ordered) {
    sortedCopy = entries;
    sortKeyed(sortedCopy, before);
  }
  const std::vector<KeyedEntry>& batch = ordered ? entries : sortedCopy;
  const std::vector<Node*> rows = rowNodes();
  std::vector<void*> shown(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) shown[i] = rows[i]->entry;
  const std::vector<KeyedEntry> keyed = keyedEntries(shown.data(), shown.size(), before);
  std::vector<Node> merged;
  merged.reserve(rows.size() + batch.size());
  size_t activeIndex = NO_ROW;
  size_t i = 0;
  for (const KeyedEntry& added : batch) {
    // After every row the new entry does not come before.
    while (i < rows.size() && !comesBefore(added, keyed[i], before)) keepRow(merged, rows[i++], activeIndex);
    Node node;
    node.entry = added.entry;
    node.priority = newPriority();
    merged.push_back(node);
  }
  while (i < rows.size()) keepRow(merged, rows[i++], activeIndex);
  rebuild(std::move(merged), activeIndex);
}

void RowTree::unlink(Node* node, bool counted) {
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
  if (counted) {
    const uint32_t selected = node->selected ? 1 : 0;
    for (Node* n = parent; n; n = n->parent) {
      --n->size;
      n->selectedCount -= selected;
    }
  }
  freeNode(node);
}

void* RowTree::remove(Node* node) {
  settle();
  blockIsRows_ = false;
  // The row after a remembered row that goes takes its number.
  finger_ = finger_ == node ? after(node) : nullptr;
  if (active == node) active = nullptr;
  void* entry = node->entry;
  unlink(node, true);
  return entry;
}

void* RowTree::retire(Node* node) {
  blockIsRows_ = false;
  if (node == finger_ && !node->selected) {
    // As a walk removes the row it found: the counts above wait.
    finger_ = after(node);
    if (active == node) active = nullptr;
    node->retired = true;
    unsettled_.push_back(node);
    retired_.push_back(node);
    return node->entry;
  }
  settle();
  finger_ = finger_ == node ? after(node) : nullptr;
  if (active == node) active = nullptr;
  const bool selected = node->selected;
  node->retired = true;
  node->selected = false;
  // Most rows an update removes are not selected: their walk up touches
  // the row counts alone.
  if (selected) {
    for (Node* n = node; n; n = n->parent) {
      --n->size;
      --n->selectedCount;
    }
  } else {
    for (Node* n = node; n; n = n->parent) --n->size;
  }
  retired_.push_back(node);
  return node->entry;
}

void RowTree::purge() {
  settle();
  if (retired_.empty()) return;
  if (retired_.size() * logOf(size()) < size()) {
    // No row changes its number: the remembered row stays.
    for (Node* node : retired_) unlink(node, false);
    retired_.clear();
    return;
  }
  const std::vector<Node*> rows = rowNodes();
  std::vector<Node> kept;
  kept.reserve(rows.size());
  size_t activeIndex = NO_ROW;
  for (const Node* n : rows) keepRow(kept, n, activeIndex);
  rebuild(std::move(kept), activeIndex);
}

std::vector<void*> RowTree::clear() {
  std::vector<void*> entries;
  entries.reserve(size());
  for (const Node* n : rowNodes()) entries.push_back(n->entry);
  root_ = nullptr;
  finger_ = nullptr;
  active = nullptr;
  unsettled_.clear();
  blocks_.clear();
  blockUsed_ = 0;
  free_ = nullptr;
  orderedBegin_ = orderedEnd_ = nullptr;
  blockIsRows_ = false;
  retired_.clear();
  return entries;
}

void RowTree::setSelected(Node* node, bool on) {
  settle();
  if (node->selected == on) return;
  node->selected = on;
  for (Node* n = node; n; n = n->parent) {
    if (on)
      ++n->selectedCount;
    else
      --n->selectedCount;
  }
}

long RowTree::nextSelected(long row) const {
  settle();
  return firstSelectedAfter(root_, 0, row < -1 ? -1 : row);
}

namespace {
// The order of rows by their nodes' entries: a sort keeps the nodes with
// the keys, and finds its rows by them afterwards.
bool nodesBefore(const void* context, void* a, void* b) {
  return (*static_cast<const RowTree::Before*>(context))(static_cast<RowTree::Node*>(a)->entry,
                                                         static_cast<RowTree::Node*>(b)->entry);
}
}  // namespace

void RowTree::sort(const Before& before) {
  settle();
  const std::vector<Node*> rows = rowNodes();
  std::vector<void*> entries(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) entries[i] = rows[i]->entry;
  // The entries with their keys: comparing reads neither the nodes nor,
  // where the keys tell, the entries.
  // A sort most often follows a change of the sort column: every key is
  // made anew from its label, asked for ahead with the fetch.
  std::vector<KeyedEntry> items = keyedEntries(entries.data(), entries.size(), before, fetch_, fetchContext_);
  for (size_t i = 0; i < items.size(); ++i) items[i].entry = rows[i];
  RowOrder byNodes;
  byNodes.test = nodesBefore;
  byNodes.context = &before;
  sortKeyed(items, byNodes);
  std::vector<Node> sorted;
  sorted.reserve(rows.size());
  size_t activeIndex = NO_ROW;
  for (const KeyedEntry& item : items) keepRow(sorted, static_cast<Node*>(item.entry), activeIndex);
  rebuild(std::move(sorted), activeIndex);
}

void RowTree::forEach(const std::function<void(Node*)>& visit) const {
  settle();
  for (Node* n : rowNodes()) visit(n);
}

std::vector<RowTree::Node*> RowTree::rowNodes() const {
  std::vector<Node*> out;
  out.reserve(size());
  // Untouched since a rebuild: the block holds the rows in their order.
  if (blockIsRows_) {
    for (const Node* n = orderedBegin_; n < orderedEnd_; ++n) out.push_back(const_cast<Node*>(n));
    return out;
  }
  std::vector<Node*> stack;
  for (Node* n = root_; n || !stack.empty();) {
    while (n) {
      stack.push_back(n);
      n = n->left;
    }
    n = stack.back();
    stack.pop_back();
    if (!n->retired) out.push_back(n);
    n = n->right;
  }
  return out;
}

void RowTree::rebuild(std::vector<Node>&& nodes, size_t activeIndex) {
  // Every row's node is in `nodes`: the old blocks hold nothing of use.
  blocks_.clear();
  free_ = nullptr;
  retired_.clear();
  unsettled_.clear();
  finger_ = nullptr;
  blocks_.push_back(std::move(nodes));
  std::vector<Node>& block = blocks_.back();
  blockUsed_ = block.size();
  orderedBegin_ = block.data();
  orderedEnd_ = block.data() + block.size();
  blockIsRows_ = true;
  active = activeIndex < block.size() ? &block[activeIndex] : nullptr;
  // The nodes take the priorities of their places; the tree with this
  // in-order sequence and those priorities as a heap is the treap (a
  // Cartesian tree), balanced. The
  // spine holds the right edge of the tree so far; a node leaves it once
  // its subtree is complete (its right child left just before it), so its
  // counts are made then, from nodes touched a moment ago.
  std::vector<Node*> spine;
  for (size_t i = 0; i < block.size(); ++i) {
    Node& node = block[i];
    node.priority = priorityOf(static_cast<uint32_t>(__builtin_ctzll(i + 1)), nextPriority());
    node.left = node.right = node.parent = nullptr;
    node.retired = false;
    Node* last = nullptr;
    while (!spine.empty() && spine.back()->priority < node.priority) {
      last = spine.back();
      spine.pop_back();
      update(last);
    }
    node.left = last;
    if (!spine.empty()) spine.back()->right = &node;
    spine.push_back(&node);
  }
  for (size_t k = spine.size(); k-- > 0;) update(spine[k]);
  root_ = spine.empty() ? nullptr : spine.front();
  if (root_) root_->parent = nullptr;
}

}  // namespace mui
