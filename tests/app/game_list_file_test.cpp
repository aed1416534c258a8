#include "app/games/game_list_file.h"
#include "app/games/game_list_repair.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "app/games/game_label.h"
#include "app/launching/launcher.h"
#include "app/launching/prefs_file.h"
#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/exception.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "tests/support/child_process.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/folder_contents.h"
#include "tests/support/unprivileged.h"

namespace {

using Files = FolderContents;

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
  Files folderFiles() { return folderContents(box.host("progdir")); }

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
      // A count below 0 cannot be, and loads as never played.
      back.push_back({"G", "g", ",", "<NIL>", p < 0 ? 0 : p, static_cast<int64_t>(static_cast<int32_t>(minutes)) * 60});
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

TEST_F(GameListFile, AListThatCannotBeReadIsLeftAsItIsAndTheProgramEndsSayingWhy) {
  const std::string list = "5\nA\na\n,\n\n0\n$0\n";
  writeList(list);
  box.writeFile("progdir/Ludex.list.bak", "5");
  const Files before = folderFiles();
  ASSERT_EQ(chmod(box.host("progdir").c_str(), 0777), 0);  // anything could change here
  // The load in a child: what it printed, and the exit it raised.
  const auto loadInChild = [this] {
    ostest::resetRequesters();
    try {
      load();
    } catch (const Exception& e) {
      if (e.id() == ORDERLY_EXIT_ID) return static_cast<int>(e.exitCode());
      std::printf("raised %s\n", e.message() ? e.message() : "");
      return 1;
    }
    return 0;
  };
  const std::string told =
      "# requester \"Ludex\": The game list \"PROGDIR:Ludex.list\" cannot be read (file is read protected). "
      "Ludex ends and leaves it as it is.\n";
  int ways = 0;
  // Read protection of the system's own.
  if (ostest::hasExtendedAttributes(box.root().c_str())) {
    ASSERT_TRUE(SetProtection("PROGDIR:Ludex.list", FIBF_READ));
    const ChildResult r = runInChild(loadInChild);
    ASSERT_TRUE(SetProtection("PROGDIR:Ludex.list", FIBF_DEFAULT));
    EXPECT_EQ(r.exitCode, 20);
    EXPECT_EQ(r.output, told);
    EXPECT_EQ(folderFiles(), before);
    ++ways;
  }
  // A user without the right to read it.
  ASSERT_EQ(chmod(box.host("progdir/Ludex.list").c_str(), 0), 0);
  const ChildResult r = runAsOrdinaryUser(loadInChild);
  ASSERT_EQ(chmod(box.host("progdir/Ludex.list").c_str(), 0644), 0);
  if (r.exitCode != CANNOT_DROP_ROOT) {
    EXPECT_EQ(r.exitCode, 20);
    EXPECT_EQ(r.output, told);
    EXPECT_EQ(folderFiles(), before);
    ++ways;
  }
  // An open or a read that fails for a moment.
  const std::pair<const char*, int32_t> moments[] = {{"Open", ERROR_DISK_FULL}, {"Read", ERROR_SEEK_ERROR}};
  for (const auto& [call, code] : moments) {
    const ChildResult moment = runInChild([&, call = call, code = code] {
      ostest::failNextCall(call, code);
      return loadInChild();
    });
    EXPECT_EQ(moment.exitCode, 20) << call;
    EXPECT_NE(moment.output.find("\"PROGDIR:Ludex.list\" cannot be read ("), std::string::npos) << moment.output;
    EXPECT_EQ(folderFiles(), before) << call;
  }
  if (ways == 0) GTEST_SKIP() << "neither protection bits nor an ordinary user here";
}

TEST_F(GameListFile, AFaultyListIsAlwaysKeptAndAFaultyBackupIsNeverCopied) {
  const std::string good = "5\nG\ng\n,\n\n0\n$0\n";
  const std::string bad = "5\nB\nb\n,\n\n0\n$0\nnot a separator\n";
  const std::string badToo = "5\nC\nc\n,\n\n0\n$0\nnor this\n";
  const std::string withNul = std::string("5\nN") + '\0' + "ul\nn\n,\n\n0\n$0\n";
  const bool bits = ostest::hasExtendedAttributes(box.root().c_str());
  struct Row {
    const char* what;
    Files before;
    const char* writeProtected;  // a file of the folder (NIL: none)
    const char* error;
    Files after;
    const char* line;
    ListRepair result;
  };
  const char* const kept = "The faulty list was kept as \"PROGDIR:Ludex.list.BAD";
  const Row rows[] = {
      {"a whole backup", {{"Ludex.list", bad}, {"Ludex.list.bak", good}}, nullptr, "is corrupt",
       {{"Ludex.list", good}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", bad}},
       "\"; the next start opens its backup.", ListRepair::Repaired},
      {"an older faulty list", {{"Ludex.list", bad}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", "older"}}, nullptr,
       "is corrupt", {{"Ludex.list", good}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", "older"}, {"Ludex.list.BAD.1", bad}},
       ".1\"; the next start opens its backup.", ListRepair::Repaired},
      {"two older faulty lists",
       {{"Ludex.list", bad}, {"Ludex.list.BAD", "older"}, {"Ludex.list.BAD.1", "old"}}, nullptr, "is corrupt",
       {{"Ludex.list.BAD", "older"}, {"Ludex.list.BAD.1", "old"}, {"Ludex.list.BAD.2", bad}},
       ".2\"; there is no backup, so the next start begins with an empty list.", ListRepair::Repaired},
      {"a NUL byte in a field", {{"Ludex.list", withNul}, {"Ludex.list.bak", good}}, nullptr, "is corrupt",
       {{"Ludex.list", good}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", withNul}},
       "\"; the next start opens its backup.", ListRepair::Repaired},
      {"a faulty backup", {{"Ludex.list", bad}, {"Ludex.list.bak", badToo}}, nullptr, "is corrupt",
       {{"Ludex.list.BAD", bad}, {"Ludex.list.BAD.1", badToo}},
       "\" and its faulty backup as \"PROGDIR:Ludex.list.BAD.1\"; Ludex starts with an empty list.",
       ListRepair::StartEmpty},
      {"a faulty backup and no list", {{"Ludex.list.bak", "7"}}, nullptr, "is corrupt (or unknown format version)",
       {{"Ludex.list.BAD", "7"}}, nullptr, ListRepair::StartEmpty},
      {"a write-protected faulty list", {{"Ludex.list", bad}, {"Ludex.list.bak", good}}, "Ludex.list", "is corrupt",
       {{"Ludex.list", bad}, {"Ludex.list.bak", good}}, nullptr, ListRepair::NotRepaired},
      {"a write-protected faulty backup", {{"Ludex.list", bad}, {"Ludex.list.bak", badToo}}, "Ludex.list.bak",
       "is corrupt", {{"Ludex.list.BAD", bad}, {"Ludex.list.bak", badToo}},
       "\", but its faulty backup cannot be kept aside (object is write-protected); it is left as it is.",
       ListRepair::NotRepaired},
  };
  const std::map<std::string, std::string> otherLines = {
      {"a faulty backup and no list",
       "The faulty backup was kept as \"PROGDIR:Ludex.list.BAD\"; Ludex starts with an empty list.\n"},
      {"a write-protected faulty list",
       "The faulty list cannot be kept aside (object is write-protected); it is left as it is.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.writeProtected && !bits) continue;
    for (const auto& [name, text] : folderFiles()) unlink(box.host("progdir/" + name).c_str());
    for (const auto& [name, text] : row.before) box.writeFile("progdir/" + name, text);
    const std::string protectedPath = row.writeProtected ? std::string("PROGDIR:") + row.writeProtected : "";
    if (row.writeProtected) {
      ASSERT_TRUE(SetProtection(protectedPath.c_str(), FIBF_WRITE));
    }
    EXPECT_EQ(listError(), std::string("list loadGameList(); Ludex.list ") + row.error);
    testing::internal::CaptureStdout();
    const ListRepair result = repairGameListFile();
    const std::string printed = testing::internal::GetCapturedStdout();
    if (row.writeProtected) {
      ASSERT_TRUE(SetProtection(protectedPath.c_str(), FIBF_DEFAULT));
    }
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(printed, row.line ? kept + std::string(row.line) + "\n" : otherLines.at(row.what));
    EXPECT_EQ(folderFiles(), row.after);
  }
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

TEST_F(GameListFile, ASaveThatFailsAtAnyStepSaysSoAndTheNextStartFindsTheOldOrTheNewList) {
  // Every call a whole save makes to the system fails in turn (opening,
  // writing, dating, syncing and closing the new file, each probe, delete and
  // rename). The save raises nothing and leaves no partial file; it either
  // puts the new list in place with the old one as the backup, silently, or
  // says so in one message; and a fresh start finds the old or the new list.
  const std::string old = "5\nOld\nold\n,\n\n0\n$0\n";
  const std::string older = "5\nOlder\nolder\n,\n\n0\n$0\n";
  const auto prepare = [&] {
    for (const auto& [name, text] : folderFiles()) unlink(box.host("progdir/" + name).c_str());
    writeList(old);
    box.writeFile("progdir/Ludex.list.bak", older);
    load();
    add("New", "new", ",", 0, 0);
    ostest::resetRequesters();
  };
  prepare();
  ostest::recordCalls(true);
  saveGameList(gameList, nullptr);
  ostest::recordCalls(false);
  const std::string saved = listFile();
  ASSERT_EQ(saved, old + "\nNew\nnew\n,\n\n0\n$0\n");
  std::vector<std::pair<std::string, int32_t>> steps;
  std::map<std::string, int32_t> made;
  for (const std::string& entry : ostest::callLog()) {
    const std::string call = entry.substr(0, entry.find(' '));
    steps.emplace_back(call, made[call]++);
  }
  ASSERT_GE(made["Rename"], 3);
  ASSERT_GE(made["Write"], 1);
  ASSERT_GE(made["Flush"], 1);
  int reported = 0;
  for (const auto& [call, nth] : steps) {
    const std::string what = call + " #" + std::to_string(nth);
    prepare();
    ostest::failNextCall(call.c_str(), ERROR_DISK_FULL, nth);
    EXPECT_NO_THROW(saveGameList(gameList, nullptr)) << what;
    ostest::clearFailures();
    EXPECT_FALSE(box.exists("progdir/Ludex.list.new")) << what;
    const std::vector<RequesterRecord>& told = ostest::requesterLog();
    ASSERT_LE(told.size(), 1u) << what;
    if (told.empty()) {
      // Overcome (a second way to open, a close whose result does not count).
      EXPECT_EQ(listFile(), saved) << what;
      EXPECT_EQ(box.readFile("progdir/Ludex.list.bak"), old) << what;
    } else {
      ++reported;
      const bool failed = told[0].body.rfind("The game list could not be saved to \"PROGDIR:Ludex.list\" (", 0) == 0;
      const bool noBackup = told[0].body.rfind("The game list was saved to \"PROGDIR:Ludex.list\", but without", 0) == 0;
      EXPECT_TRUE(failed || noBackup) << what << ": " << told[0].body;
      // Why, in the system's words (a failed probe may tell of another fault).
      EXPECT_EQ(told[0].body.find("\" ()"), std::string::npos) << what << ": " << told[0].body;
      if (noBackup) {
        EXPECT_EQ(listFile(), saved) << what;
      }
      // Where the old list is in place, no newer file waits beside it.
      if (box.exists("progdir/Ludex.list")) {
        EXPECT_FALSE(box.exists("progdir/Ludex.list.tmp")) << what;
      }
    }
    const std::vector<GameRow> found = load();
    ASSERT_FALSE(found.empty()) << what;
    EXPECT_EQ(found[0].name, "Old") << what;
    EXPECT_TRUE(found.size() == 2 || !told.empty()) << what;
  }
  EXPECT_GT(reported, 5);

  // The new list cannot take its place, nor the old one go back: it waits as
  // the temporary file, which the next start takes.
  prepare();
  ostest::failNextCall("Rename", ERROR_DISK_FULL, 2);
  ostest::failNextCall("Rename", ERROR_DISK_FULL, 0);
  saveGameList(gameList, nullptr);
  ostest::clearFailures();
  EXPECT_EQ(ostest::requesterLog().size(), 1u);
  EXPECT_FALSE(box.exists("progdir/Ludex.list"));
  EXPECT_EQ(box.readFile("progdir/Ludex.list.tmp"), saved);
  EXPECT_EQ(load().size(), 2u);
  EXPECT_EQ(listFile(), saved);
}

TEST_F(GameListFile, ABackupThatCannotBeRemovedStaysAndTheNewListTakesThePlaceOfTheOld) {
  struct Case {
    const char* what;
    void (*makeBackup)(DosSandbox& box);
    const char* reason;
  };
  const Case cases[] = {
      {"a folder", [](DosSandbox& box) { box.makeDir("progdir/Ludex.list.bak"); }, "PROGDIR:Ludex.list.bak is a folder"},
      {"a delete-protected file",
       [](DosSandbox& box) {
         box.writeFile("progdir/Ludex.list.bak", "5");
         SetProtection("PROGDIR:Ludex.list.bak", FIBF_DELETE);
       },
       "PROGDIR:Ludex.list.bak: object is protected from deletion"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.makeBackup != cases[0].makeBackup && !ostest::hasExtendedAttributes(box.root().c_str())) continue;
    std::filesystem::remove_all(box.host("progdir"));
    box.makeDir("progdir");
    writeList("5\nOld\nold\n,\n\n0\n$0\n");
    c.makeBackup(box);
    const Files backup = folderFiles();
    load();
    add("New", "new", ",", 0, 0);
    ostest::resetRequesters();
    saveGameList(gameList, nullptr);
    add("Newer", "newer", ",", 0, 0);
    saveGameList(gameList, nullptr);
    // Said once a run; the backup stays as it was.
    ASSERT_EQ(ostest::requesterLog().size(), 1u);
    EXPECT_EQ(ostest::requesterLog()[0].body,
              std::string("The game list was saved to \"PROGDIR:Ludex.list\", but without a backup of the one before "
                          "(") + c.reason + ").");
    EXPECT_EQ(backup.at("Ludex.list.bak"), folderFiles().at("Ludex.list.bak"));
    EXPECT_FALSE(box.exists("progdir/Ludex.list.tmp"));
    EXPECT_EQ(load().size(), 3u);
    SetProtection("PROGDIR:Ludex.list.bak", FIBF_DEFAULT);
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

TEST_F(GameListFile, ARestoreStoppedAtAnyPointLeavesNoPartOfTheBackupAsTheListAndTheNextStartOpensTheBackup) {
  // The backup of a corrupt list is put back in several blocks. However the
  // restore is stopped (the program killed once N bytes are written, or any
  // call of the restore failing), no part of it stands under the list's
  // name, and the next start opens the backup's games without a second
  // corrupt-list incident.
  // Few games with long names: a backup of several blocks that loads fast.
  std::string backup = "5";
  constexpr size_t GAMES = 60;
  for (size_t n = 0; n < GAMES; ++n)
    backup += "\nGame " + std::to_string(n) + std::string(4000, 'x') + "\ngame" + std::to_string(n) + ".adf\n,\n\n1\n$0\n";
  ASSERT_GT(backup.size(), 3u * 65536);
  const std::string bad = "5\nB\nb\n,\n\n0\n$0\nnot a separator\n";
  const auto prepare = [&] {
    for (const auto& [name, text] : folderFiles()) unlink(box.host("progdir/" + name).c_str());
    writeList(bad);
    box.writeFile("progdir/Ludex.list.bak", backup);
    EXPECT_EQ(listError(), "list loadGameList(); Ludex.list is corrupt");
  };
  // Whole files only under the list's name and the temporary one (a
  // partial file may be left); the next start finds the backup's games, and
  // only the one faulty list kept aside.
  const auto nextStartOpensTheBackup = [&](const std::string& what) {
    for (const char* name : {"Ludex.list", "Ludex.list.tmp"}) {
      const std::string path = std::string("progdir/") + name;
      EXPECT_TRUE(!box.exists(path) || box.readFile(path) == backup) << what << ": part of the backup as " << name;
    }
    std::vector<GameRow> games;
    EXPECT_NO_THROW(games = load()) << what;
    ASSERT_EQ(games.size(), GAMES) << what;
    EXPECT_EQ(games.back().path, "game" + std::to_string(GAMES - 1) + ".adf") << what;
    Files files = folderFiles();
    EXPECT_TRUE(!files.count("Ludex.list") || files["Ludex.list"] == backup) << what;
    files.erase("Ludex.list");
    std::string names;
    for (const auto& [name, text] : files) names += " " + name + (text == backup ? "" : text == bad ? " (faulty)" : " (other)");
    EXPECT_EQ(names, " Ludex.list.BAD (faulty) Ludex.list.bak") << what;
  };

  // Killed after N bytes: the process may write no more (SIGXFSZ ends it).
  const rlim_t sizes[] = {0, 1, 65535, 65536, 100000, 3 * 65536 + 1, backup.size() - 1, backup.size()};
  for (const rlim_t bytes : sizes) {
    const std::string what = "killed after " + std::to_string(bytes) + " bytes";
    prepare();
    const ChildResult r = runInChild([bytes] {
      const rlimit none{0, 0}, limit{bytes, bytes};
      setrlimit(RLIMIT_CORE, &none);
      setrlimit(RLIMIT_FSIZE, &limit);
      return repairGameListFile() == ListRepair::Repaired ? 0 : 1;
    });
    EXPECT_EQ(r.exitCode, bytes < backup.size() ? -1 : 0) << what;
    box.restartDos();
    nextStartOpensTheBackup(what);
  }

  // Each call the restore makes failing in turn.
  prepare();
  ostest::recordCalls(true);
  testing::internal::CaptureStdout();
  EXPECT_EQ(repairGameListFile(), ListRepair::Repaired);
  testing::internal::GetCapturedStdout();
  ostest::recordCalls(false);
  const std::vector<std::string> log = ostest::callLog();
  const auto restoreStart = std::find_if(log.begin(), log.end(), [](const std::string& call) {
    return call.find("Ludex.list.new") != std::string::npos;
  });
  ASSERT_NE(restoreStart, log.end());
  std::map<std::string, int32_t> made;
  for (auto at = log.begin(); at != log.end(); ++at) {
    const std::string call = at->substr(0, at->find(' '));
    const int32_t nth = made[call]++;
    if (at < restoreStart) continue;
    const std::string what = call + " #" + std::to_string(nth) + " failing";
    prepare();
    ostest::failNextCall(call.c_str(), ERROR_DISK_FULL, nth);
    testing::internal::CaptureStdout();
    const ListRepair result = repairGameListFile();
    const std::string printed = testing::internal::GetCapturedStdout();
    ostest::clearFailures();
    EXPECT_EQ(result, ListRepair::Repaired) << what;
    const std::string told = "The faulty list was kept as \"PROGDIR:Ludex.list.BAD\"; the next start opens its backup.\n";
    EXPECT_EQ(printed.substr(printed.size() - std::min(printed.size(), told.size())), told) << what;
    nextStartOpensTheBackup(what);
  }
  EXPECT_GE(made["Rename"], 3);  // kept aside; the new list made whole, then put in place
}

TEST_F(GameListFile, AnErrorWithoutAnAmigaCodeIsToldInTheSystemsOwnWords) {
  // A disk's I/O error at a save and at a load of the list and at a save of
  // the preferences: each message gives the system's text.
  const int32_t ioError = ostest::ioErrOfLinuxError(EIO);
  writeList("5\nA\na\n,\n\n0\n$0\n");
  load();
  const std::pair<const char*, std::function<void()>> saves[] = {
      {"the list", [this] { saveGameList(gameList, nullptr); }},
      {"the preferences",
       [] {
         cStringSpace* space = loadPrefs();
         savePrefs(space);
         End(space);
       }},
  };
  for (const auto& [what, save] : saves) {
    ostest::resetRequesters();
    ostest::failNextCall("Write", ioError);
    save();
    ostest::clearFailures();
    ASSERT_EQ(ostest::requesterLog().size(), 1u) << what;
    EXPECT_NE(ostest::requesterLog()[0].body.find(" (Input/output error)."), std::string::npos)
        << what << ": " << ostest::requesterLog()[0].body;
  }
  const ChildResult r = runInChild([&] {
    ostest::resetRequesters();
    ostest::failNextCall("Read", ioError);
    try {
      load();
    } catch (const Exception& e) {
      return e.id() == ORDERLY_EXIT_ID ? static_cast<int>(e.exitCode()) : 1;
    }
    return 0;
  });
  EXPECT_EQ(r.exitCode, 20);
  EXPECT_EQ(r.output,
            "# requester \"Ludex\": The game list \"PROGDIR:Ludex.list\" cannot be read (Input/output error). "
            "Ludex ends and leaves it as it is.\n");
}

TEST_F(GameListFile, AFolderThatStandsInTheWayOfASaveIsNamed) {
  struct Row {
    const char* folder;
    const char* told;
  };
  const Row rows[] = {
      {"Ludex.list.new",
       "The game list could not be saved to \"PROGDIR:Ludex.list\" (PROGDIR:Ludex.list.new is a folder).\n"
       "The games stay as they are in Ludex; the next change tries again."},
      {"Ludex.list.tmp",
       "The game list could not be saved to \"PROGDIR:Ludex.list\" (PROGDIR:Ludex.list.tmp is a folder).\n"
       "The games stay as they are in Ludex; the next change tries again."},
      {"Ludex.list.bak",
       "The game list was saved to \"PROGDIR:Ludex.list\", but without a backup of the one before "
       "(PROGDIR:Ludex.list.bak is a folder)."},
  };
  const std::string old = "5\nOld\nold\n,\n\n0\n$0\n";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folder);
    std::filesystem::remove_all(box.host("progdir"));
    writeList(old);
    box.makeDir(std::string("progdir/") + row.folder + "/inside");
    load();
    add("New", "new", ",", 0, 0);
    ostest::resetRequesters();
    saveGameList(gameList, nullptr);
    ASSERT_EQ(ostest::requesterLog().size(), 1u);
    EXPECT_EQ(ostest::requesterLog()[0].body, row.told);
    EXPECT_TRUE(box.exists(std::string("progdir/") + row.folder + "/inside"));
  }
}

TEST_F(GameListFile, GamesWithLineBreaksAreNotWrittenAndACarriageReturnEndingAFieldIsKept) {
  // A line break anywhere would split a field; a "\r" ending a field is
  // written with one more, which reading takes off again.
  add("Good", "good", ",", 0, 0);
  add("Two\nLines", "bad", ",", 0, 0);
  add("A\rB", "a\rb", ",X\rY,", 1, 0);
  add("Ends\r", "ends", ",", 0, 0);
  add("Tag", "tag", ",X,\r", 0, 0);
  add("Path", "path\r", ",", 0, 0);
  saveGameList(gameList, nullptr);
  EXPECT_EQ(listFile(),
            "5\nGood\ngood\n,\n\n0\n$0\n\nA\rB\na\rb\n,X\rY,\n\n1\n$0\n\nEnds\r\r\nends\n,\n\n0\n$0\n"
            "\nTag\ntag\n,X,\r\r\n\n0\n$0\n\nPath\npath\r\r\n,\n\n0\n$0\n");
  const std::vector<GameRow> back = {{"Good", "good", ",", "<NIL>", 0, 0}, {"A\rB", "a\rb", ",X\rY,", "<NIL>", 1, 0},
                                     {"Ends\r", "ends", ",", "<NIL>", 0, 0}, {"Tag", "tag", ",X,\r", "<NIL>", 0, 0},
                                     {"Path", "path\r", ",", "<NIL>", 0, 0}};
  EXPECT_EQ(load(), back);
  // Saved again, the same file: nothing is lost on the way round.
  const std::string once = listFile();
  saveGameList(gameList, nullptr);
  EXPECT_EQ(listFile(), once);
  // A list written with CR LF line ends keeps such a field too.
  writeList("5\r\nCR\r\r\ncr\r\n,\r\n\r\n7\r\n$0\r\n");
  EXPECT_EQ(load(), (std::vector<GameRow>{{"CR\r", "cr", ",", "<NIL>", 7, 0}}));
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
