#include "os/runtime/large_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {
constexpr size_t LARGE_PAGE = size_t{2} << 20;
}

void* allocateLargePaged(size_t bytes) {
  void* block = nullptr;
  if (posix_memalign(&block, LARGE_PAGE, bytes) != 0) return nullptr;
  // Where the system has no large pages this asks for nothing.
  madvise(block, bytes & ~(LARGE_PAGE - 1), MADV_HUGEPAGE);
  return block;
}
