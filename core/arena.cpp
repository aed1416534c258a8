#include "core/arena.h"

#include <cstdlib>
#include <cstring>

#include "core/exception.h"
#include "os/exec/memory.h"

// Small blocks come from pools: large chunks of system memory cut into
// blocks as they are asked for, each block going back to the free stack of
// its size class when it is given back, to be handed out again (the last
// given back first). A list of many
// thousands of rows then costs no system call per row, and filling and
// emptying it again reuses the same memory. Larger blocks come from the
// system one by one.
//
// Under AddressSanitizer every block comes from the system: a block used
// after it was given back, or given back twice, is then found at once.
#if defined(__SANITIZE_ADDRESS__)
#define LUDEX_ARENA_POOLS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUDEX_ARENA_POOLS 0
#endif
#endif
#ifndef LUDEX_ARENA_POOLS
#define LUDEX_ARENA_POOLS 1
#endif

namespace {

// Every block is preceded by this header: its size, and its size class
// (LARGE for a block of its own). The user part stays 16-byte aligned.
struct BlockHeader {
  size_t size;
  size_t sizeClass;
};
static_assert(sizeof(BlockHeader) == 16);

// A block of its own also links into the list of such blocks, so that the
// allocator can release whatever is left when it is torn down.
struct LargeLinks {
  LargeLinks* prev;
  LargeLinks* next;
};
static_assert(sizeof(LargeLinks) % 16 == 0);

constexpr size_t LARGE = 0;
constexpr size_t CLASS_STEP = 16;
constexpr size_t POOLED_LIMIT = LUDEX_ARENA_POOLS ? 512 : 0;  // the largest pooled size
constexpr size_t CLASSES = 512 / CLASS_STEP + 1;              // class c holds c * 16 bytes
// The first chunks are small; a program that keeps cutting goes on in large
// ones (which the system backs with large pages where it can).
constexpr size_t CHUNK_BYTES = 256 * 1024;
constexpr size_t LARGE_CHUNK_BYTES = 4 * 1024 * 1024;
constexpr size_t SMALL_CHUNKS = 4;

// A chunk of system memory the pools cut blocks from; the first bytes link
// the chunks together.
struct Chunk {
  Chunk* next;
  size_t bytes;  // the chunk's size (and keeps what follows 16-byte aligned)
};
static_assert(sizeof(Chunk) == 16);

// The blocks of one size class that were given back, as an array of their
// addresses rather than links kept in the blocks: handing out a block reads
// no memory of the block itself, so the blocks to be handed out next can be
// asked for well ahead. A long list's blocks given back lie scattered over
// memory; a chain through them would wait for memory at every step.
struct FreeStack {
  void** blocks = nullptr;  // from the C library: the stacks are not blocks of the pools
  size_t count = 0;
  size_t capacity = 0;
};

// How many blocks ahead a block about to be handed out is asked for.
constexpr size_t FETCH_BLOCKS_AHEAD = 8;

struct ArenaState {
  LargeLinks* firstLarge = nullptr;
  Chunk* chunks = nullptr;
  char* cut = nullptr;  // the part of the newest chunk not yet cut into blocks
  char* cutEnd = nullptr;
  size_t chunkCount = 0;
  FreeStack freeBlocks[CLASSES] = {};
  size_t count = 0;
  ~ArenaState() { Arena::teardown(); }
};

ArenaState& state() {
  static ArenaState s;
  return s;
}

void* allocLarge(ArenaState& s, size_t size) {
  // A size the headers cannot be added to is more memory than there is.
  if (size > SIZE_MAX - sizeof(LargeLinks) - sizeof(BlockHeader)) Throw("MEM");
  auto* links =
      static_cast<LargeLinks*>(AllocMem(sizeof(LargeLinks) + sizeof(BlockHeader) + size, MEMF_ANY | MEMF_CLEAR));
  if (!links) Throw("MEM");
  links->prev = nullptr;
  links->next = s.firstLarge;
  if (s.firstLarge) s.firstLarge->prev = links;
  s.firstLarge = links;
  auto* h = reinterpret_cast<BlockHeader*>(links + 1);
  h->size = size;
  h->sizeClass = LARGE;
  return h + 1;
}

// Zero-fills a block given back before (16-byte aligned, bytes a multiple of
// 16). Most blocks are a few 16-byte words, which plain stores clear in less
// time than memset takes to start.
void clearBlock(void* block, size_t bytes) {
  using Word = unsigned long long __attribute__((vector_size(16), may_alias));
  auto* w = static_cast<Word*>(block);
  switch (bytes / 16) {
    case 8: w[7] = Word{}; [[fallthrough]];
    case 7: w[6] = Word{}; [[fallthrough]];
    case 6: w[5] = Word{}; [[fallthrough]];
    case 5: w[4] = Word{}; [[fallthrough]];
    case 4: w[3] = Word{}; [[fallthrough]];
    case 3: w[2] = Word{}; [[fallthrough]];
    case 2: w[1] = Word{}; [[fallthrough]];
    case 1: w[0] = Word{}; break;
    default: std::memset(block, 0, bytes); break;
  }
}

void* allocPooled(ArenaState& s, size_t size) {
  const size_t sizeClass = (size + CLASS_STEP - 1) / CLASS_STEP;
  const size_t bytes = sizeClass * CLASS_STEP;
  BlockHeader* h;
  FreeStack& stack = s.freeBlocks[sizeClass];
  if (stack.count) {
    void* reused = stack.blocks[--stack.count];
    // A block handed out a few allocations of its size from now: asked for
    // now, it is there by then (its header and up to 144 bytes of it).
    if (stack.count >= FETCH_BLOCKS_AHEAD) {
      const char* soon = static_cast<const char*>(stack.blocks[stack.count - FETCH_BLOCKS_AHEAD]) - sizeof(BlockHeader);
      __builtin_prefetch(soon, 1);
      if (bytes > 64 - sizeof(BlockHeader)) __builtin_prefetch(soon + 64, 1);
      if (bytes > 128 - sizeof(BlockHeader)) __builtin_prefetch(soon + 128, 1);
    }
    clearBlock(reused, bytes);
    h = static_cast<BlockHeader*>(reused) - 1;
  } else {
    if (static_cast<size_t>(s.cutEnd - s.cut) < sizeof(BlockHeader) + bytes) {
      // What is left of the old chunk stays unused: it is less than one block.
      const size_t chunkBytes = s.chunkCount < SMALL_CHUNKS ? CHUNK_BYTES : LARGE_CHUNK_BYTES;
      auto* chunk = static_cast<Chunk*>(AllocMem(chunkBytes, MEMF_ANY | MEMF_CLEAR));
      if (!chunk) Throw("MEM");
      chunk->next = s.chunks;
      chunk->bytes = chunkBytes;
      s.chunks = chunk;
      ++s.chunkCount;
      s.cut = reinterpret_cast<char*>(chunk + 1);
      s.cutEnd = reinterpret_cast<char*>(chunk) + chunkBytes;
    }
    h = reinterpret_cast<BlockHeader*>(s.cut);  // never handed out before: still zero
    s.cut += sizeof(BlockHeader) + bytes;
  }
  h->size = size;
  h->sizeClass = sizeClass;
  return h + 1;
}

}  // namespace

void* Arena::alloc(size_t size) {
  ArenaState& s = state();
  void* block = size && size <= POOLED_LIMIT ? allocPooled(s, size) : allocLarge(s, size);
  ++s.count;
  return block;
}

void Arena::fetchAhead(const void* block) {
  if (!block) return;
  // The header's line and the next: 80 bytes from the header at least.
  const auto* h = reinterpret_cast<const char*>(static_cast<const BlockHeader*>(block) - 1);
  __builtin_prefetch(h, 1);
  __builtin_prefetch(h + 64, 1);
}

void Arena::release(void* block) {
  if (!block) return;
  BlockHeader* h = static_cast<BlockHeader*>(block) - 1;
  ArenaState& s = state();
  --s.count;
  if (h->sizeClass != LARGE) {
    FreeStack& stack = s.freeBlocks[h->sizeClass];
    if (stack.count == stack.capacity) {
      const size_t capacity = stack.capacity ? 2 * stack.capacity : 1024;
      void* grown = std::realloc(static_cast<void*>(stack.blocks), capacity * sizeof(void*));
      // Without room the block stays unused until the allocator is torn
      // down, which releases the chunks it lies in.
      if (!grown) return;
      stack.blocks = static_cast<void**>(grown);
      stack.capacity = capacity;
    }
    stack.blocks[stack.count++] = block;
    return;
  }
  LargeLinks* links = reinterpret_cast<LargeLinks*>(h) - 1;
  if (links->prev) links->prev->next = links->next; else s.firstLarge = links->next;
  if (links->next) links->next->prev = links->prev;
  FreeMem(links, sizeof(LargeLinks) + sizeof(BlockHeader) + h->size);
}

size_t Arena::liveCount() { return state().count; }

void Arena::teardown() {
  ArenaState& s = state();
  LargeLinks* large = s.firstLarge;
  Chunk* chunk = s.chunks;
  s.firstLarge = nullptr;
  s.chunks = nullptr;
  s.cut = s.cutEnd = nullptr;
  s.chunkCount = 0;
  for (FreeStack& stack : s.freeBlocks) {
    std::free(static_cast<void*>(stack.blocks));
    stack = FreeStack{};
  }
  s.count = 0;
  while (large) {
    LargeLinks* next = large->next;
    const auto* h = reinterpret_cast<const BlockHeader*>(large + 1);
    FreeMem(large, sizeof(LargeLinks) + sizeof(BlockHeader) + h->size);
    large = next;
  }
  while (chunk) {
    Chunk* next = chunk->next;
    FreeMem(chunk, chunk->bytes);
    chunk = next;
  }
}

// The pools of the original allocators need no set-up here; tearing down
// the allocator at the end releases everything still allocated.
void new_mem() {}
void new_fastmem() {}
void end_fastmem() {}
void end_mem() { Arena::teardown(); }
