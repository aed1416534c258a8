// Whole-file helpers: copying with metadata, directory trees, sizes, comments.
#include <gtest/gtest.h>

#include <string>

#include "files/dos/file_helpers.h"
#include "files/dos/probes.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

using DosFileHelpers = DosLayerTest;

FileInfoBlock examined(const char* path) {
  FileInfoBlock fib{};
  const BPTR lock = Lock(path, SHARED_LOCK);
  EXPECT_TRUE(lock && Examine(lock, &fib)) << path;
  UnLock(lock);
  return fib;
}

TEST_F(DosFileHelpers, CopiesContentsAndMetadata) {
  box.writeFile("src.bin", std::string(5000, 's'));
  const bool xattrs = ostest::hasExtendedAttributes(box.root().c_str());
  if (xattrs) {
    ASSERT_TRUE(SetComment("Sandbox:src.bin", "Saved game"));
    ASSERT_TRUE(SetProtection("Sandbox:src.bin", FIBF_ARCHIVE | FIBF_DELETE));
  }
  const struct DateStamp date{8500, 600, 150};
  ASSERT_TRUE(SetFileDate("Sandbox:src.bin", &date));

  EXPECT_TRUE(copyFile("Sandbox:src.bin", "Sandbox:copy.bin", false));
  EXPECT_EQ(box.readFile("copy.bin"), std::string(5000, 's'));
  const FileInfoBlock from = examined("Sandbox:src.bin");
  const FileInfoBlock to = examined("Sandbox:copy.bin");
  EXPECT_STREQ(to.fib_Comment, from.fib_Comment);
  EXPECT_EQ(to.fib_Protection, from.fib_Protection);
  EXPECT_EQ(to.fib_Date.ds_Days, 8500);
  EXPECT_EQ(to.fib_Date.ds_Minute, 600);
  EXPECT_EQ(to.fib_Date.ds_Tick, 150);
  if (xattrs) {
    EXPECT_EQ(take(getComment("Sandbox:copy.bin")), "Saved game");
  }

  box.writeFile("empty", "");
  EXPECT_TRUE(copyFile("Sandbox:empty", "Sandbox:empty2", false));
  EXPECT_TRUE(box.exists("empty2"));
}

TEST_F(DosFileHelpers, ExistingDestinationsAndFailures) {
  box.writeFile("src.txt", "new");
  box.writeFile("dst.txt", "old");
  EXPECT_FALSE(copyFile("Sandbox:src.txt", "Sandbox:dst.txt", false));
  EXPECT_EQ(box.readFile("dst.txt"), "old");
  EXPECT_TRUE(copyFile("Sandbox:src.txt", "Sandbox:dst.txt", true));
  EXPECT_EQ(box.readFile("dst.txt"), "new");
  // Copying a file onto itself would empty it first.
  EXPECT_FALSE(copyFile("Sandbox:src.txt", "src.txt", true));
  EXPECT_FALSE(copyFile("Sandbox:src.txt", "SANDBOX:SRC.TXT", true));
  EXPECT_EQ(box.readFile("src.txt"), "new");
  EXPECT_FALSE(copyFile("Sandbox:missing", "Sandbox:x", true));
  EXPECT_FALSE(box.exists("x"));
  // A write that fails leaves no half-written destination behind.
  ostest::failNextCall("Write", ERROR_DISK_FULL);
  EXPECT_FALSE(copyFile("Sandbox:src.txt", "Sandbox:half.txt", false));
  EXPECT_FALSE(box.exists("half.txt"));
}

TEST_F(DosFileHelpers, TreesSizesAndComments) {
  EXPECT_TRUE(createDirTree("Sandbox:a/b/c"));
  EXPECT_TRUE(exists("Sandbox:a/b/c", EXISTS_DIR));
  box.writeFile("file", "x");
  EXPECT_FALSE(createDirTree("Sandbox:file/sub"));
  EXPECT_FALSE(createDirTree("Nowhere:a/b"));

  box.writeFile("f.bin", std::string(4321, 'f'));
  EXPECT_EQ(fileSize("Sandbox:f.bin", true), 4321);
  testing::internal::CaptureStdout();
  EXPECT_EQ(fileSize("Sandbox:missing", true), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "WARNING: fileSize(\"Sandbox:missing\", -1); failed to obtain size of file (3)\n");
  EXPECT_EQ(take(getComment("Sandbox:f.bin")), "");
  EXPECT_EQ(take(getComment("Sandbox:missing")), "<NIL>");
}

}  // namespace
