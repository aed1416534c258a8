// Times loading and saving a large game list, with TZ unset and set, beside a
// plain read, parse, write and rename of the same file in the same run.
//
//   ludex_list_bench [games]     (100000 by default)
//
// Everything happens in a fresh folder under the system's temporary folder,
// mounted as the volumes the program uses; the user's own folders are never
// touched. Nine in ten games have their file on disk, one in ten is missing.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/ludex_module.h"
#include "bench/bench_clock.h"
#include "bench/bench_folder.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string_space.h"
#include "core/time_count.h"
#include "files/objects/file.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"

namespace fs = std::filesystem;

namespace {

constexpr int GAMES_PER_FOLDER = 100;
constexpr int RUNS = 3;

// Wall and processor seconds of one step.
struct Seconds {
  double wall = 0, cpu = 0;
};

Seconds since(const BenchClock& start) { return {start.wallMs() / 1000.0, start.cpuSinceMs() / 1000.0}; }

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string gameFile(int i) {
  char name[64];
  std::snprintf(name, sizeof name, "dir%04d/Game %06d.adf", i / GAMES_PER_FOLDER, i);
  return name;
}

// The list file as the program writes it, and the game files it names.
void makeGames(const std::string& root, int games) {
  std::string text = "5";
  for (int i = 0; i < games; ++i) {
    char fields[128];
    std::snprintf(fields, sizeof fields, "\nGame %06d\nGames:%s\n,Racing,Platform,\n%s\n%d\n$%x\n", i,
                  gameFile(i).c_str(), i % 3 ? "" : "-fast", i % 50, 13000000 + i);
    text += fields;
    const fs::path file = root + "/games/" + gameFile(i);
    if (i % GAMES_PER_FOLDER == 0) fs::create_directories(file.parent_path());
    if (i % 10 != 9) std::ofstream(file) << "DOS";
  }
  std::ofstream(root + "/progdir/Ludex.list", std::ios::binary) << text;
}

struct Row {
  std::string name, path, tags, params;
  long playCount = 0, lastPlayed = 0;
};

// The baseline: what reading, checking and writing the same lines costs
// without the program's file objects, paths and game records.
Seconds plainReadParseWrite(const std::string& root) {
  const BenchClock start = BenchClock::now();
  std::ifstream in(root + "/progdir/Ludex.list", std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  std::vector<std::string> lines;
  for (size_t at = 0;;) {
    const size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  std::vector<Row> rows;
  for (size_t i = 1; i + 6 < lines.size(); i += 7) {
    Row r{lines[i], lines[i + 1], lines[i + 2], lines[i + 3]};
    r.playCount = std::strtol(lines[i + 4].c_str(), nullptr, 10);
    r.lastPlayed = std::strtol(lines[i + 5].c_str() + 1, nullptr, 16) * 60;
    if (!lines[i + 6].empty()) std::abort();
    rows.push_back(std::move(r));
  }
  std::string out = "5";
  for (const Row& r : rows) {
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, "%ld\n$%lx\n", r.playCount, r.lastPlayed / 60);
    out += "\n" + r.name + "\n" + r.path + "\n" + r.tags + "\n" + r.params + "\n" + numbers;
  }
  const std::string tmp = root + "/progdir/plain.tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  std::fwrite(out.data(), 1, out.size(), f);
  std::fflush(f);
  fsync(fileno(f));
  std::fclose(f);
  std::rename(tmp.c_str(), (root + "/progdir/plain.list").c_str());
  return since(start);
}

struct Timing {
  Seconds load, save;
};

Timing loadAndSave() {
  auto* list = new cMegaList_class;
  list->new_cMegaList_class(true, nullptr, true);
  Timing t;
  BenchClock start = BenchClock::now();
  End(tagSpace);
  tagSpace = loadGameList(list);
  t.load = since(start);
  start = BenchClock::now();
  saveGameList(list, nullptr);
  t.save = since(start);
  End(list);
  return t;
}

// The medians of the runs, wall and processor time apart.
Seconds median(const std::vector<Seconds>& runs) {
  std::vector<double> walls, cpus;
  for (const Seconds& s : runs) {
    walls.push_back(s.wall);
    cpus.push_back(s.cpu);
  }
  return {median(walls), median(cpus)};
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
  const BenchFolder folder("ludex-list-bench");
  if (folder.root.empty()) return 1;
  const std::string& root = folder.root;
  std::printf("Making %d games in %s ...\n", games, root.c_str());
  makeGames(root, games);
  std::printf("List file: %.1f MB\n\n", static_cast<double>(fs::file_size(root + "/progdir/Ludex.list")) / 1e6);

  folder.mount();
  new_ptime();
  new_cpath_file();
  new_ludex();

  std::printf("seconds, wall (processor)\n%-28s %16s %16s %16s %16s\n", "TZ", "load", "save", "load+save",
              "plain r+p+w");
  for (const char* zone : {static_cast<const char*>(nullptr), "CET-1CEST,M3.5.0,M10.5.0/3"}) {
    if (zone) setenv("TZ", zone, 1);
    else unsetenv("TZ");
    std::vector<Seconds> loads, saves, plains;
    for (int run = 0; run < RUNS; ++run) {
      const Timing t = loadAndSave();
      loads.push_back(t.load);
      saves.push_back(t.save);
      plains.push_back(plainReadParseWrite(root));
    }
    const Seconds load = median(loads), save = median(saves), plain = median(plains);
    std::printf("%-28s %7.3f (%6.3f) %7.3f (%6.3f) %7.3f (%6.3f) %7.3f (%6.3f)\n", zone ? zone : "(unset)", load.wall,
                load.cpu, save.wall, save.cpu, load.wall + save.wall, load.cpu + save.cpu, plain.wall, plain.cpu);
  }
  std::printf("\n(medians of %d runs)\n", RUNS);

  End(tagSpace);
  end_ludex();
  end_cpath_file();
  end_ptime();
  ostest::resetDos();
  return 0;
}
