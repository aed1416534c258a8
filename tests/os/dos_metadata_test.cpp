// SetProtection, SetComment, SetFileDate and DateStamp; the degraded behaviour
// of volumes that cannot store them; strict mode.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/timer/timer.h"
#include "tests/support/dos_sandbox.h"

namespace {

class DosMetadata : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("file", "data");
    box.makeDir("Folder");
  }

  bool xattrs() { return ostest::hasExtendedAttributes(box.root().c_str()); }

  FileInfoBlock examine(const char* name) {
    FileInfoBlock fib{};
    BPTR lock = Lock(name, SHARED_LOCK);
    EXPECT_NE(lock, ZERO) << name;
    EXPECT_TRUE(Examine(lock, &fib)) << name;
    UnLock(lock);
    return fib;
  }

  DosSandbox box;
};

TEST_F(DosMetadata, ProtectionWordsRoundTripWithTheirHigherBits) {
  if (!xattrs()) GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  for (int32_t word : {FIBF_READ | FIBF_DELETE, FIBF_SCRIPT | FIBF_PURE | FIBF_ARCHIVE, static_cast<int32_t>(0x80000080),
                       FIBF_DEFAULT}) {
    ASSERT_TRUE(SetProtection("Sandbox:FILE", word)) << word;
    EXPECT_EQ(examine("Sandbox:file").fib_Protection, word);
  }
  ASSERT_TRUE(SetProtection("Sandbox:Folder", FIBF_WRITE));
  EXPECT_EQ(examine("Sandbox:Folder").fib_Protection, FIBF_WRITE);
  char stored[16] = {};
  ASSERT_EQ(getxattr(box.host("Folder").c_str(), "user.ludex.prot", stored, sizeof stored), 8);
  EXPECT_STREQ(stored, "00000004");

  EXPECT_FALSE(SetProtection("Sandbox:missing", 0));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
}

TEST_F(DosMetadata, CommentsKeep255BytesAndShow79) {
  if (!xattrs()) GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  ASSERT_TRUE(SetComment("Sandbox:file", "A fine game"));
  EXPECT_STREQ(examine("Sandbox:file").fib_Comment, "A fine game");

  const std::string longest(255, 'c');
  ASSERT_TRUE(SetComment("Sandbox:file", longest.c_str()));
  EXPECT_EQ(std::string(examine("Sandbox:file").fib_Comment), std::string(79, 'c'));
  char stored[300];
  EXPECT_EQ(getxattr(box.host("file").c_str(), "user.ludex.comment", stored, sizeof stored), 255);

  const std::string tooLong(256, 'c');
  EXPECT_FALSE(SetComment("Sandbox:file", tooLong.c_str()));
  EXPECT_EQ(IoErr(), ERROR_COMMENT_TOO_BIG);
  EXPECT_EQ(getxattr(box.host("file").c_str(), "user.ludex.comment", stored, sizeof stored), 255);

  ASSERT_TRUE(SetComment("Sandbox:file", ""));
  EXPECT_STREQ(examine("Sandbox:file").fib_Comment, "");
  EXPECT_LT(getxattr(box.host("file").c_str(), "user.ludex.comment", stored, sizeof stored), 0);
  EXPECT_TRUE(SetComment("Sandbox:file", nullptr));  // no comment to remove is fine
}

TEST_F(DosMetadata, VolumesWithoutStorageAcceptOnlyWhatNeedsNone) {
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_PROTECTION | ostest::TRAIT_NO_COMMENTS);
  EXPECT_TRUE(SetProtection("Sandbox:file", FIBF_DEFAULT));
  // The word the object already shows needs no storing either.
  EXPECT_TRUE(SetProtection("Sandbox:file", examine("Sandbox:file").fib_Protection));
  EXPECT_FALSE(SetProtection("Sandbox:file", FIBF_DELETE));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  EXPECT_TRUE(SetComment("Sandbox:file", ""));
  EXPECT_FALSE(SetComment("Sandbox:file", "text"));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  const FileInfoBlock fib = examine("Sandbox:file");
  EXPECT_EQ(fib.fib_Protection & FIBF_DELETE, 0);
  EXPECT_STREQ(fib.fib_Comment, "");
  // Still a comment too long for any volume.
  EXPECT_FALSE(SetComment("Sandbox:file", std::string(256, 'x').c_str()));
  EXPECT_EQ(IoErr(), ERROR_COMMENT_TOO_BIG);
}

TEST_F(DosMetadata, FileDatesKeepTheirTicks) {
  const struct DateStamp dates[] = {
      {16436, 0, 0},          // 2023-01-01 00:00:00.00
      {16436, 754, 1249},     // 12:34:24.98
      {0, 1, 2},              // the first minute of 1978
      {8035, 1439, 2999},     // 1999-12-31 23:59:59.98
  };
  for (const struct DateStamp& d : dates) {
    ASSERT_TRUE(SetFileDate("Sandbox:file", &d));
    const struct DateStamp got = examine("Sandbox:file").fib_Date;
    EXPECT_EQ(got.ds_Days, d.ds_Days);
    EXPECT_EQ(got.ds_Minute, d.ds_Minute);
    EXPECT_EQ(got.ds_Tick, d.ds_Tick);
  }
  struct stat st;
  ASSERT_EQ(stat(box.host("file").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 8035LL * 86400 + 1439 * 60 + 59 + AMIGA_EPOCH_UNIX_SECONDS);  // TZ=UTC
  EXPECT_EQ(st.st_mtim.tv_nsec, 980000000L);

  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_DATES);
  EXPECT_FALSE(SetFileDate("Sandbox:file", &dates[0]));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
}

TEST_F(DosMetadata, FileDatesAreLocalTimeOnBothSidesOfSummerTime) {
  const char* zone = std::getenv("TZ");
  const std::string saved = zone ? zone : "";
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  // 2023-01-15 12:00 (winter, UTC+1), 2023-07-15 12:00 (summer, UTC+2), and
  // 02:30 on the night summer time ends (met twice; either is the same stamp).
  const struct DateStamp dates[] = {{16450, 720, 0}, {16631, 720, 0}, {16737, 150, 100}};
  const int64_t unixTimes[] = {1673780400, 1689415200, -1};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(SetFileDate("Sandbox:file", &dates[i]));
    const struct DateStamp got = examine("Sandbox:file").fib_Date;
    EXPECT_EQ(got.ds_Days, dates[i].ds_Days) << i;
    EXPECT_EQ(got.ds_Minute, dates[i].ds_Minute) << i;
    EXPECT_EQ(got.ds_Tick, dates[i].ds_Tick) << i;
    struct stat st;
    ASSERT_EQ(stat(box.host("file").c_str(), &st), 0);
    if (unixTimes[i] >= 0) {
      EXPECT_EQ(st.st_mtim.tv_sec, unixTimes[i]) << i;
    }
  }
  if (zone)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST_F(DosMetadata, DateStampReadsTheSystemClock) {
  ostest::fixClock(16436u * 86400 + 754 * 60 + 24, 980000);
  struct DateStamp now {};
  EXPECT_EQ(DateStamp(&now), &now);
  ostest::releaseClock();
  EXPECT_EQ(now.ds_Days, 16436);
  EXPECT_EQ(now.ds_Minute, 754);
  EXPECT_EQ(now.ds_Tick, 24 * 50 + 49);
}

TEST_F(DosMetadata, StrictModeRefusesChangesByNameToObjectsInUse) {
  ostest::setStrictMode(true);
  BPTR fh = Open("Sandbox:file", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  const struct DateStamp date {16436, 0, 0};
  EXPECT_FALSE(SetProtection("Sandbox:file", FIBF_DEFAULT));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_FALSE(SetComment("Sandbox:file", ""));
  EXPECT_FALSE(SetFileDate("Sandbox:file", &date));
  EXPECT_FALSE(Rename("Sandbox:file", "Sandbox:other"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_FALSE(DeleteFile("Sandbox:file"));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_EQ(Lock("Sandbox:file", EXCLUSIVE_LOCK), ZERO);
  Close(fh);
  EXPECT_TRUE(SetFileDate("Sandbox:file", &date));

  BPTR lock = Lock("Sandbox:file", EXCLUSIVE_LOCK);
  ASSERT_NE(lock, ZERO);
  EXPECT_FALSE(SetComment("Sandbox:file", ""));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  UnLock(lock);
  EXPECT_TRUE(Rename("Sandbox:file", "Sandbox:other"));

  // Outside strict mode, the hosted system lets such changes through.
  ostest::setStrictMode(false);
  fh = Open("Sandbox:other", MODE_OLDFILE);
  EXPECT_TRUE(SetFileDate("Sandbox:other", &date));
  Close(fh);
}

}  // namespace
