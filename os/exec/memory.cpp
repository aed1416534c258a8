#include "os/exec/memory.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace {
struct Tracked {
  std::unordered_map<void*, size_t> sizes;
  size_t bytes = 0;
};
// Never destroyed: blocks may still be given back while the process ends.
Tracked& tracked() {
  static Tracked* t = new Tracked;
  return *t;
}
}  // namespace

void* AllocVec(size_t byteSize, uint32_t attributes) {
  // A zero-sized block is still a distinct live block.
  const size_t size = byteSize ? byteSize : 1;
  void* block = (attributes & MEMF_CLEAR) ? std::calloc(1, size) : std::malloc(size);
  if (!block) return nullptr;
  tracked().sizes[block] = byteSize;
  tracked().bytes += byteSize;
  return block;
}

void FreeVec(void* memoryBlock) {
  if (!memoryBlock) return;
  auto found = tracked().sizes.find(memoryBlock);
  if (found == tracked().sizes.end()) {
    std::printf("ERROR: exec; FreeVec(); $%p is not a block of AllocVec (freed twice?)\n", memoryBlock);
    std::fflush(stdout);
    return;
  }
  tracked().bytes -= found->second;
  tracked().sizes.erase(found);
  std::free(memoryBlock);
}

size_t ostest::liveAllocVecBlocks() { return tracked().sizes.size(); }
size_t ostest::liveAllocVecBytes() { return tracked().bytes; }
