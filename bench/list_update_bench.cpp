// How long the games list takes to refilter: a list of 100,000 game-like
// rows (name, tags, play count, last played; sorted by name ignoring case)
// is updated with updateF to a filter that keeps 10 rows, back to all rows,
// and to a filter that keeps half, as the filter field does on every
// keystroke. Beside it, in the same run, two plain baselines for the same
// steps: a plain array of the labels filtered and stably sorted with the
// same comparison (the least any refilter costs), and clearing the NList and
// inserting the filtered rows as one sorted batch (refilling instead of
// merging).
//
// Run by hand: build/bench/ludex_list_update_bench [rows [rounds]]
// With rounds, the refilter steps after the fill run that many times over
// (for a profiler, or to see the spread) and the baselines are left out.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

using Clock = BenchClock;
Clock now() { return BenchClock::now(); }
// Prints a step's times; answers its processor time.
double report(const char* what, const Clock& start, size_t rows) {
  const double wall = start.wallMs(), cpu = start.cpuSinceMs();
  std::printf("  %-44s %7zu rows %8.1f ms %8.1f ms\n", what, rows, wall, cpu);
  return cpu;
}

struct Step {
  const char* name;
  std::function<bool(const Game&)> keep;
};

}  // namespace

int main(int argc, char** argv) {
  const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const size_t rounds = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0;
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

  auto* window = new cGuiWindowHost;
  window->new_cGuiWindow("Bench");
  window->beginGroupVertical(nullptr);
  auto* list = static_cast<cGuiListHost*>(window->beginList(4, "Games"));
  list->initColumnTitles("Name\tTags\tPlayed\tLast")->initColumnSortType("ISNS")->initSelectableEntries(false, false);
  list->setSortByColumn(0, false);
  window->endList();
  window->endGroup();
  window->build(true);

  std::printf("%zu game-like rows%31s  wall  processor\n", count, "");
  std::printf("updateF on the list host\n");
  BenchSpread spread;
  auto runStep = [&](const Step& step) {
    auto* f = new gameProducer;
    f->new_function();
    f->games = &games;
    f->keep = step.keep;
    const Clock start = now();
    list->updateF(f);
    spread.add(step.name, report(step.name, start, static_cast<size_t>(list->infoSize())));
    End(f);
  };
  for (const Step& step : steps) runStep(step);
  if (rounds > 0) {
    for (size_t round = 1; round < rounds; ++round)
      for (size_t i = 1; i < steps.size(); ++i) runStep(steps[i]);
    spread.print("updateF, processor times");
    End(window);
    return 0;
  }

  std::printf("Baseline: plain array, filtered and stably sorted by the same comparison\n");
  fGuiListSort* sort = nullptr;
  list->getSortByFunction(&sort);
  for (const Step& step : steps) {
    const Clock start = now();
    std::vector<const char*> shown;
    for (const Game& g : games)
      if (step.keep(g)) shown.push_back(g.label.c_str());
    std::stable_sort(shown.begin(), shown.end(), [sort](const char* a, const char* b) { return sort->call(a, b) > 0; });
    report(step.name, start, shown.size());
  }

  std::printf("Baseline: the NList cleared and refilled as one sorted batch\n");
  Object* nlist = list->infoNList();
  for (const Step& step : steps) {
    const Clock start = now();
    SetAttrs(nlist, MUIA_NList_Quiet, MUIV_NList_Quiet_Visual);
    DoMethod(nlist, MUIM_NList_Clear);
    std::vector<entryNode*> batch;
    for (const Game& g : games)
      if (step.keep(g)) {
        auto* e = new entryNode;
        e->new_entryNode(StrClone(g.label.c_str()), list, false, false, 0, BoxPTR(const_cast<Game*>(&g)));
        batch.push_back(e);
      }
    DoMethod(nlist, MUIM_NList_Insert, batch.data(), static_cast<IPTR>(batch.size()), MUIV_NList_Insert_Sorted);
    SetAttrs(nlist, MUIA_NList_Quiet, MUIV_NList_Quiet_None);
    IPTR rows = 0;
    GetAttr(MUIA_NList_Entries, nlist, &rows);
    report(step.name, start, static_cast<size_t>(rows));
  }
  End(window);
  return 0;
}
