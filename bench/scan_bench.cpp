// How fast a folder of games is scanned: makes a tree of 100,000 small game
// files in 1,000 folders under a temporary folder and times, in one run,
//   find -type f over the tree           (the speed of listing alone)
//   open, read 300 bytes, close per file (the floor for reading every file)
//   RecurseDir alone
//   RecurseDir with the kind tests on every file, as adding games does
// and then, per file, the walk with kind tests and the open-read-close floor
// over sixteen folders of 1,000 files and over one folder of 16,000 (the same
// number of files, so that only the size of the folder differs), and over
// one folder of 1,000 alone (so few files that they stay in the processor's
// caches from run to run: the floor itself is faster per file there). Each
// figure is the best of a few runs over a warm cache; beside the wall time
// stands the processor time of that run (user and system), the fairer figure
// on a busy machine.
//
//   ludex_scan_bench [files [folders]]     (default 100000 1000)
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/games/game_kinds.h"
#include "bench/bench_clock.h"
#include "bench/game_tree.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/syntax/path_syntax.h"
#include "files/trees/dir_tree.h"
#include "os/dos/dos.h"

namespace fs = std::filesystem;

namespace {

// One game file of each kind the tests look at, and a few they reject; the
// tree cycles through them.
std::vector<GameSample> samples() {
  const std::string megaDrive = paddedBytes(std::string(256, 'x') + "SEGA MEGA DRIVE (C)SEGA", 1024);
  return {
      {".adf", paddedBytes("DOS", 1024)},
      {".ADF", paddedBytes("UAE--ADF", 1024)},
      {".exe", paddedBytes("MZ", 700)},
      {".nes", paddedBytes("NES\x1A", 900)},
      {".bin", megaDrive},
      {".tap", paddedBytes(std::string("\x13\0\0\0", 4), 800)},
      {".z5", paddedBytes("\x05", 600)},
      {".dat", paddedBytes("\x03", 600)},
      {"", paddedBytes(std::string("\0\0\x03\xF3\0", 5), 1024)},
      {".txt", paddedBytes("a read-me", 400)},
  };
}

// `files` files spread over `folders` folders, in groups of up to 100 folders.
void makeTree(const fs::path& root, int files, int folders) {
  makeGameTree(root, files, folders, samples(), "game", "Game");
}

void makeFlatFolder(const fs::path& folder, int files) {
  const std::vector<GameSample> kinds = samples();
  fs::create_directories(folder);
  for (int i = 0; i < files; ++i) {
    const GameSample& s = kinds[static_cast<size_t>(i) % kinds.size()];
    writeBenchFile(folder / ("Game" + std::to_string(i) + s.ending), s.contents);
  }
}

struct Time {
  double wall = 1e30;  // seconds
  double cpu = 0;      // this thread's processor seconds in the same run
};

// The fastest of `runs` runs.
Time best(int runs, const std::function<void()>& run) {
  Time fastest;
  for (int i = 0; i < runs; ++i) {
    const BenchClock start = BenchClock::now();
    run();
    const double s = start.wallMs() / 1000.0;
    if (s < fastest.wall) fastest = {s, start.cpuSinceMs() / 1000.0};
  }
  return fastest;
}

// The plain walk: every file opened, 300 bytes read, closed.
long openReadClose(const fs::path& root) {
  long files = 0;
  char buffer[300];
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const int fd = ::open(e.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (::read(fd, buffer, sizeof buffer) >= 0) ++files;
    ::close(fd);
  }
  return files;
}

class CountFiles : public funcRecurseFile {
 public:
  long files = 0;
  void call(const char*) override { ++files; }
};

// Runs the kind tests on each file in their order, as adding a game does.
class TellKinds : public funcRecurseFile {
 public:
  long files = 0;
  long recognised = 0;
  void call(const char* path) override {
    ++files;
    // The walk gives canonical paths; the tests take the system's own.
    char* hostPath = ExportPath(path);
    if (gameKindOf(hostPath)) ++recognised;
    DisposeString(hostPath);
  }
};

template <class F>
F* made() {
  F* f = new F;
  f->new_function();
  return f;
}

template <class F>
long walk(const char* path, long* recognised = nullptr) {
  F* f = made<F>();
  RecurseDir(path, f);
  const long files = f->files;
  if constexpr (requires { f->recognised; }) {
    if (recognised) *recognised = f->recognised;
  }
  End(f);
  return files;
}

void report(const char* what, const Time& t, long files, const Time* baseline, const char* baselineName) {
  const double perFile = files ? 1e6 / static_cast<double>(files) : 0.0;
  std::printf("%-34s %7.3f s (cpu %6.3f s) %6.2f us/file (cpu %6.2f)", what, t.wall, t.cpu, t.wall * perFile,
              t.cpu * perFile);
  if (baseline) std::printf("  %5.2f x %s (cpu %5.2f x)", t.wall / baseline->wall, baselineName, t.cpu / baseline->cpu);
  std::printf("\n");
}

// The processor time of the child processes that ended since the last call.
double childCpuSeconds() {
  static double before = 0;
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const double now = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  const double since = now - before;
  before = now;
  return since;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int folders = argc > 2 ? std::atoi(argv[2]) : 1000;
  if (files <= 0 || folders <= 0) {
    std::fprintf(stderr, "usage: %s [files [folders]]\n", argv[0]);
    return 20;
  }
  char pattern[] = "/tmp/ludex-scan-bench-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("mkdtemp");
    return 20;
  }
  const fs::path root = fs::canonical(pattern);
  const std::string volumes = "Bench=" + root.string();
  setenv("LUDEX_VOLUMES", volumes.c_str(), 1);

  std::printf("making %d files in %d folders under %s ...\n", files, folders, root.c_str());
  makeTree(root / "tree", files, folders);
  for (int part = 0; part < 16; ++part) makeFlatFolder(root / "small" / ("part" + std::to_string(part)), 1000);
  makeFlatFolder(root / "large", 16000);

  // Folders changed in the last two seconds are read afresh at every name
  // that is not found there (their times may not show a change yet); a tree
  // being scanned is normally older than that.
  std::this_thread::sleep_for(std::chrono::seconds(3));

  int status = 0;
  try {
    const std::string find = "find '" + (root / "tree").string() + "' -type f > /dev/null";
    // find runs in a child: its processor time is the child's.
    childCpuSeconds();
    Time tFind;
    for (int run = 0; run < 3; ++run) {
      Time t = best(1, [&] {
        if (std::system(find.c_str()) != 0) std::fprintf(stderr, "find failed\n");
      });
      t.cpu = childCpuSeconds();
      if (t.wall < tFind.wall) tFind = t;
    }
    long floorFiles = 0;
    const Time tFloor = best(3, [&] { floorFiles = openReadClose(root / "tree"); });
    long walked = 0;
    const Time tWalk = best(3, [&] { walked = walk<CountFiles>("Bench:/tree/"); });
    long told = 0, recognised = 0;
    const Time tKinds = best(2, [&] { told = walk<TellKinds>("Bench:/tree/", &recognised); });

    std::printf("\n%ld files in the tree (%ld recognised as games)\n", told, recognised);
    report("find -type f", tFind, floorFiles, nullptr, "");
    report("open, read 300 bytes, close", tFloor, floorFiles, nullptr, "");
    report("RecurseDir alone", tWalk, walked, &tFind, "find");
    report("RecurseDir + kind tests", tKinds, told, &tFloor, "floor");

    long one = 0, oneFloor = 0, small = 0, large = 0, smallFloor = 0, largeFloor = 0;
    const Time tOneFloor = best(5, [&] { oneFloor = openReadClose(root / "small" / "part0"); });
    const Time tOne = best(5, [&] { one = walk<TellKinds>("Bench:/small/part0/"); });
    const Time tSmallFloor = best(5, [&] { smallFloor = openReadClose(root / "small"); });
    const Time tLargeFloor = best(5, [&] { largeFloor = openReadClose(root / "large"); });
    const Time tSmall = best(5, [&] { small = walk<TellKinds>("Bench:/small/"); });
    const Time tLarge = best(5, [&] { large = walk<TellKinds>("Bench:/large/"); });
    std::printf("\nfolder size alone, walk + kind tests:\n");
    report("floor, 1 folder of 1,000 files", tOneFloor, oneFloor, nullptr, "");
    report("1 folder of 1,000 files", tOne, one, &tOneFloor, "floor");
    report("floor, 16 folders of 1,000 files", tSmallFloor, smallFloor, nullptr, "");
    report("floor, 1 folder of 16,000 files", tLargeFloor, largeFloor, &tSmallFloor, "1,000");
    report("16 folders of 1,000 files", tSmall, small, &tSmallFloor, "floor");
    report("1 folder of 16,000 files", tLarge, large, &tLargeFloor, "floor");
    if (small && large)
      std::printf("per file, 16,000 against 1,000: %.2f x (cpu %.2f x)\n",
                  (tLarge.wall / static_cast<double>(large)) / (tSmall.wall / static_cast<double>(small)),
                  (tLarge.cpu / static_cast<double>(large)) / (tSmall.cpu / static_cast<double>(small)));
  } catch (const Exception& e) {
    std::fprintf(stderr, "the walk raised %s %s\n", IdText(e.id()).c_str(), e.message() ? e.message() : "");
    status = 20;
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return status;
}
