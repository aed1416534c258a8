// The work of the string helpers, counted: how many times they were called
// and how many bytes they read or wrote. A task's count on inputs of
// different sizes tells how its work grows with the input; tests compare
// such counts, nothing in the program reads them.
#pragma once
#include <cstddef>
#include <cstdint>

struct StringWork {
  uint64_t calls = 0;
  uint64_t bytes = 0;
};

extern StringWork stringWork;

inline void countStringWork(size_t bytes) {
  ++stringWork.calls;
  stringWork.bytes += bytes;
}
