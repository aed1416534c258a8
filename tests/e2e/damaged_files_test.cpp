// Starts on lists and preferences that are damaged, odd or out of reach: each
// row the files before, one start driven by a UI script, and what it printed,
// returned and left in PROGDIR: and ENVARC:, file by file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/e2e/e2e_scenario.h"
#include "tests/support/folder_contents.h"

namespace fs = std::filesystem;

namespace {

using Files = FolderContents;
const char* const FOLDER = FOLDER_ENTRY;

// The folder's files, the last-played times a launch wrote ("now") as "$now".
Files readFiles(const fs::path& folder) {
  static const std::regex played("\n\\$[0-9a-f]*[1-9a-f][0-9a-f]*\n");
  Files files = folderContents(folder.string());
  for (auto& [name, text] : files) text = std::regex_replace(text, played, "\n$$now\n");
  return files;
}

struct Row {
  const char* what;
  Files progdir;
  Files envarc;
  const char* readProtected;  // a file of PROGDIR: or ENVARC: made unreadable by its protection bits
  std::string script;
  int exitCode;
  std::string output;
  Files progdirAfter;
  Files envarcAfter;
};

// A game file that is recognised as a floppy disk.
std::string floppyImage() {
  std::string floppy(1024, '\0');
  return floppy.replace(0, 3, "DOS");
}

std::string gameLines(const std::string& name, const std::string& tags, const std::string& counts = "0\n$0") {
  return "\n" + name + "\nGames:" + name + ".adf\n" + tags + "\n\n" + counts + "\n";
}

TEST(DamagedFiles, EachStartSaysWhatItFoundAndKeepsEveryListAndPreferencesFile) {
  const std::string good = "5" + gameLines("Good", ",");
  const std::string bad = "5" + gameLines("Bad", ",") + "not a separator\n";
  const std::string badToo = "5" + gameLines("Worse", ",") + "nor this\n";
  const std::string withNul = "5\nN" + std::string(1, '\0') + "ul\nGames:nul.adf\n,\n\n0\n$0\n";
  const std::string fake = "1\n0\n0\nFake\nfakeemu \"%g\"\n";
  const std::string exception = "EXCEPTION: \"list\"; loadGameList(); Ludex.list is corrupt.\n";
  const std::string prefsWindow = "press Prefs\nwindow PREF\nclose\nwindow MAIN\nclose\n";
  const std::string dropNew = "drop Games:New.adf\n";
  const std::string newGame = gameLines("New", ",Floppy,");
  const Row rows[] = {
      {"a list that cannot be read", {{"Ludex.list", good}, {"Ludex.list.bak", "5"}}, {}, "progdir/Ludex.list",
       "expect-rows Games 99\n", 20,
       "# requester \"Ludex\": The game list \"PROGDIR:Ludex.list\" cannot be read (file is read protected). "
       "Ludex ends and leaves it as it is.\n",
       {{"Ludex.list", good}, {"Ludex.list.bak", "5"}}, {}},
      {"a folder in the list's place", {{"Ludex.list", FOLDER}}, {}, nullptr, "expect-rows Games 99\n", 20,
       "# requester \"Ludex\": The game list \"PROGDIR:Ludex.list\" cannot be read (error opening file: object is of "
       "the wrong type). Ludex ends and leaves it as it is.\n",
       {{"Ludex.list", FOLDER}}, {}},
      {"a corrupt list, an older one kept", {{"Ludex.list", bad}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", "older"}},
       {}, nullptr, "expect-rows Games 99\n", 0,
       exception + "The faulty list was kept as \"PROGDIR:Ludex.list.BAD.1\"; the next start opens its backup.\n",
       {{"Ludex.list", good}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", "older"}, {"Ludex.list.BAD.1", bad}}, {}},
      {"a NUL byte in a name", {{"Ludex.list", withNul}, {"Ludex.list.bak", good}}, {}, nullptr,
       "expect-rows Games 99\n", 0,
       exception + "The faulty list was kept as \"PROGDIR:Ludex.list.BAD\"; the next start opens its backup.\n",
       {{"Ludex.list", good}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", withNul}}, {}},
      {"a corrupt list and a corrupt backup", {{"Ludex.list", bad}, {"Ludex.list.bak", badToo}}, {}, nullptr,
       "expect-rows Games 0\n" + dropNew + "expect-rows Games 1\nclose\n", 0,
       exception + "The faulty list was kept as \"PROGDIR:Ludex.list.BAD\" and its faulty backup as "
                   "\"PROGDIR:Ludex.list.BAD.1\"; Ludex starts with an empty list.\n",
       {{"Ludex.list", "5" + newGame}, {"Ludex.list.BAD", bad}, {"Ludex.list.BAD.1", badToo}}, {}},
      {"a field that ends in a carriage return", {{"Ludex.list", "5\nCR\r\r\nGames:cr.adf\n,\n\n7\n$0\n"}}, {}, nullptr,
       "expect-rows Games 1\n" + dropNew + "expect-rows Games 2\nclose\n", 0, "",
       {{"Ludex.list", "5\nCR\r\r\nGames:cr.adf\n,\n\n7\n$0\n" + newGame},
        {"Ludex.list.bak", "5\nCR\r\r\nGames:cr.adf\n,\n\n7\n$0\n"}},
       {}},
      {"the largest play count and one below 0",
       {{"Ludex.list", "5" + gameLines("Max", ",Fake,", "2147483647\n$0") + gameLines("Neg", ",Fake,", "-5\n$0")}},
       {{"Ludex.prefs", fake}}, nullptr, "double-click-row Games Max\ndouble-click-row Games Neg\nclose\n", 0, "",
       {{"Ludex.list", "5" + gameLines("Max", ",Fake,", "2147483647\n$now") + gameLines("Neg", ",Fake,", "1\n$now")},
        {"Ludex.list.bak", "5" + gameLines("Max", ",Fake,", "2147483647\n$now") + gameLines("Neg", ",Fake,", "0\n$0")}},
       {{"Ludex.prefs", fake}}},
      {"preferences of another version", {}, {{"Ludex.prefs", "2\n1\n1\nFoo\nbar\n"}}, nullptr, prefsWindow, 0,
       "# requester \"Ludex\": The preferences file \"ENVARC:Ludex.prefs\" could not be used (it is of another "
       "version). It was kept as \"ENVARC:Ludex.prefs.BAD\", and the preferences were saved anew.\n",
       {}, {{"Ludex.prefs", "1\n0\n0"}, {"Ludex.prefs.BAD", "2\n1\n1\nFoo\nbar\n"}}},
      {"preferences that cannot be read", {}, {{"Ludex.prefs", fake}}, "home/.config/ludex/ENVARC/Ludex.prefs",
       prefsWindow, 0,
       "# requester \"Ludex\": The preferences could not be saved to \"ENVARC:Ludex.prefs\" (object is read-protected). "
       "They stay in use while Ludex runs; the next save tries again.\n",
       {}, {{"Ludex.prefs", fake}}},
      {"preferences of the header alone", {}, {{"Ludex.prefs", "1\n1\n0"}}, nullptr, prefsWindow, 0, "", {},
       {{"Ludex.prefs", "1\n1\n0"}}},
      {"a folder in the preferences' place", {}, {{"Ludex.prefs", FOLDER}}, nullptr, prefsWindow, 0,
       "# requester \"Ludex\": The preferences could not be saved to \"ENVARC:Ludex.prefs\" (object is of the wrong "
       "type). They stay in use while Ludex runs; the next save tries again.\n",
       {}, {{"Ludex.prefs", FOLDER}}},
  };
  const std::string floppy = floppyImage();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    LudexSandbox box;
    const fs::path progdir = box.folder() / "progdir", envarc = box.folder() / "home/.config/ludex/ENVARC";
    writeFolderContents(progdir.string(), row.progdir);
    writeFolderContents(envarc.string(), row.envarc);
    writeFolderContents((box.folder() / "games").string(), {{"New.adf", floppy}});
    std::string protectedPath;
    if (row.readProtected) {
      if (!ostest::hasExtendedAttributes(box.folder().c_str())) continue;
      ostest::mountVolume("Box", box.folder().c_str());
      protectedPath = std::string("Box:") + row.readProtected;
      ASSERT_TRUE(SetProtection(protectedPath.c_str(), FIBF_READ));
    }
    const LudexRunResult r = runLudex(box, row.script.c_str(), E2eDisplay::Headless);
    if (row.readProtected) {
      ASSERT_TRUE(SetProtection(protectedPath.c_str(), FIBF_DEFAULT));
    }
    EXPECT_EQ(r.output, row.output);
    EXPECT_EQ(r.exitCode, row.exitCode) << r.errors;
    EXPECT_EQ(readFiles(progdir), row.progdirAfter);
    EXPECT_EQ(readFiles(envarc), row.envarcAfter);
  }
}

// The folder's entries, a link shown as "-> " and what it holds.
Files entriesOf(const fs::path& folder) {
  Files files = readFiles(folder);
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_symlink()) files[entry.path().filename().string()] = "-> " + fs::read_symlink(entry.path()).string();
  return files;
}

TEST(DamagedFiles, ALinkThatLeadsNowhereAtAnyOfTheListsNamesLocksNobodyOut) {
  // A link at one of the names the list is kept aside, backed up or written
  // under, leading to a file that is gone from a folder elsewhere. A start
  // on a corrupt list keeps it aside and ends; the next one opens its window
  // and saves twice. Nothing is refused, what is kept aside goes to a free
  // name, a link at the program's own working names is removed as a link,
  // and the folder it leads into is never touched.
  const std::string good = "5" + gameLines("Good", ",");
  const std::string bad = "5" + gameLines("Bad", ",") + "not a separator\n";
  const std::string exception = "EXCEPTION: \"list\"; loadGameList(); Ludex.list is corrupt.\n";
  const std::string link = "-> ../elsewhere/gone.list";
  const std::string twoDrops = "drop Games:New.adf\ndrop Games:Other.adf\n";
  const std::string saved = gameLines("New", ",Floppy,"), savedToo = gameLines("Other", ",Floppy,");
  struct LinkRow {
    const char* at;
    Files progdir;  // besides the link
    std::string firstOutput;
    std::string secondScript;
    Files after;
  };
  const auto kept = [&](const char* name, const char* rest) {
    return exception + "The faulty list was kept as \"PROGDIR:" + name + "\"; " + rest + "\n";
  };
  const LinkRow rows[] = {
      {"Ludex.list.BAD", {{"Ludex.list", bad}, {"Ludex.list.bak", good}},
       kept("Ludex.list.BAD.1", "the next start opens its backup."), "expect-rows Games 1\n",
       {{"Ludex.list", good + saved + savedToo}, {"Ludex.list.bak", good + saved}, {"Ludex.list.BAD", link},
        {"Ludex.list.BAD.1", bad}}},
      {"Ludex.list.BAD.1", {{"Ludex.list", bad}, {"Ludex.list.bak", good}, {"Ludex.list.BAD", "older"}},
       kept("Ludex.list.BAD.2", "the next start opens its backup."), "expect-rows Games 1\n",
       {{"Ludex.list", good + saved + savedToo}, {"Ludex.list.bak", good + saved}, {"Ludex.list.BAD", "older"},
        {"Ludex.list.BAD.1", link}, {"Ludex.list.BAD.2", bad}}},
      {"Ludex.list.bak", {{"Ludex.list", bad}},
       kept("Ludex.list.BAD", "there is no backup, so the next start begins with an empty list."),
       "expect-rows Games 0\n",
       {{"Ludex.list", "5" + saved + savedToo}, {"Ludex.list.bak", "5" + saved}, {"Ludex.list.BAD", bad}}},
      {"Ludex.list.tmp", {{"Ludex.list", bad}, {"Ludex.list.bak", good}},
       kept("Ludex.list.BAD", "the next start opens its backup."), "expect-rows Games 1\n",
       {{"Ludex.list", good + saved + savedToo}, {"Ludex.list.bak", good + saved}, {"Ludex.list.BAD", bad}}},
      {"Ludex.list.new", {{"Ludex.list", bad}, {"Ludex.list.bak", good}},
       kept("Ludex.list.BAD", "the next start opens its backup."), "expect-rows Games 1\n",
       {{"Ludex.list", good + saved + savedToo}, {"Ludex.list.bak", good + saved}, {"Ludex.list.BAD", bad}}},
      // The list itself: without a list the backup is opened, and the link,
      // which holds no list, gives way to the first save.
      {"Ludex.list", {{"Ludex.list.bak", good}}, "", "expect-rows Games 1\n",
       {{"Ludex.list", good + saved + savedToo}, {"Ludex.list.bak", good + saved}}},
  };
  const std::string floppy = floppyImage();
  for (const LinkRow& row : rows) {
    SCOPED_TRACE(row.at);
    LudexSandbox box;
    const fs::path progdir = box.folder() / "progdir", elsewhere = box.folder() / "elsewhere";
    writeFolderContents(progdir.string(), row.progdir);
    writeFolderContents(elsewhere.string(), {{"other.list", good}});
    writeFolderContents((box.folder() / "games").string(), {{"New.adf", floppy}, {"Other.adf", floppy}});
    fs::create_symlink("../elsewhere/gone.list", progdir / row.at);
    if (!row.firstOutput.empty()) {
      const LudexRunResult first = runLudex(box, "expect-rows Games 99\n", E2eDisplay::Headless);
      EXPECT_EQ(first.output, row.firstOutput);
      EXPECT_EQ(first.exitCode, 0) << first.errors;
    }
    const std::string script = row.secondScript + twoDrops + "close\n";
    const LudexRunResult second = runLudex(box, script.c_str(), E2eDisplay::Headless);
    EXPECT_EQ(second.output, "");
    EXPECT_EQ(second.exitCode, 0) << second.errors;
    EXPECT_EQ(entriesOf(progdir), row.after);
    EXPECT_EQ(entriesOf(elsewhere), (Files{{"other.list", good}}));
  }
}

}  // namespace
