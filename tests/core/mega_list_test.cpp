#include "core/lists/mega_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_compare.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_module.h"
#include "core/lists/mega_list_types.h"
#include "core/lists/mega_list_walk.h"

namespace {

// Objects that count how often each of them was ended.
std::map<int, int> probeEnds;

class endCountProbe : public class_base {
  LUDEX_CLASS(endCountProbe, class_base)
 public:
  int id = 0;
  void end_class() override {
    ++probeEnds[id];
    class_base::end_class();
  }
};

endCountProbe* probe(int id) {
  auto* p = new endCountProbe;
  p->id = id;
  return p;
}

// Orders probes by id and counts its calls.
class probeOrder : public fCompareMegaNodes {
 public:
  int calls = 0;
  bool failOnCall = false;
  int8_t call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b) override {
    ++calls;
    if (failOnCall) Throw("TEST", "comparator failed");
    const int ia = reinterpret_cast<endCountProbe*>(store->node_read(a))->id;
    const int ib = reinterpret_cast<endCountProbe*>(store->node_read(b))->id;
    return static_cast<int8_t>(ia == ib ? 0 : (ia < ib ? 1 : -1));
  }
};

std::string expectEmu(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("EMU") || e.is("BUG"));
    return e.message() ? e.message() : "";
  }
  ADD_FAILURE() << "no error raised";
  return "";
}

class MegaList : public ::testing::Test {
 protected:
  void SetUp() override {
    probeEnds.clear();
    new_cmegalist();
    baseline = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), baseline) << "objects, nodes or cursors left behind";
    end_cmegalist();
  }

  static cMegaList* plainList(std::vector<intptr_t> values) {
    auto* list = new cMegaList;
    list->new_cMegaListGeneric(false, nullptr);
    for (intptr_t v : values) list->infoPastEnd()->beforeInsert(list->makeNode(v));
    return list;
  }

  static cMegaList_class* objectList(bool owns, int count) {
    auto* list = new cMegaList_class;
    list->new_cMegaList_class(false, nullptr, owns);
    for (int i = 1; i <= count; ++i) list->infoPastEnd()->beforeInsert(list->makeNode(probe(i)));
    return list;
  }

  // The values from the first node to the sentinel, read through a cursor.
  static std::vector<intptr_t> values(cMegaListGeneric* list) {
    std::vector<intptr_t> out;
    cMegaCursorGeneric* c = list->infoStart()->clone(REMOVED_GO_NEXT, FOLLOW_NEVER);
    if (!list->infoIsEmpty()) {
      do out.push_back(c->read_cMegaCursorGeneric());
      while (!c->next());
    }
    End(c);
    return out;
  }

  static cMegaCursor* cursorAt(cMegaList* list, size_t index, int32_t removedThen, int32_t followWhen = 0) {
    cMegaCursor* c = list->infoStart_cMegaList()->clone_cMegaCursor(removedThen, followWhen);
    for (size_t i = 0; i < index; ++i) c->next();
    return c;
  }

  size_t baseline = 0;
};

TEST_F(MegaList, EmptyListWrapsOnItsSentinel) {
  cMegaList* list = plainList({});
  EXPECT_TRUE(list->infoIsEmpty());
  cMegaCursor* c = cursorAt(list, 0, 1);
  EXPECT_FALSE(c->next());
  EXPECT_TRUE(c->isOnSameNodeAs(list->infoPastEnd()));
  EXPECT_TRUE(c->prev());
  EXPECT_TRUE(c->isOnSameNodeAs(list->infoPastEnd()));
  End(c);
  End(list);
}

TEST_F(MegaList, WalkingReportsTheSentinelAndWraps) {
  cMegaList* list = plainList({1, 2, 3});
  cMegaCursor* c = cursorAt(list, 0, 1);
  EXPECT_FALSE(c->next());
  EXPECT_FALSE(c->next());
  EXPECT_TRUE(c->next());   // on the sentinel
  EXPECT_FALSE(c->next());  // wraps to the first node
  EXPECT_EQ(c->read_cMegaCursorGeneric(), 1);
  EXPECT_TRUE(c->prev());
  EXPECT_FALSE(c->prev());
  EXPECT_EQ(c->read_cMegaCursorGeneric(), 3);
  End(c);
  End(list);
}

TEST_F(MegaList, AKeptWalkFollowsEveryChangeOfTheListThroughAnyView) {
  // Plain values ordered as numbers, for the sort step.
  class valueOrder : public fCompareMegaNodes {
   public:
    int8_t call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b) override {
      const intptr_t va = store->node_read(a), vb = store->node_read(b);
      return static_cast<int8_t>(va == vb ? 0 : (va < vb ? 1 : -1));
    }
  } order;
  cMegaList* list = plainList({5, 3, 8});
  cMegaList* mirror = list->mirror_cMegaList();
  cMegaCursor* c = cursorAt(list, 1, 1);
  cMegaCursor* inMirror = cursorAt(mirror, 0, 1);
  const struct {
    const char* step;
    std::function<void()> change;
  } steps[] = {
      {"first walk", [] {}},
      {"unchanged", [] {}},
      {"inserted before", [&] { c->beforeInsert(list->makeNode(4)); }},
      {"inserted after", [&] { c->afterInsert(list->makeNode(9)); }},
      {"a value written", [&] { c->write_cMegaCursor(7); }},
      {"the same value written", [&] { c->write_cMegaCursor(7); }},
      {"removed", [&] { c->destroy(); }},
      {"inserted through a mirror", [&] { inMirror->beforeInsert(mirror->makeNode(1)); }},
      {"written through a mirror", [&] { inMirror->write_cMegaCursor(2); }},
      {"sorted", [&] { list->sort(&order); }},
      {"emptied", [&] {
         cMegaCursor* first = cursorAt(list, 0, 1);
         first->destroy(list->infoPastEnd_cMegaList());
         End(first);
       }},
  };
  MegaListWalk walk;
  for (const auto& s : steps) {
    s.change();
    EXPECT_EQ(walk.dataOf(list), values(list)) << s.step;
  }
  // Another list is walked afresh, and the first one again after it.
  cMegaList* other = plainList({6});
  EXPECT_EQ(walk.dataOf(other), (std::vector<intptr_t>{6}));
  list->infoPastEnd()->beforeInsert(list->makeNode(11));
  EXPECT_EQ(walk.dataOf(list), (std::vector<intptr_t>{11}));
  EXPECT_TRUE(walk.dataOf(nullptr).empty());
  End(inMirror);
  End(c);
  End(other);
  End(mirror);
  End(list);
}

TEST_F(MegaList, InsertionsAtTheListsOwnCursorsKeepTheBounds) {
  cMegaList* list = plainList({2});
  list->infoStart()->beforeInsert(list->makeNode(1));
  EXPECT_EQ(list->infoStart_cMegaList()->read_cMegaCursorGeneric(), 1);
  list->infoPastEnd()->beforeInsert(list->makeNode(3));
  EXPECT_EQ(list->infoPastEnd()->read_cMegaCursorGeneric(), 0);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3}));

  // After the sentinel: the new node becomes the sentinel, the old one (0) a member.
  list->infoPastEnd()->afterInsert(list->makeNode(9));
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3, 0}));
  EXPECT_EQ(list->infoPastEnd()->read_cMegaCursorGeneric(), 9);

  // A ring of several nodes: the sentinel cursor goes behind all of them.
  oMegaNode* ring = list->makeNode(4);
  list->infoMiniList()->node_afterInsert(ring, list->makeNode(8));
  list->infoPastEnd()->afterInsert(ring);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3, 0, 9, 4}));
  EXPECT_EQ(list->infoPastEnd()->read_cMegaCursorGeneric(), 8);
  End(list);
}

TEST_F(MegaList, InsertingARingMovesOnlyTheFollowersOfThatSideOntoItsFirstNode) {
  struct Case {
    bool after;
    intptr_t onFollower;  // value under the follower afterwards
    std::vector<intptr_t> list;
  };
  const Case cases[] = {
      {false, 10, {10, 11, 1, 2}},
      {true, 10, {1, 10, 11, 2}},
  };
  for (const Case& k : cases) {
    cMegaList* list = plainList({1, 2});
    cMegaCursor* at = cursorAt(list, 0, 1, FOLLOW_NEVER);
    cMegaCursor* follower = cursorAt(list, 0, 1, k.after ? FOLLOW_AFTER : FOLLOW_BEFORE);
    cMegaCursor* other = cursorAt(list, 0, 1, k.after ? FOLLOW_BEFORE : FOLLOW_AFTER);
    oMegaNode* ring = list->makeNode(10);
    list->infoMiniList()->node_afterInsert(ring, list->makeNode(11));
    if (k.after) at->afterInsert(ring);
    else at->beforeInsert(ring);
    EXPECT_EQ(values(list), k.list);
    EXPECT_EQ(follower->read_cMegaCursorGeneric(), k.onFollower) << "after " << k.after;
    EXPECT_EQ(other->read_cMegaCursorGeneric(), 1);
    EXPECT_EQ(at->read_cMegaCursorGeneric(), 1);
    End(at);
    End(follower);
    End(other);
    End(list);
  }
}

TEST_F(MegaList, ARingInsertedAfterTheEndThroughAMirrorStaysInEveryView) {
  // a = 1 2, b its mirror; a ring 10 11 goes after a's end, so the old end
  // node (0) becomes a member. Then a ring 20 21 22 goes in through b.
  struct Case {
    const char* where;
    bool atPastEnd;  // after b's infoPastEnd, else after a cursor of b on the old end node
    std::vector<intptr_t> list;
    intptr_t onPastEnd;  // under both lists' infoPastEnd cursors afterwards
    intptr_t onCursor;   // under b's cursor afterwards
  };
  const Case cases[] = {
      {"after b's end", true, {1, 2, 0, 10, 11, 20, 21}, 22, 0},
      {"after the old end node", false, {1, 2, 0, 20, 21, 22, 10}, 11, 20},
  };
  for (const Case& k : cases) {
    cMegaList* a = plainList({1, 2});
    cMegaList* b = a->mirror_cMegaList();
    oMegaNode* first = a->makeNode(10);
    a->infoMiniList()->node_afterInsert(first, a->makeNode(11));
    a->infoPastEnd()->afterInsert(first);
    cMegaCursor* onOldEnd = cursorAt(b, 2, 1, FOLLOW_AFTER);
    ASSERT_EQ(onOldEnd->read_cMegaCursorGeneric(), 0);

    oMegaNode* ring = b->makeNode(20);
    b->infoMiniList()->node_afterInsert(ring, b->makeNode(21));
    b->infoMiniList()->node_afterInsert(ring->next, b->makeNode(22));
    (k.atPastEnd ? b->infoPastEnd() : onOldEnd)->afterInsert(ring);

    for (cMegaList* view : {a, b}) {
      EXPECT_EQ(values(view), k.list) << k.where;
      EXPECT_EQ(view->infoPastEnd()->read_cMegaCursorGeneric(), k.onPastEnd) << k.where;
      EXPECT_EQ(view->infoMiniList()->start, view->infoStart()->infoMiniNode()) << k.where;
      EXPECT_EQ(view->infoMiniList()->end, view->infoPastEnd()->infoMiniNode()) << k.where;
    }
    EXPECT_EQ(onOldEnd->read_cMegaCursorGeneric(), k.onCursor) << k.where;
    End(onOldEnd);
    End(b);
    End(a);
  }
}

TEST_F(MegaList, RemovalMovesEachCursorByItsPolicy) {
  struct Case {
    bool destroy;
    bool nextIfDestroy;
    int32_t policy;
    intptr_t expected;  // value under the cursor afterwards; -1: on the removed ring
  };
  const Case cases[] = {
      {false, false, 1, 4}, {false, false, 2, 1}, {false, false, 0, -1},
      {true, true, 0, 4},   {true, false, 0, 1},  {true, false, 1, 4},
  };
  for (const Case& k : cases) {
    cMegaList* list = plainList({1, 2, 3, 4});
    list->setCursorNextIfDestroyNode(k.nextIfDestroy);
    cMegaCursor* from = cursorAt(list, 1, 1);
    cMegaCursor* to = cursorAt(list, 3, 1);
    cMegaCursor* watcher = cursorAt(list, 2, k.policy);
    oMegaNode* ring = nullptr;
    if (k.destroy) from->destroy(to);
    else ring = from->remove_cMegaCursorGeneric(to);
    EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 4}));
    if (k.expected < 0) {
      EXPECT_EQ(watcher->infoMiniNode(), ring->next) << "policy 0 leaves with its node";
    } else {
      EXPECT_EQ(watcher->read_cMegaCursorGeneric(), k.expected) << k.destroy << k.nextIfDestroy << k.policy;
    }
    EXPECT_EQ(from->read_cMegaCursorGeneric(), 4);
    End(watcher);
    list->destroyNode(ring);
    End(from);
    End(to);
    End(list);
  }
}

TEST_F(MegaList, OverrideAppliesToTheCallingCursorForTheCallOnly) {
  cMegaList* list = plainList({1, 2, 3});
  cMegaCursor* c = cursorAt(list, 1, 2);
  cMegaCursor* other = cursorAt(list, 1, 2);
  list->destroyNode(c->remove_cMegaCursorGeneric(nullptr, 1));
  EXPECT_EQ(c->read_cMegaCursorGeneric(), 3);
  EXPECT_EQ(c->infoIfRemovedThen(), 2);
  EXPECT_EQ(other->read_cMegaCursorGeneric(), 1);
  End(other);
  End(c);
  End(list);
}

TEST_F(MegaList, RemovalRangesThatAreEmptyOrForeignOrHoldTheSentinel) {
  cMegaList* list = plainList({1, 2, 3});
  cMegaList* stranger = plainList({7});
  cMegaCursor* a = cursorAt(list, 1, 1);
  cMegaCursor* same = cursorAt(list, 1, 1);
  cMegaCursor* first = cursorAt(list, 0, 1);
  cMegaCursor* sentinel = cursorAt(list, 3, 1);
  cMegaCursor* foreign = cursorAt(stranger, 0, 1);

  EXPECT_EQ(a->remove_cMegaCursorGeneric(same), nullptr);
  EXPECT_EQ(expectEmu([&] { a->remove_cMegaCursorGeneric(foreign); }),
            "cMegaCursorGeneric.remove(); toPastEnd Cursor is not in same List");
  EXPECT_EQ(expectEmu([&] { a->destroy(foreign); }),
            "cMegaCursorGeneric.remove(); toPastEnd Cursor is not in same List");
  // toCursor before the cursor, and a cursor on the sentinel removing itself.
  EXPECT_EQ(expectEmu([&] { a->remove_cMegaCursorGeneric(first); }),
            "cMegaCursorGeneric.remove(); the range holds the end of the List");
  EXPECT_EQ(expectEmu([&] { sentinel->destroy(); }),
            "cMegaCursorGeneric.remove(); the range holds the end of the List");
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3}));
  EXPECT_EQ(a->read_cMegaCursorGeneric(), 2);
  for (cMegaCursor* c : {a, same, first, sentinel, foreign}) End(c);
  End(stranger);
  End(list);
}

TEST_F(MegaList, TheListsOwnCursorsCanOnlyBeCloned) {
  cMegaList* list = plainList({1, 2});
  cMegaList* other = plainList({3});
  oMegaNode* floating = list->makeNode(5);
  for (cMegaCursorGeneric* own : {list->infoStart(), list->infoPastEnd()}) {
    const std::vector<std::function<void()>> misuses = {
        [&] { own->next(); },
        [&] { own->prev(); },
        [&] { own->remove_cMegaCursorGeneric(nullptr, 2); },
        [&] { own->destroy(); },
        [&] { own->goto_cMegaCursorGeneric(list->infoPastEnd()); },
        [&] { own->setOwner(other); },
        [&] { own->sortedFind(floating, nullptr); },
        [&] { own->sortedInsert(floating, nullptr); },
    };
    for (const auto& misuse : misuses)
      EXPECT_NE(expectEmu(misuse).find("the List's own Cursors can only be cloned"), std::string::npos);
    EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2}));
  }
  cMegaCursorGeneric* copy = list->infoPastEnd()->clone(1, 0);
  EXPECT_TRUE(copy->isOnSameNodeAndListAs(list->infoPastEnd()));
  EXPECT_STREQ(copy->InfoClassType(), "cMegaCursor");
  End(copy);

  // A user cursor removing every node leaves a properly empty list.
  cMegaCursor* c = cursorAt(list, 0, 1);
  c->destroy(list->infoPastEnd());
  EXPECT_TRUE(list->infoIsEmpty());
  EXPECT_TRUE(c->isOnSameNodeAs(list->infoPastEnd()));
  list->destroyNode(floating);
  End(c);
  End(other);
  End(list);
}

TEST_F(MegaList, EndingTheListBeforeItsCursorsIsSafe) {
  cMegaList* list = plainList({1, 2});
  cMegaCursor* c = cursorAt(list, 1, 0);
  cMegaCursor* onSentinel = cursorAt(list, 2, 0);
  End(list);
  EXPECT_EQ(c->infoMiniNode(), nullptr);
  EXPECT_EQ(onSentinel->infoMiniNode(), nullptr);
  EXPECT_NE(expectEmu([&] { c->next(); }).find("Cursor is detached from its List"), std::string::npos);
  EXPECT_NE(expectEmu([&] { c->read_cMegaCursorGeneric(); }).find("detached"), std::string::npos);
  End(c);
  End(onSentinel);
}

TEST_F(MegaList, GotoAndSetOwnerAcrossLists) {
  cMegaList* list = plainList({1, 2, 3});
  cMegaList* mirror = list->mirror_cMegaList();
  cMegaList* stranger = plainList({9});
  cMegaCursor* c = cursorAt(list, 0, 1);
  cMegaCursor* inMirror = cursorAt(mirror, 2, 1);
  cMegaCursor* foreign = cursorAt(stranger, 0, 1);

  c->goto_cMegaCursorGeneric(inMirror);
  EXPECT_EQ(c->read_cMegaCursorGeneric(), 3);
  EXPECT_EQ(expectEmu([&] { c->goto_cMegaCursorGeneric(foreign); }),
            "cMegaCursorGeneric.goto(); cursor is not in same List");
  EXPECT_EQ(c->read_cMegaCursorGeneric(), 3);

  EXPECT_FALSE(c->setOwner(stranger));
  EXPECT_EQ(c->getOwner(), list);
  EXPECT_TRUE(c->setOwner(mirror));
  EXPECT_EQ(c->getOwner_cMegaCursor(), mirror);
  EXPECT_FALSE(cMegaCursorGeneric::node_isInList(list->infoPastEnd()->infoMiniNode(), stranger));
  EXPECT_FALSE(cMegaCursorGeneric::node_isInList(list->infoPastEnd()->infoMiniNode(), list));
  for (cMegaCursor* k : {c, inMirror, foreign}) End(k);
  End(stranger);
  End(mirror);
  End(list);
}

TEST_F(MegaList, AnOwningListEndsEachObjectExactlyOnce) {
  for (bool entry : {false, true}) {
    probeEnds.clear();
    cMegaList_class* list;
    if (entry) {
      auto* e = new cMegaList_entry;
      e->new_cMegaList_entry(false, nullptr);
      for (int i = 1; i <= 5; ++i) e->infoPastEnd()->beforeInsert(e->makeNode(probe(i)));
      list = e;
    } else {
      list = objectList(true, 5);
    }
    cMegaCursor_class* c = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(1, 0);
    c->destroy();  // probe 1
    EXPECT_EQ(probeEnds, (std::map<int, int>{{1, 1}}));
    class_base* kept = c->write_cMegaCursor_class(probe(20), true);  // probe 2 stays the caller's
    c->write_cMegaCursor_class(probe(21));                         // ends probe 20
    c->next();
    list->destroyNode(c->remove_cMegaCursorGeneric());  // probe 3
    EXPECT_EQ(probeEnds, (std::map<int, int>{{1, 1}, {20, 1}, {3, 1}}));
    End(kept);
    End(list);
    EXPECT_EQ(probeEnds, (std::map<int, int>{{1, 1}, {2, 1}, {20, 1}, {21, 1}, {3, 1}, {4, 1}, {5, 1}}));
    End(c);
  }
}

TEST_F(MegaList, MirrorsOwnNothingUntilTheOwnerGoesFirst) {
  cMegaList_class* list = objectList(true, 3);
  cMegaList_class* mirror = list->mirror_cMegaList_class();
  EXPECT_FALSE(mirror->autoDealloc);
  End(mirror);
  EXPECT_TRUE(probeEnds.empty());

  mirror = list->mirror_cMegaList_class();
  End(list);
  EXPECT_TRUE(probeEnds.empty()) << "objects ended while a mirror still shows them";
  EXPECT_TRUE(mirror->autoDealloc);
  End(mirror);
  EXPECT_EQ(probeEnds, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));

  // A list that does not own its objects leaves them to the caller.
  probeEnds.clear();
  list = objectList(false, 2);
  std::vector<class_base*> objects;
  for (cMegaCursor_class* c = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(1, 0);; c->next()) {
    if (c->isOnSameNodeAs(list->infoPastEnd())) {
      End(c);
      break;
    }
    objects.push_back(c->read_cMegaCursor_class());
  }
  End(list);
  EXPECT_TRUE(probeEnds.empty());
  for (class_base* o : objects) End(o);
  EXPECT_EQ(probeEnds, (std::map<int, int>{{1, 1}, {2, 1}}));
}

TEST_F(MegaList, CopyingRulesOfObjectLists) {
  cMegaList_class* owning = objectList(true, 2);
  EXPECT_EQ(expectEmu([&] { owning->clone(); }),
            "cMegaList_class.clone(); this method is not supported when autoDealloc=TRUE");
  EXPECT_EQ(expectEmu([&] { owning->isolateFromSharing(); }),
            "cMegaList_class.isolateFromSharing(); this method is not supported when autoDealloc=TRUE");
  EXPECT_EQ(expectEmu([&] { owning->node_isolateDataFromSharing(owning->infoStart()->infoMiniNode()); }),
            "cMegaList_class.node_isolateDataFromSharing(); autoDealloc=TRUE");
  cMegaList_class* mirror = owning->mirror_cMegaList_class();
  EXPECT_EQ(mirror->infoStart()->infoMiniNode(), owning->infoStart()->infoMiniNode());

  // A list that does not own its objects copies the nodes, not the objects.
  cMegaList_class* copy = mirror->clone_cMegaList_class();
  EXPECT_NE(copy->infoStart()->infoMiniNode(), owning->infoStart()->infoMiniNode());
  EXPECT_EQ(copy->infoStart_cMegaList_class()->read_cMegaCursor_class(),
            owning->infoStart_cMegaList_class()->read_cMegaCursor_class());
  End(copy);
  End(mirror);
  EXPECT_TRUE(probeEnds.empty());
  End(owning);

  auto* entries = new cMegaList_entry;
  entries->new_cMegaList_entry(false, nullptr);
  entries->infoPastEnd()->beforeInsert(entries->makeNode(probe(7)));
  EXPECT_TRUE(entries->autoDealloc);
  EXPECT_EQ(expectEmu([&] { entries->clone(); }), "cMegaList_entry.clone(); this method is not supported");
  EXPECT_EQ(expectEmu([&] { entries->isolateFromSharing(); }),
            "cMegaList_entry.isolateFromSharing(); this method is not supported");
  EXPECT_EQ(expectEmu([&] { entries->node_isolateDataFromSharing(entries->infoStart()->infoMiniNode()); }),
            "cMegaList_entry.node_isolateDataFromSharing(); unsupported");
  cMegaList_entry* rows = entries->subset_cMegaList_entry(nullptr, nullptr);
  EXPECT_FALSE(rows->autoDealloc);
  EXPECT_STREQ(rows->infoStart_cMegaList_entry()->InfoClassType(), "cMegaCursor_entry");
  End(rows);
  End(entries);
  EXPECT_EQ(probeEnds[7], 1);
}

TEST_F(MegaList, CloneAndIsolateMoveTheListsCursorsOntoTheCopies) {
  cMegaList* list = plainList({1, 2, 3});
  cMegaList* mirror = list->mirror_cMegaList();
  cMegaCursor* inMirror = cursorAt(mirror, 1, 1);
  cMegaCursor* inList = cursorAt(list, 1, 1);
  mirror->isolateFromSharing();
  EXPECT_NE(inMirror->infoMiniNode(), inList->infoMiniNode());
  EXPECT_EQ(inMirror->read_cMegaCursorGeneric(), 2);
  inMirror->write_cMegaCursor(20);
  EXPECT_EQ(values(mirror), (std::vector<intptr_t>{1, 20, 3}));
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3}));

  cMegaList* copy = list->clone_cMegaList();
  EXPECT_EQ(values(copy), (std::vector<intptr_t>{1, 2, 3}));
  EXPECT_FALSE(cMegaCursorGeneric::node_isInList(copy->infoStart()->infoMiniNode(), list));
  for (cMegaCursor* c : {inMirror, inList}) End(c);
  End(copy);
  End(mirror);
  End(list);
}

TEST_F(MegaList, SubsetSharesItsRange) {
  cMegaList* list = plainList({1, 2, 3, 4});
  cMegaList* stranger = plainList({});
  cMegaCursor* from = cursorAt(list, 1, 1);
  cMegaCursor* to = cursorAt(list, 3, 1);
  cMegaList* part = list->subset_cMegaList(from, to);
  EXPECT_EQ(values(part), (std::vector<intptr_t>{2, 3}));
  EXPECT_TRUE(part->infoPastEnd()->isOnSameNodeAs(to));
  cMegaCursor* c = cursorAt(part, 1, 1);
  c->write_cMegaCursor(30);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 30, 4}));
  EXPECT_EQ(expectEmu([&] { list->subset(stranger->infoStart(), nullptr); }),
            "cMegaListGeneric.subset(); Cursor is not in same List");
  for (cMegaCursor* k : {from, to, c}) End(k);
  End(part);
  End(stranger);
  End(list);
}

TEST_F(MegaList, SortedFindStandsWhereTheNodeBelongs) {
  struct Case {
    size_t startIndex;
    intptr_t match;
    bool found;
    size_t endIndex;  // index of the node the cursor ends on (4: the sentinel)
  };
  // List 10 20 20 30 (sentinel at index 4).
  const Case cases[] = {
      {0, 20, true, 1},   // forward onto the first equal node
      {0, 25, false, 3},  // forward to the first node not before it
      {0, 40, false, 4},  // forward onto the sentinel
      {4, 25, false, 3},  // from the sentinel: one step back, then back
      {4, 20, true, 3},   // backward: just after the run of equal nodes
      {3, 5, false, 0},   // backward past every node: the first node
      {2, 20, true, 2},   // an equal node at once
  };
  for (const Case& k : cases) {
    cMegaList* list = plainList({10, 20, 20, 30});
    cMegaCursor* c = cursorAt(list, k.startIndex, 1);
    cMegaCursor* expected = cursorAt(list, k.endIndex, 1);
    EXPECT_EQ(c->sortedFindSimple(k.match), k.found) << k.startIndex << " " << k.match;
    EXPECT_TRUE(c->isOnSameNodeAs(expected)) << k.startIndex << " " << k.match;
    End(expected);
    End(c);
    End(list);
  }
}

TEST_F(MegaList, SortedFindAndInsertChecksAndOrder) {
  cMegaList* list = plainList({});
  cMegaCursor* c = cursorAt(list, 0, 1);
  oMegaNode* node = list->makeNode(3);
  auto* counting = new probeOrder;
  EXPECT_FALSE(c->sortedFind(node, counting));
  EXPECT_EQ(counting->calls, 0);
  EXPECT_EQ(expectEmu([&] { c->cMegaCursorGeneric::sortedFind(nullptr, counting); }),
            "cMegaListGeneric.sortedFind(); match=NIL");
  EXPECT_EQ(expectEmu([&] { c->cMegaCursorGeneric::sortedFind(node, nullptr); }),
            "cMegaListGeneric.sortedFind(); compareFunction=NIL");
  EXPECT_EQ(expectEmu([&] { c->cMegaCursorGeneric::sortedInsert(nullptr, counting); }),
            "cMegaListGeneric.sortedInsert(); floating=NIL");
  EXPECT_EQ(expectEmu([&] { c->cMegaCursorGeneric::sortedInsert(node, nullptr); }),
            "cMegaListGeneric.sortedInsert(); compareFunction=NIL");
  list->destroyNode(node);
  End(counting);
  for (intptr_t v : {5, 1, 4, 1, 3, 9, 2, 6}) c->sortedInsert(list->makeNode(v), nullptr);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 1, 2, 3, 4, 5, 6, 9}));
  End(c);
  End(list);
}

TEST_F(MegaList, SortedFindSimpleLeavesTheObjectAndDropsItsNode) {
  cMegaList_class* list = objectList(true, 4);
  auto* order = new probeOrder;
  cMegaCursor_class* c = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(1, 0);
  endCountProbe* match = probe(3);
  const size_t live = Arena::liveCount();
  EXPECT_TRUE(c->sortedFindSimple(match, order));
  EXPECT_EQ(reinterpret_cast<endCountProbe*>(c->read_cMegaCursor_class())->id, 3);
  order->failOnCall = true;
  try {
    c->sortedFindSimple(match, order);
    ADD_FAILURE() << "the comparator's error was lost";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("TEST"));
  }
  EXPECT_EQ(Arena::liveCount(), live);
  EXPECT_TRUE(probeEnds.empty());
  End(match);
  End(order);
  End(c);
  End(list);
}

}  // namespace
