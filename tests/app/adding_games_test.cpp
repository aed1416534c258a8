// Adding games from dropped or chosen files and folders, on a sandbox and a
// list kept in memory in place of the platform's list.
#include "app/games/adding_games.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/ludex_module.h"
#include "core/box.h"
#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "os/dos/dos.h"
#include "os/intuition/requester_answers.h"
#include "tests/app/memory_list.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"
#include "tests/support/info_file.h"
#include "tests/support/unprivileged.h"
#include "tests/support/work_growth.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

const std::string hunkProgram = bytes({0, 0, 3, 0xF3, 0, 0, 0, 1});
const std::string dosDisk = std::string("DOS") + std::string(1021, '\0');

class AddingGames : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    list = new cMegaList_class;
    list->new_cMegaList_class(true, nullptr, true);
    cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    tagSpace = makeTagSpace();
    games = memoryList::make(4, 0);
    tags = memoryList::make(1, 0);
    ostest::resetRequesters();
  }
  void TearDown() override {
    End(games);
    End(tags);
    End(cursor);
    End(list);
    End(tagSpace);
    end_ludex();
    ostest::resetRequesters();
  }

  void add(const char* path) { addFileOrFolder(path, list, games, tags); }
  // A game listed before the add, as loaded from the list file.
  game* listed(const char* name, const char* path) {
    auto* g = new game;
    g->new_game(StrClone(name), StrClone(path), nullptr, nullptr, 0, 0);
    return addGameToList(list, g);
  }
  // Every game of the list as "name|path|tags", one a line.
  static std::string rows() {
    std::string all;
    cMegaCursor_class* at = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    if (!at->isOnSameNodeAs(list->infoPastEnd())) do {
        auto* g = static_cast<game*>(at->read_cMegaCursor_class());
        all += std::string(g->name) + "|" + g->path + "|" + g->tags + "\n";
      } while (!at->next());
    End(at);
    return all;
  }
  static std::string lastRow() {
    const std::string all = rows();
    return all.substr(all.rfind('\n', all.size() - 2) + 1);
  }
  // The game of the shown list's cursor entry.
  game* cursorGame() const {
    auto* box = dynamic_cast<boxPTR*>(games->cursor_getDataBox());
    return box ? static_cast<game*>(box->pointer()) : nullptr;
  }
  game* listCursorGame() const { return static_cast<game*>(cursor->read_cMegaCursor_class()); }
  std::string listFile() const { return box.exists("progdir/Ludex.list") ? box.readFile("progdir/Ludex.list") : "(none)"; }
  void whdloadIcon(const std::string& relative) const {
    InfoFile icon;
    icon.defaultTool = "C:WHDLoad";
    ASSERT_TRUE(icon.writeTo(box.host(relative)));
  }

  DosSandbox box;
  memoryList* games = nullptr;
  memoryList* tags = nullptr;
};

TEST_F(AddingGames, AFileBecomesOneGameSavedOnceAndTheOnlySelection) {
  box.writeFile("Games/DOOM.EXE", "MZ\x90");
  box.writeFile("Games/README", "read me");
  listed("Zool", "Sandbox:/Games/Zool.adf");
  games->addEntry(StrClone("Zool"), false, false, 0, BoxPTR(nullptr), false);
  games->rows[0].selected = true;

  add("Sandbox:/Games/DOOM.EXE");
  EXPECT_EQ(rows(), "Zool|Sandbox:/Games/Zool.adf|,\nDoom|Sandbox:/Games/DOOM.EXE|,MSDOS,\n");
  EXPECT_EQ(games->shown(), std::string(games->rows[0].label) + "*|Zool|");
  EXPECT_EQ(cursorGame()->name, std::string("Doom"));
  const std::string saved = listFile();
  EXPECT_NE(saved.find("Doom\nSandbox:Games/DOOM.EXE\n,MSDOS,\n"), std::string::npos) << saved;

  // No test accepts README: no tag, and the name as it is.
  add("Sandbox:/Games/README");
  EXPECT_EQ(lastRow(), "README|Sandbox:/Games/README|,\n");

  // Listed already (case ignored): nothing made, nothing saved, but its entry
  // becomes the only selection, under both cursors.
  box.writeFile("progdir/Ludex.list", "kept");
  games->rows[2].selected = true;
  bool already = false;
  EXPECT_EQ(addGame("sandbox:/games/doom.exe", list, games, true, &already)->name, std::string("Doom"));
  EXPECT_TRUE(already);
  EXPECT_EQ(listCursorGame()->name, std::string("Doom"));
  add("SANDBOX:/GAMES/DOOM.EXE");
  EXPECT_EQ(games->infoSize(), 3);
  EXPECT_EQ(listFile(), "kept");
  EXPECT_EQ(games->infoSelectionCount(), 1);
  EXPECT_EQ(cursorGame()->name, std::string("Doom"));
  EXPECT_TRUE(games->cursor_getState());
}

TEST_F(AddingGames, AFolderWithSlavesIconsAndGamesOfEachKind) {
  box.writeFile("Games/Turrican/Turrican.slave", "slave");
  whdloadIcon("Games/Turrican/Turrican.info");
  box.writeFile("Games/Lonely/Lonely.slave", "slave without its icon");
  box.writeFile("Games/Workbench/Prog", hunkProgram);  // only dropped alone
  box.writeFile("Games/Workbench/Prog.info", "");
  box.writeFile("Games/SuperFrog.adf", dosDisk);
  box.writeFile("Games/notes.txt", "text");
  box.writeFile("Games/DOOM.EXE", "MZ");  // tagged, but never found in a folder
  box.writeFile("Games/Deep/zork1.z3", "\x03");
  box.writeFile("Games/Deep/zork2.z3", "\x05");  // the wrong story version

  add("Sandbox:/Games/");
  EXPECT_EQ(rows(),
            "Super Frog|Sandbox:/Games/SuperFrog.adf|,Floppy,\n"
            "zork 1|Sandbox:/Games/Deep/zork1.z3|,Infocom,\n"
            "Turrican|Sandbox:/Games/Turrican/Turrican|,WHDLoad,\n");
  // The selection is left as it was.
  EXPECT_EQ(games->shown(), "Super Frog\tFloppy\t\t|Turrican\tWHDLoad\t\t|zork 1\tInfocom\t\t|");
  const std::string first = listFile();
  EXPECT_NE(first.find("Turrican\nSandbox:Games/Turrican/Turrican\n,WHDLoad,\n"), std::string::npos) << first;

  // Again, with one game more: only that one is added, and the list saved once.
  box.writeFile("Games/Deep/Sonic.smd", "");
  add("Sandbox:/Games/");
  EXPECT_EQ(lastRow(), "Sonic|Sandbox:/Games/Deep/Sonic.smd|,MegaDrive,\n");
  EXPECT_EQ(games->infoSize(), 4);
  EXPECT_EQ(box.readFile("progdir/Ludex.list.bak"), first);

  // The program the walk passed over, added by itself.
  add("Sandbox:/Games/Workbench/Prog");
  EXPECT_EQ(lastRow(), "Prog|Sandbox:/Games/Workbench/Prog|,Classic,\n");
}

// Each file of a walked folder is looked up in an index of the list's paths;
// it answers as a search of the list would: case ignored, the first of two
// games with one path, and the list's cursor left on the game found.
TEST_F(AddingGames, AFolderOfListedGamesAddsNothingAndLeavesTheCursorOnTheLastFound) {
  box.writeFile("Games/mario.nes", "NES\x1A");
  box.writeFile("Games/zelda.sfc", "");
  game* first = listed("Zelda", "SANDBOX:/games/ZELDA.SFC");
  listed("Zelda again", "Sandbox:/Games/zelda.sfc");
  listed("Mario", "sandbox:/GAMES/Mario.NES");
  const std::string before = rows();
  add("Sandbox:/Games/");
  EXPECT_EQ(rows(), before);
  EXPECT_EQ(listCursorGame(), first);
  EXPECT_EQ(games->infoSize(), 0);
}

TEST_F(AddingGames, LineBreaksInNamesNeverReachTheListFile) {
  box.writeFile("Games/Ok.adf", dosDisk);
  box.writeFile("Games/Bad\nName.adf", dosDisk);
  box.writeFile("Games/Bad\rName.adf", dosDisk);
  box.writeFile("Games/Odd\nFolder/Inside.adf", dosDisk);
  box.writeFile("Games/Odd\nFolder/In.slave", "");
  whdloadIcon("Games/Odd\nFolder/In.info");
  add("Sandbox:/Games/");
  EXPECT_EQ(rows(), "Ok|Sandbox:/Games/Ok.adf|,Floppy,\n");

  // Added by itself: refused with a requester; nothing added, nothing saved.
  box.writeFile("progdir/Ludex.list", "kept");
  for (const char* path : {"Sandbox:/Games/Bad\nName.adf", "Sandbox:/Games/Bad\rName.adf", "Sandbox:/Games/Odd\nFolder/"}) {
    ostest::answerButton(0);
    add(path);
    ASSERT_EQ(ostest::requesterLog().size(), 1u);
    EXPECT_EQ(ostest::requesterLog()[0].title, "Ludex");
    EXPECT_NE(ostest::requesterLog()[0].body.find("line break"), std::string::npos);
    EXPECT_EQ(ostest::requesterLog()[0].buttons, std::vector<std::string>{"OK"});
    ostest::resetRequesters();
  }
  EXPECT_EQ(rows(), "Ok|Sandbox:/Games/Ok.adf|,Floppy,\n");
  EXPECT_EQ(listFile(), "kept");
}

TEST_F(AddingGames, AFolderThatCannotBeListedIsSkippedAndTheRestSaved) {
  box.writeFile("Games/A.adf", dosDisk);
  box.writeFile("Games/Locked/Hidden.adf", dosDisk);
  box.writeFile("Games/Open/B.smd", "");
  // The ordinary user the walk runs as saves the list in the sandbox.
  ASSERT_EQ(chmod(box.host("progdir").c_str(), 0777), 0);
  const ChildResult child = runWithUnsearchableFolder(box.host("Games/Locked"), [this] {
    try {
      add("Sandbox:/Games/");
    } catch (const Exception& e) {
      std::printf("raised %s\n", e.message() ? e.message() : "");
      return 1;
    }
    std::printf("%s", rows().c_str());
    return 0;
  });
  if (child.exitCode == CANNOT_DROP_ROOT) GTEST_SKIP() << "no ordinary user to run as here";
  EXPECT_EQ(child.exitCode, 0) << child.output;
  // The walk notes the folder it skipped, then the add goes on.
  EXPECT_EQ(child.output,
            "# cHostDir.makeEntryList(); ExAll() failed for path \"Sandbox:Games/Locked\" with error 224.\n"
            "A|Sandbox:/Games/A.adf|,Floppy,\nB|Sandbox:/Games/Open/B.smd|,MegaDrive,\n");
  const std::string saved = listFile();
  EXPECT_NE(saved.find("Sandbox:Games/Open/B.smd"), std::string::npos) << saved;
}

// Ctrl-C ends the walk with BRK before the save: the stored list stays.
TEST_F(AddingGames, CtrlCDuringAFolderEndsTheAddUnsaved) {
  box.writeFile("Games/A.adf", dosDisk);
  box.writeFile("Games/Sub/B.adf", dosDisk);
  box.writeFile("progdir/Ludex.list", "5");
  SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
  try {
    add("Sandbox:/Games/");
    ADD_FAILURE() << "no BRK";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("BRK"));
  }
  SetSignal(0, SIGBREAKF_CTRL_C);
  EXPECT_EQ(listFile(), "5");
  // The next add finds the games it had taken and goes on.
  add("Sandbox:/Games/");
  EXPECT_EQ(rows(), "A|Sandbox:/Games/A.adf|,Floppy,\nB|Sandbox:/Games/Sub/B.adf|,Floppy,\n");
}

// The entries of one drop arrive one by one: the list is saved once, after the
// last, when any of them added something; then the last file's game is the
// only selected entry, a game listed before or not.
TEST_F(AddingGames, ADropIsSavedOnceWhenItEndsAndSelectsItsLastFile) {
  for (const char* file : {"Games/A.adf", "Games/B.adf", "Games/Sub/C.adf"}) box.writeFile(file, dosDisk);
  listed("Zool", "Sandbox:/Games/Zool.adf");
  games->addEntry(StrClone("Zool"), false, false, 0, BoxPTR(listCursorGame()), false);
  games->rows[0].selected = true;
  struct Case {
    std::vector<const char*> paths;
    bool saved;
    const char* selected;  // NIL: the selection stays as it was
  } cases[] = {
      {{"Sandbox:/Games/A.adf", "Sandbox:/Games/Zool.adf", "Sandbox:/Games/B.adf"}, true, "B"},
      {{"Sandbox:/Games/B.adf", "sandbox:/games/a.adf"}, false, "A"},
      {{"Sandbox:/Games/A.adf", "Sandbox:/Games/Sub/"}, true, "A"},
      {{"Sandbox:/Games/Sub/"}, true, nullptr},
  };
  for (const Case& c : cases) {
    box.writeFile("progdir/Ludex.list", "before");
    AddingDrop drop;
    for (const char* path : c.paths) {
      drop.add(path, list, games, tags);
      EXPECT_EQ(listFile(), "before") << c.paths[0];
    }
    const std::string selectedBefore = games->shown();
    drop.finish();
    EXPECT_FALSE(drop.isOpen());
    EXPECT_EQ(listFile() != "before", c.saved) << c.paths[0];
    if (c.selected) {
      EXPECT_EQ(games->infoSelectionCount(), 1) << c.paths[0];
      ASSERT_TRUE(games->cursor_gotoFirstSelected());
      EXPECT_EQ(cursorGame()->name, std::string(c.selected)) << c.paths[0];
    } else {
      EXPECT_EQ(games->shown(), selectedBefore);
    }
  }
  EXPECT_EQ(rows(), "Zool|Sandbox:/Games/Zool.adf|,\nA|Sandbox:/Games/A.adf|,Floppy,\nB|Sandbox:/Games/B.adf|,Floppy,\n"
                    "C|Sandbox:/Games/Sub/C.adf|,Floppy,\n");
}

// An error that ends a drop halfway (an entry that raises) leaves the games
// added before it saved, as one-by-one adding would have; the selection stays.
TEST_F(AddingGames, ADropEndedByAnErrorKeepsTheGamesItAdded) {
  for (const char* file : {"Games/A.adf", "Games/B.adf"}) box.writeFile(file, dosDisk);
  for (bool addsSomething : {true, false}) {
    box.writeFile("progdir/Ludex.list", "before");
    AddingDrop drop;
    if (addsSomething) drop.add("Sandbox:/Games/A.adf", list, games, tags);
    const std::string shownBefore = games->shown();
    drop.abandon();
    EXPECT_FALSE(drop.isOpen());
    EXPECT_EQ(listFile().find("Sandbox:Games/A.adf") != std::string::npos, addsSomething) << listFile();
    EXPECT_EQ(games->shown(), shownBefore);
  }
}

// Dropping N files on a list of M games looks each file up in an index of
// the list's paths made once: the work grows with N + M, not with N times M.
TEST_F(AddingGames, ADropsWorkGrowsWithTheFilesAndTheListNotTheirProduct) {
  for (int i = 0; i < 400; ++i) box.writeFile("Games/New" + std::to_string(i) + ".adf", dosDisk);
  End(games);
  games = memoryList::make(4, -1);  // unsorted: the shown list's own inserts cost alike
  const WorkAtSizes work = workAtSizes(100, [&](size_t n) {
    End(cursor);
    End(list);
    list = new cMegaList_class;
    list->new_cMegaList_class(true, nullptr, true);
    cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    for (size_t i = 0; i < 10 * n; ++i) listed("Old", ("Sandbox:/Games/Old" + std::to_string(i) + ".adf").c_str());
    AddingDrop drop;
    for (size_t i = 0; i < n; ++i) {
      const std::string path = "Sandbox:/Games/New" + std::to_string(i) + ".adf";
      drop.add(path.c_str(), list, games, tags);
    }
    drop.finish();
  });
  EXPECT_TRUE(growsLinearly(work));
}

TEST_F(AddingGames, AddGameNeedsTheShownList) {
  box.writeFile("Games/A.adf", dosDisk);
  expectError("EPU", "addGame(); guiList=NIL", [] { addGame("Sandbox:/Games/A.adf", list, nullptr, false); });
  EXPECT_EQ(rows(), "");
}

}  // namespace
