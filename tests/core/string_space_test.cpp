#include "core/strings/string_space.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/strings/string_hash.h"
#include "tests/core/ending_probe.h"
#include "tests/support/expect_error.h"

namespace {

cStringSpace* newSpace(bool autoDealloc, int32_t caseMode) {
  auto* s = new cStringSpace;
  s->new_cStringSpace(autoDealloc, caseMode);
  return s;
}

// Three keys whose exact hashes are equal, so they share one chain.
const char* const sameHash[] = {"ucqeb", "mcqdj", "ecqgr"};

// Keys and data in iteration order.
std::vector<std::pair<std::string, intptr_t>> contents(cStringSpace* s) {
  std::vector<std::pair<std::string, intptr_t>> out;
  for (bool more = s->itemGotoFirst(); more; more = s->itemGotoNext()) {
    const char* key = nullptr;
    const intptr_t data = s->itemInfo(&key);
    EXPECT_NE(key, nullptr);
    out.emplace_back(key ? key : "", data);
  }
  return out;
}

}  // namespace

TEST(StringSpaceCase, CaseInsensitiveSpaceFindsAndReplacesWhateverTheCase) {
  cStringSpace* s = newSpace(false, CASE_INSENSITIVE);
  bool existed = true;
  EXPECT_EQ(s->set_cStringSpace("Disk", 1, false, &existed), 0);
  EXPECT_FALSE(existed);
  EXPECT_EQ(s->get_cStringSpace("DISK"), 1);
  EXPECT_EQ(s->get_cStringSpace("disk"), 1);
  EXPECT_EQ(s->set_cStringSpace("DISK", 2, false, &existed), 1);
  EXPECT_TRUE(existed);
  // The item keeps the key it was made with.
  EXPECT_EQ(contents(s), (std::vector<std::pair<std::string, intptr_t>>{{"Disk", 2}}));
  End(s);
}

TEST(StringSpaceCase, CaseSensitiveSpaceKeepsKeysThatDifferInCase) {
  cStringSpace* s = newSpace(false, CASE_SENSITIVE);
  bool existed = true;
  s->set_cStringSpace("Disk", 1);
  EXPECT_EQ(s->set_cStringSpace("disk", 2, false, &existed), 0);
  EXPECT_FALSE(existed);
  EXPECT_EQ(s->get_cStringSpace("Disk"), 1);
  EXPECT_EQ(s->get_cStringSpace("disk"), 2);
  EXPECT_EQ(s->get_cStringSpace("DISK", false, true), 0);  // ignoreCase counts only per call
  EXPECT_EQ(contents(s).size(), 2u);
  End(s);
}

TEST(StringSpaceCase, CaseChosenPerCall) {
  for (bool owning : {false, true}) {
    SCOPED_TRACE(owning ? "autoDealloc" : "plain");
    EndingProbe::ends.clear();
    cStringSpace* s = newSpace(owning, CASE_CHOSEN_PER_CALL);
    const intptr_t first = EndingProbe::word(1);
    const intptr_t second = EndingProbe::word(2);
    s->set_cStringSpace("Disk", first);
    bool existed = false;
    // A key differing only in case neither replaces nor adds.
    const intptr_t displaced = s->set_cStringSpace("disk", second, false, &existed);
    EXPECT_TRUE(existed);
    EXPECT_EQ(displaced, owning ? 0 : second);
    EXPECT_EQ(EndingProbe::endsOf(2), owning ? 1 : 0);
    if (!owning) EndObject(reinterpret_cast<class_base*>(second));
    EXPECT_EQ(contents(s), (std::vector<std::pair<std::string, intptr_t>>{{"Disk", first}}));

    EXPECT_EQ(s->get_cStringSpace("Disk", false, false), first);
    EXPECT_EQ(s->get_cStringSpace("disk", false, false), 0);
    EXPECT_EQ(s->get_cStringSpace("DISK", false, true), first);
    EXPECT_FALSE(s->delete_cStringSpace("disk", false));
    EXPECT_EQ(EndingProbe::endsOf(1), 0);

    // The exact key replaces.
    const intptr_t third = EndingProbe::word(3);
    EXPECT_EQ(s->set_cStringSpace("Disk", third), owning ? 0 : first);
    EXPECT_EQ(s->get_cStringSpace("disk", false, true), third);
    if (!owning) EndObject(reinterpret_cast<class_base*>(first));
    EXPECT_EQ(EndingProbe::endsOf(1), 1);

    EXPECT_TRUE(s->delete_cStringSpace("dISK", true));
    EXPECT_EQ(EndingProbe::endsOf(3), owning ? 1 : 0);
    if (!owning) EndObject(reinterpret_cast<class_base*>(third));
    End(s);
  }
}

TEST(StringSpaceChains, RemovingAnyItemOfAChainOfThreeKeepsTheOthers) {
  ASSERT_EQ(hashString(sameHash[0], true), hashString(sameHash[1], true));
  ASSERT_EQ(hashString(sameHash[0], true), hashString(sameHash[2], true));
  for (int removed = 0; removed < 3; ++removed) {
    SCOPED_TRACE(sameHash[removed]);
    const size_t base = Arena::liveCount();
    cStringSpace* s = newSpace(true, CASE_SENSITIVE);
    EndingProbe::ends.clear();
    for (int i = 0; i < 3; ++i) s->set_cStringSpace(sameHash[i], EndingProbe::word(i));
    // One chain, newest key first.
    const auto all = contents(s);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].first, sameHash[2]);
    EXPECT_EQ(all[1].first, sameHash[1]);
    EXPECT_EQ(all[2].first, sameHash[0]);

    // removed 2 is the head, 0 the tail.
    const intptr_t data = s->get_cStringSpace(sameHash[removed], true);
    ASSERT_NE(data, 0);
    EXPECT_EQ(reinterpret_cast<EndingProbe*>(data)->id, removed);
    EXPECT_EQ(EndingProbe::endsOf(removed), 0);
    EndObject(reinterpret_cast<class_base*>(data));
    for (int i = 0; i < 3; ++i) {
      if (i == removed) {
        EXPECT_EQ(s->get_cStringSpace(sameHash[i]), 0);
      } else {
        const intptr_t other = s->get_cStringSpace(sameHash[i]);
        ASSERT_NE(other, 0) << sameHash[i];
        EXPECT_EQ(reinterpret_cast<EndingProbe*>(other)->id, i);
      }
    }
    EXPECT_EQ(contents(s).size(), 2u);
    End(s);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(EndingProbe::endsOf(i), 1) << i;
    EXPECT_EQ(Arena::liveCount(), base);
  }
}

TEST(StringSpaceSet, NilDataIsRefusedAndKeysAreCopied) {
  cStringSpace* s = newSpace(false, CASE_INSENSITIVE);
  expectError("EMU", "cStringSpace.set(); data=NIL", [&] { s->set_cStringSpace("x", 0); });
  EXPECT_FALSE(s->itemGotoFirst());

  char key[] = "Workbench";
  s->set_cStringSpace(key, 5);
  std::strcpy(key, "Other");
  EXPECT_EQ(s->get_cStringSpace("WORKBENCH"), 5);
  EXPECT_EQ(s->get_cStringSpace("Other"), 0);
  EXPECT_FALSE(s->delete_cStringSpace("absent"));
  EXPECT_TRUE(s->delete_cStringSpace("workbench"));
  EXPECT_FALSE(s->delete_cStringSpace("workbench"));
  End(s);
}

TEST(StringSpaceOwnership, OwnedObjectsEndExactlyOnce) {
  const size_t base = Arena::liveCount();
  EndingProbe::ends.clear();
  cStringSpace* s = newSpace(true, CASE_INSENSITIVE);
  const intptr_t p1 = EndingProbe::word(1), p2 = EndingProbe::word(2);
  s->set_cStringSpace("Tag", p1);
  EXPECT_EQ(s->set_cStringSpace("TAG", p2), 0);  // replace
  EXPECT_EQ(EndingProbe::endsOf(1), 1);
  EXPECT_EQ(s->set_cStringSpace("tag", p2), 0);  // the stored object again: nothing displaced
  EXPECT_EQ(s->set_cStringSpace("tag", p2, true), 0);
  EXPECT_EQ(EndingProbe::endsOf(2), 0);
  bool existed = false;
  EXPECT_EQ(s->set_cStringSpace("tag", EndingProbe::word(3), true, &existed), 0);  // keepOld
  EXPECT_TRUE(existed);
  EXPECT_EQ(EndingProbe::endsOf(3), 1);
  EXPECT_EQ(s->get_cStringSpace("Tag"), p2);

  s->set_cStringSpace("gone", EndingProbe::word(4));
  EXPECT_TRUE(s->delete_cStringSpace("GONE"));
  EXPECT_EQ(EndingProbe::endsOf(4), 1);

  const intptr_t p5 = EndingProbe::word(5);
  s->set_cStringSpace("taken", p5);
  EXPECT_EQ(s->get_cStringSpace("taken", true), p5);
  EXPECT_EQ(EndingProbe::endsOf(5), 0);
  EndObject(reinterpret_cast<class_base*>(p5));

  // Chains and enough keys for the number space below to grow.
  for (int i = 0; i < 3; ++i) s->set_cStringSpace(sameHash[i], EndingProbe::word(10 + i));
  for (int32_t id = 100; id < 600; ++id) s->set_cStringSpace(("key" + std::to_string(id)).c_str(), EndingProbe::word(id));
  End(s);
  for (int32_t id : {1, 2, 3, 4, 5, 10, 11, 12}) EXPECT_EQ(EndingProbe::endsOf(id), 1) << id;
  for (int32_t id = 100; id < 600; ++id) ASSERT_EQ(EndingProbe::endsOf(id), 1) << id;
  EXPECT_EQ(Arena::liveCount(), base);
}

TEST(StringSpaceIteration, LookupsAndReplacingDataDoNotDisturbIt) {
  cStringSpace* s = newSpace(false, CASE_INSENSITIVE);
  std::vector<std::string> keys;
  for (int i = 0; i < 450; ++i) keys.push_back("Game " + std::to_string(i));
  for (size_t i = 0; i < keys.size(); ++i) s->set_cStringSpace(keys[i].c_str(), static_cast<intptr_t>(i + 1));
  ASSERT_NE(s->numberSpace->oldTable, nullptr);  // a rehash is still pending

  std::map<std::string, int> visits;
  size_t step = 0;
  for (bool more = s->itemGotoFirst(); more; more = s->itemGotoNext(), ++step) {
    const char* key = nullptr;
    s->itemInfo(&key);
    ++visits[key];
    EXPECT_NE(s->get_cStringSpace(keys[(step * 13) % keys.size()].c_str()), 0);
    EXPECT_EQ(s->get_cStringSpace("absent"), 0);
    s->set_cStringSpace(key, 1000);
  }
  EXPECT_EQ(visits.size(), keys.size());
  for (const auto& [key, n] : visits) EXPECT_EQ(n, 1) << key;
  for (const std::string& key : keys) EXPECT_EQ(s->get_cStringSpace(key.c_str()), 1000);
  End(s);
}

TEST(StringSpaceIteration, AddingOrRemovingEndsItWithAnError) {
  const struct {
    const char* what;
    void (*change)(cStringSpace*, const char* current);
  } cases[] = {
      {"add to a chain", [](cStringSpace* s, const char*) { s->set_cStringSpace(sameHash[2], 9); }},
      {"delete current", [](cStringSpace* s, const char* cur) { s->delete_cStringSpace(cur); }},
      {"remove other", [](cStringSpace* s, const char* cur) {
         s->get_cStringSpace(std::strcmp(cur, "plain") ? "plain" : sameHash[0], true);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cStringSpace* s = newSpace(false, CASE_SENSITIVE);
    s->set_cStringSpace(sameHash[0], 1);
    s->set_cStringSpace(sameHash[1], 2);
    s->set_cStringSpace("plain", 3);
    ASSERT_TRUE(s->itemGotoFirst());
    const char* current = nullptr;
    s->itemInfo(&current);
    const std::string currentKey = current;
    c.change(s, currentKey.c_str());
    expectError("EMU", "cStringSpace.itemGotoNext(); the space changed during the iteration",
                [&] { s->itemGotoNext(); });
    const char* key = reinterpret_cast<const char*>(1);
    EXPECT_EQ(s->itemInfo(&key), 0);
    EXPECT_EQ(key, nullptr);
    End(s);
  }
}
