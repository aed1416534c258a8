// exec.library's memory, hosted: blocks that are given back by their address
// alone (AllocVec, FreeVec), and blocks given back with their size (AllocMem,
// FreeMem). Every AllocVec block is tracked: the blocks not yet given back can
// be counted (a buffer never freed shows as a leak), and FreeVec of something
// that is not a live block is reported instead of corrupting memory. AllocMem
// blocks are only counted: their owner keeps their sizes (and can keep them
// for many blocks at no cost of a table lookup).
#pragma once
#include <cstddef>
#include <cstdint>

// Memory attributes. Every kind of memory is the same in the hosted system;
// MEMF_CLEAR asks for a zero-filled block.
constexpr uint32_t MEMF_ANY = 0;
constexpr uint32_t MEMF_PUBLIC = 1 << 0;
constexpr uint32_t MEMF_CLEAR = 1 << 16;

// A block of byteSize bytes (zero-filled with MEMF_CLEAR), or NIL when there
// is no memory for it.
void* AllocVec(size_t byteSize, uint32_t attributes);
// Gives back a block of AllocVec; NIL is ignored. A block that is not live
// (freed twice, or never from AllocVec) is reported ("ERROR: ...") and left alone.
void FreeVec(void* memoryBlock);

// A block of byteSize bytes (zero-filled with MEMF_CLEAR), or NIL when there
// is no memory for it; given back with FreeMem and the same size.
void* AllocMem(size_t byteSize, uint32_t attributes);
// Gives back a block of AllocMem of byteSize bytes; NIL is ignored.
void FreeMem(void* memoryBlock, size_t byteSize);

namespace ostest {
// Blocks of AllocVec not yet given back, and their bytes.
size_t liveAllocVecBlocks();
size_t liveAllocVecBytes();
// Blocks of AllocMem not yet given back.
size_t liveAllocMemBlocks();
}  // namespace ostest
