// A stable sort by 128-bit keys, a byte at a time from the least significant
// one (a radix sort): O(n) per byte, without a comparison. Bytes that every
// key shares (the first letters of most names, the high word of a small
// number) move nothing and are skipped. The lists sort their rows with it,
// both in the list class and in the program's list model.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

// high(item) and low(item) give the two 64-bit halves of an item's key.
template <class T, class High, class Low>
void radixSortBy128BitKeys(std::vector<T>& items, High high, Low low) {
  const size_t count = items.size();
  if (count < 2) return;
  // Byte b of a key, from the least significant byte of low (0) to the most
  // significant byte of high (15).
  const auto byteOf = [&](const T& item, int b) {
    return static_cast<unsigned>(((b < 8 ? low(item) : high(item)) >> (8 * (b & 7))) & 0xff);
  };
  std::vector<std::array<uint32_t, 256>> counts(16);
  for (auto& c : counts) c.fill(0);
  for (const T& item : items)
    for (int b = 0; b < 16; ++b) ++counts[b][byteOf(item, b)];
  std::vector<T> other(count);
  for (int b = 0; b < 16; ++b) {
    std::array<uint32_t, 256>& c = counts[b];
    if (c[byteOf(items[0], b)] == count) continue;
    uint32_t sum = 0;
    for (uint32_t& slot : c) {
      const uint32_t here = slot;
      slot = sum;
      sum += here;
    }
    for (const T& item : items) other[c[byteOf(item, b)]++] = item;
    items.swap(other);
  }
}
