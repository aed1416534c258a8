#include "os/exec/memory.h"

#include <cstdlib>

void* AllocVec(size_t byteSize, uint32_t attributes) {
  return (attributes & MEMF_CLEAR) ? std::calloc(1, byteSize) : std::malloc(byteSize);
}

void FreeVec(void* memoryBlock) { std::free(memoryBlock); }
