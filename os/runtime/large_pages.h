// Long blocks on the system's large pages (2 MB each) where it has them: a
// program that reads many thousands of small objects scattered through such
// a block then needs few address translations, where 4 KB pages would need
// one for nearly every object.
#pragma once
#include <cstddef>

// Blocks of this size or more lie on large pages.
constexpr size_t LARGE_PAGED_BYTES = size_t{4} << 20;

// A block of at least LARGE_PAGED_BYTES on a large page's bound, its large
// pages asked for before it is first touched (its memory is not cleared);
// NIL when there is no memory. Freed with std::free.
void* allocateLargePaged(size_t bytes);
