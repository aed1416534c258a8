#include "files/objects/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/strings/text.h"
#include "core/time_count.h"
#include "tests/files/objects/file_contract_tests.h"

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
  // The logged calls named in names, a run of one name counted once.
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
  EXPECT_EQ(readAt(file, 0, 8), "abcdef..");
  EXPECT_EQ(ostest::callLog(), std::vector<std::string>{});
  EXPECT_EQ(box.readFile("new.txt"), "");

  ostest::fixClock(clockAt(LAST_WRITE + 500));  // a close is no change
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
  writeAt(file, 4, "c");  // stamps the time of the change
  ASSERT_TRUE(file->setTime(123456));
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "");

  ostest::recordCalls(true);
  file->flush();
  EXPECT_EQ(callsAmong({"Write", "SetComment", "SetProtection", "SetFileDate"}),
            (std::vector<std::string>{"Write", "SetComment", "SetProtection", "SetFileDate"}));
  EXPECT_EQ(box.readFile("f.txt"), "01abc56789..........");
  EXPECT_EQ(commentOf("Sandbox:f.txt"), "kept");
  EXPECT_EQ(protectionOf("Sandbox:f.txt") & FIBF_DELETE, FIBF_DELETE);
  EXPECT_EQ(timeOnDisk("Sandbox:/f.txt"), 123456);
  EXPECT_EQ(file->getTime(), 123456);
}

TEST_F(BufferedFile, TheWindowMovesWithoutLoadingUntilAReadNeedsIt) {
  cFile* file = opened("Sandbox:/big.bin", false, '-');
  writeAt(file, 0, "A");
  ostest::recordCalls(true);
  writeAt(file, 600000, "B");
  EXPECT_EQ(callsAmong({"Read", "Write"}), std::vector<std::string>{"Write"});
  EXPECT_EQ(box.readFile("big.bin"), "A");
  EXPECT_EQ(readAt(file, 0, 3), "A--");
  EXPECT_EQ(readAt(file, 599999, 3), "-B-");
  file->close();
  EXPECT_EQ(box.readFile("big.bin"), "A" + std::string(599999, '-') + "B");
}

TEST_F(BufferedFile, TransfersOverAWindowGoStraightToTheHost) {
  box.writeFile("f.bin", std::string(100, 'x'));
  cFile* file = opened("Sandbox:/f.bin", false);
  EXPECT_EQ(readAt(file, 0, 4), "xxxx");  // the window is loaded
  writeAt(file, 0, "ab");                  // and has a dirty prefix
  writeAt(file, 1, std::string(FILE_WINDOW_SIZE + 1, 'Y'));
  EXPECT_EQ(box.readFile("f.bin").substr(0, 3), "aYY");
  EXPECT_EQ(file->getSize(), FILE_WINDOW_SIZE + 2);
  // Small reads after it see the new bytes, not the window's old ones.
  EXPECT_EQ(readAt(file, 0, 4), "aYYY");
  EXPECT_EQ(readAt(file, 99, 2), "YY");
  writeAt(file, 2, "c");
  const std::string big = readAt(file, 0, FILE_WINDOW_SIZE + 4);
  EXPECT_EQ(big.substr(0, 4), "aYcY");
  EXPECT_EQ(big.substr(FILE_WINDOW_SIZE + 1), "Y..");
}

TEST_F(BufferedFile, ShrunkBytesNeverComeBack) {
  // A 100-byte file cut to 10 and grown again has pad bytes after 10, and so
  // has every read past its end, whatever the window or the host still hold.
  const std::string cut = std::string(10, 'x') + std::string(40, '.');
  const std::string rewritten = std::string(10, 'x') + std::string(10, '.') + "Q" + std::string(29, '.');
  struct Case {
    const char* name;
    void (*steps)(cFile*);
    const std::string& expected;
  };
  const Case cases[] = {
      {"grown again", [](cFile* f) { f->setSize(10); f->setSize(50); }, cut},
      {"window loaded first", [](cFile* f) { readAt(f, 0, 1); f->setSize(10); f->setSize(50); }, cut},
      {"dirty data past the cut", [](cFile* f) { writeAt(f, 30, "QQ"); f->setSize(10); f->setSize(50); }, cut},
      {"written past the cut", [](cFile* f) { f->setSize(10); writeAt(f, 20, "Q"); f->setSize(50); }, rewritten},
      {"window moved away and back",
       [](cFile* f) {
         f->setSize(10);
         writeAt(f, 20, "Q");
         writeAt(f, 700000, "Z");  // the first window reaches the host
         f->setSize(50);
       },
       rewritten},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box.writeFile("f.bin", std::string(100, 'x'));
    cFile* file = opened("Sandbox:/f.bin", false);
    c.steps(file);
    char buffer[60];
    file->setPosition(0);
    int32_t missing = -1;
    EXPECT_EQ(file->read_cBaseFile(buffer, 60, 0, NO_STOP_BYTE, &missing), 60);
    EXPECT_EQ(missing, 10);
    EXPECT_EQ(std::string(buffer, 60), c.expected + std::string(10, '.'));
    file->close();
    EXPECT_EQ(box.readFile("f.bin"), c.expected);
    finish(file);
  }
}

TEST_F(BufferedFile, PositionsFromTheEndFollowTheCachedSize) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "0123456789");
  file->setPosition(-1);
  EXPECT_EQ(file->getPosition(false), 10);
  EXPECT_EQ(file->getPosition(true), -1);
  file->setSize(4);
  file->setPosition(-2);
  EXPECT_EQ(file->getPosition(false), 3);
  EXPECT_EQ(errorOf([&] { file->setPosition(-6); }),
            "EMU cFile.setPosition(); position before start of file is illegal");
}

TEST_F(BufferedFile, ClonesAndCopiesSeeWhatWasWritten) {
  cFile* writer = opened("Sandbox:/f.txt", false);
  writeAt(writer, 0, "hello");
  auto* reader = kept(writer->clone_cFile(false));
  ASSERT_TRUE(reader);
  EXPECT_EQ(readAt(reader, 0, 6), "hello.");
  writeAt(writer, 5, "!");
  auto* copy = kept(writer->makeCopy_cFile("Sandbox:/copy.txt"));
  ASSERT_TRUE(copy) << writer->infoFailureReason();
  finish(copy);
  EXPECT_EQ(box.readFile("copy.txt"), "hello!");
}

TEST_F(BufferedFile, AReadOnlyFileRefusesASizeBeforeChangingAnything) {
  box.writeFile("f.txt", "0123456789");
  cFile* file = opened("Sandbox:/f.txt", true);
  const int64_t time = file->getTime();
  EXPECT_EQ(errorOf([&] { file->setSize(3); }), "EMU cFile.setSize(); file opened in read only mode");
  EXPECT_EQ(file->getSize(), 10);
  EXPECT_EQ(file->getTime(), time);
}

TEST_F(BufferedFile, ADiskWithoutDatesRefusesTimesButTakesWrites) {
  box.writeFile("f.txt", "abc");
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_DATES);
  cFile* file = opened("Sandbox:/f.txt", false);
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
  const std::pair<const char*, bool> steps[] = {
      {"Sandbox:/a.txt", true}, {"Sandbox:/a.txt", false}, {"Home:/b.txt", true}, {"Sandbox:/a.txt", true}};
  for (const auto& [path, probes] : steps) {
    SCOPED_TRACE(path);
    ostest::recordCalls(true);
    cFile* file = opened(path, false);
    EXPECT_EQ(!callsAmong({"SetFileDate"}).empty(), probes);
    EXPECT_EQ(file->support, FILE_TAKES_TIME | FILE_TAKES_ATTRIBUTES | FILE_TAKES_EXTRA);
    EXPECT_TRUE(StrCmpNoCase(fileDiskName, file->diskName));
    finish(file);
  }
}

TEST_F(BufferedFile, EndingAnOpenFileWritesItsDataAndReportsAFailure) {
  cFile* file = opened("Sandbox:/kept.txt", false);
  writeAt(file, 0, "kept");
  finish(file);
  EXPECT_EQ(box.readFile("kept.txt"), "kept");

  auto* lost = new cFile;
  lost->new_cBaseFile('.');
  ASSERT_TRUE(lost->open("Sandbox:/lost.txt", false, false));
  writeAt(lost, 0, "lost");
  ostest::failNextCall("Write", ERROR_DISK_FULL);
  EXPECT_EQ(errorOf([&] { End(lost); }).rfind("FILE ", 0), 0u);
  EXPECT_EQ(lost, nullptr);  // freed all the same; the fixture checks nothing is left
}

TEST_F(BufferedFile, AFlushThatCannotSetTheTimeSaysSoAfterWritingTheData) {
  cFile* file = opened("Sandbox:/f.txt", false);
  writeAt(file, 0, "data");
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
}

}  // namespace
