// The games list and the tag filter list filled from the game list and the
// tag space, on a list kept in memory in place of the platform's list.
#include "app/main_window/games_list_display.h"

#include <gtest/gtest.h>

#include <string>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "app/games/game_list_file.h"
#include "app/games/tags.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "app/main_window/selection_description.h"
#include "app/main_window/tag_filter_list.h"
#include "core/box.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "gui/items/gui_choice_item.h"
#include "gui/items/gui_string_item.h"
#include "tests/app/memory_list.h"
#include "tests/support/dos_sandbox.h"

namespace {

class GamesListDisplay : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    list = new cMegaList_class;
    list->new_cMegaList_class(true, nullptr, true);
    cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    tagSpace = makeTagSpace();
    games = memoryList::make(4, 0);
    tags = memoryList::make(1, 0);
    name = field("Name");
    path = field("Path");
    tagsField = field("Tags");
    mode = new cGuiCycleChoice;
    mode->new_cGuiChoiceItem("Mode", modeLabels_ludex);
  }
  void TearDown() override {
    guiBuilt = false;
    guiFilterName = guiFilterPath = guiFilterTags = nullptr;
    for (cGuiString** f : {&name, &path, &tagsField}) End(*f);
    End(mode);
    End(games);
    End(tags);
    End(cursor);
    End(list);
    End(tagSpace);
    end_ludex();
  }
  static cGuiString* field(const char* label) {
    auto* f = new cGuiString;
    f->new_cGuiString(label);
    return f;
  }
  game* add(const char* gameName, const char* gamePath, const char* gameTags, int32_t plays = 0) {
    auto* g = new game;
    g->new_game(StrClone(gameName), StrClone(gamePath), StrClone(gameTags), nullptr, plays, 0);
    addTagsToSpace(g->tags, tagSpace);
    return addGameToList(list, g);
  }
  // The filter fields as the built main window has them.
  void filter(const char* nameText, const char* pathText, const char* tagsText) {
    guiFilterName = name;
    guiFilterPath = path;
    guiFilterTags = tagsField;
    guiBuilt = true;
    name->setState(nameText);
    path->setState(pathText);
    tagsField->setState(tagsText);
    updateGamesListToGUI(games);
  }
  // Each row's label with the name and path of the game its box holds.
  std::string rowsWithGames() {
    std::string all;
    for (const memoryList::Row& r : games->rows) {
      auto* g = static_cast<game*>(static_cast<boxPTR*>(r.box)->pointer());
      all += std::string(r.label) + " -> " + g->path + (r.altColour ? " (missing)" : "") + "\n";
    }
    return all;
  }

  DosSandbox box;
  memoryList* games = nullptr;
  memoryList* tags = nullptr;
  cGuiString* name = nullptr;
  cGuiString* path = nullptr;
  cGuiString* tagsField = nullptr;
  cGuiCycleChoice* mode = nullptr;
};

TEST_F(GamesListDisplay, RowsAreSortedFilteredAndLeadToTheirGames) {
  box.writeFile("Games/Frog.adf");
  add("Super Frog", "Sandbox:/Games/Frog.adf", ",Platform,", 3);
  add("Lemmings", "Sandbox:/A/Lemmings.adf", ",", 0);
  add("Lemmings", "Sandbox:/B/Lemmings.adf", ",Puzzle,", 0);
  add("Lemmings", "Sandbox:/C/Lemmings.adf", ",Puzzle,", 0);

  // Before the window is built the filter fields are not read.
  guiFilterName = name;
  name->setState("frog");
  addGamesListToGUI(games);
  EXPECT_EQ(rowsWithGames(),
            "Lemmings\t\t\t -> Sandbox:/A/Lemmings.adf (missing)\n"
            "Lemmings\tPuzzle\t\t -> Sandbox:/B/Lemmings.adf (missing)\n"
            "Lemmings\tPuzzle\t\t -> Sandbox:/C/Lemmings.adf (missing)\n"
            "Super Frog\tPlatform\t3\t -> Sandbox:/Games/Frog.adf\n");

  filter("frog", "", "");
  EXPECT_EQ(rowsWithGames(), "Super Frog\tPlatform\t3\t -> Sandbox:/Games/Frog.adf\n");
  // Two games that show the same row: each row leads to the game it shows.
  filter("", "c", "");
  EXPECT_EQ(rowsWithGames(), "Lemmings\tPuzzle\t\t -> Sandbox:/C/Lemmings.adf (missing)\n");
  filter("", "~c", "puzzle");
  EXPECT_EQ(rowsWithGames(), "Lemmings\tPuzzle\t\t -> Sandbox:/B/Lemmings.adf (missing)\n");
  filter("", "", "~puzzle");
  EXPECT_EQ(rowsWithGames(),
            "Lemmings\t\t\t -> Sandbox:/A/Lemmings.adf (missing)\n"
            "Super Frog\tPlatform\t3\t -> Sandbox:/Games/Frog.adf\n");
  filter("~", "~", "~");
  EXPECT_EQ(games->infoSize(), 4);
}

// Every refill shows each game's row as the game stands then, whatever
// changed it: the name, the tags, the play count, the last-played time, or
// a new game in the place of one that was removed.
TEST_F(GamesListDisplay, RefillsShowWhatChangedInEachGame) {
  game* g = add("Racer", "Sandbox:/Racer.adf", ",Racing,", 1);
  filter("", "", "");
  EXPECT_EQ(games->rows.at(0).label, std::string("Racer\tRacing\t1\t"));
  struct {
    void (*change)(game*);
    const char* shown;
  } changes[] = {
      {[](game* x) { x->playCount = 2; }, "Racer\tRacing\t2\t"},
      {[](game* x) { x->lastPlayed = 86400; }, "Racer\tRacing\t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->name), x->name = StrClone("Race"); }, "Race\tRacing\t2\t2000-01-02 00:00"},
      // Control characters show as blanks: a TAB would shift the columns.
      {[](game* x) { DisposeString(x->name), x->name = StrClone("Race\tRacing"); }, "Race Racing\tRacing\t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->tags), x->tags = StrClone(",Racing,"); }, "Race Racing\tRacing\t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->tags), x->tags = StrClone(",Rac\tin,\x1f\x7f\n,"); }, "Race Racing\tRac in,   \t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->name), x->name = StrClone("\x01\r\x7f"); }, "   \tRac in,   \t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->name), x->name = StrClone("\x01\r\x7f\x80\xff"); }, "   \x80\xff\tRac in,   \t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->name), x->name = StrClone("Race Racing"); }, "Race Racing\tRac in,   \t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->tags), x->tags = StrClone(",Racin,"); }, "Race Racing\tRacin\t2\t2000-01-02 00:00"},
      {[](game* x) { DisposeString(x->tags), x->tags = StrClone(","); }, "Race Racing\t\t2\t2000-01-02 00:00"},
  };
  for (const auto& c : changes) {
    c.change(g);
    filter("", "", "");
    ASSERT_EQ(games->rows.size(), 1u);
    EXPECT_EQ(games->rows[0].label, std::string(c.shown));
    char* made = makeGameEntryLabel(g);
    EXPECT_EQ(std::string(made), std::string(c.shown));
    DisposeString(made);
  }
  // The game goes; another takes its memory, most likely at its address.
  ASSERT_TRUE(list_findGame(list, cursor, g));
  cursor->destroy();  // the list ends its game
  add("Racer", "Sandbox:/Other.adf", ",Racing,", 1);
  filter("", "", "");
  EXPECT_EQ(rowsWithGames(), "Racer\tRacing\t1\t -> Sandbox:/Other.adf (missing)\n");
}

TEST_F(GamesListDisplay, TagListHoldsEveryKnownTagAndFollowsSaves) {
  add("Racer", "Sandbox:/r.adf", ",Racing,Sports,");
  addFilterTagsToGUI(tags);
  EXPECT_EQ(tags->shown(), "Favourite|Platform|Racing|Sports|");
  // A save rebuilds the tag space from the games and launchers, and the list with it.
  launcherSpace = new cStringSpace;
  launcherSpace->new_cStringSpace(true, 0);
  addLauncherToSpace(StrClone("C64"), StrClone("x64 %g"), launcherSpace);
  tags->rows[1].selected = true;
  saveGameList(list, tags);
  End(launcherSpace);
  EXPECT_EQ(tags->shown(), "C64|Favourite|Platform*|Racing|Sports|");
}

TEST_F(GamesListDisplay, TagsTextSelectsTagsAndTheSelectionGivesTheTextBack) {
  add("Racer", "Sandbox:/r.adf", ",Racing,Sports,");
  addFilterTagsToGUI(tags);
  struct Case {
    const char* text;
    int32_t mode;
    const char* selection;
    const char* textBack;  // the text the selection gives, "~" in front in Hide mode
  };
  const Case cases[] = {
      {"", 0, "Favourite|Platform|Racing|Sports|", ""},
      {"~", 1, "Favourite|Platform|Racing|Sports|", "~"},
      {"~Racing", 1, "Favourite|Platform|Racing*|Sports|", "~Racing"},
      {"racing platform", 0, "Favourite|Platform*|Racing*|Sports|", "Platform,Racing"},
      {"sports/RACING,racing", 0, "Favourite|Platform|Racing*|Sports*|", "Racing,Sports"},
      {"~Racing,Platform", 1, "Favourite|Platform*|Racing*|Sports|", "~Platform,Racing"},
      // Tags match whole: a part of one selects nothing, and the text the
      // selection gives back drops what the user typed.
      {"rac", 0, "Favourite|Platform|Racing|Sports|", ""},
      {"Unknown", 0, "Favourite|Platform|Racing|Sports|", ""},
  };
  for (const Case& c : cases) {
    tags->rows[2].selected = true;  // what was selected before does not count
    updateTagSelectionOfGUI(c.text, tags, mode, false);
    EXPECT_EQ(mode->getState(), c.mode) << c.text;
    EXPECT_EQ(tags->shown(), c.selection) << c.text;
    char* selection = tagSelectionToUserTags(tags);
    const std::string back = std::string(c.mode ? "~" : "") + selection;
    DisposeString(selection);
    EXPECT_EQ(back, c.textBack) << c.text;
    // One round settles: the text given back selects the same tags again.
    updateTagSelectionOfGUI(back.c_str(), tags, mode, false);
    EXPECT_EQ(tags->shown(), c.selection) << c.text;
  }
}

TEST_F(GamesListDisplay, DialogsAddTheTagsTheirListLacks) {
  addFilterTagsToGUI(tags);
  updateTagSelectionOfGUI("~Platform,Shooter shooter", tags, nullptr, true);
  // Without a mode cycle "~" is not special: "~Platform" is a tag of its own.
  // Each missing tag comes once, as first written.
  EXPECT_EQ(tags->shown(), "Favourite|Platform|Racing|Shooter*|~Platform*|");
  char* text = tagSelectionToUserTags(tags);
  EXPECT_STREQ(text, "Shooter,~Platform");
  DisposeString(text);
}

TEST_F(GamesListDisplay, SelectionDescriptionNamesTheSelection) {
  add("G", "Sandbox:/Games/Frog.adf", ",");
  add("G", "Sandbox:/x", ",");
  add("G", "Sandbox:/y", ",");
  addGamesListToGUI(games);
  const auto described = [&] {
    char* text = selectionDescription(games);
    std::string s = text;
    DisposeString(text);
    return s;
  };
  EXPECT_EQ(described(), "");
  games->rows[0].selected = true;
  EXPECT_EQ(described(), "Sandbox:Games/Frog.adf");
  games->rows[1].selected = games->rows[2].selected = true;
  EXPECT_EQ(described(), "3 games");
  while (games->rows.size() < 10001) games->rows.push_back({StrClone("G"), false, false, true, 0, nullptr});
  EXPECT_EQ(described(), "10001 games");  // never cut short
}

TEST_F(GamesListDisplay, LauncherRowsKeepTheirTag) {
  auto* l = new launcher;
  l->new_launcher(StrClone("C64"), StrClone(";VICE\nx64 %g"));
  addLauncherToGUI(tags, "C64", l);
  End(l);
  ASSERT_EQ(tags->rows.size(), 1u);
  EXPECT_STREQ(tags->rows[0].label, "C64\t;VICE");
  EXPECT_STREQ(static_cast<boxSTRING*>(tags->rows[0].box)->string(), "C64");
}

}  // namespace
