// A stable sort by 128-bit keys, a byte at a time from the least significant
// one (a radix sort): O(n) per byte, without a comparison. Bytes that every
// key shares (the first letters of most names, the high word of a small
// number) move nothing and are skipped. The lists sort their rows with it,
// both in the list class and in the program's list model.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Sorts items[0, count) stably by bytes 0 (the least significant) to
// bytes - 1 of their keys, byteOf(item, b) giving byte b.
template <class T, class ByteOf>
void radixSortByKeyBytes(T* items, size_t count, int bytes, ByteOf byteOf) {
  std::vector<std::array<uint32_t, 256>> counts(static_cast<size_t>(bytes));
  for (auto& c : counts) c.fill(0);
  for (size_t i = 0; i < count; ++i)
    for (int b = 0; b < bytes; ++b) ++counts[static_cast<size_t>(b)][byteOf(items[i], b)];
  // The room the items move to, not filled first: every place is written.
  std::unique_ptr<T[]> spare(new T[count]);
  T* from = items;
  T* to = spare.get();
  for (int b = 0; b < bytes; ++b) {
    std::array<uint32_t, 256>& c = counts[static_cast<size_t>(b)];
    if (c[byteOf(from[0], b)] == count) continue;
    uint32_t sum = 0;
    for (uint32_t& slot : c) {
      const uint32_t here = slot;
      slot = sum;
      sum += here;
    }
    for (size_t i = 0; i < count; ++i) to[c[byteOf(from[i], b)]++] = from[i];
    std::swap(from, to);
  }
  if (from != items) std::copy(from, from + count, items);
}

// high(item) and low(item) give the two 64-bit halves of an item's key.
template <class T, class High, class Low>
void radixSortBy128BitKeys(std::vector<T>& items, High high, Low low) {
  if (items.size() < 2) return;
  // Byte b of a key, from the least significant byte of low (0) to the most
  // significant byte of high (15).
  radixSortByKeyBytes(items.data(), items.size(), 16, [&](const T& item, int b) {
    return static_cast<unsigned>(((b < 8 ? low(item) : high(item)) >> (8 * (b & 7))) & 0xff);
  });
}

// A stable sort of items[begin, end) by a 64-bit key, as above; a run of a
// few items by insertion.
template <class T, class Key>
void radixSortBy64BitKeys(std::vector<T>& items, size_t begin, size_t end, Key key) {
  const size_t count = end - begin;
  if (count < 2) return;
  if (count <= 32) {
    for (size_t i = begin + 1; i < end; ++i) {
      T item = items[i];
      size_t j = i;
      for (; j > begin && key(item) < key(items[j - 1]); --j) items[j] = items[j - 1];
      items[j] = item;
    }
    return;
  }
  radixSortByKeyBytes(items.data() + begin, count, 8,
                      [&](const T& item, int b) { return static_cast<unsigned>((key(item) >> (8 * b)) & 0xff); });
}

// After a sort by the first part of a key, orders each run of items whose
// first parts are equal: by their second part (a 64-bit word, by
// radixSortBy64BitKeys) where the first parts tell all of what the items sort
// by (firstWhole), ordering items of equal words that do not both tell all
// (secondWhole) by stableSort(begin, end); a run whose first parts do not
// tell all goes to stableSort whole. sameFirst(a, b): equal first parts.
template <class T, class SameFirst, class FirstWhole, class Second, class SecondWhole, class StableSort>
void sortRunsBySecondKeys(std::vector<T>& items, SameFirst sameFirst, FirstWhole firstWhole, Second second,
                          SecondWhole secondWhole, StableSort stableSort) {
  const size_t count = items.size();
  for (size_t lo = 0; lo < count;) {
    size_t hi = lo + 1;
    bool whole = firstWhole(items[lo]);
    bool ordered = true;
    for (; hi < count && sameFirst(items[hi], items[lo]); ++hi) {
      whole = whole && firstWhole(items[hi]);
      ordered = ordered && !(second(items[hi]) < second(items[hi - 1]));
    }
    if (hi - lo > 1) {
      if (!whole) {
        stableSort(lo, hi);
      } else {
        if (!ordered) radixSortBy64BitKeys(items, lo, hi, second);
        for (size_t a = lo; a < hi;) {
          size_t b = a + 1;
          bool wholeSecond = secondWhole(items[a]);
          for (; b < hi && second(items[b]) == second(items[a]); ++b) wholeSecond = wholeSecond && secondWhole(items[b]);
          if (!wholeSecond && b - a > 1) stableSort(a, b);
          a = b;
        }
      }
    }
    lo = hi;
  }
}
