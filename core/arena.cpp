#include "core/arena.h"

#include "core/exception.h"
#include "os/exec/memory.h"

namespace {

// Each block carries a header linking it into the list of live blocks, so the
// allocator can release whatever is left when it is torn down; the header's
// size gives the block back with FreeMem, with no lookup of its size.
struct BlockHeader {
  BlockHeader* prev;
  BlockHeader* next;
  size_t size;
  uint64_t pad;  // keeps the user part 16-byte aligned
};
static_assert(sizeof(BlockHeader) % 16 == 0);

struct ArenaState {
  BlockHeader* first = nullptr;
  size_t count = 0;
  ~ArenaState() { Arena::teardown(); }
};

ArenaState& state() {
  static ArenaState s;
  return s;
}

}  // namespace

void* Arena::alloc(size_t size) {
  // A size the header cannot be added to is more memory than there is.
  if (size > SIZE_MAX - sizeof(BlockHeader)) Throw("MEM");
  auto* h = static_cast<BlockHeader*>(AllocMem(sizeof(BlockHeader) + size, MEMF_ANY | MEMF_CLEAR));
  if (!h) Throw("MEM");
  ArenaState& s = state();
  h->size = size;
  h->next = s.first;
  if (s.first) s.first->prev = h;
  s.first = h;
  ++s.count;
  return h + 1;
}

void Arena::release(void* block) {
  if (!block) return;
  BlockHeader* h = static_cast<BlockHeader*>(block) - 1;
  ArenaState& s = state();
  if (h->prev) h->prev->next = h->next; else s.first = h->next;
  if (h->next) h->next->prev = h->prev;
  --s.count;
  FreeMem(h, sizeof(BlockHeader) + h->size);
}

size_t Arena::liveCount() { return state().count; }

void Arena::teardown() {
  ArenaState& s = state();
  BlockHeader* h = s.first;
  s.first = nullptr;
  s.count = 0;
  while (h) {
    BlockHeader* next = h->next;
    FreeMem(h, sizeof(BlockHeader) + h->size);
    h = next;
  }
}

// The pools of the original allocators need no set-up here; tearing down
// the allocator at the end releases everything still allocated.
void new_mem() {}
void new_fastmem() {}
void end_fastmem() {}
void end_mem() { Arena::teardown(); }
