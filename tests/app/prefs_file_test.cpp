#include "app/launching/prefs_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "core/arena.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/folder_contents.h"

namespace {

using Launchers = std::map<std::string, std::string>;
using Files = FolderContents;

class PrefsFile : public testing::Test {
 protected:
  void SetUp() override { new_ludex(); }
  void TearDown() override {
    End(space);
    end_ludex();
  }

  Launchers load() {
    End(space);
    space = loadPrefs();
    Launchers found;
    for (bool more = space->itemGotoFirst(); more; more = space->itemGotoNext()) {
      auto* l = reinterpret_cast<launcher*>(space->itemInfo());
      found[l->tag] = l->commands;
    }
    return found;
  }
  void writePrefs(const std::string& text) { box.writeFile("envarc/Ludex.prefs", text); }
  Files envarcFiles() { return folderContents(box.host("envarc")); }

  DosSandbox box;
  cStringSpace* space = nullptr;
};

TEST_F(PrefsFile, NoFileGivesTheBuiltInLaunchers) {
  prefAutoExit = prefsShowOutput = true;
  const Launchers found = load();
  EXPECT_FALSE(prefAutoExit);
  EXPECT_FALSE(prefsShowOutput);
  size_t builtIn = 0;
  while (predefinedLaunchers[2 * builtIn]) ++builtIn;
  EXPECT_EQ(found.size(), builtIn);
  EXPECT_EQ(found.at("MSDOS"), "RunInDOSBox \"%g\" %p");
}

TEST_F(PrefsFile, SavedOptionsAndMultiLineCommandsRoundTrip) {
  space = loadPrefs();
  End(space);
  space = new cStringSpace;
  space->new_cStringSpace(true, CASE_INSENSITIVE);
  addLauncherToSpace(StrClone("Floppy"), StrClone("CD x\nFoo"), space);
  prefAutoExit = true;
  prefsShowOutput = false;
  savePrefs(space);
  EXPECT_EQ(box.readFile("envarc/Ludex.prefs"), "1\n1\n0\nFloppy\nCD x\\nFoo\n");
  EXPECT_FALSE(box.exists("envarc/Ludex.prefs.tmp"));

  addLauncherToSpace(StrClone("Empty"), StrClone(""), space);
  savePrefs(space);
  prefAutoExit = false;
  EXPECT_EQ(load(), (Launchers{{"Floppy", "CD x\nFoo"}, {"Empty", ""}}));
  EXPECT_TRUE(prefAutoExit);
  EXPECT_FALSE(prefsShowOutput);
}

TEST_F(PrefsFile, FaultyFilesKeepWhatWasReadBeforeTheFault) {
  writePrefs("2\n1\n1\nFloppy\nUAE\n");
  EXPECT_EQ(load(), Launchers{});
  EXPECT_FALSE(prefAutoExit);

  writePrefs("1\n1\n1\nFloppy\nUAE\n\nC64\nx64");  // ends right after the commands
  EXPECT_EQ(load(), (Launchers{{"Floppy", "UAE"}}));
  EXPECT_TRUE(prefAutoExit);
  EXPECT_TRUE(prefsShowOutput);

  writePrefs("1\n0\n1\nFloppy\nUAE\nnot empty\n");
  EXPECT_EQ(load(), Launchers{});
  EXPECT_TRUE(prefsShowOutput);

  writePrefs("1\r\n1\r\n0");  // the header alone; CR LF reads as LF
  EXPECT_EQ(load(), Launchers{});
  EXPECT_TRUE(prefAutoExit);
}

TEST_F(PrefsFile, FailedWriteKeepsTheOldFile) {
  // The write, the reopen after dating the file, the dating and the sync
  // fail in turn: nothing is raised and nothing of the new file is left.
  const std::pair<const char*, int32_t> steps[] = {{"Write", 0}, {"Open", 1}, {"SetFileDate", 0}, {"Flush", 0}};
  for (auto [call, after] : steps) {
    writePrefs("1\n0\n0\nOld\nold\n");
    End(space);
    space = loadPrefs();
    addLauncherToSpace(StrClone("New"), StrClone("new"), space);
    savePrefs(space);  // the disk is known from here on
    writePrefs("1\n0\n0\nOld\nold\n");
    ostest::failNextCall(call, 221, after);
    EXPECT_NO_THROW(savePrefs(space)) << call;
    ostest::clearFailures();
    EXPECT_EQ(box.readFile("envarc/Ludex.prefs"), "1\n0\n0\nOld\nold\n") << call;
    EXPECT_FALSE(box.exists("envarc/Ludex.prefs.tmp")) << call;
    EXPECT_FALSE(box.exists("envarc/Ludex.prefs.new")) << call;
  }
}

TEST_F(PrefsFile, AFileThatCannotBeUsedIsKeptAsideBeforeTheFirstSaveAndTheUserToldOnce) {
  const bool bits = ostest::hasExtendedAttributes(box.root().c_str());
  struct Row {
    const char* what;
    Files before;
    bool readProtected;
    Files after;      // after two saves
    const char* told;  // the one message of the two saves ("": none)
  };
  const std::string kept = "The preferences file \"ENVARC:Ludex.prefs\" could not be used (";
  const std::string savedAnew = ").\nIt was kept as \"ENVARC:Ludex.prefs.BAD";
  const std::string withNul = std::string("1\n0\n0\nA") + '\0' + "B\ncmd\n";
  const Row rows[] = {
      {"another version", {{"Ludex.prefs", "2\n1\n1\nFoo\nbar\n"}}, false,
       {{"Ludex.prefs", "1\n0\n0"}, {"Ludex.prefs.BAD", "2\n1\n1\nFoo\nbar\n"}},
       "it is of another version).\nIt was kept as \"ENVARC:Ludex.prefs.BAD\", and the preferences were saved anew."},
      {"garbage, with an older one kept", {{"Ludex.prefs", "garbage"}, {"Ludex.prefs.BAD", "older"}}, false,
       {{"Ludex.prefs", "1\n0\n0"}, {"Ludex.prefs.BAD", "older"}, {"Ludex.prefs.BAD.1", "garbage"}},
       "it is of another version).\nIt was kept as \"ENVARC:Ludex.prefs.BAD.1\", and the preferences were saved anew."},
      {"a launcher without its separator", {{"Ludex.prefs", "1\n0\n1\nA\na\n\nB\nb\nnot empty\n"}}, false,
       {{"Ludex.prefs", "1\n0\n1\nA\na\n"}, {"Ludex.prefs.BAD", "1\n0\n1\nA\na\n\nB\nb\nnot empty\n"}},
       "it is faulty).\nIt was kept as \"ENVARC:Ludex.prefs.BAD\", and the preferences were saved anew."},
      {"a NUL byte", {{"Ludex.prefs", withNul}}, false,
       {{"Ludex.prefs", "1\n0\n0"}, {"Ludex.prefs.BAD", withNul}},
       "it is faulty).\nIt was kept as \"ENVARC:Ludex.prefs.BAD\", and the preferences were saved anew."},
      {"the header alone", {{"Ludex.prefs", "1\n1\n0"}}, false, {{"Ludex.prefs", "1\n1\n0"}}, ""},
      {"the header and a line end", {{"Ludex.prefs", "1\n1\n0\n\n"}}, false, {{"Ludex.prefs", "1\n1\n0"}}, ""},
      {"a launcher and a line end", {{"Ludex.prefs", "1\n0\n0\nA\na\n\n"}}, false, {{"Ludex.prefs", "1\n0\n0\nA\na\n"}}, ""},
      {"a file that cannot be read", {{"Ludex.prefs", "1\n1\n1\nMine\nmine\n"}}, true,
       {{"Ludex.prefs", "1\n1\n1\nMine\nmine\n"}},
       "The preferences could not be saved to \"ENVARC:Ludex.prefs\" (object is read-protected).\n"
       "They stay in use while Ludex runs; the next save tries again."},
      {"a folder", {{"Ludex.prefs", FOLDER_ENTRY}}, false, {{"Ludex.prefs", FOLDER_ENTRY}},
       "The preferences could not be saved to \"ENVARC:Ludex.prefs\" (object is of the wrong type).\n"
       "They stay in use while Ludex runs; the next save tries again."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.readProtected && !bits) continue;
    std::filesystem::remove_all(box.host("envarc"));
    writeFolderContents(box.host("envarc"), row.before);
    if (row.readProtected) {
      ASSERT_TRUE(SetProtection("ENVARC:Ludex.prefs", FIBF_READ));
    }
    load();
    ostest::resetRequesters();
    savePrefs(space);
    savePrefs(space);
    if (row.readProtected) {
      ASSERT_TRUE(SetProtection("ENVARC:Ludex.prefs", FIBF_DEFAULT));
    }
    std::vector<std::string> told;
    for (const RequesterRecord& r : ostest::requesterLog()) told.push_back(r.body);
    const std::string expected = row.told;
    if (expected.empty()) EXPECT_EQ(told, std::vector<std::string>{});
    else if (expected.rfind("The preferences could", 0) == 0) EXPECT_EQ(told, std::vector<std::string>(2, expected));
    else EXPECT_EQ(told, std::vector<std::string>{kept + expected});
    EXPECT_EQ(envarcFiles(), row.after);
  }
}

TEST_F(PrefsFile, SaveInterruptedBeforeItsRenameIsCompletedOnLoad) {
  box.writeFile("envarc/Ludex.prefs.tmp", "1\n1\n0\nFloppy\nUAE\n");
  EXPECT_EQ(load(), (Launchers{{"Floppy", "UAE"}}));
  EXPECT_TRUE(box.exists("envarc/Ludex.prefs"));
  // A file still being written when the save stopped is never taken.
  unlink(box.host("envarc/Ludex.prefs").c_str());
  box.writeFile("envarc/Ludex.prefs.new", "1\n1\n0\nPartial\nUAE\n");
  EXPECT_EQ(load().count("Partial"), 0u);
  EXPECT_FALSE(box.exists("envarc/Ludex.prefs.new"));
}

TEST(LauncherLabels, TagAndTheFirstLineOfTheCommands) {
  auto* l = new launcher;
  l->new_launcher(StrClone("Floppy"), StrClone("CD x\nUAE"));
  char* label = makeLauncherEntryLabel("Floppy", l);
  EXPECT_STREQ(label, "Floppy\tCD x");
  DisposeString(label);
  StrCopy(l->commands, "\nUAE");
  label = makeLauncherEntryLabel("Floppy", l);
  EXPECT_STREQ(label, "Floppy\t");
  DisposeString(label);
  label = makeLauncherEntryLabel("None", nullptr);
  EXPECT_STREQ(label, "None\t");
  DisposeString(label);
  End(l);
}

}  // namespace
