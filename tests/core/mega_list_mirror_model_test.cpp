// Random changes made to one chain of nodes through a list and its mirrors,
// each checked right after it against a plain model: the chain as a sequence
// of node ids, the rings taken out of it, and the node, owner and policies of
// every cursor (the lists' own cursors included). Every node holds its id, so
// the model names the real nodes by their values.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_module.h"
#include "core/lists/mega_list_types.h"

namespace {

using Id = intptr_t;
constexpr Id DETACHED = -1;

struct ModelCursor {
  cMegaList* owner;
  Id node;  // DETACHED once its node was ended
  int32_t removedThen;
  int32_t followWhen;
  bool own;  // a list's infoStart or infoPastEnd
};

class MirroredChain {
 public:
  explicit MirroredChain(uint32_t seed) : random_(seed) {
    auto* list = new cMegaList;
    list->new_cMegaListGeneric(false, nullptr);
    nodes_[0] = list->infoPastEnd()->infoMiniNode();  // the end node holds 0
    chain_ = {0};
    addView(list, 0, 0, false);
  }

  // Ends every cursor, every ring taken out and every list.
  ~MirroredChain() {
    for (auto it = cursors_.begin(); it != cursors_.end();) {
      if (it->second.own) {
        ++it;
      } else {
        cMegaCursorGeneric* c = it->first;
        End(c);
        it = cursors_.erase(it);
      }
    }
    for (const auto& ring : floating_) views_.front()->destroyNode(nodes_.at(ring.front()));
    for (cMegaList* view : views_) End(view);
  }

  // One random change, made to the lists and to the model; what it was is in
  // lastStep, and any difference in what the call answered is in failure.
  void step() {
    struct Change {
      int weight;
      void (MirroredChain::*make)();
    };
    static const Change changes[] = {
        {20, &MirroredChain::insertNewRing},  {8, &MirroredChain::insertTakenRing},
        {18, &MirroredChain::removeRange},    {14, &MirroredChain::walk},
        {8, &MirroredChain::cloneCursor},     {4, &MirroredChain::endCursor},
        {5, &MirroredChain::gotoCursor},      {4, &MirroredChain::changeOwner},
        {3, &MirroredChain::sortView},        {4, &MirroredChain::addMirror},
        {2, &MirroredChain::endView},         {3, &MirroredChain::destroyTakenRing},
        {2, &MirroredChain::flipDestroyRule},
    };
    int total = 0;
    for (const Change& c : changes) total += c.weight;
    int roll = static_cast<int>(random_() % total);
    for (const Change& c : changes) {
      if (roll < c.weight) {
        lastStep = "(nothing)";
        (this->*c.make)();
        return;
      }
      roll -= c.weight;
    }
  }

  // The first difference between the lists and the model; empty when none.
  std::string mismatch() const {
    if (std::string ring = compareRing(chain_, "the chain"); !ring.empty()) return ring;
    for (const auto& ring : floating_)
      if (std::string r = compareRing(ring, "a ring taken out"); !r.empty()) return r;
    std::map<Id, std::set<cMegaCursorGeneric*>> expectedOn;
    for (const auto& [real, m] : cursors_) {
      const oMegaNode* expected = m.node == DETACHED ? nullptr : nodes_.at(m.node);
      if (real->infoMiniNode() != expected)
        return "a cursor stands on " + describe(real->infoMiniNode()) + ", not on " + describe(expected);
      if (real->getOwner() != m.owner) return "a cursor has another owner";
      if (m.node != DETACHED) expectedOn[m.node].insert(real);
    }
    for (const auto& [id, node] : nodes_) {
      std::set<cMegaCursorGeneric*> on;
      const cMegaCursorGeneric* before = nullptr;
      for (cMegaCursorGeneric* c = node->cursors; c; c = c->nextCursor) {
        if (c->prevCursor != before || !on.insert(c).second)
          return "node " + std::to_string(id) + "'s cursor chain is broken";
        before = c;
      }
      if (on != expectedOn[id]) return "node " + std::to_string(id) + " knows other cursors than stand on it";
    }
    for (cMegaList* view : views_) {
      const std::vector<Id> expected = members(view);
      std::vector<Id> seen;
      const oMiniNode* pastEnd = view->infoPastEnd()->infoMiniNode();
      for (const oMiniNode* n = view->infoStart()->infoMiniNode(); n != pastEnd && seen.size() <= nodes_.size();
           n = n->next)
        seen.push_back(n->data);
      if (seen != expected) return "a view reads " + text(seen) + ", not " + text(expected);
      if (view->infoIsEmpty() != expected.empty()) return "a view answers the wrong emptiness";
      const cMegaMiniList* store = view->infoMiniList();
      if (store->start != view->infoStart()->infoMiniNode() || store->end != pastEnd)
        return "a view's node store has other bounds than its list";
    }
    return "";
  }

  std::string lastStep;
  std::string failure;  // what a call answered differently from the model

 private:
  // ------------------------------------------------------------ the model

  // The place of id in the chain; the chain's length when it is not there.
  size_t indexOf(Id id) const {
    if (places_.empty())
      for (size_t i = 0; i < chain_.size(); ++i) places_[chain_[i]] = i;
    const auto place = places_.find(id);
    return place == places_.end() ? chain_.size() : place->second;
  }
  bool inChain(Id id) const { return id != DETACHED && indexOf(id) < chain_.size(); }
  Id nextOf(Id id) const { return chain_[(indexOf(id) + 1) % chain_.size()]; }
  Id prevOf(Id id) const { return chain_[(indexOf(id) + chain_.size() - 1) % chain_.size()]; }
  Id startOf(cMegaList* view) const { return cursors_.at(view->infoStart()).node; }
  Id endOf(cMegaList* view) const { return cursors_.at(view->infoPastEnd()).node; }

  std::vector<Id> members(cMegaList* view) const {
    std::vector<Id> out;
    const size_t end = indexOf(endOf(view));
    if (end == chain_.size()) return out;
    for (size_t i = indexOf(startOf(view)); i != end && i < chain_.size(); i = (i + 1) % chain_.size())
      out.push_back(chain_[i]);
    return out;
  }
  bool isInList(Id node, cMegaList* view) const {
    const std::vector<Id> m = members(view);
    return std::find(m.begin(), m.end(), node) != m.end() || (m.empty() && node == endOf(view));
  }
  // A cursor that stands in its list or on its list's end node.
  bool usable(const ModelCursor& m) const {
    return inChain(m.node) && (m.node == endOf(m.owner) || isInList(m.node, m.owner));
  }

  void addView(cMegaList* view, Id start, Id end, bool nextIfDestroy) {
    views_.push_back(view);
    view->setCursorNextIfDestroyNode(nextIfDestroy);
    cursors_[view->infoStart()] = {view, start, REMOVED_GO_NEXT, FOLLOW_BEFORE, true};
    cursors_[view->infoPastEnd()] = {view, end, REMOVED_GO_PREV, FOLLOW_AFTER, true};
  }

  // Links ring before or after the node at, in the chain, and moves the
  // followers of that side: onto the ring's first node, or, after the list's
  // end node, onto its last node, the new end node.
  void modelInsert(const ModelCursor& by, const std::vector<Id>& ring, bool after) {
    const Id at = by.node;
    const bool atEnd = after && at == endOf(by.owner);
    chain_.insert(chain_.begin() + static_cast<long>(indexOf(at) + (after ? 1 : 0)), ring.begin(), ring.end());
    places_.clear();
    const Id target = atEnd ? ring.back() : ring.front();
    for (auto& [real, m] : cursors_)
      if (m.node == at && m.followWhen == (after ? FOLLOW_AFTER : FOLLOW_BEFORE)) m.node = target;
  }

  // ------------------------------------------------------------ random picks

  size_t pick(size_t count) { return random_() % count; }
  bool chance(int percent) { return static_cast<int>(random_() % 100) < percent; }
  int32_t policy() { return static_cast<int32_t>(random_() % 3); }

  std::vector<cMegaCursorGeneric*> cursorsWhere(const std::function<bool(const ModelCursor&)>& test) const {
    std::vector<cMegaCursorGeneric*> out;
    for (const auto& [real, m] : cursors_)
      if (test(m)) out.push_back(real);
    return out;
  }
  cMegaCursorGeneric* anyOf(const std::vector<cMegaCursorGeneric*>& among) {
    return among.empty() ? nullptr : among[pick(among.size())];
  }
  // A usable cursor, a list's own one about half of the time.
  cMegaCursorGeneric* usableCursor() {
    const bool own = chance(50);
    cMegaCursorGeneric* c = anyOf(cursorsWhere([&](const ModelCursor& m) { return m.own == own && usable(m); }));
    return c ? c : anyOf(cursorsWhere([&](const ModelCursor& m) { return usable(m); }));
  }
  cMegaCursorGeneric* usableUserCursor() {
    return anyOf(cursorsWhere([&](const ModelCursor& m) { return !m.own && usable(m); }));
  }

  // Runs call, which must raise EMU exactly when misuse is TRUE.
  void expectMisuse(bool misuse, const std::function<void()>& call) {
    try {
      call();
    } catch (const Exception& e) {
      if (!misuse || !e.is("EMU")) failure += lastStep + ": raised " + (e.message() ? e.message() : "") + "\n";
      return;
    }
    if (misuse) failure += lastStep + ": raised nothing\n";
  }

  // ------------------------------------------------------------ the changes

  void insertNewRing() {
    if (nodes_.size() > 40) return;  // the model's walks grow with the square of the chain
    cMegaCursorGeneric* at = usableCursor();
    cMegaList* maker = views_[pick(views_.size())];
    const size_t count = 1 + pick(3);
    std::vector<Id> ring;
    oMegaNode* head = nullptr;
    for (size_t i = 0; i < count; ++i) {
      const Id id = nextId_++;
      oMegaNode* node = maker->makeNode(id);
      nodes_[id] = node;
      ring.push_back(id);
      if (head) maker->infoMiniList()->node_afterInsert(head->prev, node);
      else head = node;
    }
    insertRing(at, head, ring);
  }

  void insertTakenRing() {
    if (floating_.empty()) return;
    const size_t which = pick(floating_.size());
    const std::vector<Id> ring = floating_[which];
    floating_.erase(floating_.begin() + static_cast<long>(which));
    insertRing(usableCursor(), nodes_.at(ring.front()), ring);
  }

  void insertRing(cMegaCursorGeneric* at, oMegaNode* head, const std::vector<Id>& ring) {
    const bool after = chance(50);
    const ModelCursor& by = cursors_.at(at);
    lastStep = std::string(after ? "afterInsert " : "beforeInsert ") + text(ring) + " at node " +
               std::to_string(by.node) + (by.own ? " (a list's own cursor)" : "");
    if (after) at->afterInsert(head);
    else at->beforeInsert(head);
    modelInsert(by, ring, after);
  }

  void removeRange() {
    cMegaCursorGeneric* c = usableUserCursor();
    if (!c) return;
    ModelCursor& m = cursors_.at(c);
    cMegaCursorGeneric* to = nullptr;
    if (chance(70)) {
      const bool foreign = chance(5);
      to = anyOf(cursorsWhere([&](const ModelCursor& o) { return usable(o) && (o.owner != m.owner) == foreign; }));
    }
    static const int32_t overrides[] = {REMOVED_NO_OVERRIDE, REMOVED_NO_OVERRIDE, 0, 1, 2};
    const int32_t override = overrides[pick(5)];
    const bool destroy = chance(40);
    lastStep = std::string(destroy ? "destroy" : "remove") + " from node " + std::to_string(m.node) + " to " +
               (to ? "node " + std::to_string(cursors_.at(to).node) : std::string("the next node")) +
               " override " + std::to_string(override);

    // What the model says: misuse, nothing, or the range [first, stop).
    const Id first = m.node;
    const Id stop = to ? cursors_.at(to).node : nextOf(first);
    bool misuse = to && cursors_.at(to).owner != m.owner;
    std::vector<Id> range;
    if (!misuse && stop != first) {
      for (Id n = first; n != stop; n = nextOf(n)) {
        if (n == endOf(m.owner) || nextOf(n) == first) {
          misuse = true;
          break;
        }
        range.push_back(n);
      }
    }
    oMegaNode* ring = nullptr;
    expectMisuse(misuse, [&] {
      if (destroy) c->destroy(to, override);
      else ring = c->remove_cMegaCursorGeneric(to, override);
    });
    if (misuse || range.empty()) {
      if (ring) failure += lastStep + ": removed nodes from an empty range\n";
      return;
    }

    const Id before = prevOf(first);
    for (auto& [real, o] : cursors_) {
      if (std::find(range.begin(), range.end(), o.node) == range.end()) continue;
      int32_t r = (real == c && override != REMOVED_NO_OVERRIDE) ? override : o.removedThen;
      if (destroy && r == REMOVED_STAY) r = m.owner->getCursorNextIfDestroyNode() ? REMOVED_GO_NEXT : REMOVED_GO_PREV;
      if (r == REMOVED_GO_NEXT) o.node = stop;
      else if (r != REMOVED_STAY) o.node = before;
    }
    chain_.erase(std::remove_if(chain_.begin(), chain_.end(),
                                [&](Id n) { return std::find(range.begin(), range.end(), n) != range.end(); }),
                 chain_.end());
    places_.clear();
    if (destroy) {
      for (Id n : range) nodes_.erase(n);
    } else {
      if (ring != nodes_.at(first)) failure += lastStep + ": the removed ring does not start at its first node\n";
      floating_.push_back(range);
    }
  }

  void walk() {
    cMegaCursorGeneric* c = usableUserCursor();
    if (!c) return;
    ModelCursor& m = cursors_.at(c);
    const bool forward = chance(50);
    lastStep = std::string(forward ? "next" : "prev") + " from node " + std::to_string(m.node);
    bool expected;
    if (forward) {
      if (m.node == endOf(m.owner)) {
        m.node = startOf(m.owner);
        expected = false;
      } else {
        m.node = nextOf(m.node);
        expected = m.node == endOf(m.owner);
      }
    } else if (m.node == startOf(m.owner)) {
      m.node = endOf(m.owner);
      expected = true;
    } else {
      m.node = prevOf(m.node);
      expected = false;
    }
    if ((forward ? c->next() : c->prev()) != expected) failure += lastStep + ": answered the wrong end flag\n";
  }

  void cloneCursor() {
    if (cursors_.size() > 24) return;
    cMegaCursorGeneric* c = usableCursor();
    const ModelCursor m = cursors_.at(c);
    const int32_t removedThen = policy(), followWhen = policy();
    lastStep = "clone at node " + std::to_string(m.node);
    cursors_[c->clone(removedThen, followWhen)] = {m.owner, m.node, removedThen, followWhen, false};
  }

  void endCursor() {
    cMegaCursorGeneric* c = anyOf(cursorsWhere([](const ModelCursor& m) { return !m.own; }));
    if (!c) return;
    lastStep = "end a cursor";
    cursors_.erase(c);
    End(c);
  }

  void gotoCursor() {
    cMegaCursorGeneric* c = usableUserCursor();
    cMegaCursorGeneric* other = usableCursor();
    if (!c) return;
    ModelCursor& m = cursors_.at(c);
    const ModelCursor& o = cursors_.at(other);
    lastStep = "goto node " + std::to_string(o.node) + (o.owner == m.owner ? "" : " of another view");
    const bool allowed = o.owner == m.owner || isInList(o.node, m.owner);
    expectMisuse(!allowed, [&] { c->goto_cMegaCursorGeneric(other); });
    if (allowed) m.node = o.node;
  }

  void changeOwner() {
    cMegaCursorGeneric* c = usableUserCursor();
    if (!c) return;
    ModelCursor& m = cursors_.at(c);
    cMegaList* view = views_[pick(views_.size())];
    lastStep = "setOwner at node " + std::to_string(m.node);
    const bool inList = isInList(m.node, view);
    if (c->setOwner(view) != inList) failure += lastStep + ": answered the wrong flag\n";
    if (inList) m.owner = view;
  }

  void sortView() {
    cMegaList* view = views_[pick(views_.size())];
    const std::vector<Id> before = members(view);
    lastStep = "sort " + text(before);
    view->sort(nullptr);
    if (before.empty()) return;
    std::vector<Id> sorted = before;
    std::sort(sorted.begin(), sorted.end());
    const size_t from = indexOf(before.front());
    for (size_t i = 0; i < sorted.size(); ++i) chain_[(from + i) % chain_.size()] = sorted[i];
    places_.clear();
    // Only the lists' own start cursors go with the first place.
    for (cMegaList* v : views_)
      if (startOf(v) == before.front()) cursors_.at(v->infoStart()).node = sorted.front();
  }

  void addMirror() {
    if (views_.size() >= 4) return;
    cMegaList* of = views_[pick(views_.size())];
    lastStep = "mirror";
    addView(of->mirror_cMegaList(), startOf(of), endOf(of), of->getCursorNextIfDestroyNode());
  }

  void endView() {
    if (views_.size() < 2) return;
    const size_t which = pick(views_.size());
    cMegaList* view = views_[which];
    lastStep = "end a view";
    for (auto it = cursors_.begin(); it != cursors_.end();) {
      if (it->second.owner == view) {
        cMegaCursorGeneric* c = it->first;
        if (!it->second.own) End(c);
        it = cursors_.erase(it);
      } else {
        ++it;
      }
    }
    End(view);
    views_.erase(views_.begin() + static_cast<long>(which));
  }

  void destroyTakenRing() {
    if (floating_.empty()) return;
    const size_t which = pick(floating_.size());
    const std::vector<Id> ring = floating_[which];
    lastStep = "destroyNode " + text(ring);
    views_[pick(views_.size())]->destroyNode(nodes_.at(ring.front()));
    floating_.erase(floating_.begin() + static_cast<long>(which));
    for (auto& [real, m] : cursors_)
      if (std::find(ring.begin(), ring.end(), m.node) != ring.end()) m.node = DETACHED;
    for (Id n : ring) nodes_.erase(n);
  }

  void flipDestroyRule() {
    cMegaList* view = views_[pick(views_.size())];
    lastStep = "flip cursorNextIfDestroyNode";
    view->setCursorNextIfDestroyNode(!view->getCursorNextIfDestroyNode());
  }

  // ------------------------------------------------------------ checking

  // The real nodes of ids, linked in that order both ways and closed.
  std::string compareRing(const std::vector<Id>& ids, const char* what) const {
    const oMiniNode* n = nodes_.at(ids.front());
    for (Id id : ids) {
      if (n != nodes_.at(id) || n->data != id || n->next->prev != n)
        return std::string(what) + " is linked otherwise than " + text(ids);
      n = n->next;
    }
    if (n != nodes_.at(ids.front())) return std::string(what) + " holds more nodes than " + text(ids);
    return "";
  }

  static std::string text(const std::vector<Id>& ids) {
    std::string out = "(";
    for (Id id : ids) out += (out.size() > 1 ? " " : "") + std::to_string(id);
    return out + ")";
  }
  static std::string describe(const oMiniNode* node) { return node ? "node " + std::to_string(node->data) : "no node"; }

  std::mt19937 random_;
  std::vector<Id> chain_;                   // the chain's order, read circularly
  mutable std::map<Id, size_t> places_;     // where each id stands in chain_, made when asked
  std::vector<std::vector<Id>> floating_;   // rings taken out, first node first
  std::map<Id, oMegaNode*> nodes_;          // every node not yet ended
  std::map<cMegaCursorGeneric*, ModelCursor> cursors_;
  std::vector<cMegaList*> views_;           // the list and its mirrors
  Id nextId_ = 1;
};

class MegaListMirrors : public ::testing::Test {
 protected:
  void SetUp() override {
    new_cmegalist();
    baseline = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), baseline) << "nodes, cursors or lists left behind";
    end_cmegalist();
  }
  size_t baseline = 0;
};

TEST_F(MegaListMirrors, RandomChangesThroughAnyViewMatchTheModel) {
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    MirroredChain chain(seed);
    std::string trail;
    for (int step = 0; step < 200; ++step) {
      chain.step();
      trail += "\n  " + chain.lastStep;
      const std::string difference = chain.mismatch();
      if (!difference.empty() || !chain.failure.empty()) {
        ADD_FAILURE() << "seed " << seed << ", step " << step << ": " << difference << chain.failure
                      << "\nsteps:" << trail;
        return;
      }
    }
  }
}

}  // namespace
