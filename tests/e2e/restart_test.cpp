// Starts after the first: the list read back exactly as it was saved; a
// list that cannot be read set aside whole and its backup opened instead;
// and saves of a large list killed at any moment, after each of which the
// next start finds the old list or the new one.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "tests/e2e/e2e_scenario.h"

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags,
                      const std::string& rest = "\n0\n$0") {
  return "\n" + name + "\n" + path + "\n" + tags + "\n" + rest + "\n";
}

TEST(Restart, EveryFieldOfASavedListIsReadBackAndShownAsSaved) {
  LudexSandbox box;
  // Each field in a form of its own: a name with letters beyond ASCII, a path
  // with blanks and sub-folders, several tags, parameters, play counts that
  // sort as numbers, last plays in minutes.
  const std::string list = "5" + gameLines("Zoë's Quest", "Games:Adventure/Zoë's Quest.adf", ",Favourite,Puzzle,",
                                           "-x \"two words\"\n10\n$1b2c3d4") +
                           gameLines("Ant Attack", "Games:Ant Attack.tzx", ",Spectrum,", "\n3\n$1a00000") +
                           gameLines("Mole", "Games:Deep/Down/Mole.adf", ",", "\n0\n$0");
  const std::string dropped = gameLines("Newcomer", "Games:Newcomer.adf", ",Floppy,");
  // The rows sorted by play count, up: each shows its own path.
  std::string shown = "click-title Games 3\n";
  int row = 0;
  for (const char* path : {"Games:Deep/Down/Mole.adf", "Games:Newcomer.adf", "Games:Ant Attack.tzx",
                           "Games:Adventure/Zoë's Quest.adf"})
    shown += "click-row Games #" + std::to_string(++row) + "\nexpect-text Selected " + e2eQuoted(path) + "\n";
  E2eStart add{.script = "drop Games:Newcomer.adf\nexpect-rows Games 4\nclose\n", .listIs = list + dropped};
  E2eStart again{.script = shown +
                           "click-row Games \"Zoë's Quest\"\n"
                           "press Edit\n"
                           "expect-text Tags \"Favourite,Puzzle\"\n"
                           "expect-text \"Launcher parameters\" \"-x \\\"two words\\\"\"\n"
                           "press Cancel\n"
                           "close\n",
                 .listIs = list + dropped};
  std::string floppy(1024, '\0');
  floppy.replace(0, 3, "DOS");
  playScenario(box, {.files = {{"Newcomer.adf", floppy}}, .list = list, .starts = {add, again}});
}

TEST(Restart, ACorruptListIsSetAsideOnceAndTheBackupShownFromThenOn) {
  LudexSandbox box;
  const std::filesystem::path progdir = box.folder() / "progdir";
  const std::string backup = "5" + gameLines("Saved", "Games:Saved.adf", ",Floppy,") +
                             gameLines("Kept", "Games:Kept.adf", ",");
  box.writeList(backup);
  std::filesystem::copy_file(progdir / "Ludex.list", progdir / "Ludex.list.bak");
  const std::string corrupt = "5" + gameLines("Bad", "Games:Bad.adf", ",") + "not a separator\n";

  E2eScenario s{.list = corrupt};
  // No window opens: the script's first line would fail if one did.
  s.starts.push_back({.script = "expect-rows Games 99\n",
                      .output = "EXCEPTION: \"list\"; loadGameList(); Ludex.list is corrupt.\n"
                                "The faulty list was kept as \"PROGDIR:Ludex.list.BAD\"; the next start opens its backup.\n",
                      .listIs = backup});
  s.starts.push_back({.script = "expect-rows Games 2\nexpect-row Games Saved\nexpect-row Games Kept\nclose\n",
                      .listIs = backup});
  playScenario(box, s);
  // The corrupt list is kept whole for its owner to look at.
  std::ifstream bad(progdir / "Ludex.list.BAD", std::ios::binary);
  std::stringstream text;
  text << bad.rdbuf();
  EXPECT_EQ(text.str(), corrupt);
}

}  // namespace

namespace {

// The list of games `first` to `count - 1` of a large shelf, as the program saves it.
std::string shelfFrom(int first, int count) {
  std::string text = "5";
  char game[160];
  for (int n = first; n < count; ++n) {
    std::snprintf(game, sizeof game, "\nGame %05d\nGames:Shelf/Game %05d.adf\n,Floppy,Racing,\n-n %d\n%d\n$1b%05x\n", n, n,
                  n, n % 50, n);
    text += game;
  }
  return text;
}

// The first game of a shelf list (-1 when there is none or it is no shelf list).
int firstGameOf(const std::string& list) {
  int first = -1;
  return std::sscanf(list.c_str(), "5\nGame %d\n", &first) == 1 ? first : -1;
}

// Waits until the folder saw `count` name changes (a file made, renamed or
// deleted) or the program ended, whichever comes first.
void awaitNameChanges(const std::filesystem::path& folder, const LudexProcess& program, int count) {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(fd, 0);
  inotify_add_watch(fd, folder.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
  alignas(inotify_event) char buffer[4096];
  for (int seen = 0; seen < count && waitpid(program.pid(), nullptr, WNOHANG | WNOWAIT) == 0;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 5) <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    for (ssize_t at = 0; at < n; at += static_cast<ssize_t>(sizeof(inotify_event) + reinterpret_cast<inotify_event*>(buffer + at)->len))
      ++seen;
  }
  close(fd);
}

}  // namespace

TEST(Restart, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewListForTheNextStart) {
  LudexSandbox box;
  const std::filesystem::path progdir = box.folder() / "progdir";
  // Each removal saves the whole list of a few thousand games.
  constexpr int games = 2000, removals = 5, rounds = 16;
  box.writeList(shelfFrom(0, games));
  std::string script;
  for (int n = 0; n < removals; ++n) script += "click-row Games #1\npress Remove\n";
  script += "close\n";
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);

  // One whole run first: how long the saves take, and the list they leave.
  const auto start = std::chrono::steady_clock::now();
  const LudexRunResult whole = runLudex(box, script.c_str(), E2eDisplay::Headless);
  const auto runTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(whole.exitCode, 0) << whole.output << whole.errors;
  ASSERT_EQ(box.list(), shelfFrom(removals, games));

  int first = removals;
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    {
      // Half the rounds kill at a moment anywhere in the run, half just after
      // one of the saves' renames, where the files change hands.
      LudexProcess program(box, script.c_str(), E2eDisplay::Headless);
      if (round % 2 == 0)
        std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 1)(random) * runTime);
      else
        awaitNameChanges(progdir, program, std::uniform_int_distribution<int>(1, removals * 8)(random));
      program.kill();
    }
    // The next start prints nothing (no EXCEPTION of a corrupt list), and
    // the list it leaves, unchanged, is one the program saved.
    const LudexRunResult next = runLudex(box, "close\n", E2eDisplay::Headless);
    EXPECT_EQ(next.output, "");
    EXPECT_EQ(next.exitCode, 0) << next.errors;
    const std::string list = box.list();
    const int now = firstGameOf(list);
    ASSERT_GE(now, first) << list.substr(0, 200);
    ASSERT_LE(now, first + removals);
    ASSERT_EQ(list, shelfFrom(now, games));
    first = now;
  }
}
