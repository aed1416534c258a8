// The order of a list's rows: the compare hook's answer for two entries and,
// where the list has a sort key hook, the entries' keys, which decide most
// comparisons from a few words kept side by side instead of through the
// hook and the entries' memory. Sorting and merging with keys gives the
// order the hook alone gives: keys decide only where they agree with it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mui {

// An entry's sort key (see MUIA_NList_SortKeyHook).
struct RowKey {
  uint64_t high = 0;
  uint64_t low = 0;
  bool usable = false;    // FALSE: the entry has none; the hook decides
  bool whole = false;     // the two words hold all the entry's text sorts by
  uint64_t tie = 0;       // next, after equal whole words (61 bits)
  bool tieWhole = true;   // equal whole keys with whole tie words sort alike
};

struct KeyedEntry;

// a before b: a must come first (a strict order, or anything else: what is
// sorted or merged stays sound whatever it answers). Plain functions with
// their context: a sort of 100,000 rows asks some 1.7 million times.
struct RowOrder {
  bool (*test)(const void* context, void* a, void* b) = nullptr;
  // Fills the entry's key; NIL: the list has no keys.
  void (*key)(const void* context, void* entry, RowKey* key) = nullptr;
  // Fills the keyed entries of many entries at once (out[i] for entries[i],
  // the entry with its key); FALSE when it cannot (key is then asked for
  // each). NIL: none.
  bool (*keys)(const void* context, void* const* entries, size_t count, KeyedEntry* out) = nullptr;
  const void* context = nullptr;
  bool operator()(void* a, void* b) const { return test(context, a, b); }
};

// An entry with its key, as sorts and merges handle it: comparing two reads
// these words only, unless the keys tie. Four words, the key's flags in the
// top bits of the tie word (a tie word has 61 bits): a sort moves every item
// several times.
struct KeyedEntry {
  static constexpr uint64_t USABLE = uint64_t{1} << 63;
  static constexpr uint64_t WHOLE = uint64_t{1} << 62;
  static constexpr uint64_t TIE_WHOLE = uint64_t{1} << 61;
  static constexpr uint64_t TIE = TIE_WHOLE - 1;
  uint64_t high;
  uint64_t low;
  uint64_t tieAndFlags;
  void* entry;
  bool usable() const { return tieAndFlags & USABLE; }
  bool whole() const { return tieAndFlags & WHOLE; }
  bool tieWhole() const { return tieAndFlags & TIE_WHOLE; }
  uint64_t tie() const { return tieAndFlags & TIE; }
};

// Asks the processor for the first bytes of an entry, which a key or a
// compare hook reads: a sort jumps from entry to entry through memory, and
// asking a few entries ahead hides most of the wait.
inline void fetchAhead(const void* entry) {
  __builtin_prefetch(entry);
  __builtin_prefetch(static_cast<const char*>(entry) + 64);
}

// An entry with its key (an unusable one when the order has no keys).
KeyedEntry keyedEntry(void* entry, const RowOrder& order);
KeyedEntry keyedEntryOf(void* entry, const RowKey& key);
// An entry with a usable key of these words.
inline KeyedEntry keyedEntryOf(void* entry, uint64_t high, uint64_t low, bool whole, uint64_t tie, bool tieWhole) {
  const uint64_t flags =
      KeyedEntry::USABLE | (whole ? KeyedEntry::WHOLE : 0) | (tieWhole ? KeyedEntry::TIE_WHOLE : 0);
  return KeyedEntry{high, low, (tie & KeyedEntry::TIE) | flags, entry};
}

// The entries with their keys, in their order (many at once where the
// order can make many: the fetch is then left out). A fetch is handed
// each entry a few entries before its key is made (its first bytes asked
// for before that), to ask for what the key reads beyond the entry.
using EntryFetch = void (*)(const void* context, void* entry);
std::vector<KeyedEntry> keyedEntries(void* const* entries, size_t count, const RowOrder& order,
                                     EntryFetch fetch = nullptr, const void* fetchContext = nullptr);

// a strictly before b: by their keys where the keys tell, else by the test.
inline bool comesBefore(const KeyedEntry& a, const KeyedEntry& b, const RowOrder& order) {
  if (a.usable() && b.usable()) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    if (a.whole() && b.whole()) {
      if (a.tie() != b.tie()) return a.tie() < b.tie();
      if (a.tieWhole() && b.tieWhole()) return false;
    }
  }
  return order(a.entry, b.entry);
}

// Puts the items in their stable order (equal ones as they came). Whatever
// the test answers, it ends with every item still there once.
void sortKeyed(std::vector<KeyedEntry>& items, const RowOrder& order);

}  // namespace mui
