// CreateDir, DeleteFile and Rename on a sandbox volume.
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/dos/metadata.h"
#include "tests/support/dos_sandbox.h"

namespace {

class DosChanges : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("Games/a.adf", "A");
    box.writeFile("Games/b.adf", "B");
    box.makeDir("Empty");
    locksBefore = ostest::liveLockCount();
  }
  void TearDown() override { EXPECT_EQ(ostest::liveLockCount(), locksBefore); }
  DosSandbox box;
  int32_t locksBefore = 0;
};

TEST_F(DosChanges, CreateDirGivesAnExclusiveLockAndRefusesWhatExists) {
  BPTR made = CreateDir("Sandbox:Games/New");
  ASSERT_NE(made, ZERO);
  EXPECT_EQ(reinterpret_cast<FileLock*>(BADDR(made))->fl_Access, EXCLUSIVE_LOCK);
  EXPECT_TRUE(box.exists("Games/New"));
  UnLock(made);
  for (const char* existing : {"Sandbox:Games/new", "Sandbox:games/A.ADF", "Sandbox:", "Sandbox:Games/"}) {
    EXPECT_EQ(CreateDir(existing), ZERO) << existing;
    EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS) << existing;
  }
  EXPECT_EQ(CreateDir("Sandbox:Missing/New"), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(DosChanges, DeleteFileTakesFilesLinksAndOnlyEmptyFolders) {
  EXPECT_FALSE(DeleteFile("Sandbox:Games"));
  EXPECT_EQ(IoErr(), ERROR_DIRECTORY_NOT_EMPTY);
  EXPECT_TRUE(DeleteFile("Sandbox:empty"));
  EXPECT_FALSE(box.exists("Empty"));
  EXPECT_TRUE(DeleteFile("Sandbox:Games/A.adf"));
  EXPECT_FALSE(box.exists("Games/a.adf"));
  EXPECT_FALSE(DeleteFile("Sandbox:Games/a.adf"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);

  ASSERT_EQ(symlink("b.adf", box.host("Games/link").c_str()), 0);
  EXPECT_TRUE(DeleteFile("Sandbox:Games/link"));  // the link, not its target
  EXPECT_FALSE(box.exists("Games/link"));
  EXPECT_TRUE(box.exists("Games/b.adf"));

  EXPECT_FALSE(DeleteFile("Sandbox:"));  // a volume's root
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_FALSE(DeleteFile("Sandbox:Games//"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
}

TEST_F(DosChanges, DeleteFileHonoursTheStoredDeleteBit) {
  if (setxattr(box.host("Games/b.adf").c_str(), dosmeta::PROTECTION_ATTR, "00000001", 8, 0) != 0)
    GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  EXPECT_FALSE(DeleteFile("Sandbox:Games/b.adf"));
  EXPECT_EQ(IoErr(), ERROR_DELETE_PROTECTED);
  EXPECT_TRUE(box.exists("Games/b.adf"));
  ASSERT_EQ(setxattr(box.host("Games/b.adf").c_str(), dosmeta::PROTECTION_ATTR, "00000000", 8, 0), 0);
  EXPECT_TRUE(DeleteFile("Sandbox:Games/b.adf"));
}

TEST_F(DosChanges, RenameNeverReplacesAnExistingTarget) {
  EXPECT_FALSE(Rename("Sandbox:Games/a.adf", "Sandbox:Games/b.adf"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_FALSE(Rename("Sandbox:Games/a.adf", "Sandbox:Games/B.ADF"));  // the same name to Amiga eyes
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_FALSE(Rename("Sandbox:Games/a.adf", "Sandbox:Empty/"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_EQ(box.readFile("Games/a.adf"), "A");
  EXPECT_EQ(box.readFile("Games/b.adf"), "B");

  ASSERT_EQ(link(box.host("Games/a.adf").c_str(), box.host("Games/same").c_str()), 0);
  EXPECT_FALSE(Rename("Sandbox:Games/a.adf", "Sandbox:Games/same"));  // another name of the same file
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_TRUE(box.exists("Games/a.adf"));
}

TEST_F(DosChanges, RenameMovesAndChangesTheCaseOfAName) {
  EXPECT_TRUE(Rename("Sandbox:Games/a.adf", "Sandbox:Empty/Moved.adf"));
  EXPECT_EQ(box.readFile("Empty/Moved.adf"), "A");
  EXPECT_FALSE(box.exists("Games/a.adf"));
  EXPECT_TRUE(Rename("Sandbox:empty/moved.adf", "Sandbox:Empty/MOVED.adf"));
  EXPECT_TRUE(box.exists("Empty/MOVED.adf"));
  EXPECT_FALSE(box.exists("Empty/Moved.adf"));
  EXPECT_TRUE(Rename("Sandbox:Empty/MOVED.adf", "Sandbox:Empty/MOVED.adf"));  // to itself: nothing to do
  EXPECT_TRUE(Rename("Sandbox:Games", "Sandbox:Empty/Games"));
  EXPECT_TRUE(box.exists("Empty/Games/b.adf"));

  EXPECT_FALSE(Rename("Sandbox:Nothing", "Sandbox:Other"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
  EXPECT_FALSE(Rename("Sandbox:Empty/MOVED.adf", "Sandbox:Missing/x"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
  EXPECT_FALSE(Rename("Sandbox:Empty", "Sandbox:Empty/Games/Inside"));  // into itself
  EXPECT_TRUE(box.exists("Empty/Games"));
  EXPECT_FALSE(Rename("Sandbox:", "Sandbox:x"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
}

}  // namespace
