// The games a user selected are the games the buttons act on, also after the
// list was refiltered, re-sorted or changed by a dialog: Remove, Edit, Tag
// all, the Edit loop over several games and a double-click each act on the
// game the user chose, whether rows tie in the sort column or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_scenario.h"

namespace {

struct Shelved {
  std::string name, path, tags;
  int plays = 0;
  std::string lastPlayed = "$0";
};

std::string listOf(const std::vector<Shelved>& games) {
  std::string text = "5";
  for (const Shelved& g : games)
    text +=
        "\n" + g.name + "\n" + g.path + "\n" + g.tags + "\n\n" + std::to_string(g.plays) + "\n" + g.lastPlayed + "\n";
  return text;
}

// One start of the program on the shelf, checked as every scenario is.
void playOnShelf(const std::vector<Shelved>& shelf, const E2eStart& start, E2eDisplay display = E2eDisplay::Headless,
                 const std::vector<E2eFile>& files = {}) {
  LudexSandbox box;
  playScenario(box, {.display = display, .files = files, .list = listOf(shelf), .starts = {start}});
}

// Three games alike in every column but the name and the path; the one
// before Apple is hidden by the path filter "adf".
const std::vector<Shelved> alike = {
    {"Aardvark", "Games:Aardvark.lha", ",Floppy,", 2, "$1B00000"},
    {"Apple", "Games:Apple.adf", ",Floppy,", 2, "$1B00000"},
    {"Cherry", "Games:Cherry.adf", ",Floppy,", 2, "$1B00000"},
};

TEST(SelectedGames, RemoveAfterARefilterRemovesTheSelectedGameInEverySortedColumn) {
  for (int column : {2, 3, 4}) {
    SCOPED_TRACE("sorted by column " + std::to_string(column));
    const std::string title = "click-title Games " + std::to_string(column) + "\n";
    E2eStart start{.script = title + title +  // both directions
                             "click-row Games Apple\n"
                             "type Path adf enter\n"
                             "expect-rows Games 2\n"
                             "expect-text Selected \"Games:Apple.adf\"\n"
                             "press Remove\n"
                             "expect-rows Games 1\n"
                             "expect-row Games Cherry\n"
                             "expect-text Selected \"\"\n"
                             "close\n",
                   .listHas = {"\nCherry\n", "\nAardvark\n"},
                   .listLacks = {"\nApple\n"}};
    playOnShelf(alike, start);
  }
}

// The flow a new user meets: every game tagged alike, sorted by tags.
class SelectedGamesOnEachDisplay : public E2eOnEachDisplay {};

TEST_P(SelectedGamesOnEachDisplay, NarrowingAListSortedByTagsKeepsTheSelectedGame) {
  const std::vector<Shelved> shelf = {{"Agony", "Games:Agony.adf", ",Floppy,"},
                                      {"Alien Breed", "Games:AlienBreed.adf", ",Floppy,"},
                                      {"Lemmings", "Games:Lemmings.adf", ",Floppy,"}};
  E2eStart start{.script =
                     "click-title Games 2\n"
                     "click-row Games \"Alien Breed\"\n"
                     "type Name e enter\n"
                     "expect-rows Games 2\n"
                     "expect-text Selected \"Games:AlienBreed.adf\"\n"
                     "press Remove\n"
                     "expect-rows Games 1\n"
                     "expect-row Games Lemmings\n"
                     "close\n",
                 .listHas = {"\nLemmings\n", "\nAgony\n"},
                 .listLacks = {"Alien Breed"}};
  playOnShelf(shelf, start, GetParam());
}

E2E_ON_EACH_DISPLAY(SelectedGamesOnEachDisplay);

TEST(SelectedGames, OfTwoGamesOfOneNameTheChosenOneStaysChosen) {
  // The list file names the other Apple first: a pairing by order alone
  // gives the chosen row to it when both are shown again.
  const std::vector<Shelved> shelf = {{"Apple", "Games:Apple.lha", ",Floppy,"},
                                      {"Apple", "Games:Apple.adf", ",Floppy,"},
                                      {"Cherry", "Games:Cherry.adf", ",Floppy,"}};
  E2eStart start{.script =
                     "type Path adf enter\n"
                     "click-row Games Apple\n"
                     "type Path \"\" enter\n"
                     "expect-rows Games 3\n"
                     "expect-text Selected \"Games:Apple.adf\"\n"
                     "type Path apple enter\n"
                     "expect-text Selected \"Games:Apple.adf\"\n"
                     "press Remove\n"
                     "expect-rows Games 1\n"
                     "close\n",
                 .listHas = {"Games:Apple.lha", "Games:Cherry.adf"},
                 .listLacks = {"Games:Apple.adf"}};
  playOnShelf(shelf, start);
}

TEST(SelectedGames, HidingSelectedGamesTellsWhatIsLeftAndRemoveAsksAboutThat) {
  E2eStart start{.script =
                     // Apple is clicked last: the row the list holds active stays.
                 "click-row Games Cherry\n"
                 "click-row Games Aardvark ctrl\n"
                 "click-row Games Apple ctrl\n"
                 "expect-text Selected \"3 games\"\n"
                 "type Path ~cherry enter\n"
                 "expect-text Selected \"2 games\"\n"
                 "answer-choice OK\n"
                 "press Remove\n"
                 "expect-rows Games 0\n"
                 "type Path \"\" enter\n"
                 "expect-rows Games 1\n"
                 "expect-text Selected \"\"\n"
                 "close\n",
                 .listHas = {"\nCherry\n"},
                 .listLacks = {"\nApple\n", "\nAardvark\n"}};
  playOnShelf(alike, start);
}

TEST(SelectedGames, AGameAddedAndThenHiddenLeavesNothingSelected) {
  E2eStart start{.script =
                     "answer-file Games: Banana.adf\n"
                     "press Add\n"
                     "expect-text Selected \"Games:Banana.adf\"\n"
                     "type Path lha enter\n"
                     "expect-rows Games 1\n"
                     "expect-text Selected \"\"\n"
                     "close\n"};
  playOnShelf(alike, start, E2eDisplay::Headless, {{"Banana.adf", std::string(901120, '\0')}});
}

TEST(SelectedGames, EditAfterARefilterOpensTheSelectedGame) {
  E2eStart start{.script =
                     "click-title Games 3\n"
                     "click-row Games Apple\n"
                     "type Path adf enter\n"
                     "press Edit\n"
                     "window \"Edit game\"\n"
                     "expect-text Name Apple\n"
                     "type Name \"Apple II\"\n"
                     "press OK\n"
                     "close\n",
                 .listHas = {"\nApple II\nGames:Apple.adf\n", "\nCherry\nGames:Cherry.adf\n"}};
  playOnShelf(alike, start);
}

TEST(SelectedGames, TagAllTwiceTagsTheSelectedGameBothTimes) {
  // Sorted by tags: the first Add moves the game among the others.
  E2eStart start{.script =
                     "click-title Games 2\n"
                     "click-row Games Apple\n"
                     "press \"Tag all\"\n"
                     "type Tags Racing\n"
                     "press Add\n"
                     "type Tags Shooter\n"
                     "press Add\n"
                     "press Finished\n"
                     "expect-text Selected \"Games:Apple.adf\"\n"
                     "close\n",
                 .listHas = {"\nApple\nGames:Apple.adf\n,Floppy,Racing,Shooter,\n",
                             "\nAardvark\nGames:Aardvark.lha\n,Floppy,\n", "\nCherry\nGames:Cherry.adf\n,Floppy,\n"}};
  playOnShelf(alike, start);
}

TEST(SelectedGames, TagAllThatHidesTheSelectedGameLeavesNothingSelected) {
  const std::vector<Shelved> shelf = {{"Apple", "Games:Apple.adf", ",Racing,"},
                                      {"Cherry", "Games:Cherry.adf", ",Racing,"}};
  E2eStart start{.script =
                     "type Tags racing enter\n"
                     "click-row Games Apple\n"
                     "press \"Tag all\"\n"
                     "type Tags Racing\n"
                     "press Remove\n"
                     "press Finished\n"
                     "expect-rows Games 1\n"
                     "expect-text Selected \"\"\n"
                     "close\n",
                 .listHas = {"\nApple\nGames:Apple.adf\n,\n", "\nCherry\nGames:Cherry.adf\n,Racing,\n"}};
  playOnShelf(shelf, start);
}

TEST(SelectedGames, TheEditLoopOffersEachSelectedGameOnce) {
  // Listed Cherry first, shown Apple first: sorted by name, then by play
  // count, where the two tie.
  const std::vector<Shelved> shelf = {{"Cherry", "Games:Cherry.adf", ",Floppy,"},
                                      {"Apple", "Games:Apple.adf", ",Floppy,"}};
  // Whichever comes first, the second dialog must offer the other game.
  E2eStart start{.script =
                     "click-title Games 3\n"
                     "click-row Games Apple\n"
                     "click-row Games Cherry ctrl\n"
                     "press Edit\n"
                     "window \"Edit game\"\n"
                     "type Name First\n"
                     "press OK\n"
                     "window \"Edit game\"\n"
                     "type Name Second\n"
                     "press OK\n"
                     "expect-text Selected \"\"\n"
                     "close\n",
                 .listHas = {"\nFirst\n", "\nSecond\n"},
                 .listLacks = {"\nApple\n", "\nCherry\n"}};
  playOnShelf(shelf, start);
}

TEST(SelectedGames, ADoubleClickAfterTypingWithoutReturnLaunchesTheGameClicked) {
  LudexSandbox box;
  box.writePrefs(false, "Fake\nfakeemu \"%g\"\n\n");
  const std::vector<Shelved> shelf = {{"Super Frog", "Games:SuperFrog.adf", ",Fake,"},
                                      {"Racer", "Games:Racer.adf", ",Fake,"},
                                      {"Lemmings", "Games:Lemmings.adf", ",Fake,"}};
  E2eStart start{
      .script =
          "type Name r\n"
          "double-click-row Games Racer\n"
          "close\n",
      .listHas = {"\nRacer\nGames:Racer.adf\n,Fake,\n\n1\n", "\nSuper Frog\nGames:SuperFrog.adf\n,Fake,\n\n0\n"},
      .then = [&box] {
        const std::string starts = box.emulatorStarts(1);
        EXPECT_NE(starts.find("Racer.adf"), std::string::npos) << starts;
        EXPECT_EQ(starts.find("SuperFrog.adf"), std::string::npos) << starts;
      }};
  playScenario(box, {.files = {{"SuperFrog.adf", "x"}, {"Racer.adf", "x"}, {"Lemmings.adf", "x"}},
                     .list = listOf(shelf),
                     .starts = {start}});
}

}  // namespace
