#include "files/buffered_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/time_count.h"
#include "files/host_extra.h"
#include "tests/files/file_contract_tests.h"

// cFile stamps its changes with the clock, and remembers the disk it probed.
template <>
struct FileContractEnvironment<cFile> {
  static void setUp() {
    new_ptime();
    disposeFileDiskSupport();
  }
  static void tearDown() {
    disposeFileDiskSupport();
    end_ptime();
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(BufferedFile, FileContract, cFile);

namespace {

// BigTimes and the system clock readings that give them.
constexpr BigTime FIRST_WRITE = 700000000;
constexpr BigTime LAST_WRITE = 700000123;
uint32_t clockAt(BigTime t) { return static_cast<uint32_t>(t + SYSTEM_CLOCK_TO_BIGTIME); }

class BufferedFile : public FileObjectTest {
 protected:
  void SetUp() override {
    FileContractEnvironment<cFile>::setUp();
    ostest::fixClock(clockAt(FIRST_WRITE));
    FileObjectTest::SetUp();
  }
  void TearDown() override {
    ostest::recordCalls(false);
    ostest::setVolumeTraits("Sandbox", 0);
    endAll();
    FileContractEnvironment<cFile>::tearDown();
    FileObjectTest::TearDown();
    ostest::restoreTimer();
  }

  cFile* opened(const char* path, bool readOnly, uint8_t padByte = '.') {
    cFile* file = made<cFile>(padByte);
    const bool done = file->open(path, readOnly, false);
    EXPECT_TRUE(done) << path << ": " << (done ? "" : file->infoFailureReason());
    return file;
  }
  static void writeAt(cFile* file, int64_t position, const std::string& data) {
    file->setPosition(position);
    file->write_cBaseFile(data.data(), static_cast<int32_t>(data.size()), 0, false);
  }
  static std::string readAt(cFile* file, int64_t position, int32_t length) {
    std::string data(static_cast<size_t>(length), '?');
    file->setPosition(position);
    file->read_cBaseFile(data.data(), length, 0, NO_STOP_BYTE);
    return data;
  }
  // The calls of the log that are among names ("Write", "SetFileDate", ...),
  // by their names only.
  static std::vector<std::string> callsAmong(std::initializer_list<const char*> names) {
    std::vector<std::string> calls;
    for (const std::string& entry : ostest::callLog()) {
      const std::string name = entry.substr(0, entry.find(' '));
      if (std::find(names.begin(), names.end(), name) != names.end() &&
          (calls.empty() || calls.back() != name))
        calls.push_back(name);
    }
    return calls;
  }
  // The time of the file on disk.
  int64_t timeOnDisk(const char* path) {
    cHostFile* file = made<cHostFile>();
    EXPECT_TRUE(file->open(path, true, false));
    const int64_t time = file->getTime();
    finish(file);
    return time;
  }
};

TEST_F(BufferedFile, NothingReachesTheHostBeforeFlush) {
  cFile* file = opened("Sandbox:/new.txt", false);
  ostest::recordCalls(true);
  writeAt(file, 0, "abc");
  ostest::fixClock(clockAt(LAST_WRITE));
  writeAt(file, 3, "def");
  file->setSize(6);
  EXPECT_EQ(readAt(file, 0, 8), "abcdef..");
  EXPECT_EQ(file->getSize(), 6);
  EXPECT_EQ(ostest::callLog(), std::vector<std::string>{});
  EXPECT_EQ(box.readFile("new.txt"), "");

  ostest::fixClock(clockAt(LAST_WRITE + 500));  // the close is no write
  file->close();
  EXPECT_EQ(box.readFile("new.txt"), "abcdef");
  EXPECT_EQ(timeOnDisk("Sandbox:/new.txt"), LAST_WRITE);
}

TEST_F(BufferedFile, FlushWritesDataSizeExtraAttributesAndTimeInThatOrder) {
  box.writeFile("f.txt", "0123456789");
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 2, "ab");
  file->setSize(20);
  ASSERT_TRUE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>("kept")));
  ASSERT_TRUE(file->setAttributes(ATTR_READABLE | ATTR_WRITABLE, ATTR_ALL));
  ASSERT_TRUE(file->setTime(123456));
  writeAt(file, 4, "c");  // a write stamps the time of the change
  ASSERT_TRUE(file->setTime(123456));
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "");

  ostest::recordCalls(true);
  file->flush();
  EXPECT_EQ(callsAmong({"Write", "SetFileSize", "SetComment", "SetProtection", "SetFileDate"}),
            (std::vector<std::string>{"Write", "SetComment", "SetProtection", "SetFileDate"}));
  EXPECT_EQ(box.readFile("f.txt"), "01abc56789..........");
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "kept");
  EXPECT_EQ(protectionOf("Sandbox:f.txt") & FIBF_DELETE, FIBF_DELETE);
  EXPECT_EQ(timeOnDisk("Sandbox:/f.txt"), 123456);
  // The cache holds what the disk has.
  EXPECT_EQ(file->getTime(), 123456);
  EXPECT_EQ(file->getSize(), 20);
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_COMM)), "kept");
}

TEST_F(BufferedFile, AWriteBeyondTheWindowWritesItsDirtyPrefixAndLoadsNothing) {
  cFile* file = opened("Sandbox:/big.bin", false, '-');
  writeAt(file, 0, "A");
  ostest::recordCalls(true);
  writeAt(file, 600000, "B");
  EXPECT_EQ(callsAmong({"Read", "Write"}), std::vector<std::string>{"Write"});
  EXPECT_EQ(box.readFile("big.bin"), "A");
  // Back to the first window: the second one's prefix reaches the host.
  EXPECT_EQ(readAt(file, 0, 3), "A--");
  EXPECT_EQ(box.readFile("big.bin").size(), 600001u);
  EXPECT_EQ(readAt(file, 599999, 3), "-B-");
  file->close();
  const std::string data = box.readFile("big.bin");
  EXPECT_EQ(data, "A" + std::string(599999, '-') + "B");
}

TEST_F(BufferedFile, TransfersOverAWindowGoStraightToTheHost) {
  box.writeFile("f.bin", std::string(100, 'x'));
  cFile* file = opened("Sandbox:/f.bin", false);
  EXPECT_EQ(readAt(file, 0, 4), "xxxx");  // the window is loaded
  writeAt(file, 0, "ab");                  // and has a dirty prefix

  writeAt(file, 1, std::string(FILE_WINDOW_SIZE + 1, 'Y'));
  const std::string onDisk = box.readFile("f.bin");
  ASSERT_EQ(onDisk.size(), size_t{FILE_WINDOW_SIZE} + 2);
  EXPECT_EQ(onDisk.substr(0, 3), "aYY");
  EXPECT_EQ(file->getSize(), FILE_WINDOW_SIZE + 2);
  // Small reads after it see the new bytes, not the window's old ones.
  EXPECT_EQ(readAt(file, 0, 4), "aYYY");
  EXPECT_EQ(readAt(file, 99, 4), "YYYY");

  std::string big(FILE_WINDOW_SIZE + 10, '?');
  writeAt(file, 2, "cd");
  file->setPosition(0);
  int32_t missing = -1;
  EXPECT_EQ(file->read_cBaseFile(big.data(), FILE_WINDOW_SIZE + 10, 0, NO_STOP_BYTE, &missing),
            FILE_WINDOW_SIZE + 10);
  EXPECT_EQ(missing, 8);
  EXPECT_EQ(big.substr(0, 5), "aYcdY");
  EXPECT_EQ(big.substr(FILE_WINDOW_SIZE + 2), "........");
}

TEST_F(BufferedFile, ShrunkBytesNeverComeBack) {
  // A 100-byte file shrunk to 10 and grown again holds pad bytes after 10,
  // whatever the window or the host still had there.
  const std::string shrunk = std::string(10, 'x') + std::string(40, '.');
  struct Case {
    const char* name;
    std::function<void(cFile*)> steps;
    std::string expected;
  };
  const Case cases[] = {
      {"grown again", [](cFile* f) { f->setSize(10); f->setSize(50); }, shrunk},
      {"window loaded first",
       [](cFile* f) {
         readAt(f, 0, 1);
         f->setSize(10);
         f->setSize(50);
       },
       shrunk},
      {"dirty data past the cut",
       [](cFile* f) {
         writeAt(f, 30, "QQ");
         f->setSize(10);
         f->setSize(50);
       },
       shrunk},
      {"written past the cut",
       [](cFile* f) {
         f->setSize(10);
         writeAt(f, 20, "Q");
         f->setSize(50);
       },
       std::string(10, 'x') + std::string(10, '.') + "Q" + std::string(29, '.')},
      {"window moved away and back",
       [](cFile* f) {
         f->setSize(10);
         writeAt(f, 20, "Q");
         writeAt(f, 700000, "Z");  // the first window reaches the host
         f->setSize(50);
       },
       std::string(10, 'x') + std::string(10, '.') + "Q" + std::string(29, '.')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box.writeFile("f.bin", std::string(100, 'x'));
    cFile* file = opened("Sandbox:/f.bin", false);
    c.steps(file);
    EXPECT_EQ(readAt(file, 0, 60), c.expected + std::string(10, '.'));
    file->close();
    EXPECT_EQ(box.readFile("f.bin"), c.expected);
    finish(file);
  }
}

TEST_F(BufferedFile, ReadsPastTheCachedEndGivePadBytes) {
  box.writeFile("f.txt", "abcdefghij");
  cFile* file = opened("Sandbox:/f.txt", false);
  EXPECT_EQ(readAt(file, 0, 10), "abcdefghij");
  file->setSize(4);
  char buffer[8];
  file->setPosition(2);
  int32_t missing = -1;
  EXPECT_EQ(file->read_cBaseFile(buffer, 8, 0, NO_STOP_BYTE, &missing), 10);
  EXPECT_EQ(missing, 6);
  EXPECT_EQ(std::string(buffer, 8), "cd......");
}

TEST_F(BufferedFile, PositionsFromTheEndFollowTheCachedSize) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "0123456789");
  file->setPosition(-1);
  EXPECT_EQ(file->getPosition(false), 10);
  EXPECT_EQ(file->getPosition(true), -1);
  file->setPosition(-3);
  EXPECT_EQ(file->getPosition(false), 8);
  file->setSize(4);
  file->setPosition(-1);
  EXPECT_EQ(file->getPosition(false), 4);
  EXPECT_EQ(errorOf([&] { file->setPosition(-6); }),
            "EMU cFile.setPosition(); position before start of file is illegal");
}

TEST_F(BufferedFile, AReadOnlyCloneSeesWhatWasWritten) {
  cFile* writer = opened("Sandbox:/f.txt", false);
  writeAt(writer, 0, "hello");
  auto* reader = kept(writer->clone_cFile(false));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->getSize(), 5);
  EXPECT_EQ(readAt(reader, 0, 5), "hello");
}

TEST_F(BufferedFile, ACopySeesWhatWasWritten) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "buffered");
  auto* copy = kept(file->makeCopy_cFile("Sandbox:/copy.txt"));
  ASSERT_TRUE(copy) << file->infoFailureReason();
  finish(copy);
  EXPECT_EQ(box.readFile("copy.txt"), "buffered");
}

TEST_F(BufferedFile, AReadOnlyFileRefusesAnyChangeBeforeMakingIt) {
  box.writeFile("f.txt", "0123456789");
  cFile* file = opened("Sandbox:/f.txt", true);
  const int64_t time = file->getTime();
  EXPECT_EQ(errorOf([&] { file->setSize(3); }), "EMU cFile.setSize(); file opened in read only mode");
  EXPECT_EQ(file->getSize(), 10);
  EXPECT_EQ(file->getTime(), time);
  EXPECT_EQ(errorOf([&] { file->setTime(5); }), "EMU cFile.setTime(); file opened in read only mode");
  EXPECT_EQ(errorOf([&] { file->setAttributes(0, ATTR_ALL); }),
            "EMU cFile.setAttributes(); file opened in read only mode");
  EXPECT_EQ(errorOf([&] { file->changeExtra(EXTRA_COMM, 0); }),
            "EMU cFile.changeExtra(); file opened in read only mode");
  file->close();
  EXPECT_EQ(box.readFile("f.txt"), "0123456789");
}

TEST_F(BufferedFile, ADiskWithoutDatesRefusesTimesButTakesWrites) {
  box.writeFile("f.txt", "abc");
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_DATES);
  cFile* file = opened("Sandbox:/f.txt", false);
  EXPECT_EQ(file->support & FILE_TAKES_TIME, 0);
  EXPECT_FALSE(file->setTime(5));
  EXPECT_STREQ(file->infoFailureOrigin(), "cFile.setTime()");
  EXPECT_STREQ(file->infoFailureReason(), "not supported by disk");
  writeAt(file, 3, "def");
  EXPECT_NO_THROW(file->close());
  EXPECT_EQ(box.readFile("f.txt"), "abcdef");
}

TEST_F(BufferedFile, ADiskIsProbedOncePerDeviceInARow) {
  box.writeFile("a.txt", "a");
  box.writeFile("home/b.txt", "b");
  struct Step {
    const char* path;
    bool probes;
  };
  const Step steps[] = {
      {"Sandbox:/a.txt", true}, {"Sandbox:/a.txt", false}, {"Home:/b.txt", true}, {"Sandbox:/a.txt", true}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.path);
    ostest::recordCalls(true);
    cFile* file = opened(step.path, false);
    EXPECT_EQ(!callsAmong({"SetFileDate"}).empty(), step.probes);
    EXPECT_EQ(file->support, FILE_TAKES_TIME | FILE_TAKES_ATTRIBUTES | FILE_TAKES_EXTRA);
    EXPECT_TRUE(StrCmpNoCase(fileDiskName, file->diskName));
    finish(file);
  }
  EXPECT_STREQ(fileDiskName, "Sandbox:/");
}

TEST_F(BufferedFile, EndingAnOpenFileWritesItsData) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "kept");
  finish(file);
  EXPECT_EQ(box.readFile("f.txt"), "kept");
}

TEST_F(BufferedFile, AnEndingFlushThatFailsIsReported) {
  auto* file = new cFile;
  file->new_cBaseFile('.');
  ASSERT_TRUE(file->open("Sandbox:/f.txt", false, false));
  writeAt(file, 0, "lost");
  ostest::failNextCall("Write", ERROR_DISK_FULL);
  EXPECT_EQ(errorOf([&] { End(file); }).rfind("FILE ", 0), 0u);
  EXPECT_EQ(file, nullptr);  // freed all the same; the fixture checks nothing is left
}

TEST_F(BufferedFile, AFlushThatCannotSetTheTimeSaysSoAfterWritingTheData) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "data");
  ASSERT_TRUE(file->setTime(FIRST_WRITE - 1000));
  ostest::failNextCall("SetFileDate", ERROR_OBJECT_IN_USE);
  testing::internal::CaptureStdout();
  EXPECT_EQ(errorOf([&] { file->flush(); }),
            "FILE cFile.flush(); failed to set one of more of: time, attributes & extra");
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.rfind("flush() FAILED to setTime() because \"error setting file date", 0), 0u) << printed;
  EXPECT_NE(printed.find("; support=1, file=\"Sandbox:/f.txt\"\n"), std::string::npos) << printed;
  EXPECT_EQ(box.readFile("f.txt"), "data");
  // The cache shows the disk's time, not the refused one.
  EXPECT_EQ(file->getTime(), timeOnDisk("Sandbox:/f.txt"));
  EXPECT_EQ(file->dirty, 0);
}

TEST_F(BufferedFile, ALinkIsMadeOnDiskAtOnce) {
  box.writeFile("target.txt", "target");
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "data");
  ASSERT_TRUE(file->changeExtra(EXTRA_SLNK, reinterpret_cast<intptr_t>("Sandbox:/target.txt")))
      << file->infoFailureReason();
  char target[256];
  EXPECT_GT(ReadLink(nullptr, ZERO, "Sandbox:f.txt", target, sizeof target), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_LINK)), "Sandbox:/target.txt");
  EXPECT_EQ(file->getSize(), 6);
  finish(file);
  EXPECT_EQ(box.readFile("target.txt"), "target");
}

TEST_F(BufferedFile, TheCacheAnswersForExtraData) {
  box.writeFile("f.txt", "abc");
  ASSERT_TRUE(SetComment("Sandbox:f.txt", "old"));
  cFile* file = opened("Sandbox:/f.txt", false);
  ASSERT_TRUE(file->changeExtra(EXTRA_COMM, reinterpret_cast<intptr_t>("new")));
  int32_t status = 0;
  EXPECT_FALSE(file->changeExtra(EXTRA_LINK, 0, &status));
  EXPECT_EQ(status, -1);
  EXPECT_STREQ(file->infoFailureReason(), "not supported by host");
  EXPECT_STREQ(reinterpret_cast<const char*>(file->queryExtra(EXTRA_COMM)), "new");
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "old");
  cExtra* copy = file->getExtra();
  ASSERT_TRUE(copy);
  EXPECT_STREQ(copy->InfoClassType(), "cHostExtra");
  EXPECT_STREQ(reinterpret_cast<const char*>(copy->queryExtra(EXTRA_COMM)), "new");
  End(copy);
  file->close();
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "new");
}

}  // namespace
