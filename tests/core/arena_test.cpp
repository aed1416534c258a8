#include <gtest/gtest.h>

#include <cstdint>

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
