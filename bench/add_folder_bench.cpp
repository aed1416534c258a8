// How fast a large folder of games is added: makes a tree of small game files
// (100,000 in 1,000 folders by default, a WHDLoad slave with its icon in each
// folder) and times, in one run,
//   find -type f over the tree                 (the speed of listing alone)
//   RecurseDir alone
//   addFileOrFolder on the tree, empty list    (walk, kind tests, names,
//                                               list inserts, one save)
//   addFileOrFolder again, every game listed   (the path lookups)
// Each figure is the best of a few runs over a warm cache. The shown games
// list is the toolkit's list model without a window: its entries are made
// and dropped.
//
//   ludex_add_bench [files [folders]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/games/adding_games.h"
#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/ludex_module.h"
#include "bench/bench_clock.h"
#include "bench/bench_folder.h"
#include "bench/game_tree.h"
#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string_space.h"
#include "core/time_count.h"
#include "files/objects/file.h"
#include "files/trees/dir_tree.h"
#include "gui/lists/gui_list.h"
#include "os/dos/dos.h"

namespace fs = std::filesystem;

namespace {

// What a folder of games holds: most kinds a walk recognises, and files it passes over.
std::vector<GameSample> samples() {
  return {
      {".adf", paddedBytes("DOS", 1024)},         {".nes", paddedBytes("NES\x1A", 512)},
      {".smd", paddedBytes("", 512)},             {".z5", paddedBytes("\x05", 300)},
      {".tap", paddedBytes(std::string("\x13\0\0\0", 4), 300)},
      {".sfc", paddedBytes("", 300)},             {".d64", paddedBytes("", 300)},
      {".txt", paddedBytes("a read-me", 200)},    {".exe", paddedBytes("MZ", 300)},
      {"", paddedBytes(std::string("\0\0\x03\xF3\0", 5), 300)},
  };
}

// Each folder ends with a slave and an icon beside it, which makes a game
// (the icon's contents only decide its tag).
void makeTree(const fs::path& root, int files, int folders) {
  makeGameTree(root, files, folders, samples(), "folder", "SuperGame_", 2, [](const fs::path& folder, int f) {
    writeBenchFile(folder / ("Whd" + std::to_string(f) + ".slave"), "slave");
    writeBenchFile(folder / ("Whd" + std::to_string(f) + ".info"), "icon");
  });
}

// Seconds of the fastest of `runs` runs, and in *cpu this thread's processor
// seconds in that run (the fairer figure on a busy machine).
double best(int runs, const std::function<void()>& run, double* cpu = nullptr) {
  double fastest = 1e30;
  for (int i = 0; i < runs; ++i) {
    const BenchClock start = BenchClock::now();
    run();
    const double s = start.wallMs() / 1000.0;
    if (s < fastest) {
      fastest = s;
      if (cpu) *cpu = start.cpuSinceMs() / 1000.0;
    }
  }
  return fastest;
}

class CountFiles : public funcRecurseFile {
 public:
  long files = 0;
  void call(const char*) override { ++files; }
};

long countGames() {
  long n = 0;
  cMegaCursor_class* at = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
  if (!at->isOnSameNodeAs(list->infoPastEnd()))
    do ++n;
    while (!at->next());
  End(at);
  return n;
}

void freshList() {
  End(cursor);
  End(list);
  list = new cMegaList_class;
  list->new_cMegaList_class(true, nullptr, true);
  cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
}

void report(const char* what, double seconds, double cpu, long files, double baseline) {
  std::printf("%-36s %7.3f s", what, seconds);
  if (cpu >= 0) std::printf(" (cpu %6.3f s)", cpu);
  else std::printf("               ");
  std::printf("  %6.2f us/file", files ? seconds * 1e6 / static_cast<double>(files) : 0.0);
  if (baseline > 0) std::printf("  %6.2f x find", seconds / baseline);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int folders = argc > 2 ? std::atoi(argv[2]) : 1000;
  if (files <= 0 || folders <= 0 || files < 3 * folders) {
    std::fprintf(stderr, "usage: %s [files [folders]] (at least 3 files a folder)\n", argv[0]);
    return 20;
  }
  const BenchFolder folder("ludex-add-bench");
  if (folder.root.empty()) return 20;
  const fs::path tree = fs::path(folder.root) / "games" / "tree";
  std::printf("making %d files in %d folders under %s ...\n", files, folders, tree.c_str());
  makeTree(tree, files, folders);
  // A folder changed in the last seconds is read afresh at every name not
  // found in it; a tree being added is normally older than that.
  std::this_thread::sleep_for(std::chrono::seconds(3));

  folder.mount();
  new_ptime();
  new_cpath_file();
  new_ludex();
  tagSpace = makeTagSpace();
  auto* shown = new cGuiList;
  shown->new_cGuiList(nullptr, 4, "Games");

  int status = 0;
  try {
    const std::string find = "find '" + tree.string() + "' -type f > /dev/null";
    const double tFind = best(3, [&] {
      if (std::system(find.c_str()) != 0) std::fprintf(stderr, "find failed\n");
    });
    long walked = 0;
    double cWalk = 0, cAdd = 0, cAgain = 0;
    const double tWalk = best(3, [&] {
      auto* count = new CountFiles;
      count->new_function();
      RecurseDir("Games:/tree/", count);
      walked = count->files;
      End(count);
    }, &cWalk);
    const double tAdd = best(3, [&] {
      freshList();
      addFileOrFolder("Games:/tree/", list, shown, nullptr);
    }, &cAdd);
    const long added = countGames();
    const double tAgain = best(3, [&] { addFileOrFolder("Games:/tree/", list, shown, nullptr); }, &cAgain);

    std::printf("\n%ld files in the tree, %ld added as games; list file %.1f MB\n", walked, added,
                static_cast<double>(fs::file_size(folder.root + "/progdir/Ludex.list")) / 1e6);
    report("find -type f", tFind, -1, walked, 0);
    report("RecurseDir alone", tWalk, cWalk, walked, tFind);
    report("add the folder to an empty list", tAdd, cAdd, walked, tFind);
    report("add it again (every game listed)", tAgain, cAgain, walked, tFind);
    std::printf("goal: the add under 2 s: %s\n", tAdd < 2.0 ? "met" : "NOT met");
  } catch (const Exception& e) {
    std::fprintf(stderr, "the add raised %s %s\n", IdText(e.id()).c_str(), e.message() ? e.message() : "");
    status = 20;
  }
  End(shown);
  End(cursor);
  End(list);
  End(tagSpace);
  end_ludex();
  end_cpath_file();
  end_ptime();
  ostest::resetDos();
  return status;
}
