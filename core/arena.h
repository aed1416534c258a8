// The process-wide allocator. Every object, string and list of the program is
// allocated here, zero-filled. What is still allocated when the allocator is
// torn down (last thing at exit) is released then.
#pragma once
#include <cstddef>
#include <cstdint>

namespace Arena {
// Zero-filled block of `size` bytes; raises MEM when memory runs out.
void* alloc(size_t size);
// Gives a block back; nullptr is ignored.
void release(void* block);
// Asks the processor for the start of a block (its bookkeeping and at least
// the first 64 bytes), which is about to be read or given back: a loop over
// many scattered blocks asks a few ahead.
void fetchAhead(const void* block);
// Number of blocks currently allocated.
size_t liveCount();
// Releases every block still allocated. Safe to call more than once.
void teardown();
}  // namespace Arena

// Module initialiser/finaliser of the allocators, in the program's start-up order.
void new_mem();
void new_fastmem();
void end_fastmem();
void end_mem();
