#include "core/general.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/match_list.h"
#include "core/strings/string.h"

namespace {

std::vector<std::string> linesOf(char* chain) {
  std::vector<std::string> lines;
  for (char* s = chain; s; s = StrNext(s)) lines.emplace_back(s);
  return lines;
}

TEST(StrJoin, SkipsNilAnywhereAndSizesExactly) {
  char* s = StrJoin("a", nullptr, "b");
  EXPECT_STREQ(s, "ab");
  EXPECT_EQ(StrMax(s), 2);
  DisposeString(s);
  s = StrJoin(nullptr, nullptr);
  EXPECT_STREQ(s, "");
  EXPECT_EQ(StrMax(s), 0);
  DisposeString(s);
  s = StrJoin("Work:", "Games/", nullptr, "x", ".adf", nullptr, nullptr);
  EXPECT_STREQ(s, "Work:Games/x.adf");
  DisposeString(s);
}

TEST(SplitLines, LinesCountsAndCapacities) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\n\nb", {"a", "", "b"}},
      {"a\n", {"a", ""}},
      {"", {""}},
      {"one\r\ntwo", {"one\r", "two"}},
  };
  for (const Case& c : cases) {
    const size_t before = Arena::liveCount();
    int32_t count = -1;
    char* chain = splitLinesIntoLinkedStrings(c.text, &count);
    EXPECT_EQ(linesOf(chain), c.lines) << c.text;
    EXPECT_EQ(count, static_cast<int32_t>(c.lines.size())) << c.text;
    for (char* s = chain; s; s = StrNext(s)) EXPECT_EQ(StrMax(s), std::max<int32_t>(1, EstrLen(s)));
    DisposeString(chain);
    EXPECT_EQ(Arena::liveCount(), before);
  }
}

TEST(MatchList, AppendsInOrderAndEndsEveryNode) {
  const size_t before = Arena::liveCount();
  auto* list = new matchList;
  list->new_matchList();
  for (int i = 0; i < 1000; ++i) list->append(i, i * 2, i * 3);
  int i = 0;
  for (matchNode* n = list->firstNode; n; n = n->next, ++i) {
    EXPECT_EQ(n->first, i);
    EXPECT_EQ(n->third, i * 3);
  }
  EXPECT_EQ(i, 1000);
  EXPECT_EQ(list->lastNode->second, 999 * 2);
  End(list);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(Mod, TruncatesTowardZero) {
  int32_t q = 0;
  EXPECT_EQ(Mod(-7, 2, &q), -1);
  EXPECT_EQ(q, -3);
  EXPECT_EQ(Mod(7, -2, &q), 1);
  EXPECT_EQ(q, -3);
  EXPECT_EQ(Mod(INT32_MIN, 1, &q), 0);
  EXPECT_EQ(q, INT32_MIN);
}

TEST(Mod, DivisionThatWouldTrapRaisesEpu) {
  for (auto [a, b] : {std::pair{5, 0}, std::pair{INT32_MIN, -1}}) {
    try {
      Mod(a, b);
      ADD_FAILURE() << a << " / " << b;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.is("EPU"));
    }
    EXPECT_THROW(SdivMod32(a, b), Exception);
    EXPECT_THROW(UdivMod32(a, b), Exception);
  }
}

TEST(BitHelpers, PositionsValuesAndPowers) {
  EXPECT_EQ(largestBitPosition_pgeneral(0), -1);
  EXPECT_EQ(smallestBitPosition_pgeneral(0), -1);
  EXPECT_EQ(largestBitPosition_pgeneral(-1), 31);
  EXPECT_EQ(smallestBitPosition_pgeneral(12), 2);
  int32_t pos = 0;
  EXPECT_EQ(largestBitValue(0x30, &pos), 0x20);
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(largestBitValue(INT32_MIN, &pos), INT32_MIN);
  EXPECT_EQ(pos, 31);
  EXPECT_EQ(largestBitValue(0, &pos), -1);
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(smallestBitValue(0x30, &pos), 0x10);
  EXPECT_THROW(bitPositionValue(32), Exception);
  EXPECT_THROW(bitPositionValue(-1), Exception);

  EXPECT_EQ(roundUpToPowerOfTwo(5, &pos), 8);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(roundUpToPowerOfTwo(8, &pos), 8);
  EXPECT_EQ(roundUpToPowerOfTwo(1, &pos), 1);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(roundUpToPowerOfTwo(-3, &pos), -1);
  EXPECT_EQ(pos, 32);

  EXPECT_EQ(raiseToPower(3, 4), 81);
  EXPECT_EQ(raiseToPower(3, 0), 1);
  EXPECT_EQ(raiseToPower(3, -2), 1);
  EXPECT_EQ(raiseToPower(2, 10), 1024);
  EXPECT_THROW(raiseToPower(2, 32), Exception);
}

TEST(PowerMod, AgreesWithModForPowersOfTwoAndOthers) {
  EXPECT_THROW(PowerModGet(0), Exception);
  EXPECT_EQ(PowerModGet(8), 3);
  EXPECT_EQ(PowerModGet(6), -6);
  for (int32_t d : {1, 2, 3, 8, 10, 64}) {
    for (int32_t a : {-100, -9, -8, -1, 0, 1, 7, 8, 100, INT32_MIN, INT32_MAX}) {
      int32_t q1 = 0, q2 = 0;
      const int32_t r1 = FastMod2(a, d, &q1);
      const int32_t r2 = Mod(a, d, &q2);
      EXPECT_EQ(r1, r2) << a << " % " << d;
      EXPECT_EQ(q1, q2) << a << " / " << d;
    }
  }
}

TEST(Rnd, SeededSequenceRepeatsAndStaysInRange) {
  Rnd(-1234);
  std::vector<int32_t> first;
  for (int i = 0; i < 50; ++i) first.push_back(Rnd(10));
  Rnd(-1234);
  for (int i = 0; i < 50; ++i) {
    const int32_t v = Rnd(10);
    EXPECT_EQ(v, first[static_cast<size_t>(i)]);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 10);
  }
  EXPECT_EQ(Rnd(0), 0);
}

TEST(SelfTest, ReportsNoErrors) {
  testing::internal::CaptureStdout();
  main_pgeneral();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
  EXPECT_NE(out.find("Completed test of largestBitPosition()."), std::string::npos);
}

}  // namespace
