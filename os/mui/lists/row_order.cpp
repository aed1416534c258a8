#include "os/mui/lists/row_order.h"

#include <algorithm>

#include "os/runtime/radix_sort.h"

namespace mui {
namespace {

constexpr size_t AHEAD = 8;

// A stable merge sort (bottom-up) of items[0 .. count-1]: the right run's
// item goes first only when it strictly comes before the left's. Whatever
// `before` answers, it ends after O(n log n) comparisons with every item
// still there once. fetch: the comparisons read the entries, which are
// asked for a few items ahead.
template <typename Before>
void stableMergeSort(KeyedEntry* items, size_t count, bool fetch, const Before& before) {
  auto ahead = [&](size_t k) {
    if (fetch) fetchAhead(items[k].entry);
  };
  // Runs of a few items by insertion (an item moves left past the items it
  // strictly comes before, never past the run's start), then merges.
  constexpr size_t RUN = 8;
  for (size_t k = 0; k < RUN && k < count; ++k) ahead(k);
  for (size_t lo = 0; lo < count; lo += RUN) {
    const size_t hi = std::min(lo + RUN, count);
    for (size_t k = hi; k < hi + RUN && k < count; ++k) ahead(k);
    for (size_t i = lo + 1; i < hi; ++i) {
      const KeyedEntry item = items[i];
      size_t j = i;
      for (; j > lo && before(item, items[j - 1]); --j) items[j] = items[j - 1];
      items[j] = item;
    }
  }
  if (count <= RUN) return;
  std::vector<KeyedEntry> buffer(count);
  KeyedEntry* from = items;
  KeyedEntry* to = buffer.data();
  for (size_t width = RUN; width < count; width *= 2) {
    for (size_t lo = 0; lo < count; lo += 2 * width) {
      const size_t mid = std::min(lo + width, count);
      const size_t hi = std::min(lo + 2 * width, count);
      size_t i = lo, j = mid, out = lo;
      while (i < mid && j < hi) {
        if (fetch && i + AHEAD < mid) fetchAhead(from[i + AHEAD].entry);
        if (fetch && j + AHEAD < hi) fetchAhead(from[j + AHEAD].entry);
        to[out++] = before(from[j], from[i]) ? from[j++] : from[i++];
      }
      while (i < mid) to[out++] = from[i++];
      while (j < hi) to[out++] = from[j++];
    }
    std::swap(from, to);
  }
  if (from != items) std::copy(from, from + count, items);
}

}  // namespace

KeyedEntry keyedEntryOf(void* entry, const RowKey& key) {
  const uint64_t flags = (key.usable ? KeyedEntry::USABLE : 0) | (key.whole ? KeyedEntry::WHOLE : 0) |
                         (key.tieWhole ? KeyedEntry::TIE_WHOLE : 0);
  return KeyedEntry{key.high, key.low, (key.tie & KeyedEntry::TIE) | flags, entry};
}

KeyedEntry keyedEntry(void* entry, const RowOrder& order) {
  RowKey key;
  if (order.key) order.key(order.context, entry, &key);
  return keyedEntryOf(entry, key);
}

std::vector<KeyedEntry> keyedEntries(void* const* entries, size_t count, const RowOrder& order, EntryFetch fetch,
                                     const void* fetchContext) {
  std::vector<KeyedEntry> items(count);
  // Many at once where the order can: a few thousand a time, straight into
  // the items.
  if (order.keys) {
    constexpr size_t CHUNK = 4096;
    size_t done = 0;
    for (; done < count; done += CHUNK)
      if (!order.keys(order.context, entries + done, std::min(CHUNK, count - done), items.data() + done)) break;
    if (done >= count) return items;
    // Else one by one, as below.
  }
  // The entry's bytes are there by half the way: then what it points at is asked for.
  constexpr size_t POINTED_AHEAD = AHEAD / 2;
  if (!order.key) fetch = nullptr;
  for (size_t i = 0; i < count && i < POINTED_AHEAD; ++i)
    if (fetch) fetch(fetchContext, entries[i]);
  for (size_t i = 0; i < count; ++i) {
    if (order.key && i + AHEAD < count) fetchAhead(entries[i + AHEAD]);
    if (fetch && i + POINTED_AHEAD < count) fetch(fetchContext, entries[i + POINTED_AHEAD]);
    items[i] = keyedEntry(entries[i], order);
  }
  return items;
}

void sortKeyed(std::vector<KeyedEntry>& items, const RowOrder& order) {
  if (items.size() < 2) return;
  const bool allKeyed = std::all_of(items.begin(), items.end(), [](const KeyedEntry& e) { return e.usable(); });
  if (!allKeyed) {
    // Some pairs need the test whichever way they are met: comparisons.
    stableMergeSort(items.data(), items.size(), !order.key,
                    [&](const KeyedEntry& a, const KeyedEntry& b) { return comesBefore(a, b, order); });
    return;
  }
  radixSortBy128BitKeys(items, [](const KeyedEntry& e) { return e.high; }, [](const KeyedEntry& e) { return e.low; });
  // Rows with equal whole keys go by their tie words, and stand as they came
  // where those are equal too; where the words cannot tell, the test orders
  // the run, stably.
  sortRunsBySecondKeys(
      items, [](const KeyedEntry& a, const KeyedEntry& b) { return a.high == b.high && a.low == b.low; },
      [](const KeyedEntry& e) { return e.whole(); }, [](const KeyedEntry& e) { return e.tie(); },
      [](const KeyedEntry& e) { return e.tieWhole(); },
      [&](size_t lo, size_t hi) {
        stableMergeSort(items.data() + lo, hi - lo, true,
                        [&](const KeyedEntry& a, const KeyedEntry& b) { return comesBefore(a, b, order); });
      });
}

}  // namespace mui
