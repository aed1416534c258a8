#include "core/number_space.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <unordered_map>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "tests/core/ending_probe.h"
#include "tests/support/expect_error.h"

namespace {

cNumberSpace_VALUE* newValueSpace() {
  auto* s = new cNumberSpace_VALUE;
  s->new_cNumberSpace_VALUE();
  return s;
}

cNumberSpace* newObjectSpace() {
  auto* s = new cNumberSpace;
  s->new_cNumberSpace(true);
  return s;
}

// Counts the items of one bucket table into `seen`, checking that each lies in
// the bucket of its key. Returns the number of items.
int32_t walkTable(numberSpaceItem** table, int32_t buckets, std::map<intptr_t, int>& seen) {
  int32_t items = 0;
  for (int32_t b = 0; b < buckets; ++b) {
    for (numberSpaceItem* it = table[b]; it; it = it->next) {
      EXPECT_EQ(static_cast<int32_t>((static_cast<uint32_t>(it->key) & 0x7FFFFFFFu) % static_cast<uint32_t>(buckets)), b)
          << "key " << it->key << " lies in the wrong bucket";
      ++seen[it->key];
      ++items;
    }
  }
  return items;
}

// The keys lying in the given bucket table.
std::vector<intptr_t> keysOf(numberSpaceItem** table, int32_t buckets) {
  std::vector<intptr_t> keys;
  for (int32_t b = 0; b < buckets; ++b)
    for (numberSpaceItem* it = table[b]; it; it = it->next) keys.push_back(it->key);
  return keys;
}

// The keys in iteration order.
std::vector<intptr_t> iterate(cNumberSpace* s) {
  std::vector<intptr_t> keys;
  for (bool more = s->itemGotoFirst(); more; more = s->itemGotoNext()) {
    intptr_t key = 0;
    EXPECT_NE(s->itemInfo(&key), 0);
    keys.push_back(key);
  }
  return keys;
}

// Fills a fresh value space with keys 1..n, value 10*key.
void fill(cNumberSpace_VALUE* s, intptr_t n) {
  for (intptr_t k = 1; k <= n; ++k) s->set_cNumberSpace_VALUE(k, k * 10);
}

}  // namespace

TEST(NumberSpaceGrowth, The387thKeyStartsAGrowthThatLaterCallsDrain) {
  const size_t base = Arena::liveCount();
  cNumberSpace_VALUE* s = newValueSpace();
  fill(s, 386);
  EXPECT_EQ(s->power, 8);
  EXPECT_EQ(s->bucketCount, 193);
  EXPECT_EQ(s->oldTable, nullptr);

  s->set_cNumberSpace_VALUE(387, 3870);
  EXPECT_EQ(s->power, 10);
  EXPECT_EQ(s->bucketCount, 769);
  EXPECT_EQ(s->oldBucketCount, 193);
  // The new key plus the one item the store moved across.
  EXPECT_EQ(s->count, 2);
  EXPECT_EQ(s->oldCount, 385);
  EXPECT_EQ(Arena::liveCount() - base, 1u + 2u + 387u);  // space, two tables, items

  int calls = 0;
  while (s->oldTable) {
    const int32_t oldBefore = s->oldCount;
    ASSERT_EQ(s->get_cNumberSpace_VALUE(-5 - calls), 0);  // absent, still moves one item
    ASSERT_EQ(s->oldCount, oldBefore - 1);
    ++calls;
    for (intptr_t k = 1; k <= 387; ++k) ASSERT_EQ(s->findMatchingItem(k, false), k * 10) << k;
  }
  EXPECT_EQ(calls, 385);
  EXPECT_EQ(s->count, 387);
  EXPECT_EQ(Arena::liveCount() - base, 1u + 1u + 387u);  // the old table is freed
  End(s);
  EXPECT_EQ(Arena::liveCount(), base);
}

TEST(NumberSpaceGrowth, GetMovesTheKeyItFindsInTheOldTable) {
  cNumberSpace_VALUE* s = newValueSpace();
  fill(s, 387);
  const std::vector<intptr_t> oldKeys = keysOf(s->oldTable, s->oldBucketCount);
  ASSERT_FALSE(oldKeys.empty());
  const intptr_t key = oldKeys[oldKeys.size() / 2];
  const int32_t oldBefore = s->oldCount;

  EXPECT_EQ(s->get_cNumberSpace_VALUE(key), key * 10);
  numberSpaceItem** table = nullptr;
  EXPECT_EQ(s->findMatchingItem(key, false, nullptr, &table), key * 10);
  EXPECT_EQ(table, s->table);
  EXPECT_EQ(s->oldCount, oldBefore - 1);  // only that item moved
  End(s);
}

TEST(NumberSpaceSet, KeepOldDisplacesTheNewDataAndReportsThePresentKey) {
  for (bool owning : {false, true}) {
    SCOPED_TRACE(owning ? "autoDealloc" : "plain");
    EndingProbe::ends.clear();
    auto* s = new cNumberSpace;
    s->new_cNumberSpace(owning);
    const intptr_t first = EndingProbe::word(1);
    const intptr_t second = EndingProbe::word(2);
    bool existed = true;
    EXPECT_EQ(s->set_cNumberSpace(7, first, false, &existed), 0);
    EXPECT_FALSE(existed);

    const intptr_t displaced = s->set_cNumberSpace(7, second, true, &existed);
    EXPECT_TRUE(existed);
    EXPECT_EQ(s->get_cNumberSpace(7), first);
    if (owning) {
      EXPECT_EQ(displaced, 0);
      EXPECT_EQ(EndingProbe::endsOf(2), 1);
    } else {
      EXPECT_EQ(displaced, second);
      EXPECT_EQ(EndingProbe::endsOf(2), 0);
      EndObject(reinterpret_cast<class_base*>(second));
    }
    EXPECT_EQ(EndingProbe::endsOf(1), 0);
    if (!owning) EndObject(reinterpret_cast<class_base*>(first));
    End(s);
    EXPECT_EQ(EndingProbe::endsOf(1), 1);
  }
}

TEST(NumberSpaceSet, NilDataIsRefused) {
  cNumberSpace_VALUE* s = newValueSpace();
  expectError("EMU", "cNumberSpace.set(); data=NIL", [&] { s->set_cNumberSpace_VALUE(1, 0); });
  EXPECT_EQ(s->infoCount(), 0);
  End(s);
}

TEST(NumberSpaceKeys, OnlyTheLow31BitsChooseTheBucketButTheWholeKeyMatches) {
  cNumberSpace_VALUE* s = newValueSpace();
  const intptr_t high = (static_cast<intptr_t>(1) << 40) | 5;  // pointer-sized key
  const struct {
    intptr_t a, b;
  } pairs[] = {{-1, 0x7FFFFFFF}, {5, high}, {0, static_cast<intptr_t>(INT32_MIN)}};
  intptr_t value = 1;
  for (const auto& p : pairs) {
    s->set_cNumberSpace_VALUE(p.a, value);
    s->set_cNumberSpace_VALUE(p.b, value + 1);
    int32_t bucketA = -1, bucketB = -2;
    EXPECT_EQ(s->findMatchingItem(p.a, false, nullptr, nullptr, nullptr, &bucketA), value);
    EXPECT_EQ(s->findMatchingItem(p.b, false, nullptr, nullptr, nullptr, &bucketB), value + 1);
    EXPECT_EQ(bucketA, bucketB) << p.a << " and " << p.b;
    value += 2;
  }
  EXPECT_EQ(s->infoCount(), 6);
  End(s);
}

TEST(NumberSpaceIteration, BucketsFromTheLastDownEachChainNewestFirst) {
  cNumberSpace_VALUE* s = newValueSpace();
  for (intptr_t k : {1, 2, 194, 5}) s->set_cNumberSpace_VALUE(k, k + 1000);  // 194 shares bucket 1
  EXPECT_EQ(iterate(s), (std::vector<intptr_t>{5, 2, 194, 1}));
  intptr_t key = 99;
  EXPECT_EQ(s->itemInfo(&key), 0);
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(s->itemGotoNext());
  End(s);

  cNumberSpace_VALUE* empty = newValueSpace();
  EXPECT_FALSE(empty->itemGotoFirst());
  End(empty);
}

TEST(NumberSpaceIteration, StartsInTheOldTableWhenTheCurrentOneIsEmpty) {
  cNumberSpace_VALUE* s = newValueSpace();
  fill(s, 387);
  for (intptr_t k : keysOf(s->table, s->bucketCount)) ASSERT_TRUE(s->delete_cNumberSpace(k));
  ASSERT_EQ(s->count, 0);
  ASSERT_EQ(s->oldCount, 385);
  const std::vector<intptr_t> oldKeys = keysOf(s->oldTable, s->oldBucketCount);

  std::vector<intptr_t> seen = iterate(s);
  EXPECT_EQ(std::multiset<intptr_t>(seen.begin(), seen.end()),
            std::multiset<intptr_t>(oldKeys.begin(), oldKeys.end()));
  End(s);
}

// A lookup used to move an item of the old table into the current one, so an
// iteration could meet it twice or never.
TEST(NumberSpaceIteration, LookupsAndReplacingDataDoNotDisturbIt) {
  cNumberSpace_VALUE* s = newValueSpace();
  fill(s, 400);
  ASSERT_NE(s->oldTable, nullptr);
  const std::vector<intptr_t> oldKeys = keysOf(s->oldTable, s->oldBucketCount);
  const int32_t oldBefore = s->oldCount;

  std::map<intptr_t, int> visits;
  size_t step = 0;
  for (bool more = s->itemGotoFirst(); more; more = s->itemGotoNext(), ++step) {
    intptr_t key = 0;
    s->itemInfo(&key);
    ++visits[key];
    // Items still in the old table, an absent key, and a replacement.
    EXPECT_NE(s->get_cNumberSpace_VALUE(oldKeys[step % oldKeys.size()]), 0);
    EXPECT_NE(s->get_cNumberSpace_VALUE(oldKeys[(step * 7 + 3) % oldKeys.size()]), 0);
    EXPECT_EQ(s->get_cNumberSpace_VALUE(100000 + static_cast<intptr_t>(step)), 0);
    bool existed = false;
    s->set_cNumberSpace_VALUE(key, key * 10 + 1, false, &existed);
    EXPECT_TRUE(existed);
  }
  EXPECT_EQ(visits.size(), 400u);
  for (const auto& [key, n] : visits) EXPECT_EQ(n, 1) << "key " << key;
  EXPECT_EQ(s->oldCount, oldBefore);
  for (intptr_t k = 1; k <= 400; ++k) EXPECT_EQ(s->findMatchingItem(k, false), k * 10 + 1);

  // Once the iteration is over, lookups drain the old table again.
  s->get_cNumberSpace_VALUE(-1);
  EXPECT_EQ(s->oldCount, oldBefore - 1);
  End(s);
}

TEST(NumberSpaceIteration, AddingOrRemovingEndsItWithAnError) {
  const struct {
    const char* what;
    void (*change)(cNumberSpace_VALUE*, intptr_t current);
  } cases[] = {
      {"add", [](cNumberSpace_VALUE* s, intptr_t) { s->set_cNumberSpace_VALUE(5000, 1); }},
      {"delete current", [](cNumberSpace_VALUE* s, intptr_t cur) { s->delete_cNumberSpace(cur); }},
      {"remove other", [](cNumberSpace_VALUE* s, intptr_t cur) { s->get_cNumberSpace_VALUE(cur == 1 ? 2 : 1, true); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cNumberSpace_VALUE* s = newValueSpace();
    fill(s, 390);
    ASSERT_TRUE(s->itemGotoFirst());
    ASSERT_TRUE(s->itemGotoNext());
    intptr_t current = 0;
    s->itemInfo(&current);
    c.change(s, current);
    EXPECT_EQ(s->itemInfo(), 0);
    expectError("EMU", "cNumberSpace.itemGotoNext(); the space changed during the iteration",
                [&] { s->itemGotoNext(); });
    // A new iteration sees every key once.
    const std::vector<intptr_t> keys = iterate(s);
    EXPECT_EQ(std::set<intptr_t>(keys.begin(), keys.end()).size(), keys.size());
    EXPECT_EQ(static_cast<int32_t>(keys.size()), s->infoCount());
    End(s);
  }
}

TEST(NumberSpaceOwnership, OwnedObjectsEndExactlyOnce) {
  const size_t base = Arena::liveCount();
  EndingProbe::ends.clear();
  cNumberSpace* s = newObjectSpace();
  const intptr_t p1 = EndingProbe::word(1), p2 = EndingProbe::word(2);
  EXPECT_EQ(s->set_cNumberSpace(1, p1), 0);
  EXPECT_EQ(s->set_cNumberSpace(1, p2), 0);  // replace: the old object ends
  EXPECT_EQ(EndingProbe::endsOf(1), 1);
  EXPECT_EQ(s->set_cNumberSpace(1, p2), 0);  // storing it again displaces nothing
  EXPECT_EQ(s->set_cNumberSpace(1, p2, true), 0);
  EXPECT_EQ(EndingProbe::endsOf(2), 0);
  EXPECT_EQ(s->get_cNumberSpace(1), p2);

  EXPECT_EQ(s->set_cNumberSpace(2, EndingProbe::word(3)), 0);
  EXPECT_TRUE(s->delete_cNumberSpace(2));
  EXPECT_EQ(EndingProbe::endsOf(3), 1);
  EXPECT_FALSE(s->delete_cNumberSpace(2));

  const intptr_t p4 = EndingProbe::word(4);
  s->set_cNumberSpace(3, p4);
  EXPECT_EQ(s->get_cNumberSpace(3, true), p4);  // handed back, not ended
  EXPECT_EQ(EndingProbe::endsOf(4), 0);
  EndObject(reinterpret_cast<class_base*>(p4));

  // Enough objects for a growth, so both tables hold some when the space ends.
  for (int32_t id = 100; id < 500; ++id) s->set_cNumberSpace(id, EndingProbe::word(id));
  ASSERT_NE(s->oldTable, nullptr);
  End(s);
  for (int32_t id : {1, 2, 3, 4}) EXPECT_EQ(EndingProbe::endsOf(id), 1) << id;
  for (int32_t id = 100; id < 500; ++id) ASSERT_EQ(EndingProbe::endsOf(id), 1) << id;
  EXPECT_EQ(Arena::liveCount(), base);
}

namespace {
class FailingProbe : public class_base {
  LUDEX_CLASS(FailingProbe, class_base)
 public:
  void end_class() override {
    class_base::end_class();
    Throw("TEST", "failing end");
  }
};
}  // namespace

TEST(NumberSpaceOwnership, EndingCompletesWhenAnObjectFailsToEnd) {
  const size_t base = Arena::liveCount();
  EndingProbe::ends.clear();
  cNumberSpace* s = newObjectSpace();
  s->set_cNumberSpace(1, EndingProbe::word(1));
  s->set_cNumberSpace(2, reinterpret_cast<intptr_t>(new FailingProbe));
  s->set_cNumberSpace(3, EndingProbe::word(3));
  EXPECT_NO_THROW(End(s));
  EXPECT_EQ(EndingProbe::endsOf(1), 1);
  EXPECT_EQ(EndingProbe::endsOf(3), 1);
  EXPECT_EQ(Arena::liveCount(), base);
}

namespace {
// Checks the space against the reference: each key in exactly one table, the
// table counts right, and nothing allocated beyond the space, its tables and items.
void audit(cNumberSpace* s, const std::unordered_map<intptr_t, intptr_t>& ref, size_t base) {
  std::map<intptr_t, int> seen;
  EXPECT_EQ(walkTable(s->table, s->bucketCount, seen), s->count);
  if (s->oldTable) {
    EXPECT_EQ(walkTable(s->oldTable, s->oldBucketCount, seen), s->oldCount);
    EXPECT_GT(s->oldCount, 0);
  } else {
    EXPECT_EQ(s->oldCount, 0);
  }
  EXPECT_EQ(seen.size(), ref.size());
  for (const auto& [key, value] : ref) {
    ASSERT_EQ(seen[key], 1) << "key " << key;
    ASSERT_EQ(s->findMatchingItem(key, false), value) << "key " << key;
  }
  EXPECT_EQ(Arena::liveCount() - base, 1 + 1 + (s->oldTable ? 1 : 0) + ref.size());
}
}  // namespace

TEST(NumberSpaceRandomised, MatchesAReferenceMapAcrossTwoGrowths) {
  const size_t base = Arena::liveCount();
  std::mt19937_64 rng(20261209);
  std::vector<intptr_t> pool;
  for (intptr_t k = 0; k < 2000; ++k) pool.push_back(k);
  for (intptr_t k = 1; k <= 1000; ++k) pool.push_back(-k * 7919);
  for (int i = 0; i < 1000; ++i) pool.push_back(static_cast<intptr_t>(rng()));

  cNumberSpace_VALUE* s = newValueSpace();
  std::unordered_map<intptr_t, intptr_t> ref;
  int growths = 0, oldTablesFreed = 0;
  int32_t lastPower = s->power;
  bool hadOld = false;
  for (int op = 0; op < 40000; ++op) {
    const intptr_t key = pool[rng() % pool.size()];
    const auto found = ref.find(key);
    const intptr_t expected = found == ref.end() ? 0 : found->second;
    const unsigned kind = rng() % 100;
    if (kind < 60) {
      const intptr_t value = static_cast<intptr_t>(rng() | 1);
      const bool keepOld = rng() % 4 == 0;
      bool existed = false;
      const intptr_t displaced = s->set_cNumberSpace_VALUE(key, value, keepOld, &existed);
      ASSERT_EQ(existed, found != ref.end());
      if (!existed) {
        ASSERT_EQ(displaced, 0);
        ref[key] = value;
      } else if (keepOld) {
        ASSERT_EQ(displaced, value);
      } else {
        ASSERT_EQ(displaced, expected);
        ref[key] = value;
      }
    } else if (kind < 85) {
      const bool remove = rng() % 3 == 0;
      ASSERT_EQ(s->get_cNumberSpace_VALUE(key, remove), expected);
      if (remove) ref.erase(key);
    } else {
      ASSERT_EQ(s->delete_cNumberSpace(key), found != ref.end());
      ref.erase(key);
    }
    ASSERT_EQ(s->infoCount(), static_cast<int32_t>(ref.size()));
    if (s->power != lastPower) {
      ++growths;
      lastPower = s->power;
    }
    if (hadOld && !s->oldTable) ++oldTablesFreed;
    hadOld = s->oldTable != nullptr;
    if (op % 400 == 0) {
      audit(s, ref, base);
      if (HasFatalFailure()) return;
    }
  }
  audit(s, ref, base);
  EXPECT_GE(growths, 2);
  EXPECT_EQ(s->power, 12);
  EXPECT_GE(oldTablesFreed, 2);
  End(s);
  EXPECT_EQ(Arena::liveCount(), base);
}
