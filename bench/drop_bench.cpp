// Dropping many files on the main window of a large game list: 1,000 new
// game files dropped at once (one desktop message) on a list of 100,000
// games by default, headless, through the program's own event loop; beside
// a plain baseline in the same run: the same lookups of the dropped paths in
// a hash set of the listed ones and one write of the list as text.
//
//   ludex_drop_bench [games [files [rounds]]]
//
// Each Ludex figure is the difference of two starts of the main window (the
// list loaded, shown, and the window closed): one with the drop, one without.
// Medians of `rounds` (5 by default); processor time of the thread. For
// contrast, adding files one at a time with a save each (as "Add" does) is
// timed on a few files and given per file.
//
// Everything happens in a fresh folder under the system's temporary folder,
// mounted as the volumes the program uses; the user's own folders are never
// touched.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/games/adding_games.h"
#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/ludex_module.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_layout.h"
#include "bench/bench_clock.h"
#include "bench/bench_folder.h"
#include "bench/bench_game_list.h"
#include "bench/bench_program.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "gui/gui_window.h"
#include "gui/mui/client/gui_module.h"
#include "os/mui/driver/ui_script.h"
#include "os/mui/driver/ui_script_runner.h"

namespace fs = std::filesystem;

namespace {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One start of the main window with the script, its processor milliseconds.
double start(const std::string& script) {
  mui::startUiScript(mui::parseUiScript(script, "drop"), "drop");
  const BenchClock clock = BenchClock::now();
  Ludex();
  const double ms = clock.cpuSinceMs();
  mui::stopUiScript();
  return ms;
}

// The plain baseline: the listed paths in a hash set, each dropped path looked
// up and added, the whole list written once as text.
double plainBaseline(const std::string& listFile, const std::vector<std::string>& dropped, const std::string& out) {
  std::ifstream in(listFile, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const BenchClock clock = BenchClock::now();
  std::unordered_set<std::string> paths;
  for (size_t i = 2; i < lines.size(); i += 7) paths.insert(lines[i]);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  for (const std::string& path : dropped)
    if (paths.insert(path).second) text += "Dropped\n" + path + "\n,Floppy,\n\n0\n$0\n\n";
  std::ofstream(out, std::ios::binary) << text;
  return clock.cpuSinceMs();
}

long countGames() {
  long n = 0;
  cMegaCursor_class* at = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
  if (!at->isOnSameNodeAs(list->infoPastEnd())) do ++n;
    while (!at->next());
  End(at);
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int files = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  if (games < 0 || files <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: %s [games [files [rounds]]]\n", argv[0]);
    return 20;
  }
  const BenchFolder folder("ludex-drop-bench");
  if (folder.root.empty()) return 20;
  const std::string& root = folder.root;
  const std::string listFile = root + "/progdir/Ludex.list";
  fs::create_directories(root + "/games/drop");
  std::vector<std::string> dropped;
  std::string drop = "drop";
  for (int i = 0; i < files; ++i) {
    const std::string name = "Dropped_Game_" + std::to_string(i) + ".adf";
    std::ofstream(root + "/games/drop/" + name, std::ios::binary) << std::string("DOS") + std::string(1021, '\0');
    dropped.push_back("Games:drop/" + name);
    drop += " Games:drop/" + name;
  }
  std::printf("%d games, %d files dropped at once; medians of %d rounds, processor times\n\n", games, files, rounds);

  folder.mount();
  const BenchProgram program;
  std::vector<double> plain, without, with, save;
  for (int round = 0; round < rounds; ++round) {
    BenchGameList::write(listFile, games);
    plain.push_back(plainBaseline(listFile, dropped, root + "/t/plain.list"));
    without.push_back(start("close\n"));
    with.push_back(start(drop + "\nclose\n"));
    // The save alone: the list as the drop left it, loaded and saved once.
    loadApplicationData();
    if (countGames() != games + files) std::printf("the drop left %ld games, not %d\n", countGames(), games + files);
    const BenchClock clock = BenchClock::now();
    saveGameList(list, nullptr);
    save.push_back(clock.cpuSinceMs());
    releaseApplicationData();
  }
  std::printf("plain baseline (hash set, one write)   %8.1f ms\n", median(plain));
  std::printf("Ludex: one save of the list            %8.1f ms\n", median(save));
  std::printf("Ludex: start and close, no drop        %8.1f ms\n", median(without));
  std::printf("Ludex: start, drop, close              %8.1f ms\n", median(with));
  std::printf("Ludex: the drop                        %8.1f ms\n\n", median(with) - median(without));

  // For contrast: files added one at a time, each saved, as "Add" does.
  const int few = std::min(files, 10);
  BenchGameList::write(listFile, games);
  loadApplicationData();
  MainWindow w = describeMainWindow();
  w.window->build(false);
  const BenchClock clock = BenchClock::now();
  for (int i = 0; i < few; ++i) {
    const std::string path = "Games:/drop/" + dropped[static_cast<size_t>(i)].substr(11);
    addFileOrFolder(path.c_str(), list, w.games, w.tags);
  }
  std::printf("one file at a time, each saved         %8.1f ms a file\n", clock.cpuSinceMs() / few);
  DestroyGuiWindow(w.window);
  releaseApplicationData();
  return 0;
}
