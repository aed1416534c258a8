// The main window of the real program, driven by UI scripts on a sandbox
// list: filters, the tag list, launching, removing, and the toolbar.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/ludex_run.h"

namespace {

// One game as the list file stores it.
std::string gameLines(const std::string& name, const std::string& path, const std::string& tags, int plays = 0) {
  return "\n" + name + "\n" + path + "\n" + tags + "\n\n" + std::to_string(plays) + "\n$0\n";
}

const std::string shelf = "5" + gameLines("Super Frog", "Games:Amiga/SuperFrog.adf", ",Platform,Fake,") +
                          gameLines("Racer", "Games:Amiga/Racer.adf", ",Racing,") +
                          gameLines("Lemmings", "Games:A/Lemmings.adf", ",Puzzle,Fake,") +
                          gameLines("Lemmings", "Games:B/Lemmings.adf", ",Puzzle,Fake,", 7) +
                          gameLines("Lost", "Games:Lost.adf", ",Missing,");

const char* const launchers = "Fake\nfakeemu \"%g\"\n\nMissing\nCD \"${AppDir/NoSuchEmu}\"\\nNoSuchEmu \"%g\"\n\n";

class MainWindow : public testing::Test {
 protected:
  void SetUp() override { prepare(box); }
  // The shelf of games with its launchers.
  static void prepare(const LudexSandbox& b) {
    b.writeList(shelf);
    b.writePrefs(false, launchers);
    for (const char* game : {"Amiga/SuperFrog.adf", "Amiga/Racer.adf", "A/Lemmings.adf", "B/Lemmings.adf"})
      b.writeGame(game);
  }
  // Runs the script; a line that fails is printed and ends the program with 20.
  void runOk(const char* script) {
    const LudexRunResult r = box.run(script);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.exitCode, 0);
  }
  LudexSandbox box;
};

TEST_F(MainWindow, FiltersShowAnyItemWithinAFieldAndEveryFieldMustPass) {
  runOk(
      "expect-rows Games 5\n"
      "expect-text Selected \"\"\n"
      "type Name \"frog racer\" enter\n"
      "expect-rows Games 2\n"
      "type Path \"~amiga\" enter\n"
      "expect-rows Games 0\n"
      "type Name \"~frog\" enter\n"
      "expect-rows Games 3\n"
      "type Tags \"racing\" enter\n"
      "expect-rows Games 0\n"
      "type Tags \"puzzle,missing\" enter\n"
      "expect-rows Games 3\n"
      "press X\n"
      "expect-text Name \"\"\n"
      "expect-text Path \"\"\n"
      "expect-text Tags \"\"\n"
      "expect-rows Games 5\n"
      "close\n");
}

TEST_F(MainWindow, TagListAndModeWriteTheTagsFieldAndTheFieldSelectsTags) {
  runOk(
      "window MAIN\n"
      "choose Mode Hide\n"
      "expect-text Tags \"~\"\n"
      "expect-rows Games 5\n"
      "click-row \"Filter by tags\" Racing\n"
      "expect-text Tags \"~Racing\"\n"
      "click-row \"Filter by tags\" Platform\n"
      "expect-text Tags \"~Platform,Racing\"\n"
      "expect-rows Games 3\n"
      "expect-no-row Games Racer\n"
      "choose Mode Show\n"
      "expect-text Tags \"Platform,Racing\"\n"
      "expect-rows Games 2\n"
      // Typed text selects whole tags only and stays as it was typed,
      // filtering as written: tags nobody has, or only part of a tag, show
      // no game.
      "type Tags \"~puzzle,fake\" enter\n"
      "expect-text Mode Hide\n"
      "expect-text Tags \"~puzzle,fake\"\n"
      "expect-rows Games 2\n"
      // The click also takes the keyboard from the "Tags" field, which
      // reports its unchanged text first: the click still counts.
      "click-row \"Filter by tags\" Racing\n"
      "expect-text Tags \"~Fake,Puzzle,Racing\"\n"
      "type Tags \"rac\" enter\n"
      "expect-text Mode Show\n"
      "expect-text Tags \"rac\"\n"
      "expect-rows Games 0\n"
      "type Tags \"~rac\" enter\n"
      "expect-text Mode Hide\n"
      "expect-text Tags \"~rac\"\n"
      "expect-rows Games 5\n"
      "type Tags \"racing,nosuch\" enter\n"
      "expect-text Mode Show\n"
      "expect-text Tags \"racing,nosuch\"\n"
      "expect-rows Games 1\n"
      "expect-row Games Racer\n"
      "type Tags \"Nosuch\" enter\n"
      "expect-text Tags \"Nosuch\"\n"
      "expect-rows Games 0\n"
      // The user's own choice in the list or the cycle writes the field.
      "click-row \"Filter by tags\" Puzzle\n"
      "expect-text Tags \"Puzzle\"\n"
      "expect-rows Games 2\n"
      "choose Mode Hide\n"
      "expect-text Tags \"~Puzzle\"\n"
      "expect-rows Games 3\n"
      "close\n");
}

TEST_F(MainWindow, DoubleClickLaunchesTheGameItShowsCountsThePlayAndSaves) {
  runOk(
      // Two rows read "Lemmings": the path filter leaves the one in B.
      "type Path \"b\" enter\n"
      "expect-rows Games 1\n"
      "double-click-row Games Lemmings\n"
      "type Path \"\" enter\n"
      "double-click-row Games \"Super Frog\"\n"
      "close\n");
  const std::string starts = box.emulatorStarts(2);
  EXPECT_NE(starts.find("B/Lemmings.adf"), std::string::npos) << starts;
  EXPECT_EQ(starts.find("A/Lemmings.adf"), std::string::npos) << starts;
  EXPECT_NE(starts.find("SuperFrog.adf"), std::string::npos) << starts;
  const std::string list = box.list();
  EXPECT_NE(list.find("Super Frog\nGames:Amiga/SuperFrog.adf\n,Platform,Fake,\n\n1\n$"), std::string::npos) << list;
  EXPECT_NE(list.find("Lemmings\nGames:B/Lemmings.adf\n,Puzzle,Fake,\n\n8\n$"), std::string::npos) << list;
  EXPECT_NE(list.find("Lemmings\nGames:A/Lemmings.adf\n,Puzzle,Fake,\n\n0\n$0\n"), std::string::npos) << list;
  EXPECT_EQ(list.find("\n1\n$0\n"), std::string::npos) << "a launch sets the last played time: " << list;
}

TEST_F(MainWindow, APlayCountsEvenWhenTheEmulatorIsNotSupplied) {
  runOk(
      "answer-cancel\n"
      "answer-choice 1\n"
      "double-click-row Games Lost\n"
      "close\n");
  EXPECT_NE(box.list().find("Lost\nGames:Lost.adf\n,Missing,\n\n1\n$"), std::string::npos) << box.list();
  EXPECT_FALSE(box.hasFile("starts.txt"));
}

TEST_F(MainWindow, AutoExitEndsTheProgramAfterALaunch) {
  box.writePrefs(true, launchers);
  runOk("double-click-row Games Racer\n"
        "expect-rows Games 0\n");  // never reached: the program has ended
  EXPECT_NE(box.list().find("Racer\nGames:Amiga/Racer.adf\n,Racing,\n\n1\n$"), std::string::npos) << box.list();
}

TEST_F(MainWindow, RemoveAsksOnlyForTwoOrMoreAndSavesTheRest) {
  runOk(
      "click-row Games Racer\n"
      "expect-text Selected \"Games:Amiga/Racer.adf\"\n"
      "press Remove\n"  // one game: no question (an unanswered one would fail)
      "expect-rows Games 4\n"
      "click-row Games #1\n"
      "click-row Games #2 shift\n"
      "expect-text Selected \"2 games\"\n"
      "answer-choice Cancel\n"
      "press Remove\n"
      "expect-rows Games 4\n"
      "answer-choice OK\n"
      "press Remove\n"
      "expect-rows Games 2\n"
      "close\n");
  const std::string list = box.list();
  EXPECT_EQ(list.find("Racer"), std::string::npos) << list;
  EXPECT_EQ(list.find("Lemmings"), std::string::npos) << list;
  EXPECT_NE(list.find("Super Frog"), std::string::npos) << list;
  EXPECT_NE(list.find("Lost"), std::string::npos) << list;
}

TEST_F(MainWindow, ButtonsNeedingASelectionAreGhostedUntilThereIsOne) {
  // "Open folder" takes exactly one game: with two selected it is ghosted,
  // and pressing it is refused.
  const LudexRunResult r = box.run(
      "click-row Games #1\n"
      "click-row Games #2 shift\n"
      "press \"Open folder\"\n");
  EXPECT_EQ(r.exitCode, 20);
  EXPECT_NE(r.output.find("button \"Open folder\" is disabled"), std::string::npos) << r.output;
  const LudexRunResult none = box.run("press Edit\n");
  EXPECT_EQ(none.exitCode, 20);
  EXPECT_NE(none.output.find("button \"Edit\" is disabled"), std::string::npos) << none.output;
}

TEST_F(MainWindow, OpenFolderTakesOneGameAndUnselectsIt) {
  runOk(
      "click-row Games Racer\n"
      "expect-text Selected \"Games:Amiga/Racer.adf\"\n"
      "press \"Open folder\"\n"  // without a display the desktop opens nothing
      "expect-text Selected \"\"\n"
      "click-title Games 3\n"  // sorted by play count: the 7 plays of one Lemmings come last
      "click-row Games #5\n"
      "expect-text Selected \"Games:B/Lemmings.adf\"\n"
      "close\n");
}

TEST_F(MainWindow, DialogButtonsLeaveTheWindowReadyAndTheListUnchanged) {
  runOk(
      "click-row Games Racer\n"
      "press Edit\n"
      "press Cancel\n"
      "press \"Tag all\"\n"
      "press Finished\n"
      "press Prefs\n"
      "press Finished\n"
      "answer-cancel\n"
      "press Add\n"
      "drop Games:Amiga/Racer.adf\n"
      "expect-rows Games 5\n"
      "close\n");
  EXPECT_NE(box.list().find("Racer\nGames:Amiga/Racer.adf\n,Racing,\n"), std::string::npos) << box.list();
}

// The line after the quit would fail if it were reached.
TEST_F(MainWindow, TheCommoditiesQuitEndsTheProgram) { runOk("quit\nexpect-rows Games 99\n"); }

// A dialog's own loop takes the quit; the main window still sees the request
// once the dialog is done, instead of waiting for the next event of its own.
TEST_F(MainWindow, AQuitWhileADialogIsOpenEndsTheProgramWhenTheDialogCloses) {
  for (const char* script : {"press Prefs\nquit\npress Finished\nexpect-rows Games 99\n",
                             "click-row Games Racer\npress Edit\nquit\npress Cancel\nexpect-rows Games 99\n",
                             "click-row Games Racer\npress \"Tag all\"\nquit\npress Finished\nexpect-rows Games 99\n"}) {
    const LudexRunResult r = box.run(script);
    EXPECT_EQ(r.output, "") << script;
    EXPECT_EQ(r.exitCode, 0) << script;
  }
  EXPECT_EQ(box.list(), shelf);
}

// What a drop adds is what "Add" adds from the file requester: the same
// games, found, named and tagged the same way, with the last file selected.
TEST_F(MainWindow, ADropAddsExactlyWhatAddAdds) {
  LudexSandbox added;
  const std::string disk = std::string("DOS") + std::string(1021, '\0');  // an Amiga disk image
  for (LudexSandbox* b : {&box, &added}) {
    prepare(*b);
    for (const char* file : {"New/Frog_Hop.adf", "New/Deeper/Zool.adf", "New/readme.txt", "Solo/Pinball.adf"}) {
      std::filesystem::create_directories((b->folder() / "games" / file).parent_path());
      std::ofstream(b->folder() / "games" / file, std::ios::binary) << disk;
    }
  }
  runOk(
      "drop Games:New/\n"
      "drop Games:Solo/Pinball.adf\n"
      "expect-rows Games 8\n"
      "expect-text Selected \"Games:Solo/Pinball.adf\"\n"
      "close\n");
  const LudexRunResult r = added.run(
      "answer-file Games:New/\n"
      "press Add\n"
      "answer-file Games:Solo/ Pinball.adf\n"
      "press Add\n"
      "expect-rows Games 8\n"
      "expect-text Selected \"Games:Solo/Pinball.adf\"\n"
      "close\n");
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(box.list().find("\nZool\nGames:New/Deeper/Zool.adf\n"), std::string::npos) << box.list();
  EXPECT_EQ(box.list(), added.list());
}

TEST_F(MainWindow, ACorruptListIsSetAsideAndTheBackupOpensNextTime) {
  const std::string backup = "5" + gameLines("Saved", "Games:Saved.adf", ",");
  box.writeList(backup);
  std::filesystem::copy_file(box.folder() / "progdir/Ludex.list", box.folder() / "progdir/Ludex.list.bak");
  const std::string corrupt = "5" + gameLines("Bad", "Games:Bad.adf", ",") + "not a separator\n";
  box.writeList(corrupt);
  // No window opens: the script's first line would fail if one did.
  const LudexRunResult r = box.run("expect-rows Games 99\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output,
            "EXCEPTION: \"list\"; loadGameList(); Ludex.list is corrupt.\n"
            "The faulty list was kept as \"PROGDIR:Ludex.list.BAD\"; the next start opens its backup.\n");
  EXPECT_EQ(box.read("progdir/Ludex.list.BAD"), corrupt);
  EXPECT_EQ(box.list(), backup);
  runOk("expect-rows Games 1\nexpect-row Games Saved\nclose\n");
}

TEST_F(MainWindow, WithoutAScriptOrADisplayTheProgramEndsInsteadOfWaiting) {
  const LudexRunResult r = box.run(nullptr);
  EXPECT_EQ(r.exitCode, 20);
  EXPECT_NE(r.output.find("ERROR: "), std::string::npos) << r.output;
  EXPECT_EQ(box.list(), shelf);  // nothing was lost
}

}  // namespace
