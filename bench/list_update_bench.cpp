// How long the games list takes to refilter and to sort: a list of 100,000
// game-like rows (name, tags, play count, last played; sorted by name
// ignoring case; many rows alike in the tags, play count and date columns)
// is filled, updated with updateF to a filter that keeps 10 rows, back to
// all rows, to a filter that keeps half and back again, as the filter field
// does on every keystroke, then sorted by each column both ways. Beside it,
// in the same run, the plain baselines for the same steps: a plain array of
// the labels filtered and stably sorted with the same comparison (the least
// any refilter or sort costs), and a second list's NList cleared and refilled
// with the filtered rows as one sorted batch (refilling instead of merging).
//
// Run by hand: build/bench/ludex_list_update_bench [rows [rounds]]
// Every step and baseline runs in each round (the list emptied between
// rounds); with more than one round each step's median, best and worst
// processor time is printed at the end.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_spread.h"
#include "core/box.h"
#include "core/strings/string.h"
#include "gui/mui/client/gui_window_host.h"
#include "gui/mui/lists/gui_list_host.h"
#include "os/mui/mui_lists.h"

namespace {

struct Game {
  std::string label;
  int32_t number;  // what the filters look at
};

// Yields the games that pass the filter, in the game list's order, each with
// a box pointing at its game, lending the labels where the list can take
// them, as the application's producer does.
class gameProducer : public fGuiListEntries {
  LUDEX_CLASS(gameProducer, fGuiListEntries)
 public:
  const std::vector<Game>* games = nullptr;
  std::function<bool(const Game&)> keep;
  size_t next = 0;
  char* call(GuiListEntryMore* more) override {
    while (next < games->size() && !keep((*games)[next])) ++next;
    if (next >= games->size()) return nullptr;
    const Game& g = (*games)[next++];
    const bool lend = more->mayLend;
    more->dataBox = BoxPTR(const_cast<Game*>(&g));
    more->labelLent = lend;
    return lend ? const_cast<char*>(g.label.c_str()) : StrClone(g.label.c_str());
  }
};

// Prints a step's times; answers its processor time.
double report(bool print, const char* what, const BenchClock& start, size_t rows) {
  const double wall = start.wallMs(), cpu = start.cpuSinceMs();
  if (print) std::printf("  %-44s %7zu rows %8.1f ms %8.1f ms\n", what, rows, wall, cpu);
  return cpu;
}

struct Step {
  const char* name;
  std::function<bool(const Game&)> keep;
};

struct Sort {
  std::string name;
  int32_t column;
  bool reverse;
};

cGuiListHost* addList(cGuiWindowHost* window) {
  auto* list = static_cast<cGuiListHost*>(window->beginList(4, "Games"));
  list->initColumnTitles("Name\tTags\tPlayed\tLast")->initColumnSortType("ISNS")->initSelectableEntries(false, false);
  list->setSortByColumn(0, false);
  window->endList();
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const size_t rounds = std::max<size_t>(1, argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
  std::mt19937 random(1);
  static const char* const tags[] = {"", "Racing", "Platform,Puzzle", "Shooter", "RPG,Strategy"};
  std::vector<Game> games(count);
  for (size_t i = 0; i < count; ++i) {
    char label[128];
    const unsigned name = static_cast<unsigned>(random() % 100000000);
    std::snprintf(label, sizeof label, "%s %08u\t%s\t%u\t%u-%02u-%02u", i % 2 ? "Game" : "game", name,
                  tags[i % 5], static_cast<unsigned>(random() % 200), 1990 + static_cast<unsigned>(i % 30),
                  1 + static_cast<unsigned>(i % 12), 1 + static_cast<unsigned>(i % 28));
    games[i] = {label, static_cast<int32_t>(i)};
  }
  const int32_t n = static_cast<int32_t>(count);
  const std::vector<Step> steps = {
      {"fill: all rows into the empty list", [](const Game&) { return true; }},
      {"filter that keeps 10", [n](const Game& g) { return g.number % (n / 10 > 0 ? n / 10 : 1) == 0; }},
      {"filter cleared: back to all", [](const Game&) { return true; }},
      {"filter that keeps half", [](const Game& g) { return g.number % 2 == 0; }},
      {"filter cleared again", [](const Game&) { return true; }},
  };
  std::vector<Sort> sorts;
  for (int32_t column : {1, 2, 3, 0})
    for (bool reverse : {false, true})
      sorts.push_back({"sort by column " + std::to_string(column) + (reverse ? " reversed" : ""), column, reverse});
  sorts.push_back({"sort by column 0 again", 0, false});

  auto* window = new cGuiWindowHost;
  window->new_cGuiWindow("Bench");
  window->beginGroupVertical(nullptr);
  cGuiListHost* list = addList(window);
  cGuiListHost* refilled = addList(window);  // the NList baseline's own
  window->endGroup();
  window->build(true);
  fGuiListSort* sort = nullptr;
  list->getSortByFunction(&sort);
  auto* sortOf = new fGuiListSortByColumn;
  sortOf->new_fMergeSortCompare();

  BenchSpread updates, sorted, plainSteps, refills, plainSorts;
  for (size_t round = 0; round < rounds; ++round) {
    const bool print = round == 0;
    if (print) std::printf("%zu game-like rows%31s  wall  processor\nupdateF on the list host\n", count, "");
    for (const Step& step : steps) {
      auto* f = new gameProducer;
      f->new_function();
      f->games = &games;
      f->keep = step.keep;
      const BenchClock start = BenchClock::now();
      list->updateF(f);
      updates.add(step.name, report(print, step.name, start, static_cast<size_t>(list->infoSize())));
      End(f);
    }
    if (print) std::printf("Sorting the list host (each column both ways)\n");
    for (const Sort& s : sorts) {
      const BenchClock start = BenchClock::now();
      list->setSortByColumn(s.column, s.reverse);
      sorted.add(s.name, report(print, s.name.c_str(), start, static_cast<size_t>(list->infoSize())));
    }
    auto* none = new gameProducer;  // empty again: the next round fills it
    none->new_function();
    none->games = &games;
    none->keep = [](const Game&) { return false; };
    list->updateF(none);
    End(none);

    if (print) std::printf("Baseline: plain array, filtered and stably sorted by the same comparison\n");
    for (const Step& step : steps) {
      const BenchClock start = BenchClock::now();
      std::vector<const char*> shown;
      for (const Game& g : games)
        if (step.keep(g)) shown.push_back(g.label.c_str());
      std::stable_sort(shown.begin(), shown.end(),
                       [sort](const char* a, const char* b) { return sort->call(a, b) > 0; });
      plainSteps.add(step.name, report(print, step.name, start, shown.size()));
    }
    if (print) std::printf("Baseline: plain array stably sorted by each column both ways\n");
    std::vector<const char*> all;
    for (const Game& g : games) all.push_back(g.label.c_str());
    for (const Sort& s : sorts) {
      sortOf->init(s.column, s.reverse, list->infoColumnSortType());
      const BenchClock start = BenchClock::now();
      std::stable_sort(all.begin(), all.end(),
                       [sortOf](const char* a, const char* b) { return sortOf->call(a, b) > 0; });
      plainSorts.add(s.name, report(print, s.name.c_str(), start, all.size()));
    }

    if (print) std::printf("Baseline: an NList cleared and refilled as one sorted batch\n");
    Object* nlist = refilled->infoNList();
    for (const Step& step : steps) {
      const BenchClock start = BenchClock::now();
      SetAttrs(nlist, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
      DoMethod(nlist, MUIM_NList_Clear);
      std::vector<entryNode*> batch;
      for (const Game& g : games)
        if (step.keep(g)) {
          auto* e = new entryNode;
          e->new_entryNode(StrClone(g.label.c_str()), refilled, false, false, 0, BoxPTR(const_cast<Game*>(&g)));
          batch.push_back(e);
        }
      DoMethod(nlist, MUIM_NList_Insert, batch.data(), static_cast<IPTR>(batch.size()), MUIV_NList_Insert_Sorted);
      SetAttrs(nlist, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
      IPTR rows = 0;
      GetAttr(MUIA_NList_Entries, nlist, &rows);
      refills.add(step.name, report(print, step.name, start, static_cast<size_t>(rows)));
    }
    DoMethod(nlist, MUIM_NList_Clear);
  }
  if (rounds > 1) {
    std::printf("\n");
    updates.print("updateF, processor times");
    sorted.print("sorts, processor times");
    plainSteps.print("plain array baseline");
    plainSorts.print("plain sort baseline");
    refills.print("NList refill baseline");
  }
  End(sortOf);
  End(window);
  return 0;
}
