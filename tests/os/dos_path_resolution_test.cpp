// Amiga paths to Linux objects and back, on a sandbox volume.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/dos/host_paths.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/scoped_env.h"

namespace {

// The full name of what path locks, or "error N".
std::string nameOf(const char* path) {
  BPTR lock = Lock(path, SHARED_LOCK);
  if (!lock) return "error " + std::to_string(IoErr());
  char name[512];
  const bool ok = NameFromLock(lock, name, sizeof name);
  UnLock(lock);
  return ok ? std::string(name) : "error " + std::to_string(IoErr());
}

class DosPathResolution : public testing::Test {
 protected:
  void SetUp() override {
    box.makeDir("Games/Fred");
    box.writeFile("Games/Fred/Fred.adf", "disk");
    box.writeFile("ReadMe", "");
  }
  DosSandbox box;
};

TEST_F(DosPathResolution, NamesResolveExactlyThenIgnoringCaseAndComeBackAsVolumePaths) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"Sandbox:Games/Fred/Fred.adf", "Sandbox:Games/Fred/Fred.adf"},
      {"SANDBOX:games/FRED/fred.ADF", "Sandbox:Games/Fred/Fred.adf"},  // on-disk spelling comes back
      {"Sandbox:", "Sandbox:"},
      {"Sandbox:Games/", "Sandbox:Games"},           // a trailing "/" only separates
      {"Sandbox:Games/Fred/", "Sandbox:Games/Fred"},
      {"Sandbox:Games/Fred//", "Sandbox:Games"},      // a doubled "/" is the parent
      {"Sandbox:Games/Fred///ReadMe", "Sandbox:ReadMe"},
      {"Games/Fred/Fred.adf", "Sandbox:Games/Fred/Fred.adf"},  // from the current directory
      {"", "Sandbox:"},
      {":Games", "Sandbox:Games"},                    // from the root of the current volume
      {"Sandbox:Games/Fred/Missing", "error 205"},
      {"Sandbox:Missing/Fred.adf", "error 205"},
      {"Sandbox:ReadMe/x", "error 205"},              // a file is no folder
  };
  for (const auto& c : cases) EXPECT_EQ(nameOf(c.path), c.expected) << c.path;
}

TEST_F(DosPathResolution, ParentStepsStopAtTheRootOfTheVolume) {
  BPTR games = Lock("Sandbox:Games", SHARED_LOCK);
  ASSERT_NE(games, ZERO);
  BPTR old = CurrentDir(games);
  EXPECT_EQ(nameOf("/ReadMe"), "Sandbox:ReadMe");  // a leading "/" is the parent
  EXPECT_EQ(nameOf("/"), "Sandbox:");
  EXPECT_EQ(nameOf("//"), "error 205");           // above the volume's root
  EXPECT_EQ(nameOf("Sandbox:/"), "error 205");
  EXPECT_EQ(nameOf("Sandbox:Games///"), "error 205");
  UnLock(CurrentDir(old));
}

TEST_F(DosPathResolution, DotAndDotDotAreLiteralNamesThatNeverLeadOut) {
  EXPECT_EQ(nameOf("Sandbox:.."), "error 205");
  EXPECT_EQ(nameOf("Sandbox:Games/.."), "error 205");
  EXPECT_EQ(nameOf("Sandbox:Games/../ReadMe"), "error 205");
  EXPECT_EQ(nameOf("Sandbox:."), "error 205");
  EXPECT_EQ(nameOf(".."), "error 205");
  EXPECT_EQ(CreateDir("Sandbox:.."), ZERO);
  EXPECT_EQ(IoErr(), ERROR_INVALID_COMPONENT_NAME);
  EXPECT_EQ(CreateDir("Sandbox:Games/."), ZERO);
  EXPECT_EQ(IoErr(), ERROR_INVALID_COMPONENT_NAME);
}

TEST_F(DosPathResolution, OnlyTheFirstColonSeparatesTheVolume) {
  BPTR made = CreateDir("Sandbox:Old:Games");
  ASSERT_NE(made, ZERO) << IoErr();
  UnLock(made);
  EXPECT_TRUE(box.exists("Old:Games"));
  EXPECT_EQ(nameOf("Sandbox:old:games"), "Sandbox:Old:Games");
  // A ":" after a "/" belongs to a name of a relative path.
  box.writeFile("Games/a:b", "");
  EXPECT_EQ(nameOf("Games/a:b"), "Sandbox:Games/a:b");
}

TEST_F(DosPathResolution, AnAmbiguousCaseMatchIsNotFoundButTheExactNameWins) {
  box.writeFile("Dup/abc", "1");
  box.writeFile("Dup/ABC", "2");
  EXPECT_EQ(nameOf("Sandbox:Dup/abc"), "Sandbox:Dup/abc");
  EXPECT_EQ(nameOf("Sandbox:Dup/ABC"), "Sandbox:Dup/ABC");
  EXPECT_EQ(nameOf("Sandbox:Dup/Abc"), "error 205");
  EXPECT_EQ(CreateDir("Sandbox:Dup/aBC"), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
}

TEST_F(DosPathResolution, CaseRulesHoldThroughChangesByOtherProgramsAndByDosItself) {
  // The folder looks long unchanged, so that what it holds may be kept
  // between lookups; after each change by dos itself its time is put back, as
  // on a file system whose times are too coarse to show the change.
  const auto holdStill = [this] {
    struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, box.host("Games").c_str(), old, 0), 0);
  };
  const auto other = [this](const char* relative) { return [this, relative] { box.writeFile(relative); }; };
  const auto otherDeletes = [this](const char* relative) {
    return [this, relative] { ASSERT_EQ(unlink(box.host(relative).c_str()), 0); };
  };
  const auto own = [&](std::function<bool()> change) {
    return [&holdStill, change] {
      ASSERT_TRUE(change());
      holdStill();
    };
  };
  const struct {
    const char* step;
    std::function<void()> change;
    std::vector<std::pair<const char*, const char*>> lookups;  // path, nameOf
  } steps[] = {
      {"start", holdStill,
       {{"Sandbox:games/fred", "Sandbox:Games/Fred"},
        {"Sandbox:Games/beta", "error 205"},
        {"Sandbox:Games/Fred/Fred.adf", "Sandbox:Games/Fred/Fred.adf"}}},
      {"another program moves the drawer and makes a new one", [this] {
         ASSERT_EQ(rename(box.host("Games/Fred").c_str(), box.host("Games/Barney").c_str()), 0);
         box.writeFile("Games/Fred/Other.adf");
       },
       {{"Sandbox:Games/Fred/Fred.adf", "error 205"},
        {"Sandbox:Games/Fred/other.adf", "Sandbox:Games/Fred/Other.adf"},
        {"Sandbox:Games/Barney/Fred.adf", "Sandbox:Games/Barney/Fred.adf"}}},
      {"another program adds BETA", other("Games/BETA"), {{"Sandbox:Games/beta", "Sandbox:Games/BETA"}}},
      {"and Beta", other("Games/Beta"),
       {{"Sandbox:Games/beta", "error 205"}, {"Sandbox:Games/Beta", "Sandbox:Games/Beta"},
        {"Sandbox:Games/BETA", "Sandbox:Games/BETA"}}},
      {"and deletes BETA", otherDeletes("Games/BETA"), {{"Sandbox:Games/beta", "Sandbox:Games/Beta"}}},
      {"held still", holdStill, {{"Sandbox:Games/gamma", "error 205"}, {"Sandbox:Games/beta", "Sandbox:Games/Beta"}}},
      {"dos makes GAMMA", own([] { return Close(Open("Sandbox:Games/GAMMA", MODE_NEWFILE)); }),
       {{"Sandbox:Games/gamma", "Sandbox:Games/GAMMA"}}},
      {"dos renames it", own([] { return Rename("Sandbox:Games/gamma", "Sandbox:Games/Delta"); }),
       {{"Sandbox:Games/gamma", "error 205"}, {"Sandbox:Games/DELTA", "Sandbox:Games/Delta"}}},
      {"dos makes a drawer", own([] { return UnLock(CreateDir("Sandbox:Games/Epsilon")), true; }),
       {{"Sandbox:Games/epsilon", "Sandbox:Games/Epsilon"}}},
      {"dos deletes Delta", own([] { return DeleteFile("Sandbox:Games/delta"); }),
       {{"Sandbox:Games/delta", "error 205"}}},
      {"dos links", own([] { return MakeLink("Sandbox:Games/Zeta", "Sandbox:Games/Fred", LINK_SOFT); }),
       {{"Sandbox:Games/ZETA", "Sandbox:Games/Fred"}}},
  };
  const bool watched = ostest::foldersAreWatched();
  for (const auto& s : steps) {
    s.change();
    for (const auto& [path, expected] : s.lookups) EXPECT_EQ(nameOf(path), expected) << s.step << ": " << path;
  }

  // Watched, a folder's change shows even where its time does not.
  if (!watched) GTEST_SKIP() << "no inotify here: only the folders' times guard what dos keeps";
  EXPECT_EQ(nameOf("Sandbox:Games/theta"), "error 205");
  ASSERT_EQ(rename(box.host("Games/Beta").c_str(), box.host("Games/Theta").c_str()), 0);
  holdStill();
  EXPECT_EQ(nameOf("Sandbox:Games/theta"), "Sandbox:Games/Theta");
  EXPECT_EQ(nameOf("Sandbox:Games/beta"), "error 205");
}

// What Lock and Examine, or Open for reading, make of a path: "Name file",
// "Name drawer", "opened", or "error N".
std::string examined(const char* path) {
  BPTR lock = Lock(path, SHARED_LOCK);
  if (!lock) return "error " + std::to_string(IoErr());
  FileInfoBlock fib{};
  const bool ok = Examine(lock, &fib);
  UnLock(lock);
  if (!ok) return "error " + std::to_string(IoErr());
  return std::string(fib.fib_FileName) + (fib.fib_DirEntryType > 0 ? " drawer" : " file");
}

std::string opened(const char* path) {
  BPTR file = Open(path, MODE_OLDFILE);
  if (!file) return "error " + std::to_string(IoErr());
  Close(file);
  return "opened";
}

TEST_F(DosPathResolution, AFolderReadWhileAnotherChangeIsPendingStillSeesLaterChanges) {
  if (!ostest::foldersAreWatched()) GTEST_SKIP() << "no inotify here";
  EXPECT_EQ(nameOf("Sandbox:Games/missing"), "error 205");  // the names of Games are kept, watched
  box.writeFile("Games/Pending");                           // another program's change waits
  EXPECT_EQ(nameOf("Sandbox:zeta"), "error 205");           // the root's names are read for the first time
  box.writeFile("ZETA");
  EXPECT_EQ(nameOf("Sandbox:zeta"), "Sandbox:ZETA");
}

TEST_F(DosPathResolution, AnswersFromAWatchedFoldersNamesFollowOtherProgramsChanges) {
  // Each step reads Fred's names (a name that is not there), then another
  // program changes the folder; what is kept must not answer for it.
  const auto readNames = [] { EXPECT_EQ(nameOf("Sandbox:Games/Fred/nothing"), "error 205"); };
  BPTR held = ZERO;
  const struct {
    const char* step;
    std::function<void()> change;
    std::vector<std::pair<std::function<std::string()>, const char*>> checks;
  } steps[] = {
      {"unchanged", [] {},
       {{[] { return examined("Sandbox:games/fred/FRED.adf"); }, "Fred.adf file"},
        {[] { return opened("Sandbox:Games/Fred/fred.adf"); }, "opened"},
        {[] { return examined("Sandbox:Games/fred"); }, "Fred drawer"}}},
      {"the file becomes a drawer", [this] {
         ASSERT_EQ(unlink(box.host("Games/Fred/Fred.adf").c_str()), 0);
         box.makeDir("Games/Fred/Fred.adf");
       },
       {{[] { return opened("Sandbox:Games/Fred/Fred.adf"); }, "error 212"},
        {[] { return examined("Sandbox:Games/Fred/fred.adf"); }, "Fred.adf drawer"}}},
      {"two names equal ignoring case come", [this] {
         box.writeFile("Games/Fred/Game.adf");
         box.writeFile("Games/Fred/GAME.ADF");
       },
       {{[] { return examined("Sandbox:Games/Fred/game.adf"); }, "error 205"},
        {[] { return examined("Sandbox:Games/Fred/Game.adf"); }, "Game.adf file"},
        {[] { return opened("Sandbox:Games/Fred/GAME.ADF"); }, "opened"}}},
      {"one of them goes", [this] { ASSERT_EQ(unlink(box.host("Games/Fred/Game.adf").c_str()), 0); },
       {{[] { return examined("Sandbox:Games/Fred/game.adf"); }, "GAME.ADF file"},
        {[] { return opened("Sandbox:Games/Fred/Game.adf"); }, "opened"}}},
      {"a file goes", [this] { ASSERT_EQ(unlink(box.host("Games/Fred/GAME.ADF").c_str()), 0); },
       {{[] { return opened("Sandbox:Games/Fred/game.adf"); }, "error 205"}}},
      // A file beside Fred leaves the watches as they are; Fred moved away
      // and another folder in its place must be watched afresh.
      {"a file comes beside Fred, then Fred goes and another takes its name", [this, &readNames] {
         box.writeFile("Games/Beside.adf");
         readNames();
         ASSERT_EQ(rename(box.host("Games/Fred").c_str(), box.host("Games/Old").c_str()), 0);
         box.makeDir("Games/Fred");
         box.writeFile("Games/Fred/Fred.adf", "disk");
       },
       {{[] { return examined("Sandbox:Games/Fred/fred.adf"); }, "Fred.adf file"},
        {[] { return examined("Sandbox:Games/Beside.adf"); }, "Beside.adf file"}}},
      {"a file comes into the new Fred", [this] { box.writeFile("Games/Fred/Later.adf"); },
       {{[] { return examined("Sandbox:Games/Fred/later.adf"); }, "Later.adf file"}}},
      {"a process of its own makes a file", [this] {
         ASSERT_EQ(std::system(("touch '" + box.host("Games/Fred/Outside.adf") + "'").c_str()), 0);
       },
       {{[] { return examined("Sandbox:Games/Fred/outside.adf"); }, "Outside.adf file"}}},
      {"a locked file is renamed", [this, &held, &readNames] {
         box.writeFile("Games/Fred/Locked.adf");
         readNames();
         held = Lock("Sandbox:Games/Fred/locked.adf", SHARED_LOCK);
         ASSERT_NE(held, ZERO);
         ASSERT_EQ(rename(box.host("Games/Fred/Locked.adf").c_str(), box.host("Games/Fred/Moved.adf").c_str()), 0);
       },
       {{[&held] {
           FileInfoBlock fib{};
           return Examine(held, &fib) ? std::string(fib.fib_FileName) : "error " + std::to_string(IoErr());
         }, "Moved.adf"},
        {[] { return examined("Sandbox:Games/Fred/locked.adf"); }, "error 205"}}},
      {"nothing changes while a file is locked for itself", [&held] {
         UnLock(held);
         held = Lock("Sandbox:Games/Fred/moved.adf", EXCLUSIVE_LOCK);
         ASSERT_NE(held, ZERO);
       },
       {{[] { return opened("Sandbox:Games/Fred/Moved.adf"); }, "error 202"}}},
  };
  for (const auto& s : steps) {
    readNames();
    s.change();
    for (const auto& [check, expected] : s.checks) EXPECT_EQ(check(), expected) << s.step;
  }
  UnLock(held);

  // A volume whose folder went is not mounted, also after its names were kept.
  box.makeDir("Other/Inside");
  ostest::mountVolume("Other", box.host("Other").c_str());
  EXPECT_EQ(nameOf("Other:nothing"), "error 205");
  EXPECT_EQ(nameOf("Other:Inside/nothing"), "error 205");
  ASSERT_EQ(rmdir(box.host("Other/Inside").c_str()), 0);
  ASSERT_EQ(rmdir(box.host("Other").c_str()), 0);
  EXPECT_EQ(examined("Other:nothing"), "error 218");
  EXPECT_EQ(examined("Other:Inside/nothing"), "error 218");
}

TEST_F(DosPathResolution, ListedKindAnswersOnlyWhatLockAndExamineWouldSay) {
  if (!ostest::foldersAreWatched()) GTEST_SKIP() << "no inotify here: ListedKind never answers";
  box.makeDir("Games/Fred/Sub");
  ASSERT_EQ(symlink("Fred.adf", box.host("Games/Fred/Link").c_str()), 0);
  const char* const paths[] = {"Sandbox:Games/Fred/Fred.adf", "Sandbox:games/FRED/fred.ADF", "Sandbox:Games/Fred/Sub/",
                               "Sandbox:Games/Fred/sub",      "Sandbox:Games/Fred/Link",     "Sandbox:Games/Fred/new.adf",
                               "Sandbox:Games/Fred/Dup",      "Sandbox:Games/Fred/dup",      "Sandbox:Games/Fred//Fred",
                               "Sandbox:Games",               "Sandbox:Games/Fred/Sub/x"};
  // What Lock and Examine make of a path: ST_FILE, ST_USERDIR, 0 when there
  // is nothing to lock.
  const auto lockedKind = [](const char* path) {
    BPTR lock = Lock(path, SHARED_LOCK);
    if (!lock) return 0;
    FileInfoBlock fib{};
    EXPECT_TRUE(Examine(lock, &fib)) << path;
    UnLock(lock);
    return fib.fib_DirEntryType > 0 ? ST_USERDIR : ST_FILE;
  };
  const struct {
    const char* step;
    std::function<void()> change;
    int answersAtLeast;  // paths ListedKind must answer for once the folder was looked into
  } steps[] = {
      {"unchanged", [] {}, 6},
      {"another program changes a name's case", [this] {
         ASSERT_EQ(rename(box.host("Games/Fred/Fred.adf").c_str(), box.host("Games/Fred/FRED.ADF").c_str()), 0);
       }, 6},
      {"and adds a name equal to it ignoring case", [this] { box.writeFile("Games/Fred/fred.adf"); }, 3},
      {"and makes the drawer a file and adds what was missing", [this] {
         ASSERT_EQ(rmdir(box.host("Games/Fred/Sub").c_str()), 0);
         box.writeFile("Games/Fred/Sub");
         box.writeFile("Games/Fred/NEW.ADF");
         box.writeFile("Games/Fred/Dup");
         box.writeFile("Games/Fred/DUP");
       }, 3},
  };
  for (const auto& s : steps) {
    // Looking into the folder, by names that are there, twice: from then on
    // its listing answers while nothing changes.
    lockedKind("Sandbox:Games/Fred/Sub");
    lockedKind("Sandbox:Games/Fred/Link");
    s.change();
    int answered = 0;
    for (int pass = 0; pass < 2; ++pass) {
      // First right after the change, then after Lock looked at each path.
      for (const char* path : paths) {
        int32_t kind = -1;
        if (!ListedKind(path, &kind)) continue;
        answered += pass;
        EXPECT_EQ(kind, lockedKind(path)) << s.step << ": " << path << (pass ? " (looked at)" : " (at once)");
      }
      for (const char* path : paths) lockedKind(path);
    }
    EXPECT_GE(answered, s.answersAtLeast) << s.step;
  }
  // A failure injected for Lock is left for the Lock that the caller makes.
  ostest::failNextCall("Lock", ERROR_OBJECT_IN_USE);
  int32_t kind = 0;
  EXPECT_FALSE(ListedKind("Sandbox:Games/Fred/Sub", &kind));
  EXPECT_EQ(Lock("Sandbox:Games/Fred/Sub", SHARED_LOCK), ZERO);
  EXPECT_TRUE(ListedKind("Sandbox:Games/Fred/Sub", &kind));
  EXPECT_EQ(kind, ST_FILE);
}

TEST_F(DosPathResolution, UnknownVolumesFailWith218AndAskOnlyWhenRequestersAreAllowed) {
  EXPECT_EQ(nameOf("NoSuchDisk:x"), "error 218");
  EXPECT_EQ(ostest::insertVolumeRequesters(), 1);
  EXPECT_STREQ(ostest::lastRequestedVolume(), "NoSuchDisk");

  auto* me = reinterpret_cast<Process*>(FindTask(nullptr));
  const APTR window = me->pr_WindowPtr;
  me->pr_WindowPtr = reinterpret_cast<APTR>(-1);
  EXPECT_EQ(nameOf("OtherDisk:"), "error 218");
  EXPECT_EQ(DeleteFile("OtherDisk:x"), false);
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  me->pr_WindowPtr = window;
  EXPECT_EQ(ostest::insertVolumeRequesters(), 1);

  EXPECT_EQ(CreateDir("ThirdDisk:x"), ZERO);
  EXPECT_EQ(ostest::insertVolumeRequesters(), 2);
}

TEST_F(DosPathResolution, LinuxPathsAreNamedByTheLongestVolumeRootOrAssignFolder) {
  box.writeFile("home/Games/x.adf", "");
  box.writeFile("progdir/Ludex.list", "");
  EXPECT_EQ(AmigaPathOfHostPath(box.host("home/Games/x.adf").c_str()), "Home:Games/x.adf");
  EXPECT_EQ(AmigaPathOfHostPath(box.host("home").c_str()), "Home:");
  EXPECT_EQ(AmigaPathOfHostPath(box.host("Games/Fred/").c_str()), "Sandbox:Games/Fred");
  EXPECT_EQ(AmigaPathOfHostPath(box.host("progdir/Ludex.list").c_str()), "PROGDIR:Ludex.list");
  EXPECT_EQ(AmigaPathOfHostPath("/"), "Root:");
  EXPECT_EQ(AmigaPathOfHostPath("/usr"), "Root:usr");
  // A volume root that is a prefix of a name is not a match: "/sandbox/homework" is no part of Home:.
  box.makeDir("homework");
  EXPECT_EQ(AmigaPathOfHostPath(box.host("homework").c_str()), "Sandbox:homework");
  EXPECT_EQ(nameOf("PROGDIR:Ludex.list"), "PROGDIR:Ludex.list");

  std::string host;
  ASSERT_TRUE(HostPathOfAmigaPath("Home:games/X.ADF", false, host));
  EXPECT_EQ(host, box.host("home/Games/x.adf"));
  ASSERT_TRUE(HostPathOfAmigaPath("Home:Games/new.adf", true, host));
  EXPECT_EQ(host, box.host("home/Games/new.adf"));
  EXPECT_FALSE(HostPathOfAmigaPath("Home:Games/new.adf", false, host));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(DosPathResolution, AnAssignOfSeveralFoldersFindsInEachAndCreatesInTheFirst) {
  box.writeFile("one/a", "");
  box.writeFile("two/b", "");
  box.makeDir("two/sub");
  ostest::assignFolders("Both", {box.host("one").c_str(), box.host("two").c_str()});
  EXPECT_EQ(nameOf("Both:a"), "Both:a");
  EXPECT_EQ(nameOf("both:B"), "Both:b");
  EXPECT_EQ(nameOf("Both:c"), "error 205");
  EXPECT_EQ(nameOf("Both:"), "Both:");
  EXPECT_EQ(nameOf("Both:/two"), "Sandbox:two");  // the parent of an assign folder

  BPTR made = CreateDir("Both:new");
  ASSERT_NE(made, ZERO);
  UnLock(made);
  EXPECT_TRUE(box.exists("one/new"));
  made = CreateDir("Both:sub/deeper");  // its folder exists only in the second
  ASSERT_NE(made, ZERO);
  UnLock(made);
  EXPECT_TRUE(box.exists("two/sub/deeper"));
}

// One file has one name, however it is reached: through Root:, a parent
// folder, a link, a volume or an assign whose folder holds it. The most
// specific folder names it; a volume before an assign of the same folder; an
// assign's later folder only where the name leads back there.
TEST_F(DosPathResolution, EveryWayToAFileGivesItsOneName) {
  for (const char* file : {"top/games/ADF/Echo.adf", "top/games/Saves/s1", "top/work/x.txt", "top/work/deep/w.txt",
                           "top/libs1/both", "top/libs2/both", "top/libs2/only2"})
    box.writeFile(file, "x");
  ASSERT_EQ(symlink("games", box.host("top/link").c_str()), 0);
  ostest::mountVolume("Games", box.host("top/games").c_str());
  ostest::assignFolders("Same", {box.host("top/games").c_str()});  // the folder of a volume
  ostest::assignFolders("Saves", {box.host("top/games/Saves").c_str()});
  ostest::assignFolders("Work", {box.host("top/work").c_str()});
  ostest::assignFolders("Deep", {box.host("top/work/deep").c_str()});
  ostest::assignFolders("Libs", {box.host("top/libs1").c_str(), box.host("top/libs2").c_str()});
  const std::string root = "Root:" + box.root().substr(1) + "/";

  const struct {
    std::string amiga;  // a way in as an Amiga path
    std::string linuxPath;  // the same as a Linux path, below the sandbox
    const char* name;
  } cases[] = {
      {"Games:ADF/Echo.adf", "top/games/ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {root + "top/games/ADF/Echo.adf", "top/games/ADF/../ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {"Sandbox:top/games/ADF/Echo.adf", "top//games/ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {"Sandbox:top/link/ADF/Echo.adf", "top/link/ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {"Sandbox:top/games/ADF//ADF/Echo.adf", "top/./games/ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {"Same:ADF/Echo.adf", "top/games/ADF/Echo.adf", "Games:ADF/Echo.adf"},
      {root + "top/link", "top/games", "Games:"},
      {"Games:Saves/s1", "top/games/Saves/s1", "Saves:s1"},  // an assign inside a volume
      {"Sandbox:top/work/deep/w.txt", "top/work/deep/w.txt", "Deep:w.txt"},  // nested assigns
      {"Work:deep/w.txt", "top/work/deep/w.txt", "Deep:w.txt"},
      {"Work:deep/", "top/work/deep/", "Deep:"},
      {root + "top/work/x.txt", "top/work/x.txt", "Work:x.txt"},
      {"Sandbox:top/libs2/only2", "top/libs2/only2", "Libs:only2"},
      {"Sandbox:top/libs2/both", "top/libs2/both", "Sandbox:top/libs2/both"},  // Libs:both is libs1's
      {"Libs:both", "top/libs1/both", "Libs:both"},
      {"Sandbox:top", "top", "Sandbox:top"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.amiga + " / " + c.linuxPath);
    EXPECT_EQ(nameOf(c.amiga.c_str()), c.name);
    EXPECT_EQ(AmigaPathOfHostPath(box.host(c.linuxPath).c_str()), c.name);
    BPTR fh = Open(c.amiga.c_str(), MODE_OLDFILE);
    if (!fh) continue;  // a folder
    char name[512];
    EXPECT_TRUE(NameFromFH(fh, name, sizeof name));
    EXPECT_STREQ(name, c.name);
    Close(fh);
  }
}

TEST_F(DosPathResolution, VolumesAndAssignsComeFromTheEnvironment) {
  box.makeDir("games");
  box.writeFile("extra1/x", "");
  box.writeFile("extra2/y", "");
  const std::string volumes = "Games=" + box.host("games") + ";bad;=/x;Rel=relative";
  const std::string assigns = "Libs=" + box.host("extra1") + ";Libs=" + box.host("extra2");
  ScopedEnv v("LUDEX_VOLUMES", volumes.c_str()), a("LUDEX_ASSIGNS", assigns.c_str());
  ostest::resetDos();
  ostest::mountVolume("Sandbox", box.root().c_str());

  EXPECT_EQ(nameOf("GAMES:"), "Games:");
  EXPECT_EQ(nameOf("Libs:x"), "Libs:x");
  EXPECT_EQ(nameOf("Libs:y"), "Libs:y");
  EXPECT_EQ(nameOf("Rel:"), "error 218");
  EXPECT_EQ(nameOf("Root:"), "Root:");
}

TEST_F(DosPathResolution, ProgdirIsMadeWhenFirstWrittenToAndFallsBackToTheProgramFolder) {
  ScopedEnv home("HOME", box.host("home").c_str()), ludexHome("LUDEX_HOME", nullptr);
  ostest::resetDos();
  ostest::mountVolume("Sandbox", box.root().c_str());

  // The second folder is the program's own: the test program is found there.
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  exe[n] = '\0';
  const std::string exeName = std::string(exe).substr(std::string(exe).rfind('/') + 1);
  BPTR shipped = Lock(("PROGDIR:" + exeName).c_str(), SHARED_LOCK);
  EXPECT_NE(shipped, ZERO);
  UnLock(shipped);
  EXPECT_EQ(nameOf("PROGDIR:Missing"), "error 205");
  EXPECT_FALSE(box.exists("home/.local/share/ludex"));  // looking made nothing

  BPTR made = CreateDir("PROGDIR:Covers");
  ASSERT_NE(made, ZERO) << IoErr();
  UnLock(made);
  EXPECT_TRUE(box.exists("home/.local/share/ludex/Covers"));
  EXPECT_EQ(nameOf("PROGDIR:Covers"), "PROGDIR:Covers");

  made = CreateDir("ENVARC:AppDir");
  ASSERT_NE(made, ZERO) << IoErr();
  UnLock(made);
  EXPECT_TRUE(box.exists("home/.config/ludex/ENVARC/AppDir"));
}

// LUDEX_HOME names the program folder; a relative one is taken from the
// current folder, and that is said in one line; an empty one is unset.
TEST_F(DosPathResolution, LudexHomeTakesThePlaceOfTheDefaultProgramFolder) {
  box.writeFile("own/Ludex.list", "");
  box.writeFile("home/.local/share/ludex/Ludex.list", "");
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  ASSERT_EQ(chdir(box.root().c_str()), 0);
  const std::string own = box.host("own");
  struct Case {
    std::string value;
    std::string listFile;  // the Linux file PROGDIR:Ludex.list is
    std::string said;  // on standard error
  };
  const Case cases[] = {
      {own, own + "/Ludex.list", ""},
      {"own", own + "/Ludex.list", "dos: LUDEX_HOME \"own\" is relative: PROGDIR: is " + own + "\n"},
      {"./own/", own + "/Ludex.list", "dos: LUDEX_HOME \"./own/\" is relative: PROGDIR: is " + own + "\n"},
      {"", box.host("home/.local/share/ludex/Ludex.list"), ""},
  };
  for (const Case& c : cases) {
    ScopedEnv home("HOME", box.host("home").c_str()), ludexHome("LUDEX_HOME", c.value.c_str());
    testing::internal::CaptureStderr();
    ostest::resetDos();
    ostest::mountVolume("Sandbox", box.root().c_str());
    std::string listFile;
    EXPECT_TRUE(HostPathOfAmigaPath("PROGDIR:Ludex.list", false, listFile)) << c.value;
    EXPECT_EQ(listFile, c.listFile) << c.value;
    EXPECT_EQ(nameOf("PROGDIR:Ludex.list"), "PROGDIR:Ludex.list") << c.value;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said) << c.value;
  }
  ASSERT_EQ(chdir(before), 0);
}

TEST_F(DosPathResolution, TheTemporaryFolderMustBeAPrivateFolderOfTheUserAndNoLink) {
  const std::string runtime = box.host("runtime");
  box.makeDir("runtime");
  chmod(runtime.c_str(), 0700);
  ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.c_str());
  ostest::resetDos();
  ostest::mountVolume("Home", box.host("home").c_str());

  BPTR made = CreateDir("T:work");
  ASSERT_NE(made, ZERO) << IoErr();
  UnLock(made);
  struct stat st;
  ASSERT_EQ(stat((runtime + "/ludex/T").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_TRUE(box.exists("runtime/ludex/T/work"));

  // Someone swaps the folder for a link to another place: T: is no longer used.
  box.makeDir("elsewhere");
  ASSERT_EQ(rename((runtime + "/ludex/T").c_str(), box.host("oldT").c_str()), 0);
  ASSERT_EQ(symlink(box.host("elsewhere").c_str(), (runtime + "/ludex/T").c_str()), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(CreateDir("T:work2"), ZERO);
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("not a private folder"), std::string::npos);
  EXPECT_FALSE(box.exists("elsewhere/work2"));

  // A folder that others may enter is refused as well.
  ASSERT_EQ(unlink((runtime + "/ludex/T").c_str()), 0);
  box.makeDir("runtime/ludex/T");
  chmod((runtime + "/ludex/T").c_str(), 0755);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Lock("T:", SHARED_LOCK), ZERO);
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  testing::internal::GetCapturedStderr();
}

TEST_F(DosPathResolution, SoftLinksAreFollowedOnTheWayAndTheLockIsOnTheTarget) {
  ASSERT_EQ(symlink("Games/Fred", box.host("FredLink").c_str()), 0);
  EXPECT_EQ(nameOf("Sandbox:FredLink/Fred.adf"), "Sandbox:Games/Fred/Fred.adf");
  EXPECT_EQ(nameOf("Sandbox:fredlink"), "Sandbox:Games/Fred");
  ASSERT_EQ(symlink("Nowhere", box.host("Dangling").c_str()), 0);
  EXPECT_EQ(nameOf("Sandbox:Dangling"), "error 205");
}

}  // namespace
