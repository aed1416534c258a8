// Path operations on a sandbox volume: existence by kind and without
// requesters, deleting and renaming with and without force, absolute paths,
// unused names and links. The fixture checks that nothing is left behind.
#include "files/path_operations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <regex>
#include <string>

#include "core/exception.h"
#include "files/extra_ids.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return IdText(e.id()) + " " + (e.message() ? e.message() : "");
  }
  return "no error";
}

class PathOperations : public DosLayerTest {
 protected:
  void SetUp() override {
    box.writeFile("Games/Fred", "fred");
    box.makeDir("Games/Sub");
    ASSERT_TRUE(MakeLink("Sandbox:gamelink", "Sandbox:Games", LINK_SOFT));
    DosLayerTest::SetUp();
  }
  void TearDown() override {
    ostest::clearFailures();
    DosLayerTest::TearDown();
  }
  bool xattrs() const { return ostest::hasExtendedAttributes(box.root().c_str()); }
  // The protection word of an object, -1 when it cannot be examined.
  static int32_t protectionOf(const char* host) {
    const BPTR lock = Lock(host, SHARED_LOCK);
    if (!lock) return -1;
    FileInfoBlock fib{};
    const bool examined = Examine(lock, &fib);
    UnLock(lock);
    return examined ? fib.fib_Protection : -1;
  }
};

TEST_F(PathOperations, ExistsByKindOfPath) {
  struct Case {
    const char* path;
    bool ofItsKind, ofAnyKind;
  };
  const Case cases[] = {
      {"Sandbox:/Games", false, true},       {"Sandbox:/Games/", true, true},
      {"Sandbox:/Games/Fred", true, true},   {"Sandbox:/Games/Fred/", false, true},
      {"Sandbox:/games/FRED", true, true},   {"Games/Sub/", true, true},
      {"", true, true},                      {"Sandbox:/", true, true},
      {"Sandbox:/gamelink", false, true},    {"Sandbox:/gamelink/", true, true},
      {"Sandbox:/missing", false, false},    {"Sandbox:/missing/", false, false},
      {"Sandbox:/Games/Fred/x", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExistsPath(c.path, false), c.ofItsKind) << c.path;
    EXPECT_EQ(ExistsPath(c.path, true), c.ofAnyKind) << c.path;
  }
}

TEST_F(PathOperations, VolumeNotMountedIsMissingAndAsksForNothing) {
  const int32_t before = ostest::insertVolumeRequesters();
  EXPECT_FALSE(ExistsPath("Nowhere:/Games/", false));
  EXPECT_FALSE(ExistsPath("Nowhere:/Games/Fred", true));
  EXPECT_EQ(ostest::insertVolumeRequesters(), before);
  // The counter does see a requester when one is shown.
  UnLock(Lock("Nowhere:x", SHARED_LOCK));
  EXPECT_EQ(ostest::insertVolumeRequesters(), before + 1);
}

TEST_F(PathOperations, LockErrorsDecideExistence) {
  struct Case {
    int32_t error;
    const char* path;
    bool exists;
  };
  const Case cases[] = {
      {ERROR_OBJECT_NOT_FOUND, "Sandbox:/Games/", false},
      {ERROR_DEVICE_NOT_MOUNTED, "Sandbox:/Games/", false},
      {4, "Sandbox:/Games/", false},
      {ERROR_OBJECT_IN_USE, "Sandbox:/Games/", true},
      {ERROR_OBJECT_IN_USE, "FTP:/pub/", false},
      {ERROR_OBJECT_IN_USE, "ftpmount:/pub/x", false},
      {ERROR_OBJECT_IN_USE, "FTPServer:/pub/x", true},
      {ERROR_READ_PROTECTED, "FTP:/pub/", true},
      {ERROR_READ_PROTECTED, "Sandbox:/Games/Fred", true},
  };
  for (const Case& c : cases) {
    for (const bool anyType : {false, true}) {
      ostest::failNextCall("Lock", c.error);
      EXPECT_EQ(ExistsPath(c.path, anyType), c.exists) << c.path << " " << c.error;
    }
  }
}

TEST_F(PathOperations, NetworkPathsMustBeExaminable) {
  box.writeFile("ftp/file", "x");
  ostest::mountVolume("FTP", box.host("ftp").c_str());
  ostest::mountVolume("FTPMount", box.host("ftp").c_str());
  for (const char* path : {"FTP:/file", "FTPMOUNT:/file", "Sandbox:/Games/Fred"}) {
    EXPECT_TRUE(ExistsPath(path, true)) << path;
    ostest::failNextCall("Examine", ERROR_OBJECT_NOT_FOUND);
    const bool onNetwork = path[0] == 'F';
    EXPECT_EQ(ExistsPath(path, true), !onNetwork) << path;
    ostest::clearFailures();
  }
  ostest::dismountVolume("FTP");
  ostest::dismountVolume("FTPMount");
}

TEST_F(PathOperations, ArgumentErrors) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { ExistsPath(nullptr, true); }, " EPU cPath; ExistsPath(); path=NIL"},
      {[] { DeletePath(nullptr, true, true); }, " EPU cPath; DeletePath(); path=NIL"},
      {[] { RenamePath(nullptr, "Sandbox:/x", false); }, " EPU cPath; RenamePath(); from=NIL"},
      {[] { RenamePath("Sandbox:/Games/Fred", nullptr, false); }, " EPU cPath; RenamePath(); to=NIL"},
      {[] { DisposeString(ExpandPath(nullptr)); }, " EPU cPath; ExpandPath(); path=NIL"},
      {[] { DisposeString(ReadLink(nullptr)); }, " EPU cPath; ReadLink(); path=NIL"},
      {[] { CreateLink(nullptr, "Sandbox:/x", EXTRA_SLNK); }, " EPU cPath; CreateLink(); link=NIL"},
      {[] { CreateLink("Sandbox:/x", nullptr, EXTRA_SLNK); }, " EPU cPath; CreateLink(); target=NIL"},
      {[] { DisposeString(MakeUniquePath(0, "Sandbox:/", nullptr)); }, " EMU cPath; MakeUniquePath(); file1dir2 <> 1 or 2"},
      {[] { DisposeString(MakeUniquePath(3, "Sandbox:/", nullptr)); }, " EMU cPath; MakeUniquePath(); file1dir2 <> 1 or 2"},
      {[] { DisposeString(MakeUniquePath(1, nullptr, nullptr)); }, " EPU cPath; MakeUniquePath(); base=NIL"},
      // Paths that are not canonical.
      {[] { ExistsPath("Sandbox:Games", true); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { DeletePath("Sandbox:", true, true); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { RenamePath("Sandbox:/Games/Fred", "Sandbox:x", true); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { DisposeString(ExpandPath("Sandbox:Games/")); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { DisposeString(ReadLink("Sandbox:x")); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { CreateLink("Sandbox:/x", "Sandbox:y", EXTRA_SLNK); }, " EPU cPath(); ExportPath(); path is invalid"},
  };
  for (const auto& [call, message] : cases) EXPECT_EQ(errorOf(call), message);
  EXPECT_FALSE(box.exists("x"));
}

TEST_F(PathOperations, DeleteOnlyWhatThePathSays) {
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred/", false, false));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred/", true, false));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Sub", false, false));
  EXPECT_TRUE(box.exists("Games/Fred"));
  EXPECT_TRUE(box.exists("Games/Sub"));
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Fred/", false, true));
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Sub", true, true));
  EXPECT_FALSE(box.exists("Games/Fred"));
  EXPECT_FALSE(box.exists("Games/Sub"));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", false, true));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", true, false));
}

TEST_F(PathOperations, DeleteWithForceTakesProtectedObjects) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  ASSERT_TRUE(SetProtection("Sandbox:Games/Fred", FIBF_DELETE | FIBF_WRITE));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", false, false));
  EXPECT_TRUE(box.exists("Games/Fred"));
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Fred", true, false));
  EXPECT_FALSE(box.exists("Games/Fred"));
}

TEST_F(PathOperations, FailedForcedDeleteKeepsTheProtection) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  box.writeFile("Games/Sub/inside", "x");
  const int32_t protection = FIBF_DELETE | FIBF_WRITE | FIBF_ARCHIVE;
  ASSERT_TRUE(SetProtection("Sandbox:Games/Sub", protection));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Sub/", true, false));
  EXPECT_EQ(IoErr(), ERROR_DIRECTORY_NOT_EMPTY);
  EXPECT_EQ(protectionOf("Sandbox:Games/Sub"), protection);
  // A file held open is refused as well, and keeps its bits.
  ostest::setStrictMode(true);
  ASSERT_TRUE(SetProtection("Sandbox:Games/Fred", FIBF_DELETE));
  const BPTR handle = Open("Sandbox:Games/Fred", MODE_OLDFILE);
  ASSERT_NE(handle, ZERO);
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", true, false));
  Close(handle);
  ostest::setStrictMode(false);
  EXPECT_EQ(protectionOf("Sandbox:Games/Fred"), FIBF_DELETE);
}

TEST_F(PathOperations, ForcedDeleteOfALinkLeavesTheTargetAlone) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  ASSERT_TRUE(SetProtection("Sandbox:Games/Fred", FIBF_DELETE));
  ASSERT_TRUE(MakeLink("Sandbox:fredlink", "Sandbox:Games/Fred", LINK_SOFT));
  EXPECT_TRUE(DeletePath("Sandbox:/fredlink", true, false));
  EXPECT_FALSE(box.exists("fredlink"));
  EXPECT_EQ(protectionOf("Sandbox:Games/Fred"), FIBF_DELETE);
}

TEST_F(PathOperations, RenameRefusesProtectedObjectsWithoutForce) {
  EXPECT_TRUE(RenamePath("Sandbox:/Games/Fred", "Sandbox:/Games/Barney", false));
  EXPECT_TRUE(box.exists("Games/Barney"));
  EXPECT_FALSE(RenamePath("Sandbox:/Games/Fred", "Sandbox:/Games/Wilma", true));  // gone
  box.writeFile("Games/Wilma", "w");
  EXPECT_FALSE(RenamePath("Sandbox:/Games/Barney", "Sandbox:/Games/Wilma", true));  // taken
  EXPECT_EQ(box.readFile("Games/Wilma"), "w");
  EXPECT_TRUE(RenamePath("Sandbox:/Games/Sub/", "Sandbox:/Sub/", false));
  EXPECT_TRUE(box.exists("Sub"));
  if (!xattrs()) return;
  for (const int32_t bit : {FIBF_WRITE, FIBF_READ}) {
    ASSERT_TRUE(SetProtection("Sandbox:Games/Barney", bit));
    EXPECT_FALSE(RenamePath("Sandbox:/Games/Barney", "Sandbox:/Games/Betty", false)) << bit;
    EXPECT_TRUE(box.exists("Games/Barney"));
    EXPECT_TRUE(RenamePath("Sandbox:/Games/Barney", "Sandbox:/Games/Betty", true)) << bit;
    EXPECT_EQ(protectionOf("Sandbox:Games/Betty"), bit);
    ASSERT_TRUE(RenamePath("Sandbox:/Games/Betty", "Sandbox:/Games/Barney", true));
  }
}

TEST_F(PathOperations, CurrentDirectoryAndAbsolutePaths) {
  EXPECT_EQ(take(CurrentDirPath()), "Sandbox:/");
  const BPTR games = Lock("Sandbox:Games", SHARED_LOCK);
  ASSERT_NE(games, ZERO);
  const BPTR old = CurrentDir(games);
  const std::pair<const char*, const char*> cases[] = {
      {"Fred", "Sandbox:/Games/Fred"},
      {"Sub/", "Sandbox:/Games/Sub/"},
      {"", "Sandbox:/Games/"},
      {"/Games/Fred", "Sandbox:/Games/Fred"},
      {"nothing", "Sandbox:/Games/nothing"},
      {"nothing/", "Sandbox:/Games/nothing/"},
      {"SANDBOX:/games/fred", "Sandbox:/Games/Fred"},
      {"Sandbox:/gamelink/", "Sandbox:/Games/"},
      {"Sandbox:/gamelink/Fred", "Sandbox:/Games/Fred"},
      {"Sandbox:/gamelink/none", "Sandbox:/gamelink/none"},
  };
  EXPECT_EQ(take(CurrentDirPath()), "Sandbox:/Games/");
  for (auto [path, expanded] : cases) EXPECT_EQ(take(ExpandPath(path)), expanded) << path;
  UnLock(CurrentDir(old));
}

TEST_F(PathOperations, CurrentDirWithoutAName) {
  ostest::failNextCall("NameFromLock", ERROR_OBJECT_NOT_FOUND);
  EXPECT_EQ(errorOf([] { DisposeString(CurrentDirPath()); }),
            "FILE cPath; CurrentDirPath(); strSafeGetNameOfCurrentDir() failed");
}

TEST_F(PathOperations, UniquePathsAreUnusedAndFollowTheSeed) {
  cPath_randomSeed = 12345;
  const std::string dir = take(MakeUniquePath(2, "Sandbox:/", nullptr));
  std::smatch m;
  ASSERT_TRUE(std::regex_match(dir, m, std::regex("Sandbox:/TMP([0-9a-f]+)/"))) << dir;
  EXPECT_EQ(cPath_randomSeed, std::strtoul(m[1].str().c_str(), nullptr, 16));
  const std::string file = take(MakeUniquePath(1, "Sandbox:/Games/", "x"));
  EXPECT_TRUE(std::regex_match(file, std::regex("Sandbox:/Games/x[0-9a-f]+"))) << file;

  // The same seed gives the same path, unless it is taken (by either kind).
  cPath_randomSeed = 777;
  const std::string first = take(MakeUniquePath(1, "Sandbox:/", "t"));
  cPath_randomSeed = 777;
  EXPECT_EQ(take(MakeUniquePath(1, "Sandbox:/", "t")), first);
  box.makeDir(first.substr(std::string("Sandbox:/").size()));
  cPath_randomSeed = 777;
  const std::string second = take(MakeUniquePath(1, "Sandbox:/", "t"));
  EXPECT_NE(second, first);
  EXPECT_FALSE(ExistsPath(second.c_str(), true));

  // Every 32-bit seed is usable, the most negative one included.
  cPath_randomSeed = 0x80000000u;
  EXPECT_TRUE(std::regex_match(take(MakeUniquePath(1, "Sandbox:/", nullptr)), std::regex("Sandbox:/TMP[0-9a-f]+")));
  EXPECT_LE(cPath_randomSeed, static_cast<uint32_t>(RAND_MAX));
}

TEST_F(PathOperations, UniquePathGivesUpAfter999TakenNames) {
  // Every name "exists": the lock fails with an error that says something is there.
  for (int i = 0; i < 999; ++i) ostest::failNextCall("Lock", ERROR_OBJECT_IN_USE);
  EXPECT_EQ(errorOf([] { DisposeString(MakeUniquePath(1, "Sandbox:/", nullptr)); }),
            " BUG cPath; MakeUniquePath(); retry limit exceeded, possibly due to a buggy filing system");
  // Exactly 999 tries: no injected failure is left over.
  const BPTR lock = Lock("Sandbox:", SHARED_LOCK);
  EXPECT_NE(lock, ZERO);
  UnLock(lock);
}

TEST_F(PathOperations, LinksMadeAndRead) {
  bool badId = true;
  EXPECT_TRUE(CreateLink("Sandbox:/soft", "Sandbox:/Games/Fred", EXTRA_SLNK, &badId));
  EXPECT_FALSE(badId);
  EXPECT_TRUE(CreateLink("Sandbox:/softdir/", "Sandbox:/Games/Sub/", EXTRA_SLNK));
  EXPECT_TRUE(CreateLink("Sandbox:/hard", "Sandbox:/Games/Fred", EXTRA_HLNK));
  EXPECT_FALSE(CreateLink("Sandbox:/soft", "Sandbox:/Games/Sub/", EXTRA_SLNK));  // taken
  EXPECT_FALSE(CreateLink("Sandbox:/hard2", "Sandbox:/Games/none", EXTRA_HLNK));  // no target

  struct Case {
    const char* path;
    const char* target;
    int32_t id;
  };
  const Case cases[] = {
      {"Sandbox:/soft", "Sandbox:/Games/Fred", EXTRA_SLNK},
      {"Sandbox:/softdir/", "Sandbox:/Games/Sub/", EXTRA_SLNK},
      {"Sandbox:/gamelink/", "Sandbox:/Games/", EXTRA_SLNK},
      {"Sandbox:/Games/Fred", "<NIL>", 0},
      {"Sandbox:/Games/", "<NIL>", 0},
      {"Sandbox:/none", "<NIL>", 0},
  };
  for (const Case& c : cases) {
    int32_t id = -1;
    EXPECT_EQ(take(ReadLink(c.path, &id)), c.target) << c.path;
    EXPECT_EQ(id, c.id) << c.path;
  }
  int32_t id = 0;
  const std::string hardTarget = take(ReadLink("Sandbox:/hard", &id));
  EXPECT_EQ(id, EXTRA_HLNK) << hardTarget;
  EXPECT_EQ(box.readFile("hard"), "fred");

  badId = false;
  EXPECT_FALSE(CreateLink("Sandbox:/other", "Sandbox:/Games/Fred", EXTRA_COMM, &badId));
  EXPECT_TRUE(badId);
  EXPECT_FALSE(box.exists("other"));
}

}  // namespace
