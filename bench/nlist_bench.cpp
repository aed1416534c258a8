// How long a list of 100,000 rows takes to fill, to lose all but 10 of its
// rows in one quiet period, and to take them back (one at a time at their
// sorted place, as the program adds entries, and as one batch), beside plain
// baselines in the same run: sorting the same rows with the same comparison
// (the least any sorted fill can cost), and a plain array that moves its
// other rows on every removal and insertion.
//
// Run by hand: build/bench/ludex_nlist_bench [rows]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "bench/bench_clock.h"
#include "os/mui/mui.h"

namespace {

struct Entry {
  char key[24];
  bool marked;
};

int32_t compareEntries(const Entry* a, const Entry* b) {
  const int c = std::strcmp(a->key, b->key);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

IPTR construct(Hook*, void*, void* entry) { return reinterpret_cast<IPTR>(entry); }
IPTR destruct(Hook* hook, void*, void*) {
  ++*static_cast<long*>(hook->h_Data);  // the bench keeps its entries to insert them again
  return 0;
}
IPTR compare(Hook*, void* entry2, void* entry1) {
  return compareEntries(static_cast<Entry*>(entry1), static_cast<Entry*>(entry2));
}

using Clock = BenchClock;
Clock now() { return BenchClock::now(); }

void report(const char* what, const Clock& start) {
  std::printf("  %-56s %8.1f ms %8.1f ms\n", what, start.wallMs(), start.cpuSinceMs());
}

}  // namespace

int main(int argc, char** argv) {
  const size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const size_t kept = 10;
  std::mt19937 random(1);
  std::vector<Entry> entries(rows);
  for (size_t i = 0; i < rows; ++i) {
    std::snprintf(entries[i].key, sizeof entries[i].key, "Game %08u", static_cast<unsigned>(random() % 100000000));
    entries[i].marked = i % (rows / kept) != 0;  // all but `kept` rows spread through the list
  }
  std::vector<void*> batch;
  for (Entry& e : entries) batch.push_back(&e);

  long ended = 0;
  Hook constructHook{nullptr, nullptr, construct, nullptr, nullptr};
  Hook destructHook{nullptr, nullptr, destruct, nullptr, &ended};
  Hook compareHook{nullptr, nullptr, compare, nullptr, nullptr};
  Object* list = MUI_NewObject("NList.mcc", MUIA_NList_Format, "BAR,BAR", MUIA_NList_ConstructHook, &constructHook,
                               MUIA_NList_DestructHook, &destructHook, MUIA_NList_CompareHook, &compareHook);
  std::printf("NList with %zu rows (all but %zu removed, then inserted again)%*s wall  processor\n", rows, kept, 5, "");

  Clock start = now();
  DoMethod(list, MUIM_NList_Insert, batch.data(), static_cast<IPTR>(rows), MUIV_NList_Insert_Sorted);
  report("fill: one sorted batch insert", start);

  auto removeMarked = [&]() {
    SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
    IPTR count = 0;
    GetAttr(MUIA_NList_Entries, list, &count);
    for (IPTR row = count - 1; row >= 0; --row) {
      auto* e = reinterpret_cast<Entry*>(DoMethod(list, MUIM_NList_GetEntry, row, nullptr));
      if (e->marked) DoMethod(list, MUIM_NList_Remove, row);
    }
    SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  };
  start = now();
  removeMarked();
  report("quiet: remove all but 10, last row to first", start);

  start = now();
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  for (Entry& e : entries)
    if (e.marked) DoMethod(list, MUIM_NList_InsertSingle, &e, MUIV_NList_Insert_Sorted);
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  report("quiet: insert them again one by one, sorted", start);

  removeMarked();
  std::vector<void*> marked;
  for (Entry& e : entries)
    if (e.marked) marked.push_back(&e);
  start = now();
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
  DoMethod(list, MUIM_NList_Insert, marked.data(), static_cast<IPTR>(marked.size()), MUIV_NList_Insert_Sorted);
  SetAttrs(list, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
  report("quiet: insert them again as one sorted batch", start);

  start = now();
  DoMethod(list, MUIM_NList_Sort);
  report("sort the full list", start);

  IPTR count = 0;
  GetAttr(MUIA_NList_Entries, list, &count);
  MUI_DisposeObject(list);

  std::printf("Baselines\n");
  std::vector<Entry*> plain;
  for (Entry& e : entries) plain.push_back(&e);
  start = now();
  std::stable_sort(plain.begin(), plain.end(), [&compareHook](Entry* a, Entry* b) {
    return static_cast<int32_t>(CallHookPkt(&compareHook, b, a)) < 0;
  });
  report("std::stable_sort of all rows through the compare hook", start);
  start = now();
  for (size_t row = plain.size(); row-- > 0;)
    if (plain[row]->marked) plain.erase(plain.begin() + static_cast<long>(row));
  report("plain array: remove all but 10, last row to first", start);
  start = now();
  for (Entry& e : entries)
    if (e.marked)
      plain.insert(std::upper_bound(plain.begin(), plain.end(), &e,
                                    [](Entry* a, Entry* b) { return compareEntries(a, b) < 0; }),
                   &e);
  report("plain array: insert them again one by one, sorted", start);

  std::printf("rows at the end: %ld; entries ended by the list: %ld\n", static_cast<long>(count), ended);
  return count == static_cast<IPTR>(rows) ? 0 : 1;
}
