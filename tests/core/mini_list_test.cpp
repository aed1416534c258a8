#include "core/lists/mini_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"

namespace {

// A mini list that records every value it ends, so that tests can see each
// node ended exactly once.
std::map<intptr_t, int> endedValues;

class countingMiniList : public cMiniList {
  LUDEX_CLASS(countingMiniList, cMiniList)
 public:
  void node_endData(intptr_t value) override { ++endedValues[value]; }
  cMiniList* make_cMiniList() override { return new countingMiniList; }
};

class MiniList : public ::testing::Test {
 protected:
  void SetUp() override {
    endedValues.clear();
    baseline = Arena::liveCount();
  }
  void TearDown() override { EXPECT_EQ(Arena::liveCount(), baseline) << "nodes or views left behind"; }

  // A counting list whose end node holds -1, then the given values.
  static countingMiniList* build(std::vector<intptr_t> values) {
    auto* list = new countingMiniList;
    list->new_cMiniListGeneric(nullptr);
    list->node_write(list->end, -1, true);
    for (intptr_t v : values) list->node_beforeInsert(list->end, list->makeNode(v));
    return list;
  }

  static std::vector<intptr_t> values(cMiniListGeneric* list) {
    std::vector<intptr_t> out;
    for (oMiniNode* n = list->start; n != list->end; n = list->node_next(n)) out.push_back(list->node_read(n));
    return out;
  }

  static std::vector<intptr_t> ring(oMiniNode* first) {
    std::vector<intptr_t> out;
    oMiniNode* n = first;
    do {
      out.push_back(n->data);
      EXPECT_EQ(n->next->prev, n);
      n = n->next;
    } while (n != first);
    return out;
  }

  size_t baseline = 0;
};

TEST_F(MiniList, NewListFromNilIsEmptyWithOneEndNodeHoldingZero) {
  auto* list = new cMiniList;
  list->new_cMiniListGeneric(nullptr);
  EXPECT_TRUE(list->infoIsEmpty());
  EXPECT_EQ(list->start, list->end);
  EXPECT_EQ(list->node_read(list->end), 0);
  EXPECT_EQ(list->end->next, list->end);
  EXPECT_TRUE(list->root->hasOnlyOneList());
  End(list);
}

TEST_F(MiniList, InsertionsMoveStartAndEndAndReportTheEnd) {
  countingMiniList* list = build({2});
  list->node_beforeInsert(list->start, list->makeNode(1));
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2}));

  // After the end node: the last inserted node becomes the end node and the
  // old end node (-1) a member.
  oMiniNode* ringHead = list->makeNode(3);
  list->node_afterInsert(ringHead, list->makeNode(4));  // a floating ring 3, 4
  EXPECT_EQ(list->node_afterInsert(list->end, ringHead), ringHead);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, -1, 3}));
  EXPECT_EQ(list->node_read(list->end), 4);

  bool isEnd = false;
  EXPECT_EQ(list->node_read(list->node_next(ringHead, &isEnd)), 4);
  EXPECT_TRUE(isEnd);
  EXPECT_EQ(list->node_read(list->node_prev(ringHead, &isEnd)), -1);
  EXPECT_FALSE(isEnd);
  EXPECT_EQ(list->node_beforeInsert(list->start, nullptr), nullptr);
  End(list);
  EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{1, 1}, {2, 1}, {-1, 1}, {3, 1}, {4, 1}}));
}

TEST_F(MiniList, RemovingTheStartMovesItAndGivesAClosedRing) {
  countingMiniList* list = build({1, 2, 3, 4});
  oMiniNode* first = list->start;
  EXPECT_EQ(list->node_remove(first, first), nullptr);

  oMiniNode* removed = list->node_remove(first, first->next->next);
  EXPECT_EQ(ring(removed), (std::vector<intptr_t>{1, 2}));
  EXPECT_EQ(values(list), (std::vector<intptr_t>{3, 4}));

  // The last node alone: the end node stays.
  oMiniNode* last = list->end->prev;
  list->node_destroy(last, nullptr);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{3}));
  EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{4, 1}}));

  list->node_end(removed);
  End(list);
  for (auto [value, count] : endedValues) EXPECT_EQ(count, 1) << value;
  EXPECT_EQ(endedValues.size(), 5u);
}

TEST_F(MiniList, NodeEndEndsTheRingAfterTheGivenNodeFirst) {
  countingMiniList* list = build({});
  oMiniNode* ringHead = list->makeNode(10);
  list->node_afterInsert(ringHead, list->makeNode(30));
  list->node_afterInsert(ringHead, list->makeNode(20));

  std::vector<intptr_t> order;
  class orderList : public countingMiniList {
   public:
    std::vector<intptr_t>* order = nullptr;
    void node_endData(intptr_t value) override { order->push_back(value); }
  };
  auto* recorder = new orderList;
  recorder->order = &order;
  recorder->new_cMiniListGeneric(nullptr);
  recorder->node_end(ringHead);
  recorder->node_end(nullptr);
  EXPECT_EQ(order, (std::vector<intptr_t>{20, 30, 10}));
  End(recorder);
  End(list);
}

TEST_F(MiniList, WriteKeepsOrEndsTheOldValue) {
  countingMiniList* list = build({5});
  oMiniNode* node = list->start;
  EXPECT_EQ(list->node_write(node, 6, true), 5);
  EXPECT_TRUE(endedValues.empty());
  EXPECT_EQ(list->node_write(node, 7), 0);
  EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{6, 1}}));
  // Writing the value the node already holds does not end it.
  EXPECT_EQ(list->node_write(node, 7), 0);
  EXPECT_EQ(endedValues.count(7), 0u);
  End(list);
  EXPECT_EQ(endedValues[7], 1);
}

TEST_F(MiniList, InsertingABrokenRingRaisesBugAndChangesNothing) {
  countingMiniList* list = build({1, 2});
  oMiniNode* broken = list->makeNode(9);
  oMiniNode* other = list->makeNode(8);
  broken->prev = other;  // other->next leads elsewhere (to itself)
  struct Case {
    bool before;
    const char* message;
  };
  for (const Case& c : {Case{true, "cMiniListGeneric.node_beforeInsert(); ownedStart<>start"},
                        Case{false, "cMiniListGeneric.node_afterInsert(); ownedStart<>start"}}) {
    try {
      if (c.before) list->node_beforeInsert(list->start, broken);
      else list->node_afterInsert(list->end, broken);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.is("BUG"));
      EXPECT_STREQ(e.message(), c.message);
    }
    EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2}));
  }
  broken->prev = broken;
  list->node_end(broken);
  list->node_end(other);
  End(list);
}

TEST_F(MiniList, RemovalHoldingTheRootsNodeAnywhereMovesTheRootsNode) {
  // The root ends the chain from its node: when the removed range takes that
  // node along, the root must move to a node that stays, or ending the list
  // would end the removed ring (twice, once it is the caller's) and leak the rest.
  countingMiniList* list = build({1, 2, 3});
  oMiniNode* endNode = list->end;
  ASSERT_EQ(list->root->node, endNode);
  oMiniNode* one = list->start;
  oMiniNode* two = one->next;

  // Range 2, 3, end node, stopping at 1: the root's node sits last in it.
  oMiniNode* removed = list->node_remove(two, one);
  EXPECT_EQ(ring(removed), (std::vector<intptr_t>{2, 3, -1}));
  EXPECT_EQ(list->root->node, one);
  EXPECT_EQ(list->end, one);
  EXPECT_TRUE(list->infoIsEmpty());

  list->node_end(removed);
  End(list);
  EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{1, 1}, {2, 1}, {3, 1}, {-1, 1}}));
}

TEST_F(MiniList, RemovalHoldingTheRootsNodeInTheMiddleOfASharedChain) {
  countingMiniList* list = build({1, 2});
  // The old end node (the root's node) becomes a member: 1 2 -1 3 | end 4.
  list->node_afterInsert(list->end, list->makeNode(3));
  list->node_afterInsert(list->end, list->makeNode(4));
  cMiniList* mirror = list->mirror_cMiniList();
  oMiniNode* two = list->start->next;
  oMiniNode* rootNode = list->root->node;
  ASSERT_EQ(rootNode->data, -1);

  oMiniNode* removed = list->node_remove(two, rootNode->next->next);  // 2, -1, 3
  EXPECT_EQ(ring(removed), (std::vector<intptr_t>{2, -1, 3}));
  EXPECT_EQ(list->root->node->data, 4);
  list->node_end(removed);
  End(list);
  End(mirror);
  EXPECT_EQ(endedValues.size(), 5u);
  for (auto [value, count] : endedValues) EXPECT_EQ(count, 1) << value;
}

TEST_F(MiniList, RemovalThatWouldEmptyTheChainIsRefused) {
  countingMiniList* list = build({1});
  oMiniNode* endNode = list->end;
  oMiniNode* stranger = list->makeNode(5);
  // toNode not in the chain: the range would run round the whole chain.
  EXPECT_THROW(list->node_remove(list->start, stranger), Exception);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1}));
  EXPECT_EQ(list->end, endNode);
  // A lone node is a whole chain.
  EXPECT_THROW(list->node_remove(stranger, nullptr), Exception);
  EXPECT_EQ(stranger->next, stranger);
  list->node_end(stranger);
  End(list);
}

TEST_F(MiniList, ThreeViewsEndedInAnyOrderEndEveryNodeOnce) {
  std::vector<int> order = {0, 1, 2};
  do {
    endedValues.clear();
    countingMiniList* list = build({1, 2, 3, 4});
    cMiniListGeneric* views[3] = {list, list->mirror(), list->subset(list->start->next, list->end->prev)};
    EXPECT_EQ(values(views[2]), (std::vector<intptr_t>{2, 3}));
    for (size_t k = 0; k < 3; ++k) {
      End(views[order[k]]);
      if (k < 2) {
        EXPECT_TRUE(endedValues.empty()) << "a node ended while a view still uses it";
      }
    }
    EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {-1, 1}}));
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(MiniList, MirrorSharesNodesAndCloneCopiesThem) {
  countingMiniList* list = build({1, 2});
  cMiniList* mirror = list->mirror_cMiniList();
  EXPECT_TRUE(mirror->IsOfClassType("countingMiniList"));
  EXPECT_EQ(mirror->start, list->start);
  EXPECT_FALSE(list->root->hasOnlyOneList());

  cMiniList* copy = list->clone_cMiniList();
  EXPECT_NE(copy->start, list->start);
  EXPECT_NE(copy->root, list->root);
  EXPECT_TRUE(copy->root->hasOnlyOneList());
  EXPECT_EQ(values(copy), (std::vector<intptr_t>{1, 2}));
  EXPECT_EQ(copy->node_read(copy->end), -1);
  copy->node_write(copy->start, 100, true);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2}));

  // A lone view copies nothing.
  const size_t before = Arena::liveCount();
  oMiniNode* start = copy->start;
  copy->isolateFromSharing();
  EXPECT_EQ(copy->start, start);
  EXPECT_EQ(Arena::liveCount(), before);

  End(copy);
  EXPECT_EQ(endedValues, (std::map<intptr_t, int>{{100, 1}, {2, 1}, {-1, 1}}));
  End(list);
  EXPECT_TRUE(endedValues.count(1) == 0);
  End(mirror);
  EXPECT_EQ(endedValues[1], 1);
  EXPECT_EQ(endedValues[2], 2);  // once in the copy, once in the shared chain
}

TEST_F(MiniList, RootRemovesViewsAndHandsItsListOn) {
  countingMiniList* list = build({});
  cMiniListGeneric* a = list->mirror();
  cMiniRoot* root = list->root;
  EXPECT_FALSE(root->removeList(list));
  EXPECT_EQ(list->nextList, list);
  EXPECT_EQ(root->list, a);
  EXPECT_TRUE(root->hasOnlyOneList());
  root->addList(list);
  EXPECT_FALSE(root->hasOnlyOneList());
  End(a);
  End(list);
}

}  // namespace

namespace {

TEST(MiniListSelfTest, PrintsTheChangedList) {
  const size_t before = Arena::liveCount();
  testing::internal::CaptureStdout();
  main_cminilist();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(Arena::liveCount(), before);
  EXPECT_EQ(out.find("\nNodes from 12 to 0:\nnode = 12\nnode = 23\nnode = 34\n"), 0u) << out;
  EXPECT_NE(out.find("Nodes from 999 to 0:\nnode = 999\nnode = 34\nnode = 12\nnode = 45\n"),
            std::string::npos)
      << out;
}

}  // namespace
