// Changing the games of a list as a user would: a game edited (name, tags,
// launcher parameters), a tag added to and taken from two games at once, and
// two games removed after the question was answered first Cancel, then OK.
// The next start shows every change as it was saved.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_scenario.h"

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags,
                      const std::string& params = "", int plays = 0) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n" + params + "\n" + std::to_string(plays) + "\n$0\n";
}

TEST(ChangingGames, EditTagAllAndRemoveAreSavedAndShownAfterARestart) {
  LudexSandbox box;
  const std::string before = "5" + gameLines("Alpha", "Games:Alpha.adf", ",Racing,", "", 2) +
                             gameLines("Beta", "Games:Beta.adf", ",Puzzle,") +
                             gameLines("Delta", "Games:Delta.adf", ",Floppy,") +
                             gameLines("Gamma", "Games:Gamma.adf", ",Racing,Floppy,") +
                             gameLines("Omega", "Games:Omega.adf", ",");
  // Games keep the order they were added in; only Beta's fields, Delta's tags
  // and the two removed games differ.
  const std::string after = "5" + gameLines("Alpha", "Games:Alpha.adf", ",Racing,", "", 2) +
                            gameLines("Beta II", "Games:Beta.adf", ",Puzzle,Shooter,", "-scale 2 --title \"Big B\"") +
                            gameLines("Delta", "Games:Delta.adf", ",Racing,");
  E2eStart changes{.script =
                       // Edit: a tag typed that no game has yet becomes one.
                       "click-row Games Beta\n"
                       "press Edit\n"
                       "expect-text Name Beta\n"
                       "expect-text Tags Puzzle\n"
                       "type Name \"Beta II\" enter\n"
                       "type Tags \"Puzzle,Shooter\"\n"
                       "type \"Launcher parameters\" \"-scale 2 --title \\\"Big B\\\"\"\n"
                       "press OK\n"
                       "expect-text Selected \"\"\n"
                       "expect-row Games \"Beta II\"\n"
                       "expect-no-row Games Beta\n"
                       "expect-row \"Filter by tags\" Shooter\n"
                       // Tag all: Racing only where it is missing, Floppy off where it is.
                       "click-row Games Alpha\n"
                       "click-row Games Delta ctrl\n"
                       "press \"Tag all\"\n"
                       "expect-text Selected \"2 games\"\n"
                       "type Tags Racing\n"
                       "press Add\n"
                       "type Tags Floppy\n"
                       "press Remove\n"
                       "press Finished\n"
                       "type Tags Racing enter\n"
                       "expect-rows Games 3\n"
                       "expect-row Games Delta\n"
                       "type Tags Floppy enter\n"
                       "expect-rows Games 1\n"
                       "expect-row Games Gamma\n"
                       "press X\n"
                       // Remove two: Cancel keeps them (still selected), OK removes them.
                       "click-row Games Gamma\n"
                       "click-row Games Omega ctrl\n"
                       "answer-choice Cancel\n"
                       "press Remove\n"
                       "expect-rows Games 5\n"
                       "expect-text Selected \"2 games\"\n"
                       "answer-choice OK\n"
                       "press Remove\n"
                       "expect-rows Games 3\n"
                       "expect-no-row Games Gamma\n"
                       "expect-no-row Games Omega\n"
                       "close\n",
                   .listIs = after};
  E2eStart restart{.script =
                       "expect-rows Games 3\n"
                       "click-row Games \"Beta II\"\n"
                       "press Edit\n"
                       "expect-text Name \"Beta II\"\n"
                       "expect-text Tags \"Puzzle,Shooter\"\n"
                       "expect-text \"Launcher parameters\" \"-scale 2 --title \\\"Big B\\\"\"\n"
                       "press Cancel\n"
                       "type Tags Racing enter\n"
                       "expect-rows Games 2\n"
                       "expect-row Games Alpha\n"
                       "expect-row Games Delta\n"
                       "close\n",
                   .listIs = after};
  playScenario(box, {.list = before, .starts = {changes, restart}});
}

}  // namespace
