// Times the main window on a large game list, headless: loading the list,
// the first display, one keystroke in each filter field and clearing it, a
// sort by each column both ways and a save; beside a plain baseline in the
// same run (the same rows filtered and sorted as std::string vectors).
//
//   ludex_main_window_bench [games [rounds]]     (100000 games by default)
//
// With rounds, the keystrokes, the sorts and the plain baseline run that
// many times over, and each step's median, best and worst processor time is
// printed at the end (for a profiler, or to see the spread).
//
// Everything happens in a fresh folder under the system's temporary folder,
// mounted as the volumes the program uses; the user's own folders are never
// touched.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/launching/launcher.h"
#include "app/launching/prefs_file.h"
#include "app/main_window/games_list_display.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_layout.h"
#include "bench/bench_clock.h"
#include "bench/bench_folder.h"
#include "bench/bench_game_list.h"
#include "bench/bench_program.h"
#include "bench/bench_spread.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "gui/gui_window.h"

namespace fs = std::filesystem;

namespace {

// Processor time of this thread: the fairer figure on a busy machine.
double ms(const BenchClock& since) { return since.cpuSinceMs(); }

struct PlainRow {
  std::string name, tags, path;
  int plays;
  std::string last;
};

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return s;
}

// The baseline: the same filtering and sorting on plain strings.
class PlainBaseline {
 public:
  explicit PlainBaseline(int games) {
    for (int i = 0; i < games; ++i)
      rows.push_back({"Game " + std::to_string(i) + (i % 7 ? " Quest" : " Racer"), benchGameTags[i % 5],
                      "Games:/dir/game" + std::to_string(i) + ".adf", i % 50, i % 3 ? "2024-01-01 10:00" : ""});
    for (const PlainRow& r : rows) order.push_back(&r);
  }

  void run(bool print, BenchSpread& spread) {
    for (const char* item : {"RACER", "GAME0001", ",PUZZLE,"}) {
      const auto start = BenchClock::now();
      std::vector<const PlainRow*> shown;
      for (const PlainRow& r : rows)
        if (upper(r.name).find(item) != std::string::npos || upper(r.tags).find(item) != std::string::npos)
          shown.push_back(&r);
      std::sort(shown.begin(), shown.end(),
                [](const PlainRow* a, const PlainRow* b) { return upper(a->name) < upper(b->name); });
      const double took = ms(start);
      if (print) std::printf("  plain filter %-10s %8.1f ms (%zu rows)\n", item, took, shown.size());
      spread.add(std::string("plain filter ") + item, took);
    }
    for (int column : {1, 2, 3, 0})
      for (bool reverse : {false, true}) {
        const auto start = BenchClock::now();
        std::stable_sort(order.begin(), order.end(), [column, reverse](const PlainRow* a, const PlainRow* b) {
          if (reverse) std::swap(a, b);
          switch (column) {
            case 0: return upper(a->name) < upper(b->name);
            case 1: return upper(a->tags) < upper(b->tags);
            case 2: return a->plays < b->plays;
            default: return a->last < b->last;
          }
        });
        const double took = ms(start);
        const std::string name = "plain sort column " + std::to_string(column) + (reverse ? " reversed" : "");
        if (print) std::printf("  %-25s %8.1f ms\n", name.c_str(), took);
        spread.add(name, took);
      }
  }

 private:
  std::vector<PlainRow> rows;
  std::vector<const PlainRow*> order;
};

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 1;
  const BenchFolder folder("ludex-window-bench");
  if (folder.root.empty()) return 1;
  const std::string& root = folder.root;
  BenchGameList::write(root + "/progdir/Ludex.list", games);
  std::printf("%d games, list file %.1f MB (no game files on disk); processor times\n\n", games,
              static_cast<double>(fs::file_size(root + "/progdir/Ludex.list")) / 1e6);

  folder.mount();

  const BenchProgram program;

  std::printf("Ludex main window:\n");
  auto start = BenchClock::now();
  loadApplicationData();
  const double load = ms(start);
  std::printf("  load (with preferences)   %8.1f ms\n", load);

  start = BenchClock::now();
  MainWindow w = describeMainWindow();
  w.window->build(false);
  guiBuilt = true;
  std::printf("  first display             %8.1f ms (%d rows)\n", ms(start), w.games->infoSize());

  // The rows alone: every game through the filters into its label and box.
  start = BenchClock::now();
  setupIterateGamesList();
  int produced = 0;
  for (GuiListEntryMore more;;) {
    char* label = static_cast<fGuiListEntries*>(iterateGamesList_ludex)->call(&more);
    if (!label) break;
    ++produced;
    DisposeString(label);
    End(more.dataBox);
  }
  tidyupIterateGamesList();
  std::printf("  rows alone (no list)      %8.1f ms (%d rows)\n", ms(start), produced);

  const struct {
    cGuiString* field;
    const char* key;
  } keystrokes[] = {{guiFilterName, "r"}, {guiFilterPath, "1"}, {guiFilterTags, "puzzle"}};
  PlainBaseline plain(games);
  BenchSpread spread, sorts, plainSpread;
  double save = 0;
  for (int round = 0; round < rounds; ++round) {
    const bool print = round == 0;
    for (const auto& k : keystrokes) {
      start = BenchClock::now();
      k.field->setState(k.key);
      updateGamesListToGUI(w.games);
      double took = ms(start);
      if (print)
        std::printf("  keystroke %-6s in %-5s %8.1f ms (%d rows)\n", k.key, k.field->infoLabel(), took,
                    w.games->infoSize());
      spread.add(std::string("keystroke ") + k.key + " in " + k.field->infoLabel(), took);
      start = BenchClock::now();
      k.field->setState("");
      updateGamesListToGUI(w.games);
      took = ms(start);
      if (print) std::printf("  clearing it               %8.1f ms (%d rows)\n", took, w.games->infoSize());
      spread.add(std::string("clearing ") + k.field->infoLabel(), took);
    }
    // Each column up and down; last by name again, as the keystrokes of the
    // next round find it.
    for (int column : {1, 2, 3, 0})
      for (bool reverse : {false, true}) {
        start = BenchClock::now();
        w.games->setSortByUser(column, reverse);
        const double took = ms(start);
        const std::string name = "sort by column " + std::to_string(column) + (reverse ? " reversed" : "");
        if (print) std::printf("  %-25s %8.1f ms\n", name.c_str(), took);
        sorts.add(name, took);
      }
    start = BenchClock::now();
    w.games->setSortByUser(0, false);
    sorts.add("sort by column 0 again", ms(start));
    if (print) {
      start = BenchClock::now();
      saveGameList(list, w.tags);
      save = ms(start);
      std::printf("  save                      %8.1f ms\n", save);
      std::printf("  load + save               %8.1f ms\n\n", load + save);
      std::printf("Plain baseline (std::string rows):\n");
    }
    plain.run(print, plainSpread);
  }
  if (rounds > 1) {
    std::printf("\n");
    spread.print("Keystrokes");
    sorts.print("Sorts");
    plainSpread.print("Plain baseline");
  }

  return 0;
}
