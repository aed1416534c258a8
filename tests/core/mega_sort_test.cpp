#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_compare.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_module.h"
#include "core/lists/mega_list_types.h"

namespace {

// Values are key * 1000 + serial: the comparator looks at the key only, so
// the serials show whether equal keys kept their order.
intptr_t keyOf(intptr_t value) { return value / 1000; }

class byKey : public fCompareMegaNodes {
 public:
  int calls = 0;
  int failAtCall = -1;  // raise an error on that call
  int8_t call(cMegaMiniList* store, oMegaNode* a, oMegaNode* b) override {
    if (calls++ == failAtCall) Throw("TEST", "comparator failed");
    const intptr_t ka = keyOf(store->node_read(a));
    const intptr_t kb = keyOf(store->node_read(b));
    return static_cast<int8_t>(ka == kb ? 0 : (ka < kb ? 1 : -1));
  }
};

class MegaSort : public ::testing::Test {
 protected:
  void SetUp() override {
    new_cmegalist();
    baseline = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), baseline);
    end_cmegalist();
  }

  static cMegaList* build(const std::vector<intptr_t>& values) {
    auto* list = new cMegaList;
    list->new_cMegaListGeneric(false, nullptr);
    for (intptr_t v : values) list->infoPastEnd()->beforeInsert(list->makeNode(v));
    return list;
  }

  // The values in list order, checking the links and the sentinel on the way.
  static std::vector<intptr_t> values(cMegaListGeneric* list) {
    std::vector<intptr_t> out;
    oMiniNode* sentinel = list->infoPastEnd()->infoMiniNode();
    EXPECT_EQ(list->infoStart()->infoMiniNode(), sentinel->next) << "infoStart is not on the first node";
    for (oMiniNode* n = sentinel->next; n != sentinel; n = n->next) {
      EXPECT_EQ(n->next->prev, n);
      out.push_back(n->data);
      if (out.size() > 10000) break;
    }
    return out;
  }

  static std::vector<intptr_t> stableSorted(std::vector<intptr_t> v) {
    std::stable_sort(v.begin(), v.end(), [](intptr_t a, intptr_t b) { return keyOf(a) < keyOf(b); });
    return v;
  }

  size_t baseline = 0;
};

TEST_F(MegaSort, EveryPermutationOfOneToSixNodesSortsStably) {
  auto* order = new byKey;
  for (int n = 1; n <= 6; ++n) {
    // Keys with repeats, so that stability is seen too: 0 0 1 1 2 2.
    std::vector<intptr_t> keys(n);
    for (int i = 0; i < n; ++i) keys[i] = i / 2;
    do {
      std::vector<intptr_t> input;
      for (int i = 0; i < n; ++i) input.push_back(keys[i] * 1000 + i);
      cMegaList* list = build(input);
      list->sort(order);
      EXPECT_EQ(values(list), stableSorted(input)) << "length " << n;
      End(list);
    } while (std::next_permutation(keys.begin(), keys.end()));
  }
  End(order);
}

TEST_F(MegaSort, RandomListsWithDuplicateKeysMatchStableSort) {
  auto* order = new byKey;
  std::mt19937 random(1234);
  for (int round = 0; round < 200; ++round) {
    const int n = static_cast<int>(random() % 70);
    const int keyRange = 1 + static_cast<int>(random() % 10);
    std::vector<intptr_t> input;
    for (int i = 0; i < n; ++i) input.push_back(static_cast<intptr_t>(random() % keyRange) * 1000 + i);
    cMegaList* list = build(input);
    list->sort(order);
    EXPECT_EQ(values(list), stableSorted(input));
    End(list);
  }
  End(order);
}

TEST_F(MegaSort, OneNodeIsLeftWithoutComparing) {
  auto* order = new byKey;
  cMegaList* list = build({5000});
  list->sort(order);
  EXPECT_EQ(order->calls, 0);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{5000}));
  cMegaList* empty = build({});
  empty->sort(order);
  EXPECT_TRUE(empty->infoIsEmpty());
  End(empty);
  End(list);
  End(order);
}

TEST_F(MegaSort, EveryCursorStaysOnItsNode) {
  auto* order = new byKey;
  const std::vector<intptr_t> input = {4000, 1000, 3000, 1001, 5000, 2000, 0};
  cMegaList* list = build(input);
  cMegaList* mirror = list->mirror_cMegaList();
  // One cursor of each policy pair on every node, the sentinel included:
  // relinking must not apply removal or follow policies to any of them.
  std::vector<cMegaCursor*> cursors;
  std::vector<oMegaNode*> nodes;
  cMegaCursor* walker = list->infoStart_cMegaList()->clone_cMegaCursor(1, 0);
  for (size_t i = 0; i <= input.size(); ++i) {
    for (int32_t removed : {0, 1, 2})
      for (int32_t follow : {0, 1, 2}) {
        cursors.push_back(walker->clone_cMegaCursor(removed, follow));
        nodes.push_back(walker->infoMiniNode());
      }
    walker->next();
  }
  End(walker);
  oMegaNode* sentinel = list->infoPastEnd()->infoMiniNode();

  list->sort(order);
  EXPECT_EQ(values(list), stableSorted(input));
  for (size_t i = 0; i < cursors.size(); ++i) EXPECT_EQ(cursors[i]->infoMiniNode(), nodes[i]) << i;
  EXPECT_EQ(list->infoPastEnd()->infoMiniNode(), sentinel);
  EXPECT_EQ(list->infoStart()->read_cMegaCursorGeneric(), 0);
  // The mirror shows the same nodes, from its new first node too.
  EXPECT_EQ(values(mirror), stableSorted(input));
  for (cMegaCursor* c : cursors) End(c);
  End(mirror);
  End(list);
  End(order);
}

TEST_F(MegaSort, AFailingComparatorLeavesEveryNodeInTheList) {
  std::vector<intptr_t> input(40);
  std::iota(input.begin(), input.end(), 0);
  std::reverse(input.begin(), input.end());
  for (intptr_t& v : input) v *= 1000;
  auto* counter = new byKey;
  cMegaList* probeList = build(input);
  probeList->sort(counter);
  const int total = counter->calls;
  End(probeList);
  End(counter);
  ASSERT_GT(total, 40);
  for (int failAt : {0, 1, total / 2, total - 1}) {
    auto* order = new byKey;
    order->failAtCall = failAt;
    cMegaList* list = build(input);
    const size_t live = Arena::liveCount();
    try {
      list->sort(order);
      ADD_FAILURE() << "the comparator's error was lost";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.is("TEST"));
    }
    EXPECT_EQ(Arena::liveCount(), live) << "work cursors left behind";
    std::vector<intptr_t> after = values(list);
    std::sort(after.begin(), after.end());
    std::vector<intptr_t> expected = input;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected) << "after failing at call " << failAt;
    // The list still works.
    order->failAtCall = -1;
    list->sort(order);
    EXPECT_EQ(values(list), expected);
    End(list);
    End(order);
  }
}

TEST_F(MegaSort, ASubsetSortsOnlyItsRange) {
  auto* order = new byKey;
  cMegaList* list = build({9000, 3000, 2000, 1000, 0});
  cMegaCursor* from = list->infoStart_cMegaList()->clone_cMegaCursor(1, 0);
  from->next();
  cMegaCursor* to = from->clone_cMegaCursor(1, 0);
  for (int i = 0; i < 3; ++i) to->next();
  cMegaList* part = list->subset_cMegaList(from, to);
  part->sort(order);
  EXPECT_EQ(part->infoStart()->read_cMegaCursorGeneric(), 1000);
  std::vector<intptr_t> all;
  cMegaCursor* walk = list->infoStart_cMegaList()->clone_cMegaCursor(1, 0);
  do all.push_back(walk->read_cMegaCursorGeneric());
  while (!walk->next());
  EXPECT_EQ(all, (std::vector<intptr_t>{9000, 1000, 2000, 3000, 0}));
  for (cMegaCursor* c : {from, to, walk}) End(c);
  End(part);
  End(list);
  End(order);
}

TEST_F(MegaSort, DefaultComparatorOrdersPlainValuesAscending) {
  fCompareMegaNodes* compare = defaultCompareMegaNodes;
  ASSERT_NE(compare, nullptr);
  cMegaList* list = build({7, 5, 3, 3, -2});
  cMegaMiniList* store = list->infoMiniList();
  auto node = [&](int index) {
    oMiniNode* n = list->infoStart()->infoMiniNode();
    for (int i = 0; i < index; ++i) n = n->next;
    return static_cast<oMegaNode*>(n);
  };
  EXPECT_GT(compare->call(store, node(1), node(0)), 0);  // 5 before 7
  EXPECT_LT(compare->call(store, node(0), node(1)), 0);
  EXPECT_EQ(compare->call(store, node(2), node(3)), 0);  // 3 and 3
  list->sort(nullptr);
  EXPECT_EQ(values(list), (std::vector<intptr_t>{-2, 3, 3, 5, 7}));

  // Values 2^31 or more apart compare by the wrapped 32-bit difference.
  // -2 and INT32_MAX: the difference wraps, so INT32_MAX comes first.
  cMegaList* wide = build({-2, INT32_MAX});
  oMegaNode* minusTwo = static_cast<oMegaNode*>(wide->infoStart()->infoMiniNode());
  oMegaNode* big = static_cast<oMegaNode*>(minusTwo->next);
  EXPECT_LT(compare->call(wide->infoMiniList(), minusTwo, big), 0);
  EXPECT_GT(compare->call(wide->infoMiniList(), big, minusTwo), 0);
  End(wide);

  // Only the plain-value list has a default.
  auto* objects = new cMegaList_class;
  objects->new_cMegaList_class(false, nullptr, false);
  try {
    objects->sort(nullptr);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.message(), "cMegaListGeneric.sort(); compareFunction=NIL");
  }
  End(objects);
  End(list);
}

TEST_F(MegaSort, ListModuleMakesAndEndsItsDefaultOnce) {
  end_cmegalist();
  EXPECT_EQ(defaultCompareMegaNodes, nullptr);
  end_cmegalist();  // safe when nothing was made
  const size_t live = Arena::liveCount();
  new_cmegalist();
  EXPECT_EQ(Arena::liveCount(), live + 1);
  end_cmegalist();
  EXPECT_EQ(Arena::liveCount(), live);
  new_cmegalist();
}

}  // namespace
