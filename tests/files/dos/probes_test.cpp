// Probing objects by path: kinds, links followed or examined themselves,
// examining through the parent, and no requesters.
#include <gtest/gtest.h>

#include <string>

#include "core/exception.h"
#include "files/dos/links.h"
#include "files/dos/probes.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

class DosProbes : public DosLayerTest {
 protected:
  void SetUp() override {
    box.writeFile("dir/file.txt", "hello");
    ASSERT_TRUE(easyMakeLink("Sandbox:softdir", "Sandbox:dir", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:softfile", "Sandbox:dir/file.txt", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:dangling", "Sandbox:gone", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:chain", "Sandbox:softdir", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:hard.txt", "Sandbox:dir/file.txt", false));
    DosLayerTest::SetUp();
  }
};

TEST_F(DosProbes, KindsOfObjects) {
  struct Case {
    const char* path;
    bool any, file, dir;         // exists() with 0, 1, 2
    bool isDir, isFile, isLink;
    int32_t typeThroughParent;  // fileDirType(path, TRUE)
  };
  const Case cases[] = {
      {"Sandbox:dir", true, false, true, true, false, false, ST_USERDIR},
      {"dir", true, false, true, true, false, false, ST_USERDIR},
      {"Sandbox:dir/file.txt", true, true, false, false, true, false, ST_FILE},
      {"SANDBOX:DIR/FILE.TXT", true, true, false, false, true, false, ST_FILE},
      {"Sandbox:softdir", true, false, true, true, false, true, ST_SOFTLINK},
      {"Sandbox:softfile", true, true, false, false, true, true, ST_SOFTLINK},
      {"Sandbox:chain", true, false, true, true, false, true, ST_SOFTLINK},
      {"Sandbox:dangling", false, false, false, false, false, true, ST_SOFTLINK},
      {"Sandbox:hard.txt", true, true, false, false, true, true, ST_LINKFILE},
      {"Sandbox:missing", false, false, false, false, false, false, 0},
      {"Sandbox:", true, false, true, true, false, false, 0},
      {"Nowhere:x", false, false, false, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(exists(c.path, EXISTS_ANY), c.any);
    EXPECT_EQ(exists(c.path, EXISTS_FILE), c.file);
    EXPECT_EQ(exists(c.path, EXISTS_DIR), c.dir);
    EXPECT_EQ(isDir(c.path), c.isDir);
    EXPECT_EQ(isFile(c.path), c.isFile);
    EXPECT_EQ(isLink(c.path), c.isLink);
    EXPECT_EQ(fileDirType(c.path, true), c.typeThroughParent);
    bool locked = !c.any;
    const int32_t followed = fileDirType(c.path, false, &locked);
    EXPECT_EQ(locked, c.any);
    EXPECT_EQ(followed == 0, !c.any);
  }
  EXPECT_EQ(ostest::insertVolumeRequesters(), 0);
}

TEST_F(DosProbes, EntryTypesAnswerForFilesFollowingSoftLinks) {
  struct Case {
    int32_t type;
    const char* path;
    bool file;
  };
  const Case cases[] = {
      {ST_FILE, "", true},          {ST_LINKFILE, "", true},        {0, "", true},
      {ST_USERDIR, "", false},      {ST_ROOT, "", false},           {ST_LINKDIR, "", false},
      {ST_SOFTLINK, "Sandbox:softdir", false},  {ST_SOFTLINK, "Sandbox:chain", false},
      {ST_SOFTLINK, "Sandbox:softfile", true},  {ST_SOFTLINK, "Sandbox:dangling", true},
  };
  for (const Case& c : cases) EXPECT_EQ(dirEntryTypeIsFile(c.type, c.path), c.file) << c.type << " " << c.path;

  try {
    dirEntryTypeIsFile(ST_SOFTLINK, "Sandbox:dir");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("BUG"));
    EXPECT_STREQ(e.message(), "dirEntryTypeIsFile(); linkPath=NILS");
  }
}

TEST_F(DosProbes, LinksFollowedFromAnotherCurrentDirectory) {
  // A link in a folder other than the current directory still leads to its own target.
  box.makeDir("elsewhere");
  box.makeDir("deep/sub");
  ASSERT_TRUE(easyMakeLink("Sandbox:deep/up", "Sandbox:deep/sub", true));
  const BPTR elsewhere = Lock("Sandbox:elsewhere", SHARED_LOCK);
  const BPTR old = CurrentDir(elsewhere);
  EXPECT_TRUE(isDir("Sandbox:deep/up"));
  EXPECT_FALSE(dirEntryTypeIsFile(ST_SOFTLINK, "Sandbox:deep/up"));
  CurrentDir(old);
  UnLock(elsewhere);
}

TEST_F(DosProbes, LockingWithoutRequesterAsksForNoVolume) {
  Process* me = ownProcess();
  me->pr_WindowPtr = nullptr;
  EXPECT_EQ(lockWithoutRequester("Nowhere:x", SHARED_LOCK), ZERO);
  EXPECT_EQ(me->pr_WindowPtr, nullptr);
  EXPECT_EQ(ostest::insertVolumeRequesters(), 0);
  const BPTR lock = lockWithoutRequester("Sandbox:dir", SHARED_LOCK);
  EXPECT_NE(lock, ZERO);
  UnLock(lock);
  EXPECT_EQ(Lock("Nowhere:x", SHARED_LOCK), ZERO);  // the counter does count
  EXPECT_EQ(ostest::insertVolumeRequesters(), 1);
}

}  // namespace
