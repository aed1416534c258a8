#include "os/exec/memory.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The C library gives a large block (a long list's array of 100,000 items)
// back to the system as it is freed, and takes fresh pages for the next
// one, which the system zero-fills page by page as they are first touched:
// a long list refiltered on every keystroke would pay for that every time.
// Kept in the heap instead, freed blocks are handed out again as they are.
[[maybe_unused]] const bool heapKeepsLargeBlocks = [] {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);   // the most the C library allows
  mallopt(M_TRIM_THRESHOLD, 128 << 20);  // free memory at the heap's top that stays
#endif
  return true;
}();

// The live blocks by address, in an open-addressing table with linear
// probing: a block's entry costs no allocation of its own, which keeps
// AllocVec and FreeVec close to malloc and free even for many small blocks.
// Deleting shifts the following entries back, so no tombstones build up.
class LiveBlocks {
 public:
  // An address already in the table (its block was given back to the C
  // library some other way, and malloc handed it out again) takes the new size.
  void add(void* block, size_t size) {
    if ((count + 1) * 2 > capacity) grow();
    size_t i = slotOf(block);
    while (slots[i].block && slots[i].block != block) i = (i + 1) & (capacity - 1);
    if (slots[i].block) {
      bytes -= slots[i].size;
    } else {
      slots[i].block = block;
      ++count;
    }
    slots[i].size = size;
    bytes += size;
  }
  // Takes block out and gives its size; false when it is not live.
  bool remove(void* block, size_t* size) {
    if (!capacity) return false;
    size_t i = slotOf(block);
    while (slots[i].block != block) {
      if (!slots[i].block) return false;
      i = (i + 1) & (capacity - 1);
    }
    *size = slots[i].size;
    bytes -= slots[i].size;
    --count;
    // Backward-shift: move later entries of the run into the hole when their
    // home slot does not lie cyclically between the hole and themselves.
    size_t hole = i;
    for (size_t j = (i + 1) & (capacity - 1); slots[j].block; j = (j + 1) & (capacity - 1)) {
      const size_t home = slotOf(slots[j].block);
      const bool homeAfterHole = hole <= j ? (home > hole && home <= j) : (home > hole || home <= j);
      if (homeAfterHole) continue;
      slots[hole] = slots[j];
      hole = j;
    }
    slots[hole] = {};
    return true;
  }
  size_t liveCount() const { return count; }
  size_t liveBytes() const { return bytes; }

 private:
  struct Slot {
    void* block = nullptr;
    size_t size = 0;
  };
  size_t slotOf(const void* block) const {
    // Fibonacci hashing of the address; malloc's alignment leaves the low
    // bits equal, the multiply spreads the rest.
    const uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(block)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h >> (64 - shift));
  }
  void grow() {
    Slot* old = slots;
    const size_t oldCapacity = capacity;
    shift = capacity ? shift + 1 : 10;
    capacity = size_t{1} << shift;
    slots = static_cast<Slot*>(std::calloc(capacity, sizeof(Slot)));
    if (!slots) {
      std::fputs("ERROR: exec; no memory left to track blocks\n", stderr);
      std::abort();
    }
    for (size_t k = 0; k < oldCapacity; ++k) {
      if (!old[k].block) continue;
      size_t i = slotOf(old[k].block);
      while (slots[i].block) i = (i + 1) & (capacity - 1);
      slots[i] = old[k];
    }
    std::free(old);
  }
  Slot* slots = nullptr;
  size_t capacity = 0;
  unsigned shift = 0;
  size_t count = 0;
  size_t bytes = 0;
};

// Never destroyed: blocks may still be given back while the process ends.
LiveBlocks& tracked() {
  static LiveBlocks* t = new LiveBlocks;
  return *t;
}

size_t allocMemBlocks = 0;

// Blocks of this size or more lie on the system's large pages where it has
// them: a program that keeps many thousands of small objects in such blocks
// then reads them through few address translations, where 4 KB pages would
// need one for nearly every object. They start on a large page's bound, so
// that every large page of them lies wholly inside, and ask for large pages
// before their memory is first touched.
constexpr size_t LARGE_PAGE = size_t{2} << 20;
constexpr size_t LARGE_PAGED_BYTES = 2 * LARGE_PAGE;

void* allocateLargePaged(size_t bytes) {
  void* block = nullptr;
  if (posix_memalign(&block, LARGE_PAGE, bytes) != 0) return nullptr;
  madvise(block, bytes & ~(LARGE_PAGE - 1), MADV_HUGEPAGE);
  return block;
}

void* allocate(size_t byteSize, uint32_t attributes) {
  // A zero-sized block is still a distinct live block.
  const size_t size = byteSize ? byteSize : 1;
  if (size < LARGE_PAGED_BYTES)
    return (attributes & MEMF_CLEAR) ? std::calloc(1, size) : std::malloc(size);
  void* block = allocateLargePaged(size);
  if (block && (attributes & MEMF_CLEAR)) std::memset(block, 0, size);
  return block;
}

}  // namespace

void* AllocVec(size_t byteSize, uint32_t attributes) {
  void* block = allocate(byteSize, attributes);
  if (!block) return nullptr;
  tracked().add(block, byteSize);
  return block;
}

void FreeVec(void* memoryBlock) {
  if (!memoryBlock) return;
  size_t size = 0;
  if (!tracked().remove(memoryBlock, &size)) {
    std::printf("ERROR: exec; FreeVec(); $%p is not a block of AllocVec (freed twice?)\n", memoryBlock);
    std::fflush(stdout);
    return;
  }
  std::free(memoryBlock);
}

void* AllocMem(size_t byteSize, uint32_t attributes) {
  void* block = allocate(byteSize, attributes);
  if (block) ++allocMemBlocks;
  return block;
}

void FreeMem(void* memoryBlock, size_t byteSize) {
  (void)byteSize;  // the C library keeps the size itself
  if (!memoryBlock) return;
  --allocMemBlocks;
  std::free(memoryBlock);
}

size_t ostest::liveAllocMemBlocks() { return allocMemBlocks; }
size_t ostest::liveAllocVecBlocks() { return tracked().liveCount(); }
size_t ostest::liveAllocVecBytes() { return tracked().liveBytes(); }
