#include "app/games/game_list_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"

namespace {

struct GameRow {
  std::string name, path, tags, params;
  int32_t playCount;
  int64_t lastPlayed;
  bool operator==(const GameRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const GameRow& r) {
  return out << r.name << "|" << r.path << "|" << r.tags << "|" << r.params << "|" << r.playCount << "|" << r.lastPlayed;
}

class GameListFile : public testing::Test {
 protected:
  void SetUp() override {
    new_ludex();
    fresh();
  }
  void TearDown() override {
    End(tagSpace);
    End(gameList);
    end_ludex();
  }
  void fresh() {
    End(gameList);
    gameList = new cMegaList_class;
    gameList->new_cMegaList_class(true, nullptr, true);
  }
  void writeList(const std::string& text) { box.writeFile("progdir/Ludex.list", text); }
  std::string listFile() { return box.readFile("progdir/Ludex.list"); }

  std::vector<GameRow> load() {
    fresh();
    End(tagSpace);
    tagSpace = loadGameList(gameList);
    return rows();
  }
  std::vector<GameRow> rows() {
    std::vector<GameRow> found;
    cMegaCursor_class* at = gameList->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    for (bool end = at->isOnSameNodeAs(gameList->infoPastEnd()); !end; end = at->next()) {
      auto* g = static_cast<game*>(at->read_cMegaCursor_class());
      found.push_back({g->name, g->path, g->tags, g->params ? g->params : "<NIL>", g->playCount, g->lastPlayed});
    }
    End(at);
    return found;
  }
  std::string listError() {
    try {
      load();
    } catch (const Exception& e) {
      return IdText(e.id()) + " " + e.message();
    }
    return "no error";
  }
  game* add(const char* name, const char* path, const char* tags, int32_t plays, int64_t last) {
    auto* g = new game;
    g->new_game(StrClone(name), StrClone(path), StrClone(tags), nullptr, plays, last);
    return addGameToList(gameList, g);
  }

  DosSandbox box;
  cMegaList_class* gameList = nullptr;
};

TEST_F(GameListFile, MissingOrEmptyListsLoadEmpty) {
  EXPECT_TRUE(load().empty());
  writeList("5");
  EXPECT_TRUE(load().empty());
  writeList("");
  EXPECT_EQ(listError(), "list loadGameList(); Ludex.list is corrupt (or unknown format version)");
  writeList("6\n");
  EXPECT_EQ(listError(), "list loadGameList(); Ludex.list is corrupt (or unknown format version)");
}

TEST_F(GameListFile, OlderVersionsLoadAndSaveAsVersionFive) {
  writeList("1\nFoo\nWork:Games/Foo\n\nBar\nBar.adf\n");
  EXPECT_EQ(load(), (std::vector<GameRow>{{"Foo", "Work:/Games/Foo", ",", "<NIL>", 0, 0},
                                          {"Bar", "Bar.adf", ",", "<NIL>", 0, 0}}));
  saveGameList(gameList, nullptr);
  EXPECT_EQ(listFile(), "5\nFoo\nWork:Games/Foo\n,\n\n0\n$0\n\nBar\nBar.adf\n,\n\n0\n$0\n");

  writeList("3\r\nFoo\r\nFoo\r\n\r\nnone\r\n");  // CR LF; an empty tags line stays empty
  EXPECT_EQ(load(), (std::vector<GameRow>{{"Foo", "Foo", "", "<NIL>", 0, 0}}));
  writeList("3\nFoo\nFoo\n,A,\n12\n");
  EXPECT_EQ(load(), (std::vector<GameRow>{{"Foo", "Foo", ",A,", "<NIL>", 12, 0}}));
}

TEST_F(GameListFile, LastPlayedKeepsMinutesAndIsSignExtended) {
  add("A", "a", ",", 1, 3599);
  add("B", "b", ",", 2, -60);
  saveGameList(gameList, nullptr);
  EXPECT_EQ(listFile(), "5\nA\na\n,\n\n1\n$3b\n\nB\nb\n,\n\n2\n$ffffffff\n");
  EXPECT_EQ(load(), (std::vector<GameRow>{{"A", "a", ",", "<NIL>", 1, 3540}, {"B", "b", ",", "<NIL>", 2, -60}}));
  writeList("5\nC\nc\n,\np1\nletters\n$80000000\n");
  EXPECT_EQ(load(), (std::vector<GameRow>{{"C", "c", ",", "p1", 0, -2147483648LL * 60}}));
}

TEST_F(GameListFile, NumbersAtTheirLimitsAreWrittenAsTheCLibraryWritesThemAndReadBack) {
  const int32_t plays[] = {INT32_MIN, -1, 0, 7, 1000000000, INT32_MAX};
  const int64_t lastPlayed[] = {0, 59, -59, -61, 0xFFFFFFFFLL * 60, 0x100000002LL * 60 + 5, INT64_MIN / 2};
  std::string expected = "5";
  std::vector<GameRow> back;
  for (int32_t p : plays) {
    for (int64_t last : lastPlayed) {
      add("G", "g", ",", p, last);
      char numbers[64];
      const uint32_t minutes = static_cast<uint32_t>(last / 60);
      std::snprintf(numbers, sizeof numbers, "%d\n$%x\n", p, minutes);
      expected += std::string("\nG\ng\n,\n\n") + numbers;
      back.push_back({"G", "g", ",", "<NIL>", p, static_cast<int64_t>(static_cast<int32_t>(minutes)) * 60});
    }
  }
  saveGameList(gameList, nullptr);
  EXPECT_EQ(listFile(), expected);
  EXPECT_EQ(load(), back);
}

TEST_F(GameListFile, EveryCorruptFileRaisesList) {
  const std::pair<const char*, const char*> cases[] = {
      {"5\nA\na\n,\n\n0\n$0", "ended unexpectedly"},        // no separator after the last field
      {"5\nA\na\n,\n\n0\n$0\n\n", "ended unexpectedly"},    // an extra empty line: a name without a path
      {"2\nA\na\n,\nnot empty\n", "is corrupt"},
      {"1\nA\nDH0:\n\n", "is corrupt"},                    // a path that names no file
  };
  for (auto [text, what] : cases) {
    writeList(text);
    EXPECT_EQ(listError(), std::string("list loadGameList(); Ludex.list ") + what) << text;
  }
  // Games read before the fault stay listed.
  writeList("1\nA\na\n\nB\nb\nbad\n");
  EXPECT_THROW(load(), Exception);
  EXPECT_EQ(rows().size(), 1u);
}

TEST_F(GameListFile, ListThatExistsButCannotBeReadIsAnError) {
  writeList("5\nA\na\n,\n\n0\n$0\n\n");
  ostest::failNextCall("Open", ERROR_READ_PROTECTED);
  EXPECT_EQ(listError(), "list loadGameList(); Ludex.list cannot be read");
}

TEST_F(GameListFile, RepairSetsTheFaultyListAsideAndRestoresTheBackup) {
  writeList("bad list");
  box.writeFile("progdir/Ludex.list.bak", "5");
  repairGameListFile();
  EXPECT_EQ(box.readFile("progdir/Ludex.list.BAD"), "bad list");
  EXPECT_EQ(listFile(), "5");

  // With an older .BAD there, the faulty list is deleted instead.
  writeList("newer bad list");
  repairGameListFile();
  EXPECT_EQ(box.readFile("progdir/Ludex.list.BAD"), "bad list");
  EXPECT_EQ(listFile(), "5");

  // Without a backup the next start begins empty.
  unlink(box.host("progdir/Ludex.list.bak").c_str());
  writeList("bad again");
  repairGameListFile();
  EXPECT_FALSE(box.exists("progdir/Ludex.list"));
}

TEST_F(GameListFile, SaveKeepsTheOldListAsBackup) {
  add("A", "a", ",X,", 0, 0);
  saveGameList(gameList, nullptr);
  const std::string first = listFile();
  add("B", "b", ",", 0, 0);
  saveGameList(gameList, nullptr);
  EXPECT_EQ(box.readFile("progdir/Ludex.list.bak"), first);
  EXPECT_FALSE(box.exists("progdir/Ludex.list.tmp"));
  EXPECT_NE(tagSpace->get_cStringSpace("x"), 0);  // tags of games and built-ins
  EXPECT_NE(tagSpace->get_cStringSpace("Favourite"), 0);
}

TEST_F(GameListFile, NoInterruptionOfASaveLosesBothLists) {
  // Each step of the save fails in turn (opening, writing, dating, syncing
  // and closing the new file, removing the backup, each rename): the save
  // raises nothing and leaves no partial file, and the list read back
  // afterwards is the old one or the new one, never none.
  struct Step {
    const char* call;
    int32_t after;
    bool writing;
  };
  const Step steps[] = {
      {"Open", 0, true},  {"Open", 1, true},  {"Open", 2, true},    {"Write", 0, true},
      {"Flush", 0, true}, {"Flush", 1, true}, {"SetFileDate", 0, true}, {"Close", 0, true},
      {"Close", 1, true}, {"DeleteFile", 2, false}, {"Rename", 0, true}, {"Rename", 1, false},
      {"Rename", 2, false},
  };
  for (const Step& step : steps) {
    const std::string what = std::string(step.call) + " " + std::to_string(step.after);
    for (const char* f : {"Ludex.list", "Ludex.list.bak", "Ludex.list.tmp"}) unlink(box.host(std::string("progdir/") + f).c_str());
    fresh();
    add("Old", "old", ",", 0, 0);
    saveGameList(gameList, nullptr);
    saveGameList(gameList, nullptr);  // a backup exists too
    const std::string old = listFile();
    add("New", "new", ",", 0, 0);
    ostest::failNextCall(step.call, ERROR_DISK_FULL, step.after);
    EXPECT_NO_THROW(saveGameList(gameList, nullptr)) << what;
    ostest::clearFailures();
    EXPECT_FALSE(box.exists("progdir/Ludex.list.new")) << what;
    if (step.writing) {
      // The failure was overcome (a second way to open, a close whose
      // result does not count) or the old list stays as it was.
      const std::string now = listFile();
      EXPECT_TRUE(now == old || now == old + "\nNew\nnew\n,\n\n0\n$0\n") << what << ": " << now;
      EXPECT_FALSE(box.exists("progdir/Ludex.list.tmp")) << what;
    }
    const size_t loaded = load().size();
    EXPECT_TRUE(loaded == 1 || loaded == 2) << what << ": " << loaded;
  }
}

TEST_F(GameListFile, OnlyAWholeSyncedListBecomesTheTemporaryFile) {
  for (const char* name : {"A", "B", "C"}) add(name, name, ",", 0, 0);
  saveGameList(gameList, nullptr);
  const std::string whole = listFile();
  ostest::recordCalls(true);
  saveGameList(gameList, nullptr);
  ostest::recordCalls(false);
  // The data goes under another name, which becomes "Ludex.list.tmp" only
  // after the file was synced.
  const std::vector<std::string> log = ostest::callLog();
  const auto at = [&](const std::string& call) { return std::find(log.begin(), log.end(), call) - log.begin(); };
  const std::string commit = "Rename PROGDIR:Ludex.list.new PROGDIR:Ludex.list.tmp";
  ASSERT_LT(at(commit), static_cast<ptrdiff_t>(log.size()));
  EXPECT_LT(at("Open PROGDIR:Ludex.list.new"), at("Flush"));
  EXPECT_EQ(std::find(log.begin() + at(commit), log.end(), "Flush"), log.end());  // none after the commit
  EXPECT_EQ(at("Open PROGDIR:Ludex.list.tmp"), static_cast<ptrdiff_t>(log.size()));

  // A first save stopped while writing leaves a partial file that happens to
  // end after a game: it is deleted at the next start, never loaded.
  for (const char* f : {"Ludex.list", "Ludex.list.bak"}) unlink(box.host(std::string("progdir/") + f).c_str());
  const std::string cut = whole.substr(0, whole.find("\nC\n") + 1);
  box.writeFile("progdir/Ludex.list.new", cut);
  EXPECT_TRUE(load().empty());
  EXPECT_FALSE(box.exists("progdir/Ludex.list.new"));
  // One stopped between its renames leaves the whole temporary file: it is
  // the list.
  box.writeFile("progdir/Ludex.list.tmp", whole);
  EXPECT_EQ(load().size(), 3u);
  EXPECT_EQ(listFile(), whole);
}

TEST_F(GameListFile, GamesWithLineBreaksAreNotWritten) {
  // A line break anywhere, or a "\r" ending a field, would change the game
  // on reading; a "\r" inside a field is kept.
  add("Good", "good", ",", 0, 0);
  add("Two\nLines", "bad", ",", 0, 0);
  add("A\rB", "a\rb", ",X\rY,", 1, 0);
  add("Ends\r", "ends", ",", 0, 0);
  add("Tag", "tag", ",X,\r", 0, 0);
  add("Path", "path\r", ",", 0, 0);
  saveGameList(gameList, nullptr);
  EXPECT_EQ(load(), (std::vector<GameRow>{{"Good", "good", ",", "<NIL>", 0, 0}, {"A\rB", "a\rb", ",X\rY,", "<NIL>", 1, 0}}));
}

TEST_F(GameListFile, EntryLabels) {
  game* g = add("Turrican", "t", ",Racing,Platform,", 3, DateTimeToBigTime(2024, 5, 6, 7, 8, 9));
  char* label = makeGameEntryLabel(g);
  EXPECT_STREQ(label, "Turrican\tRacing,Platform\t3\t2024-05-06 07:08");
  DisposeString(label);
  g = add("New", "n", ",", 0, 0);
  label = makeGameEntryLabel(g);
  EXPECT_STREQ(label, "New\t\t\t");
  DisposeString(label);
  g = add("One", "o", ",X,", 0, 0);
  label = makeGameEntryLabel(g);
  EXPECT_STREQ(label, "One\tX\t\t");
  DisposeString(label);
}

TEST_F(GameListFile, FindingGamesByObjectAndPath) {
  game* a = add("A", "Work:/a", ",", 0, 0);
  game* b = add("B", "Work:/b", ",", 0, 0);
  cMegaCursor_class* at = gameList->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
  EXPECT_TRUE(list_findGame(gameList, at, b));
  EXPECT_EQ(at->read_cMegaCursor_class(), b);
  EXPECT_TRUE(list_findPath(gameList, at, "WORK:/A"));
  EXPECT_EQ(at->read_cMegaCursor_class(), a);
  EXPECT_FALSE(list_findPath(gameList, at, "Work:/c"));
  auto* stranger = new game;
  stranger->new_game(StrClone("S"), StrClone("s"), nullptr, nullptr, 0, 0);
  EXPECT_FALSE(list_findGame(gameList, at, stranger));
  End(stranger);
  End(at);
}

}  // namespace
