#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"

TEST(Arena, BlocksComeZeroFilledAndImpossibleSizesAreOutOfMemory) {
  const size_t before = Arena::liveCount();
  auto* block = static_cast<unsigned char*>(Arena::alloc(64));
  bool zero = true;
  for (int i = 0; i < 64; ++i) zero = zero && block[i] == 0;
  EXPECT_TRUE(zero);
  EXPECT_EQ(Arena::liveCount(), before + 1);
  Arena::release(block);
  // Sizes the block's own header would wrap around.
  for (const size_t size : {SIZE_MAX, SIZE_MAX - 8}) {
    try {
      Arena::alloc(size);
      ADD_FAILURE() << "no error for " << size;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.is("MEM"));
    }
  }
  EXPECT_EQ(Arena::liveCount(), before);
}

// Blocks given back are handed out again: every size, small and large, comes
// zero-filled however it was written before, and blocks live at the same
// time never share a byte (each keeps its own pattern).
TEST(Arena, ReusedBlocksComeZeroFilledAndLiveBlocksNeverOverlap) {
  const size_t before = Arena::liveCount();
  struct Block {
    unsigned char* bytes;
    size_t size;
    unsigned char pattern;
  };
  std::vector<Block> live;
  unsigned char next = 0;
  for (int round = 0; round < 3; ++round) {
    for (size_t size = 1; size <= 700; size += (size < 40 ? 1 : 13)) {
      auto* block = static_cast<unsigned char*>(Arena::alloc(size));
      for (size_t i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << "size " << size << " round " << round;
      next = static_cast<unsigned char>(next % 251 + 1);
      std::memset(block, next, size);
      live.push_back({block, size, next});
    }
    for (const Block& b : live)
      for (size_t i = 0; i < b.size; ++i) ASSERT_EQ(b.bytes[i], b.pattern) << "size " << b.size;
    EXPECT_EQ(Arena::liveCount(), before + live.size());
    // Every other block goes back, in an order unlike the order made.
    for (size_t k = live.size(); k-- > 0;)
      if (k % 2 == static_cast<size_t>(round % 2)) {
        Arena::release(live[k].bytes);
        live.erase(live.begin() + static_cast<long>(k));
      }
  }
  for (const Block& b : live) Arena::release(b.bytes);
  EXPECT_EQ(Arena::liveCount(), before);
}
