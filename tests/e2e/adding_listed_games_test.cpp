// Adding games that are listed already: with a filter that shows no row, or
// after the last shown game was removed, a drop or an Add of a listed game
// selects nothing, changes nothing and the program goes on; and a folder that
// holds the Games: volume's folder, walked from above, lists no game again
// under a second name.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_scenario.h"

namespace {

std::string gameLines(const std::string& name, const std::string& path, const std::string& tags) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n0\n$0\n";
}

const std::string disk = std::string("DOS") + std::string(1021, '\0');

const std::string fiveGames = "5" + gameLines("Alpha", "Games:Alpha.adf", ",Floppy,") +
                              gameLines("Bravo", "Games:Bravo.adf", ",Floppy,") +
                              gameLines("Charlie", "Games:Charlie.adf", ",Racing,") +
                              gameLines("Delta", "Games:ADF/Delta.adf", ",Floppy,") +
                              gameLines("Echo", "Games:ADF/Echo.adf", ",Floppy,");

const std::vector<E2eFile> fiveFiles = {{"Alpha.adf", disk},
                                        {"Bravo.adf", disk},
                                        {"Charlie.adf", disk},
                                        {"ADF/Delta.adf", disk},
                                        {"ADF/Echo.adf", disk}};

class AddingListedGames : public E2eOnEachDisplay {};

TEST_P(AddingListedGames, WithNoRowShownNothingIsSelectedAndTheProgramGoesOn) {
  struct Hiding {
    const char* what;
    std::string script;  // leaves the games list without a row
    std::string listAfter;
  };
  const std::string withoutEcho = fiveGames.substr(0, fiveGames.find("\nEcho\n"));
  const Hiding hidings[] = {
      {"a Path filter", "type Path zzz enter\n", fiveGames},
      {"a Name filter", "type Name zzz enter\n", fiveGames},
      {"a Tags filter", "type Tags zzz enter\n", fiveGames},
      {"a Remove of the last shown game",
       "type Name Echo enter\nclick-row Games Echo\npress Remove\n", withoutEcho},
  };
  struct Adding {
    const char* what;
    const char* script;
  };
  const Adding addings[] = {
      {"a drop", "drop Games:ADF/Delta.adf\n"},
      {"an Add answer", "answer-file Games:ADF Delta.adf\npress Add\n"},
  };
  for (const Hiding& hiding : hidings) {
    for (const Adding& adding : addings) {
      SCOPED_TRACE(std::string(adding.what) + " after " + hiding.what);
      E2eStart start{.script = hiding.script +
                               "expect-rows Games 0\n" + adding.script +
                               "expect-rows Games 0\n"
                               "expect-text Selected \"\"\n"
                               "press X\n"
                               "expect-text Selected \"\"\n"
                               "click-row Games Alpha\n"
                               "expect-text Selected \"Games:Alpha.adf\"\n"
                               "close\n",
                     .listIs = hiding.listAfter};
      LudexSandbox box;
      playScenario(box, {.display = GetParam(), .files = fiveFiles, .list = fiveGames, .starts = {start}});
    }
  }
}

TEST_P(AddingListedGames, AListedGameWhoseRowIsHiddenLeavesTheSelectionAsItWas) {
  E2eStart start{.script =
                     "type Name a enter\n"
                     "click-row Games Charlie\n"
                     "drop Games:ADF/Echo.adf\n"
                     "expect-text Selected \"Games:Charlie.adf\"\n"
                     "drop Games:ADF/Delta.adf\n"
                     "expect-text Selected \"Games:ADF/Delta.adf\"\n"
                     "close\n",
                 .listIs = fiveGames};
  LudexSandbox box;
  playScenario(box, {.display = GetParam(), .files = fiveFiles, .list = fiveGames, .starts = {start}});
}

TEST_P(AddingListedGames, AFolderAboveTheGamesVolumeListsNoGameTwice) {
  // The sandbox folder holds the Games: volume's folder: walked from there,
  // through Root:, Echo must still be found as Games:ADF/Echo.adf.
  const std::string foxtrot = gameLines("Foxtrot", "Games:ADF/Foxtrot.adf", ",Floppy,");
  std::vector<E2eFile> files = fiveFiles;
  files.push_back({"ADF/Foxtrot.adf", disk});
  for (const bool dropped : {true, false}) {
    SCOPED_TRACE(dropped ? "a drop" : "an Add answer");
    LudexSandbox box;
    const std::string above = e2eQuoted(box.folder().string());
    E2eStart start{.script = (dropped ? "drop " + above + "\n" : "answer-file " + above + "\npress Add\n") +
                             "expect-rows Games 6\nclose\n",
                   .listIs = fiveGames + foxtrot};
    playScenario(box, {.display = GetParam(), .files = files, .list = fiveGames, .starts = {start}});
  }
}

E2E_ON_EACH_DISPLAY(AddingListedGames);

}  // namespace
