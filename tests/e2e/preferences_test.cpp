// The preferences as a user sets them on a first start without a
// preferences file: both options ticked and a launcher made for a tag of a
// game with "Add program", all saved when the window is closed. The next
// start shows them and launches the game through that launcher without
// asking for the program again.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/e2e/e2e_scenario.h"

namespace fs = std::filesystem;

namespace {

TEST(Preferences, ALauncherAddedWithItsProgramAndTheTicksAreSavedOnCloseAndFoundAfterARestart) {
  LudexSandbox box;
  const fs::path root = box.folder(), played = root / "played";
  const std::string prefs = "home/.config/ludex/ENVARC/Ludex.prefs";
  box.writeProgram("games/Emulators/shootemu", "#!/bin/sh\n{ pwd; echo \"$@\"; } > \"" + played.string() +
                                                   ".part\"\nmv \"" + played.string() + ".part\" \"" + played.string() + "\"\n");
  const std::string list = "5\nStar Blaster\nGames:Star Blaster.adf\n,Shooter,\n-fast\n0\n$0\n";

  E2eStart first{.script = "press Prefs\n"
                           "window PREF\n"
                           "expect-text \"Quit Ludex after launching a game\" 0\n"
                           "expect-text \"Show shell output of launcher\" 0\n"
                           "tick \"Quit Ludex after launching a game\"\n"
                           "tick \"Show shell output of launcher\"\n"
                           "click-row Launchers Shooter\n"
                           "press \"Edit Launcher\"\n"
                           "window EdtL\n"
                           "expect-text Tag Shooter\n"
                           "answer-file Games:Emulators shootemu\n"
                           "press \"Add program\"\n"
                           "press OK\n"
                           "window PREF\n"
                           "close\n"
                           "window MAIN\n"
                           "close\n",
                 .listIs = list,
                 .then = [&] {
                   const std::string saved = box.read(prefs);
                   EXPECT_EQ(saved.substr(0, 6), "1\n1\n1\n") << saved;
                   EXPECT_NE(saved.find("\nShooter\nCD \"${AppDir/shootemu}\"\\nshootemu \"%g\" %p\n"), std::string::npos)
                       << saved;
                   EXPECT_EQ(box.read("home/.config/ludex/ENVARC/AppDir/shootemu"), "Games:Emulators");
                 }};
  // The output is unticked again so that the launch runs quietly; the
  // launch then ends the program.
  E2eStart restart{.script = "press Prefs\n"
                             "window PREF\n"
                             "expect-text \"Quit Ludex after launching a game\" 1\n"
                             "expect-text \"Show shell output of launcher\" 1\n"
                             "double-click-row Launchers Shooter\n"
                             "window EdtL\n"
                             "expect-text Tag Shooter\n"
                             "press Cancel\n"
                             "window PREF\n"
                             "untick \"Show shell output of launcher\"\n"
                             "press Finished\n"
                             "window MAIN\n"
                             "double-click-row Games \"Star Blaster\"\n"
                             "expect-rows Games 99\n",
                   .then = [&] {
                     EXPECT_EQ(box.read(prefs).substr(0, 6), "1\n1\n0\n");
                     for (int waited = 0; waited < 200 && !fs::exists(played); ++waited)
                       std::this_thread::sleep_for(std::chrono::milliseconds(25));
                     EXPECT_EQ(box.read("played"), (root / "games/Emulators").string() + "\n" +
                                                    (root / "games/Star Blaster.adf").string() + " -fast\n");
                   }};
  ASSERT_FALSE(box.hasFile(prefs));
  playScenario(box, {.files = {{"Star Blaster.adf", "DOS"}}, .list = list, .starts = {first, restart}});
}

}  // namespace
