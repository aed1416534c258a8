// exec's signals and Wait, semaphores, and the tracked AllocVec blocks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "os/dos/dos.h"
#include "os/exec/hosted_failure.h"
#include "os/exec/memory.h"
#include "os/exec/semaphores.h"
#include "os/exec/signals.h"

namespace {

TEST(ExecSignals, WaitTakesOnlyTheSignalsWaitedForAndLeavesTheOthers) {
  const int8_t a = AllocSignal(-1), b = AllocSignal(-1);
  ASSERT_GE(a, 16);
  ASSERT_GE(b, 16);
  ASSERT_NE(a, b);
  EXPECT_EQ(AllocSignal(a), -1) << "a bit in use is not given twice";
  EXPECT_EQ(AllocSignal(3), -1) << "system bits are not given out";
  const uint32_t fa = 1u << a, fb = 1u << b;
  Signal(nullptr, fa | fb);
  EXPECT_EQ(Wait(fa), fa);
  EXPECT_EQ(SetSignal(0, 0) & (fa | fb), fb) << "b stays received";
  EXPECT_EQ(Wait(fa | fb), fb);
  EXPECT_EQ(SetSignal(0, 0) & (fa | fb), 0u);
  FreeSignal(a);
  FreeSignal(b);
  EXPECT_EQ(AllocSignal(a), a) << "a freed bit can be had again";
  FreeSignal(a);
}

// Counts its calls; the first `grants` calls make the signal arrive.
struct Granting {
  static inline int calls = 0, grants = 0;
  static inline uint32_t bit = 0;
  static bool handler(uint32_t set) {
    ++calls;
    if (calls > grants) return false;
    Signal(nullptr, set & bit);
    return true;
  }
};

TEST(ExecSignals, WaitWithNothingThatCanArriveFailsInsteadOfHanging) {
  const int8_t s = AllocSignal(-1);
  const uint32_t flag = 1u << s;
  WaitingHandler before = SetWaitingHandler(nullptr);
  try {
    Wait(flag);
    ADD_FAILURE() << "Wait returned";
  } catch (const HostedFailure& f) {
    EXPECT_EQ(f.returnCode(), 20);
    EXPECT_NE(std::string(f.what()).find("no signal of $"), std::string::npos) << f.what();
  }
  // A handler that can make the signal arrive is asked, once per missing signal.
  Granting::calls = 0;
  Granting::grants = 1;
  Granting::bit = flag;
  SetWaitingHandler(Granting::handler);
  EXPECT_EQ(Wait(flag), flag);
  EXPECT_EQ(Granting::calls, 1);
  EXPECT_THROW(Wait(flag), HostedFailure);
  EXPECT_EQ(Granting::calls, 2);
  SetWaitingHandler(before);
  FreeSignal(s);
}

TEST(ExecSemaphores, NestedObtainsCountOnceAndUnbalancedReleasesAreReported) {
  SignalSemaphore one{}, two{};
  InitSemaphore(&one);
  InitSemaphore(&two);
  const int32_t before = HeldSemaphoreCount();
  ObtainSemaphore(&one);
  ObtainSemaphore(&one);
  ObtainSemaphore(&two);
  EXPECT_EQ(HeldSemaphoreCount(), before + 2);
  ReleaseSemaphore(&one);
  EXPECT_EQ(HeldSemaphoreCount(), before + 2) << "one is still held once";
  ReleaseSemaphore(&one);
  ReleaseSemaphore(&two);
  EXPECT_EQ(HeldSemaphoreCount(), before);
  testing::internal::CaptureStdout();
  ReleaseSemaphore(&one);
  SignalSemaphore never{};
  ObtainSemaphore(&never);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR: exec; ReleaseSemaphore(); the semaphore is not held\n"
            "ERROR: exec; ObtainSemaphore(); the semaphore is not initialised\n");
  EXPECT_EQ(HeldSemaphoreCount(), before);
}

TEST(ExecMemory, EveryBlockIsTrackedUntilFreedAndBadFreesAreRefused) {
  const size_t blocks = ostest::liveAllocVecBlocks(), bytes = ostest::liveAllocVecBytes();
  auto* cleared = static_cast<unsigned char*>(AllocVec(64, MEMF_CLEAR));
  void* plain = AllocVec(10, MEMF_ANY);
  void* empty = AllocVec(0, MEMF_ANY);
  ASSERT_TRUE(cleared && plain && empty);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(cleared[i], 0);
  EXPECT_EQ(ostest::liveAllocVecBlocks(), blocks + 3) << "a block never freed shows";
  EXPECT_EQ(ostest::liveAllocVecBytes(), bytes + 74);
  FreeVec(plain);
  FreeVec(nullptr);
  testing::internal::CaptureStdout();
  FreeVec(plain);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("is not a block of AllocVec (freed twice?)"), std::string::npos) << out;
  FreeVec(cleared);
  FreeVec(empty);
  EXPECT_EQ(ostest::liveAllocVecBlocks(), blocks);
  EXPECT_EQ(ostest::liveAllocVecBytes(), bytes);
}

// Many blocks given and taken back in random order, checked against a plain
// map of what is live: every live block can be freed exactly once (none is
// lost when others leave the table), counts and bytes stay exact, and an
// address that was never a block is refused.
TEST(ExecMemory, RandomAllocationsAndFreesKeepExactlyTheLiveBlocks) {
  const size_t blocks = ostest::liveAllocVecBlocks(), bytes = ostest::liveAllocVecBytes();
  std::mt19937 random(7);
  std::unordered_map<void*, size_t> model;
  std::vector<void*> live;
  size_t modelBytes = 0;
  for (int step = 0; step < 60000; ++step) {
    if (live.empty() || random() % 5 < 3) {
      const size_t size = random() % 48;
      void* block = AllocVec(size, MEMF_ANY);
      ASSERT_TRUE(block);
      ASSERT_TRUE(model.emplace(block, size).second);
      live.push_back(block);
      modelBytes += size;
    } else {
      const size_t at = random() % live.size();
      void* block = live[at];
      live[at] = live.back();
      live.pop_back();
      modelBytes -= model[block];
      model.erase(block);
      FreeVec(block);
    }
    if (step % 997 == 0) {
      ASSERT_EQ(ostest::liveAllocVecBlocks(), blocks + model.size()) << "step " << step;
      ASSERT_EQ(ostest::liveAllocVecBytes(), bytes + modelBytes) << "step " << step;
    }
  }
  int notABlock = 0;
  testing::internal::CaptureStdout();
  FreeVec(&notABlock);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("is not a block of AllocVec"), std::string::npos);
  testing::internal::CaptureStdout();
  for (void* block : live) FreeVec(block);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "a live block was lost from the table";
  EXPECT_EQ(ostest::liveAllocVecBlocks(), blocks);
  EXPECT_EQ(ostest::liveAllocVecBytes(), bytes);
}

}  // namespace
