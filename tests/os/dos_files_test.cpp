// Open, Close, Read, Write, Seek and SetFileSize on a sandbox volume.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/folder_watch.h"

namespace {

class DosFiles : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("Games/a.txt", "0123456789");
    box.makeDir("Folder");
    handlesBefore = ostest::liveHandleCount();
  }
  void TearDown() override { EXPECT_EQ(ostest::liveHandleCount(), handlesBefore); }

  std::string readAll(BPTR fh) {
    std::string text;
    char chunk[4];
    int32_t n;
    while ((n = Read(fh, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(n));
    EXPECT_EQ(n, 0);
    return text;
  }

  DosSandbox box;
  int32_t handlesBefore = 0;
};

struct OpenCase {
  const char* name;
  int32_t mode;
  int32_t error;  // 0: opens
};

TEST_F(DosFiles, EachModeAgainstExistingMissingAndFolders) {
  const OpenCase cases[] = {
      {"Sandbox:Games/a.txt", MODE_OLDFILE, 0},
      {"Sandbox:games/A.TXT", MODE_READWRITE, 0},
      {"Sandbox:Games/a.txt", MODE_NEWFILE, 0},
      {"Sandbox:Games/missing", MODE_OLDFILE, ERROR_OBJECT_NOT_FOUND},
      {"Sandbox:Games/missing", MODE_READWRITE, ERROR_OBJECT_NOT_FOUND},  // never creates
      {"Sandbox:Nowhere/new", MODE_NEWFILE, ERROR_OBJECT_NOT_FOUND},
      {"Sandbox:Folder", MODE_OLDFILE, ERROR_OBJECT_WRONG_TYPE},
      {"Sandbox:Folder", MODE_NEWFILE, ERROR_OBJECT_WRONG_TYPE},
      {"Sandbox:", MODE_OLDFILE, ERROR_OBJECT_WRONG_TYPE},
      {"Sandbox:Games/a.txt", 1003, ERROR_BAD_NUMBER},
      {"NoSuchVolume:x", MODE_OLDFILE, ERROR_DEVICE_NOT_MOUNTED},
  };
  for (const OpenCase& c : cases) {
    SetIoErr(0);
    BPTR fh = Open(c.name, c.mode);
    if (c.error == 0) {
      EXPECT_NE(fh, ZERO) << c.name << " " << c.mode << " IoErr " << IoErr();
      EXPECT_EQ(reinterpret_cast<FileHandle*>(BADDR(fh))->fh_Mode, c.mode);
      EXPECT_TRUE(Close(fh));
    } else {
      EXPECT_EQ(fh, ZERO) << c.name << " " << c.mode;
      EXPECT_EQ(IoErr(), c.error) << c.name << " " << c.mode;
    }
  }
  EXPECT_FALSE(box.exists("Games/missing"));
  EXPECT_EQ(box.readFile("Games/a.txt"), "");  // MODE_NEWFILE emptied it
}

TEST_F(DosFiles, NewFileCreatesOrEmptiesAndWritesWhatIsRead) {
  BPTR fh = Open("Sandbox:Games/new.txt", MODE_NEWFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Write(fh, "hello world", 11), 11);
  EXPECT_TRUE(Flush(fh));
  EXPECT_EQ(box.readFile("Games/new.txt"), "hello world");
  EXPECT_EQ(Seek(fh, 0, OFFSET_BEGINNING), 11);
  EXPECT_EQ(readAll(fh), "hello world");
  EXPECT_TRUE(Close(fh));

  fh = Open("Sandbox:Games/NEW.txt", MODE_NEWFILE);  // the same file, whatever the case
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Write(fh, "x", 1), 1);
  Close(fh);
  EXPECT_EQ(box.readFile("Games/new.txt"), "x");
  EXPECT_FALSE(box.exists("Games/NEW.txt"));
}

TEST_F(DosFiles, OldFileAndReadWriteKeepTheContents) {
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_READWRITE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Seek(fh, 4, OFFSET_BEGINNING), 0);
  EXPECT_EQ(Write(fh, "ab", 2), 2);
  Close(fh);
  EXPECT_EQ(box.readFile("Games/a.txt"), "0123ab6789");

  fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(readAll(fh), "0123ab6789");
  Close(fh);
}

TEST_F(DosFiles, SeekReturnsTheOldPositionAndStaysInsideTheFile) {
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Seek(fh, 3, OFFSET_BEGINNING), 0);
  EXPECT_EQ(Seek(fh, 2, OFFSET_CURRENT), 3);
  EXPECT_EQ(Seek(fh, -1, OFFSET_END), 5);
  EXPECT_EQ(Seek(fh, 0, OFFSET_CURRENT), 9);
  EXPECT_EQ(IoErr(), 0);  // a successful Seek clears IoErr
  char c = 0;
  EXPECT_EQ(Read(fh, &c, 1), 1);
  EXPECT_EQ(c, '9');
  EXPECT_EQ(Seek(fh, 0, OFFSET_END), 10);  // the end itself is allowed

  for (auto [offset, mode] : {std::pair{-1, OFFSET_BEGINNING}, {11, OFFSET_BEGINNING}, {1, OFFSET_END},
                              {-11, OFFSET_END}, {-11, OFFSET_CURRENT}}) {
    EXPECT_EQ(Seek(fh, offset, mode), -1) << offset << " " << mode;
    EXPECT_EQ(IoErr(), ERROR_SEEK_ERROR);
    EXPECT_EQ(Seek(fh, 0, OFFSET_CURRENT), 10) << "a failed Seek leaves the position";
  }
  EXPECT_EQ(Seek(fh, 0, 7), -1);
  EXPECT_EQ(IoErr(), ERROR_BAD_NUMBER);
  Close(fh);
}

TEST_F(DosFiles, PositionsPastTwoAndFourGibibytesAreReachedByRelativeSeeks) {
  const int64_t size = 5000000000LL;  // sparse: takes no room on disk
  const int fd = open(box.host("big").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  if (ftruncate(fd, size) != 0) {
    close(fd);
    GTEST_SKIP() << "the sandbox's file system holds no 5 GB sparse file";
  }
  close(fd);
  BPTR fh = Open("Sandbox:big", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Seek(fh, 2147483647, OFFSET_BEGINNING), 0);
  EXPECT_EQ(Seek(fh, 852516353, OFFSET_CURRENT), 2147483647);
  // At 3,000,000,000 the old position reads back as an unsigned 32-bit word.
  EXPECT_EQ(static_cast<uint32_t>(Seek(fh, 2000000000, OFFSET_CURRENT)), 3000000000u);
  EXPECT_EQ(IoErr(), 0);
  // At 5,000,000,000 it is the low 32 bits; the position itself is true.
  EXPECT_EQ(static_cast<uint32_t>(Seek(fh, 0, OFFSET_CURRENT)), static_cast<uint32_t>(5000000000LL));
  EXPECT_EQ(Seek(fh, 1, OFFSET_CURRENT), -1);  // the end
  EXPECT_EQ(IoErr(), ERROR_SEEK_ERROR);
  FileInfoBlock fib{};
  ASSERT_TRUE(ExamineFH(fh, &fib));
  EXPECT_EQ(static_cast<uint32_t>(fib.fib_Size), 0xFFFFFFFFu);  // capped, never wrapped
  Close(fh);
}

TEST_F(DosFiles, SetFileSizeGrowsShrinksAndKeepsThePositionInside) {
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_READWRITE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Seek(fh, 8, OFFSET_BEGINNING), 0);
  EXPECT_EQ(SetFileSize(fh, 4, OFFSET_BEGINNING), 4);
  EXPECT_EQ(Seek(fh, 0, OFFSET_CURRENT), 4);  // moved to the new end
  EXPECT_EQ(SetFileSize(fh, 2, OFFSET_END), 6);
  EXPECT_EQ(SetFileSize(fh, -1, OFFSET_CURRENT), 3);
  EXPECT_EQ(SetFileSize(fh, -4, OFFSET_BEGINNING), -1);
  EXPECT_EQ(IoErr(), ERROR_SEEK_ERROR);
  Close(fh);
  EXPECT_EQ(box.readFile("Games/a.txt"), std::string("012"));

  fh = Open("Sandbox:Games/a.txt", MODE_READWRITE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(SetFileSize(fh, 5, OFFSET_BEGINNING), 5);
  Close(fh);
  EXPECT_EQ(box.readFile("Games/a.txt"), std::string("012\0\0", 5));
}

TEST_F(DosFiles, ProtectionWordIsEnforcedByDosItself) {
  if (!ostest::hasExtendedAttributes(box.root().c_str()))
    GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  box.writeFile("r.txt", "r");
  box.writeFile("w.txt", "w");
  box.writeFile("d.txt", "d");
  ASSERT_TRUE(SetProtection("Sandbox:r.txt", FIBF_READ));
  ASSERT_TRUE(SetProtection("Sandbox:w.txt", FIBF_WRITE));
  ASSERT_TRUE(SetProtection("Sandbox:d.txt", FIBF_DELETE));
  const OpenCase cases[] = {
      {"Sandbox:r.txt", MODE_OLDFILE, ERROR_READ_PROTECTED},
      {"Sandbox:r.txt", MODE_READWRITE, 0},
      {"Sandbox:w.txt", MODE_OLDFILE, 0},
      {"Sandbox:w.txt", MODE_READWRITE, ERROR_WRITE_PROTECTED},
      {"Sandbox:w.txt", MODE_NEWFILE, ERROR_WRITE_PROTECTED},
      {"Sandbox:d.txt", MODE_READWRITE, 0},
  };
  for (const OpenCase& c : cases) {
    BPTR fh = Open(c.name, c.mode);
    if (c.error == 0) {
      EXPECT_NE(fh, ZERO) << c.name << " " << c.mode;
      Close(fh);
    } else {
      EXPECT_EQ(fh, ZERO) << c.name << " " << c.mode;
      EXPECT_EQ(IoErr(), c.error) << c.name << " " << c.mode;
    }
  }
  EXPECT_EQ(box.readFile("w.txt"), "w");

  // Opened for reading only, a write-protected file refuses writes.
  BPTR fh = Open("Sandbox:w.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Write(fh, "x", 1), -1);
  EXPECT_EQ(IoErr(), ERROR_WRITE_PROTECTED);
  EXPECT_EQ(SetFileSize(fh, 0, OFFSET_BEGINNING), -1);
  EXPECT_EQ(IoErr(), ERROR_WRITE_PROTECTED);
  Close(fh);
  EXPECT_EQ(box.readFile("w.txt"), "w");

  EXPECT_FALSE(DeleteFile("Sandbox:d.txt"));
  EXPECT_EQ(IoErr(), ERROR_DELETE_PROTECTED);
  ASSERT_TRUE(SetProtection("Sandbox:d.txt", FIBF_DEFAULT));
  EXPECT_TRUE(DeleteFile("Sandbox:d.txt"));
}

TEST_F(DosFiles, AnExclusiveLockKeepsTheFileFromOpens) {
  BPTR lock = Lock("Sandbox:Games/a.txt", EXCLUSIVE_LOCK);
  ASSERT_NE(lock, ZERO);
  EXPECT_EQ(Open("Sandbox:Games/a.txt", MODE_OLDFILE), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  UnLock(lock);
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  EXPECT_NE(fh, ZERO);
  Close(fh);
}

TEST_F(DosFiles, NilDeviceSwallowsWritesAndReadsNothing) {
  BPTR fh = Open("NIL:", MODE_NEWFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Write(fh, "abc", 3), 3);
  char c;
  EXPECT_EQ(Read(fh, &c, 1), 0);
  Close(fh);
}

TEST_F(DosFiles, WrongArgumentsFailWithoutHarm) {
  EXPECT_EQ(Open(nullptr, MODE_OLDFILE), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
  char c;
  BPTR lock = Lock("Sandbox:Games/a.txt", SHARED_LOCK);
  EXPECT_EQ(Read(lock, &c, 1), -1);  // a lock is no file handle
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  EXPECT_EQ(Write(lock, &c, 1), -1);
  EXPECT_EQ(Seek(lock, 0, OFFSET_BEGINNING), -1);
  EXPECT_FALSE(Close(lock));
  UnLock(lock);
  EXPECT_TRUE(Close(ZERO));
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Read(fh, &c, -1), -1);
  EXPECT_EQ(IoErr(), ERROR_BAD_NUMBER);
  EXPECT_EQ(Read(fh, &c, 0), 0);
  Close(fh);
}

TEST_F(DosFiles, InjectedFailuresHitTheNamedCallOnly) {
  ostest::failNextCall("Write", ERROR_DISK_FULL, 1);
  BPTR fh = Open("Sandbox:Games/out", MODE_NEWFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Write(fh, "ab", 2), 2);   // the first call still goes ahead
  EXPECT_EQ(Write(fh, "cd", 2), -1);  // then the injected failure
  EXPECT_EQ(IoErr(), ERROR_DISK_FULL);
  EXPECT_EQ(Write(fh, "ef", 2), 2);   // and only once
  ostest::failNextCall("Close", ERROR_DISK_FULL);
  EXPECT_FALSE(Close(fh));  // reported, but the handle is gone all the same
  EXPECT_EQ(box.readFile("Games/out"), "abef");

  ostest::failNextCall("Open", ERROR_OBJECT_IN_USE);
  EXPECT_EQ(Open("Sandbox:Games/a.txt", MODE_OLDFILE), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  EXPECT_NE(fh, ZERO);
  Close(fh);
}

TEST_F(DosFiles, VolumeTraitsTurnCallsAway) {
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_READWRITE | ostest::TRAIT_CANNOT_SHRINK |
                                         ostest::TRAIT_NO_EXAMINE_FH);
  EXPECT_EQ(Open("Sandbox:Games/a.txt", MODE_READWRITE), ZERO);
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  FileInfoBlock fib{};
  EXPECT_FALSE(ExamineFH(fh, &fib));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  EXPECT_EQ(SetFileSize(fh, 4, OFFSET_BEGINNING), -1);
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  EXPECT_EQ(SetFileSize(fh, 12, OFFSET_BEGINNING), 12);  // growing still works
  Close(fh);

  ostest::setVolumeTraits("Sandbox", 0);
  fh = Open("Sandbox:Games/a.txt", MODE_READWRITE);
  ASSERT_NE(fh, ZERO);
  EXPECT_TRUE(ExamineFH(fh, &fib));
  EXPECT_EQ(fib.fib_Size, 12);
  Close(fh);
}

TEST_F(DosFiles, TheCallLogNamesCallsAndTheirPaths) {
  ostest::recordCalls(true);
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  char buffer[4];
  Read(fh, buffer, 4);
  Close(fh);
  SetComment("Sandbox:Games/a.txt", "");
  ostest::recordCalls(false);
  Open("Sandbox:not-logged", MODE_OLDFILE);
  const std::vector<std::string> expected = {"Open Sandbox:Games/a.txt", "Read", "Close",
                                             "SetComment Sandbox:Games/a.txt"};
  EXPECT_EQ(ostest::callLog(), expected);
}

}  // namespace

TEST_F(DosFiles, FifosAreRefusedWithoutBlocking) {
  ASSERT_EQ(mkfifo(box.host("pipe").c_str(), 0600), 0);
  for (int32_t mode : {MODE_OLDFILE, MODE_READWRITE, MODE_NEWFILE}) {
    SetIoErr(0);
    EXPECT_EQ(Open("Sandbox:pipe", mode), ZERO) << mode;
    EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE) << mode;
  }
}

TEST_F(DosFiles, OldFileOpensForWritingOnlyAtTheFirstWrite) {
  FolderWatch watch(box.host("Games"));
  ASSERT_TRUE(watch.ready());
  char buffer[4];
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Read(fh, buffer, 4), 4);
  EXPECT_EQ(Seek(fh, 0, OFFSET_END), 4);
  FileInfoBlock fib;
  EXPECT_TRUE(ExamineFH(fh, &fib));
  Close(fh);
  EXPECT_EQ(watch.events(), "open close-read");

  // The first write goes on at the position reached, through a descriptor
  // opened for writing; the size change too.
  fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  EXPECT_EQ(Read(fh, buffer, 3), 3);
  EXPECT_EQ(Write(fh, "abc", 3), 3);
  EXPECT_EQ(Read(fh, buffer, 1), 1);
  EXPECT_EQ(buffer[0], '6');
  EXPECT_EQ(SetFileSize(fh, 8, OFFSET_BEGINNING), 8);
  Close(fh);
  // (inotify folds repeated events into one: both opens, both changes.)
  EXPECT_EQ(watch.events(), "open close-read modify close-write");
  EXPECT_EQ(box.readFile("Games/a.txt"), "012abc67");
}

TEST_F(DosFiles, TheFirstWriteReachesTheObjectOpenNotWhatItsNameNowLeadsTo) {
  BPTR fh = Open("Sandbox:Games/a.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  ASSERT_EQ(rename(box.host("Games/a.txt").c_str(), box.host("Games/moved.txt").c_str()), 0);
  box.writeFile("Games/a.txt", "new one");
  EXPECT_EQ(Write(fh, "AB", 2), 2);
  Close(fh);
  EXPECT_EQ(box.readFile("Games/moved.txt"), "AB23456789");
  EXPECT_EQ(box.readFile("Games/a.txt"), "new one");

  // Deleted while open: still the same object, and no new file appears.
  fh = Open("Sandbox:Games/moved.txt", MODE_OLDFILE);
  ASSERT_NE(fh, ZERO);
  ASSERT_EQ(unlink(box.host("Games/moved.txt").c_str()), 0);
  EXPECT_EQ(Write(fh, "x", 1), 1);
  EXPECT_EQ(Seek(fh, 0, OFFSET_BEGINNING), 1);
  char buffer[3] = {};
  EXPECT_EQ(Read(fh, buffer, 2), 2);
  EXPECT_EQ(std::string(buffer), "xB");
  Close(fh);
  EXPECT_FALSE(box.exists("Games/moved.txt"));
}
