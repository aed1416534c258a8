// Playing games through a launcher: a fake emulator written by the test
// records the folder it runs in and each argument it gets. Its folder is
// asked for once through the file requester and remembered in ENVARC: for
// later starts of the program; a game whose name holds blanks, quotes and
// "$(...)" reaches it as one intact argument, and nothing in the name runs.
// Each play is counted and dated in the saved list; with "Quit Ludex after
// launching a game" ticked, a launch ends the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "tests/e2e/e2e_scenario.h"

namespace fs = std::filesystem;

namespace {

const std::string oddName = "Say \"hi\" $(touch pwned) & co";

// Minutes since 2000-01-01 00:00 UTC, as the list stores the last play.
long minutesNow() { return static_cast<long>((std::time(nullptr) - 946684800) / 60); }

// The play count and last-played minutes the saved list holds for the game at `path`.
std::pair<long, long> plays(const std::string& list, const std::string& path) {
  const size_t at = list.find("\n" + path + "\n");
  if (at == std::string::npos) return {-1, -1};
  std::istringstream lines(list.substr(at + path.size() + 2));
  std::string tags, params, count, last;
  std::getline(lines, tags);
  std::getline(lines, params);
  std::getline(lines, count);
  std::getline(lines, last);
  return {std::stol(count), std::stol(last.substr(1), nullptr, 16)};
}

class Launching : public E2eOnEachDisplay {};

TEST_P(Launching, TheEmulatorIsAskedForOnceGetsIntactArgumentsAndAutoExitEndsTheProgram) {
  LudexSandbox box;
  const fs::path root = box.folder();
  // Each start is recorded in a file of its own, put in place once complete.
  e2eWriteRecordingEmulator(box, "games/Emulators/Play Emu/playemu");
  // Ours comes first on PATH: if any part of a name ran as a command, it would leave its mark.
  box.writeProgram("bin/touch", "#!/bin/sh\necho ran > \"" + (root / "touched").string() + "\"\n");
  box.writePrefs(false, "Floppy\nCD \"${AppDir/playemu}\"\\nplayemu %p \"%g\"\n\n");
  const std::string oddPath = "Games:Shelf/" + oddName + ".adf", plainPath = "Games:Shelf/Plain.adf";
  const std::string list = "5\n" + oddName + "\n" + oddPath + "\n,Floppy,\n--title \"Big One\" -x\n0\n$0\n" +
                           "\nPlain\n" + plainPath + "\n,Favourite,floppy,\n\n7\n$0\n";

  // The first play asks where the emulator is; the second, of another game
  // through the same launcher, must not (an unanswered requester would be
  // printed and fail the output).
  const long before = minutesNow();
  const std::string folder = (root / "games/Emulators/Play Emu").string() + "\n", shelf = (root / "games/Shelf/").string();
  E2eStart first{.script = "answer-file \"Games:Emulators/Play Emu\" playemu\n"
                           "double-click-row Games " + e2eQuoted(oddName) + "\n"
                           "double-click-row Games Plain\n"
                           "close\n",
                 .then = [&] {
                   const long after = minutesNow();
                   std::vector<std::string> expected = {
                       folder + "[--title]\n[Big One]\n[-x]\n[" + shelf + oddName + ".adf]\n",
                       folder + "[" + shelf + "Plain.adf]\n"};
                   std::sort(expected.begin(), expected.end());
                   EXPECT_EQ(e2eEmulatorStarts(box, 2), expected);
                   EXPECT_EQ(box.read("home/.config/ludex/ENVARC/AppDir/playemu"), "Games:Emulators/Play Emu");
                   const std::string saved = box.list();
                   for (const auto& [path, count] : {std::pair(oddPath, 1L), std::pair(plainPath, 8L)}) {
                     const auto [playCount, lastPlayed] = plays(saved, path);
                     EXPECT_EQ(playCount, count) << path << " in\n" << saved;
                     EXPECT_GE(lastPlayed, before) << path;
                     EXPECT_LE(lastPlayed, after) << path;
                   }
                 }};
  // The next start finds the emulator without asking; ticking the option and
  // launching ends the program before the script's last line.
  E2eStart second{.script = "press Prefs\n"
                            "tick \"Quit Ludex after launching a game\"\n"
                            "press Finished\n"
                            "double-click-row Games Plain\n"
                            "expect-rows Games 99\n",
                  .then = [&] {
                    EXPECT_EQ(e2eEmulatorStarts(box, 3).size(), 3u);
                    EXPECT_EQ(plays(box.list(), plainPath).first, 9);
                    EXPECT_EQ(box.read("home/.config/ludex/ENVARC/Ludex.prefs").substr(0, 4), "1\n1\n");
                  }};
  playScenario(box, {.display = GetParam(),
                     .files = {{"Shelf/" + oddName + ".adf", "DOS"}, {"Shelf/Plain.adf", "DOS"}},
                     .list = list,
                     .starts = {first, second}});
  EXPECT_FALSE(fs::exists(root / "touched"));
  for (const auto& entry : fs::recursive_directory_iterator(root)) EXPECT_NE(entry.path().filename(), "pwned") << entry.path();
}

E2E_ON_EACH_DISPLAY(Launching);

}  // namespace
