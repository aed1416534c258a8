// Path operations on a sandbox volume. The fixture checks that no lock, DOS
// object, string or window pointer change is left behind.
#include "files/paths/path_operations.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "core/exception.h"
#include "core/time_count.h"
#include "files/paths/extra_ids.h"
#include "tests/files/dos_layer_fixture.h"
#include "tests/files/error_text.h"

namespace {

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
    ostest::setStrictMode(false);
    DosLayerTest::TearDown();
  }
  bool xattrs() const { return ostest::hasExtendedAttributes(box.root().c_str()); }
  static int32_t protectionOf(const char* host) {
    FileInfoBlock fib{};
    const BPTR lock = Lock(host, SHARED_LOCK);
    const bool examined = lock && Examine(lock, &fib);
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
      {"Sandbox:/Games", false, true},     {"Sandbox:/Games/", true, true},  {"Sandbox:/games/FRED", true, true},
      {"Sandbox:/Games/Fred/", false, true}, {"Games/Sub/", true, true},     {"", true, true},
      {"Sandbox:/gamelink", false, true},  {"Sandbox:/gamelink/", true, true}, {"Sandbox:/missing/", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExistsPath(c.path, false), c.ofItsKind) << c.path;
    EXPECT_EQ(ExistsPath(c.path, true), c.ofAnyKind) << c.path;
  }
  // Not mounted: missing, and no requester asks for the volume.
  const int32_t requesters = ostest::insertVolumeRequesters();
  EXPECT_FALSE(ExistsPath("Nowhere:/Games/", true));
  EXPECT_EQ(ostest::insertVolumeRequesters(), requesters);
  UnLock(Lock("Nowhere:x", SHARED_LOCK));  // the counter does count a shown one
  EXPECT_EQ(ostest::insertVolumeRequesters(), requesters + 1);
}

TEST_F(PathOperations, LockErrorsDecideExistence) {
  struct Case {
    int32_t error;
    const char* path;
    bool exists;
  };
  const Case cases[] = {
      {ERROR_OBJECT_NOT_FOUND, "Sandbox:/Games/", false}, {ERROR_DEVICE_NOT_MOUNTED, "Sandbox:/Games/", false},
      {4, "Sandbox:/Games/", false},                      {ERROR_OBJECT_IN_USE, "Sandbox:/Games/", true},
      {ERROR_OBJECT_IN_USE, "FTP:/pub/", false},          {ERROR_OBJECT_IN_USE, "ftpmount:/pub/x", false},
      {ERROR_OBJECT_IN_USE, "FTPServer:/pub/x", true},    {ERROR_READ_PROTECTED, "FTP:/pub/", true},
  };
  for (const Case& c : cases) {
    ostest::failNextCall("Lock", c.error);
    EXPECT_EQ(ExistsPath(c.path, true), c.exists) << c.path << " " << c.error;
  }
  // On a network filing system a lock alone is no proof.
  ostest::mountVolume("FTP", box.host("Games").c_str());
  for (const char* path : {"FTP:/Fred", "Sandbox:/Games/Fred"}) {
    ostest::failNextCall("Examine", ERROR_OBJECT_NOT_FOUND);
    EXPECT_EQ(ExistsPath(path, true), path[0] == 'S') << path;
    ostest::clearFailures();
  }
  ostest::dismountVolume("FTP");
}

TEST_F(PathOperations, ArgumentErrors) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { ExistsPath(nullptr, true); }, " EPU cPath; ExistsPath(); path=NIL"},
      {[] { DeletePath(nullptr, true, true); }, " EPU cPath; DeletePath(); path=NIL"},
      {[] { RenamePath(nullptr, "x", false); }, " EPU cPath; RenamePath(); from=NIL"},
      {[] { RenamePath("x", nullptr, false); }, " EPU cPath; RenamePath(); to=NIL"},
      {[] { DisposeString(ExpandPath(nullptr)); }, " EPU cPath; ExpandPath(); path=NIL"},
      {[] { DisposeString(ReadLink(nullptr)); }, " EPU cPath; ReadLink(); path=NIL"},
      {[] { CreateLink(nullptr, "x", EXTRA_SLNK); }, " EPU cPath; CreateLink(); link=NIL"},
      {[] { CreateLink("x", nullptr, EXTRA_SLNK); }, " EPU cPath; CreateLink(); target=NIL"},
      {[] { DisposeString(MakeUniquePath(3, "", nullptr)); }, " EMU cPath; MakeUniquePath(); file1dir2 <> 1 or 2"},
      {[] { DisposeString(MakeUniquePath(1, nullptr, nullptr)); }, " EPU cPath; MakeUniquePath(); base=NIL"},
      {[] { ExistsPath("Sandbox:Games", true); }, " EPU cPath(); ExportPath(); path is invalid"},
      {[] { RenamePath("Sandbox:/Games/Fred", "Sandbox:x", true); }, " EPU cPath(); ExportPath(); path is invalid"},
  };
  for (const auto& [call, message] : cases) EXPECT_EQ(errorOf(call), message);
}

TEST_F(PathOperations, DeleteOnlyWhatThePathSays) {
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred/", false, false));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Sub", true, false));
  EXPECT_TRUE(box.exists("Games/Fred") && box.exists("Games/Sub"));
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Fred/", false, true));
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Sub", true, true));
  EXPECT_FALSE(box.exists("Games/Fred") || box.exists("Games/Sub"));
}

TEST_F(PathOperations, ForcedDeletes) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  ASSERT_TRUE(SetProtection("Sandbox:Games/Fred", FIBF_DELETE));
  ASSERT_TRUE(MakeLink("Sandbox:fredlink", "Sandbox:Games/Fred", LINK_SOFT));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", false, false));
  // A link goes by itself: its target keeps its protection.
  EXPECT_TRUE(DeletePath("Sandbox:/fredlink", true, false));
  EXPECT_EQ(protectionOf("Sandbox:Games/Fred"), FIBF_DELETE);
  // A forced delete that fails puts the protection back.
  box.writeFile("Games/Sub/inside", "x");
  const int32_t bits = FIBF_DELETE | FIBF_WRITE | FIBF_ARCHIVE;
  ASSERT_TRUE(SetProtection("Sandbox:Games/Sub", bits));
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Sub/", true, false));
  EXPECT_EQ(IoErr(), ERROR_DIRECTORY_NOT_EMPTY);
  EXPECT_EQ(protectionOf("Sandbox:Games/Sub"), bits);
  ostest::setStrictMode(true);
  const BPTR handle = Open("Sandbox:Games/Fred", MODE_OLDFILE);
  EXPECT_FALSE(DeletePath("Sandbox:/Games/Fred", true, false));
  Close(handle);
  EXPECT_EQ(protectionOf("Sandbox:Games/Fred"), FIBF_DELETE);
  EXPECT_TRUE(DeletePath("Sandbox:/Games/Fred", true, false));
}

TEST_F(PathOperations, RenameRefusesProtectedObjectsWithoutForce) {
  box.writeFile("Games/Wilma", "w");
  EXPECT_FALSE(RenamePath("Sandbox:/Games/Fred", "Sandbox:/Games/Wilma", true));  // taken
  EXPECT_FALSE(RenamePath("Sandbox:/Games/none", "Sandbox:/Games/x", true));
  EXPECT_TRUE(RenamePath("Sandbox:/Games/Sub/", "Sandbox:/Sub/", false));
  if (!xattrs()) return;
  for (const int32_t bit : {FIBF_WRITE, FIBF_READ}) {
    ASSERT_TRUE(SetProtection("Sandbox:Games/Fred", bit));
    EXPECT_FALSE(RenamePath("Sandbox:/Games/Fred", "Sandbox:/Games/Betty", false)) << bit;
    EXPECT_TRUE(RenamePath("Sandbox:/Games/Fred", "Sandbox:/Games/Betty", true)) << bit;
    ASSERT_TRUE(RenamePath("Sandbox:/Games/Betty", "Sandbox:/Games/Fred", true));
  }
}

TEST_F(PathOperations, AbsolutePaths) {
  EXPECT_EQ(take(CurrentDirPath()), "Sandbox:/");
  const BPTR old = CurrentDir(Lock("Sandbox:Games", SHARED_LOCK));
  const std::pair<const char*, const char*> cases[] = {
      {"Fred", "Sandbox:/Games/Fred"},          {"", "Sandbox:/Games/"},
      {"/Games/Sub/", "Sandbox:/Games/Sub/"},   {"nothing/", "Sandbox:/Games/nothing/"},
      {"SANDBOX:/games/fred", "Sandbox:/Games/Fred"}, {"Sandbox:/gamelink/Fred", "Sandbox:/Games/Fred"},
      {"Sandbox:/gamelink/none", "Sandbox:/gamelink/none"},
  };
  for (auto [path, expanded] : cases) EXPECT_EQ(take(ExpandPath(path)), expanded) << path;
  ostest::failNextCall("NameFromLock", ERROR_OBJECT_NOT_FOUND);
  EXPECT_EQ(errorOf([] { DisposeString(CurrentDirPath()); }),
            "FILE cPath; CurrentDirPath(); strSafeGetNameOfCurrentDir() failed");
  UnLock(CurrentDir(old));
}

TEST_F(PathOperations, UniquePaths) {
  cPath_randomSeed = 777;
  const std::string first = take(MakeUniquePath(2, "Sandbox:/", nullptr));
  std::smatch m;
  ASSERT_TRUE(std::regex_match(first, m, std::regex("Sandbox:/TMP([0-9a-f]+)/"))) << first;
  EXPECT_EQ(cPath_randomSeed, std::stoul(m[1].str(), nullptr, 16));
  // The same seed gives the same name unless something of either kind has it.
  box.writeFile(first.substr(9, first.size() - 10));
  cPath_randomSeed = 777;
  const std::string second = take(MakeUniquePath(2, "Sandbox:/", nullptr));
  EXPECT_NE(second, first);
  // Every 32-bit seed is usable, the most negative one included.
  cPath_randomSeed = 0x80000000u;
  EXPECT_TRUE(std::regex_match(take(MakeUniquePath(1, "Sandbox:/Games/", "x")), std::regex("Sandbox:/Games/x[0-9a-f]+")));
  // 999 names that all exist (a lock error that says something is there).
  for (int i = 0; i < 999; ++i) ostest::failNextCall("Lock", ERROR_OBJECT_IN_USE);
  EXPECT_EQ(errorOf([] { DisposeString(MakeUniquePath(1, "Sandbox:/", nullptr)); }),
            " BUG cPath; MakeUniquePath(); retry limit exceeded, possibly due to a buggy filing system");
  const BPTR lock = Lock("Sandbox:", SHARED_LOCK);  // all 999 injected failures were used
  EXPECT_NE(lock, ZERO);
  UnLock(lock);
}

TEST_F(PathOperations, Links) {
  bool badId = true;
  EXPECT_TRUE(CreateLink("Sandbox:/soft", "Sandbox:/Games/Fred", EXTRA_SLNK, &badId));
  EXPECT_FALSE(badId);
  EXPECT_TRUE(CreateLink("Sandbox:/hard", "Sandbox:/Games/Fred", EXTRA_HLNK));
  EXPECT_FALSE(CreateLink("Sandbox:/soft", "Sandbox:/Games/Sub/", EXTRA_SLNK));  // taken
  EXPECT_FALSE(CreateLink("Sandbox:/other", "Sandbox:/Games/Fred", EXTRA_COMM, &badId));
  EXPECT_TRUE(badId);
  EXPECT_FALSE(box.exists("other"));
  const std::tuple<const char*, const char*, int32_t> cases[] = {
      {"Sandbox:/soft", "Sandbox:/Games/Fred", EXTRA_SLNK},
      {"Sandbox:/gamelink/", "Sandbox:/Games/", EXTRA_SLNK},
      {"Sandbox:/Games/Fred", "<NIL>", 0},
  };
  for (auto [path, target, expected] : cases) {
    int32_t id = -1;
    EXPECT_EQ(take(ReadLink(path, &id)), target) << path;
    EXPECT_EQ(id, expected) << path;
  }
  int32_t id = 0;
  take(ReadLink("Sandbox:/hard", &id));
  EXPECT_EQ(id, EXTRA_HLNK);
}

TEST(PathOperationsModule, SeedComesFromTheTimeCount) {
  ostest::restoreTimer();
  new_ptime();
  ostest::fixClock(694224000 + 0xBEEF, 0);
  new_cpath_sharedbase();
  EXPECT_EQ(cPath_randomSeed, 0xBEEFu);
  ostest::fixClock(0, 0);  // before 2000: the low 32 bits of a negative count
  new_cpath_sharedbase();
  EXPECT_EQ(cPath_randomSeed, static_cast<uint32_t>(-694224000));
  end_ptime();
  ostest::restoreTimer();
}

}  // namespace
