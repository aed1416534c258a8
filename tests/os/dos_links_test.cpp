// MakeLink and ReadLink: soft links as Linux symbolic links, hard links
// recorded so that only those MakeLink made report ST_LINKFILE.
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"

namespace {

class DosLinks : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("Games/game.adf", "ADF");
    box.makeDir("Links");
    locksBefore = ostest::liveLockCount();
  }
  void TearDown() override { EXPECT_EQ(ostest::liveLockCount(), locksBefore); }

  std::string symlinkText(const std::string& relative) {
    char text[PATH_MAX];
    const ssize_t n = readlink(box.host(relative).c_str(), text, sizeof text);
    return n < 0 ? std::string() : std::string(text, static_cast<size_t>(n));
  }

  // ReadLink of path from the volume's root; the text, or "" with *result set.
  std::string readLink(const char* path, int32_t* result = nullptr, uint32_t size = 256) {
    char buffer[512] = "untouched";
    const int32_t n = ReadLink(nullptr, ZERO, path, buffer, size);
    if (result) *result = n;
    return n >= 0 ? std::string(buffer) : (buffer[0] ? std::string("not emptied") : std::string());
  }

  // The entry type of a name as its folder lists it.
  int32_t listedType(const char* folder, const char* name) {
    BPTR lock = Lock(folder, SHARED_LOCK);
    FileInfoBlock fib{};
    int32_t type = 0;
    if (lock && Examine(lock, &fib)) {
      while (ExNext(lock, &fib))
        if (std::string(fib.fib_FileName) == name) type = fib.fib_DirEntryType;
    }
    UnLock(lock);
    return type;
  }

  DosSandbox box;
  int32_t locksBefore = 0;
};

TEST_F(DosLinks, SoftLinksKeepRelativePathsRelative) {
  ASSERT_TRUE(MakeLink("Sandbox:Links/rel", "/games/GAME.ADF", LINK_SOFT));
  EXPECT_EQ(symlinkText("Links/rel"), "../Games/game.adf");  // names as on disk
  ASSERT_TRUE(MakeLink("Sandbox:Links/abs", "Sandbox:Games", LINK_SOFT));
  EXPECT_EQ(symlinkText("Links/abs"), box.host("Games"));
  ASSERT_TRUE(MakeLink("Sandbox:Links/later", "not-yet", LINK_SOFT));  // a target still to come
  EXPECT_EQ(symlinkText("Links/later"), "not-yet");

  EXPECT_EQ(readLink("Sandbox:Links/rel"), "Sandbox:Games/game.adf");
  EXPECT_EQ(readLink("Sandbox:Links/abs"), "Sandbox:Games");
  EXPECT_EQ(readLink("Sandbox:Links/later"), "Sandbox:Links/not-yet");
  EXPECT_EQ(listedType("Sandbox:Links", "rel"), ST_SOFTLINK);

  // Through the link, the target is what opens.
  BPTR fh = Open("Sandbox:Links/rel", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  char text[4] = {};
  EXPECT_EQ(Read(fh, text, 3), 3);
  EXPECT_STREQ(text, "ADF");
  Close(fh);
}

TEST_F(DosLinks, ReadLinkAnswersForBuffersTooSmallAndForNonLinks) {
  ASSERT_TRUE(MakeLink("Sandbox:Links/rel", "/Games/game.adf", LINK_SOFT));
  int32_t result = 0;
  const std::string full = "Sandbox:Games/game.adf";
  EXPECT_EQ(readLink("Sandbox:Links/rel", &result, static_cast<uint32_t>(full.size()) + 1), full);
  EXPECT_EQ(result, static_cast<int32_t>(full.size()));
  EXPECT_EQ(readLink("Sandbox:Links/rel", &result, static_cast<uint32_t>(full.size())), "");
  EXPECT_EQ(result, -2);

  for (const char* notALink : {"Sandbox:Games/game.adf", "Sandbox:Games", "Sandbox:"}) {
    EXPECT_EQ(readLink(notALink, &result), "") << notALink;  // the buffer is emptied
    EXPECT_EQ(result, -1);
    EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE) << notALink;
  }
  EXPECT_EQ(readLink("Sandbox:Games/none", &result), "");
  EXPECT_EQ(result, -1);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);

  // A relative path starts at the lock's folder.
  BPTR links = Lock("Sandbox:Links", SHARED_LOCK);
  char buffer[256];
  EXPECT_GT(ReadLink(nullptr, links, "rel", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Sandbox:Games/game.adf");
  UnLock(links);
}

TEST_F(DosLinks, HardLinksReportTheirTypeAndTheirFirstName) {
  if (!ostest::hasExtendedAttributes(box.root().c_str()))
    GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  BPTR target = Lock("Sandbox:Games/game.adf", SHARED_LOCK);
  ASSERT_NE(target, ZERO);
  ASSERT_TRUE(MakeLink("Sandbox:Links/hard", target, LINK_HARD));
  UnLock(target);
  EXPECT_EQ(box.readFile("Links/hard"), "ADF");
  EXPECT_EQ(listedType("Sandbox:Links", "hard"), ST_LINKFILE);
  EXPECT_EQ(listedType("Sandbox:Games", "game.adf"), ST_FILE);  // the first name stays a file
  EXPECT_EQ(readLink("Sandbox:Links/hard"), "Sandbox:Games/game.adf");

  // A second name made by Linux is no link of ours: never inferred from the count.
  ASSERT_EQ(link(box.host("Games/game.adf").c_str(), box.host("Links/plain").c_str()), 0);
  EXPECT_EQ(listedType("Sandbox:Links", "plain"), ST_FILE);
  int32_t result = 0;
  readLink("Sandbox:Links/plain", &result);
  EXPECT_EQ(result, -1);

  // The first name renamed: ReadLink follows it.
  ASSERT_TRUE(Rename("Sandbox:Games/game.adf", "Sandbox:Games/renamed.adf"));
  EXPECT_EQ(readLink("Sandbox:Links/hard"), "Sandbox:Games/renamed.adf");
  // The link renamed: still a link.
  ASSERT_TRUE(Rename("Sandbox:Links/hard", "Sandbox:Links/moved"));
  EXPECT_EQ(listedType("Sandbox:Links", "moved"), ST_LINKFILE);
}

TEST_F(DosLinks, RefusedLinks) {
  BPTR folder = Lock("Sandbox:Games", SHARED_LOCK);
  BPTR file = Lock("Sandbox:Games/game.adf", SHARED_LOCK);
  EXPECT_FALSE(MakeLink("Sandbox:Links/dir", folder, LINK_HARD));  // Linux links no folders
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  EXPECT_FALSE(MakeLink("Sandbox:Games/game.adf", file, LINK_HARD));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_FALSE(MakeLink("Sandbox:Games/GAME.adf", "x", LINK_SOFT));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_EXISTS);
  EXPECT_FALSE(MakeLink("Sandbox:Links/x", "x", LINK_HARD));  // a hard link takes a lock
  EXPECT_EQ(IoErr(), ERROR_BAD_NUMBER);
  EXPECT_FALSE(MakeLink("Sandbox:Links/x", "Nowhere:x", LINK_SOFT));
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  EXPECT_FALSE(MakeLink("Home:x", file, LINK_HARD));  // another volume
  EXPECT_EQ(IoErr(), ERROR_RENAME_ACROSS_DEVICES);

  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_LINKS);
  EXPECT_FALSE(MakeLink("Sandbox:Links/x", "/Games", LINK_SOFT));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  EXPECT_FALSE(MakeLink("Sandbox:Links/y", file, LINK_HARD));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  UnLock(folder);
  UnLock(file);
  EXPECT_FALSE(box.exists("Links/x"));
  EXPECT_FALSE(box.exists("Links/y"));
}

}  // namespace
