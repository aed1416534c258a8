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

// Sorts items[0, count) stably by the bits of a 64-bit word, word(item),
// where differ has the bits in which some words differ (the others the same
// in every word): digits of DIGIT bits from the lowest differing bit up.
// spare: room for count items.
template <int DIGIT, class T, class Word>
void radixSortByWordBits(T* items, size_t count, uint64_t differ, Word word, T* spare) {
  if (count < 2 || differ == 0) return;
  constexpr uint64_t DIGIT_MASK = (uint64_t{1} << DIGIT) - 1;
  const int low = __builtin_ctzll(differ);
  const int digits = (64 - __builtin_clzll(differ) - low + DIGIT - 1) / DIGIT;
  std::vector<std::array<uint32_t, size_t{1} << DIGIT>> counts(static_cast<size_t>(digits));
  for (auto& c : counts) c.fill(0);
  for (size_t i = 0; i < count; ++i) {
    const uint64_t w = word(items[i]) >> low;
    for (int d = 0; d < digits; ++d) ++counts[static_cast<size_t>(d)][(w >> (DIGIT * d)) & DIGIT_MASK];
  }
  T* from = items;
  T* to = spare;
  for (int d = 0; d < digits; ++d) {
    auto& c = counts[static_cast<size_t>(d)];
    uint32_t sum = 0;
    for (uint32_t& slot : c) {
      const uint32_t here = slot;
      slot = sum;
      sum += here;
    }
    const int shift = low + DIGIT * d;
    for (size_t i = 0; i < count; ++i) to[c[(word(from[i]) >> shift) & DIGIT_MASK]++] = from[i];
    std::swap(from, to);
  }
  if (from != items) std::copy(from, from + count, items);
}

// Items whose keys are a few distinct values (a column of a few tags, say):
// each item is told its key's place among them, and the items are counted
// by place, in one move. FALSE, the items untouched, at the first key past
// the few (found within the first few items of most lists).
template <class T, class High, class Low>
[[gnu::noinline]] bool sortByFewKeys(std::vector<T>& items, High high, Low low) {
  constexpr size_t FEW = 16;
  const size_t count = items.size();
  std::array<std::pair<uint64_t, uint64_t>, FEW> keys;
  size_t distinct = 0;
  std::vector<uint8_t> place(count);
  uint8_t last = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::pair<uint64_t, uint64_t> key{high(items[i]), low(items[i])};
    if (distinct == 0 || keys[last] != key) {
      size_t k = 0;
      while (k < distinct && keys[k] != key) ++k;
      if (k == distinct) {
        if (distinct == FEW) return false;
        keys[distinct++] = key;
      }
      last = static_cast<uint8_t>(k);
    }
    place[i] = last;
  }
  // The keys in their order (by insertion: they are few), then each one's rank.
  std::array<uint8_t, FEW> byKey{};
  for (size_t k = 0; k < distinct; ++k) {
    size_t j = k;
    for (; j > 0 && keys[k] < keys[byKey[j - 1]]; --j) byKey[j] = byKey[j - 1];
    byKey[j] = static_cast<uint8_t>(k);
  }
  std::array<uint32_t, FEW + 1> starts{};
  std::array<uint8_t, FEW> rank{};
  for (size_t r = 0; r < distinct; ++r) rank[byKey[r]] = static_cast<uint8_t>(r);
  for (size_t i = 0; i < count; ++i) ++starts[rank[place[i]] + 1u];
  for (size_t r = 1; r <= distinct; ++r) starts[r] += starts[r - 1];
  std::unique_ptr<T[]> spare(new T[count]);
  for (size_t i = 0; i < count; ++i) spare[starts[rank[place[i]]]++] = items[i];
  std::copy(spare.get(), spare.get() + count, items.data());
  return true;
}

// high(item) and low(item) give the two 64-bit halves of an item's key.
template <class T, class High, class Low>
void radixSortBy128BitKeys(std::vector<T>& items, High high, Low low) {
  const size_t count = items.size();
  if (count < 2) return;
  if (sortByFewKeys(items, high, low)) return;
  // Byte b of a key, from the least significant byte of low (0) to the most
  // significant byte of high (15).
  const auto byteOf = [&](const T& item, int b) {
    return static_cast<unsigned>(((b < 8 ? low(item) : high(item)) >> (8 * (b & 7))) & 0xff);
  };
  std::vector<std::array<uint32_t, 256>> counts(16);
  for (auto& c : counts) c.fill(0);
  for (const T& item : items)
    for (int b = 0; b < 16; ++b) ++counts[b][byteOf(item, b)];
  // The room the items move to, not filled first: every place is written.
  std::unique_ptr<T[]> spare(new T[count]);
  T* from = items.data();
  T* to = spare.get();
  for (int b = 0; b < 16; ++b) {
    std::array<uint32_t, 256>& c = counts[b];
    if (c[byteOf(from[0], b)] == count) continue;  // a byte every key shares
    uint32_t sum = 0;
    for (uint32_t& slot : c) {
      const uint32_t here = slot;
      slot = sum;
      sum += here;
    }
    for (size_t i = 0; i < count; ++i) to[c[byteOf(from[i], b)]++] = from[i];
    std::swap(from, to);
  }
  if (from != items.data()) std::copy(from, from + count, items.data());
}

// After a sort by the first part of a key, orders each run of items whose
// first parts are equal: by their second part (a 64-bit word) where the
// first parts tell all of what the items sort by (firstWhole), ordering
// items of equal words that do not both tell all (secondWhole) by
// stableSort(begin, end); a run whose first parts do not tell all goes to
// stableSort whole. sameFirst(a, b): equal first parts. A run already in
// the order of its second parts (as a list sorted once more the other way
// round has them) is only read.
template <class T, class SameFirst, class FirstWhole, class Second, class SecondWhole, class StableSort>
void sortRunsBySecondKeys(std::vector<T>& items, SameFirst sameFirst, FirstWhole firstWhole, Second second,
                          SecondWhole secondWhole, StableSort stableSort) {
  std::unique_ptr<T[]> spare;
  size_t spareSize = 0;
  const size_t count = items.size();
  for (size_t lo = 0; lo < count;) {
    size_t hi = lo + 1;
    while (hi < count && sameFirst(items[hi], items[lo])) ++hi;
    const size_t n = hi - lo;
    if (n == 1) {  // most items, in most lists: nothing more of them is read
      lo = hi;
      continue;
    }
    bool whole = true;
    bool ordered = true;
    bool wholeSeconds = true;
    uint64_t differ = 0;
    const uint64_t first = second(items[lo]);
    for (size_t i = lo; i < hi; ++i) {
      whole = whole && firstWhole(items[i]);
      wholeSeconds = wholeSeconds && secondWhole(items[i]);
      if (i > lo) ordered = ordered && !(second(items[i]) < second(items[i - 1]));
      differ |= second(items[i]) ^ first;
    }
    if (!whole) stableSort(lo, hi);
    if (whole) {
      if (!ordered) {
        T* run = items.data() + lo;
        if (n <= 32) {
          for (size_t i = 1; i < n; ++i) {
            T item = run[i];
            size_t j = i;
            for (; j > 0 && second(item) < second(run[j - 1]); --j) run[j] = run[j - 1];
            run[j] = item;
          }
        } else {
          if (!spare || spareSize < n) {
            spare.reset(new T[n]);
            spareSize = n;
          }
          // Wide digits only where the run pays for their counts.
          if (n >= 8192)
            radixSortByWordBits<11>(run, n, differ, second, spare.get());
          else
            radixSortByWordBits<8>(run, n, differ, second, spare.get());
        }
      }
      // Equal words that do not tell all go to the comparison.
      if (!wholeSeconds)
        for (size_t a = lo; a < hi;) {
          size_t b = a + 1;
          bool wholeHere = secondWhole(items[a]);
          for (; b < hi && second(items[b]) == second(items[a]); ++b) wholeHere = wholeHere && secondWhole(items[b]);
          if (!wholeHere && b - a > 1) stableSort(a, b);
          a = b;
        }
    }
    lo = hi;
  }
}
