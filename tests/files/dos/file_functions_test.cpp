// 64-bit positions and sizes on file handles, DateStamp conversions and the
// reasons of host failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/exception.h"
#include "files/dos/file_functions.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

TEST(DateStamps, TimesAndDateStampsRoundTrip) {
  struct Case {
    int64_t time;
    int32_t days, minute, tick;
  };
  const Case cases[] = {
      {0, 8035, 0, 0},
      {1, 8035, 0, 50},
      {59, 8035, 0, 2950},
      {60, 8035, 1, 0},
      {86399, 8035, 1439, 2950},
      {86400, 8036, 0, 0},
      {-1, 8034, 1439, 2950},
      {-60, 8034, 1439, 0},  // whole minutes before 2000 keep their tick in range
      {-61, 8034, 1438, 2950},
      {-86400, 8034, 0, 0},
      {-86401, 8033, 1439, 2950},
      {-8035LL * 86400, 0, 0, 0},  // 1978-01-01
      {-8036LL * 86400 + 30, -1, 0, 1500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    int32_t minute = -1, tick = -1;
    const int32_t days = timeToDatestamp(c.time, &minute, &tick);
    EXPECT_EQ(days, c.days);
    EXPECT_EQ(minute, c.minute);
    EXPECT_EQ(tick, c.tick);
    EXPECT_EQ(datestampToTime(days, minute, tick), c.time);
  }
  for (int64_t time : {int64_t{3} << 33, -(int64_t{3} << 33) + 7, int64_t{1234567891}, int64_t{-987654321}}) {
    int32_t minute = -1, tick = -1;
    const int32_t days = timeToDatestamp(time, &minute, &tick);
    EXPECT_TRUE(minute >= 0 && minute <= 1439 && tick >= 0 && tick <= 2950 && tick % 50 == 0) << time;
    EXPECT_EQ(datestampToTime(days, minute, tick), time);
  }
  EXPECT_EQ(datestampToTime(8035, 0, 49), 0);  // ticks are cut to whole seconds
  EXPECT_EQ(datestampToTime(8035, 0, 99), 1);
  EXPECT_EQ(timeToDatestamp(INT64_MIN), INT32_MIN);
  EXPECT_EQ(timeToDatestamp(INT64_MAX), INT32_MAX);
}

using HostFiles = DosLayerTest;

TEST_F(HostFiles, PositionsAndSizesWithin32Bits) {
  box.writeFile("f.bin", std::string(1000, 'x'));
  const BPTR fh = Open("Sandbox:f.bin", MODE_OLDFILE);
  ASSERT_TRUE(fh);
  EXPECT_TRUE(setFilePosition64(fh, -100, OFFSET_END));
  EXPECT_FALSE(setFilePosition64(fh, 2000, OFFSET_BEGINNING));
  EXPECT_EQ(safeGetFilePosition64(fh), 900);
  EXPECT_TRUE(setFileSize64(fh, 400));
  EXPECT_EQ(fileSizeFromFH(fh, true, true), 400);
  // Sizes a 32-bit call cannot take are refused without asking the system.
  ostest::recordCalls(true);
  EXPECT_FALSE(setFileSize64(fh, int64_t{1} << 31));
  EXPECT_FALSE(setFileSize64(fh, int64_t{5} << 30));
  EXPECT_FALSE(setFileSize64(fh, -1));
  EXPECT_TRUE(ostest::callLog().empty());
  ostest::recordCalls(false);

  try {
    safeSetFilePosition64(fh, 5000);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("FILE"));
    EXPECT_STREQ(e.message(), "cPath; safeSetFilePosition64(); failed");
  }
  Close(fh);
}

TEST_F(HostFiles, SizeBySeekingWhenTheHandleCannotBeExamined) {
  box.writeFile("f.bin", std::string(777, 'x'));
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_EXAMINE_FH);
  const BPTR fh = Open("Sandbox:f.bin", MODE_OLDFILE);
  ASSERT_TRUE(fh);
  ASSERT_TRUE(setFilePosition64(fh, 100, OFFSET_BEGINNING));
  EXPECT_EQ(getFileSize64(fh, false), 777);
  EXPECT_EQ(getFilePosition64(fh), 100);
  EXPECT_EQ(fileSizeFromFH(fh, false, true), 777);
  EXPECT_EQ(getFilePosition64(fh), 777);
  ASSERT_TRUE(setFilePosition64(fh, 100, OFFSET_BEGINNING));
  EXPECT_EQ(getFileSize64(fh, true), 777);
  EXPECT_EQ(getFilePosition64(fh), 777);

  ostest::failNextCall("Seek", ERROR_SEEK_ERROR);
  EXPECT_EQ(getFileSize64(fh, false), -1);
  ostest::failNextCall("Seek", ERROR_SEEK_ERROR);
  try {
    fileSizeFromFH(fh, true, false);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("ERR"));
    EXPECT_STREQ(e.message(), "fileSizeFromFH(); failed to obtain size of file (6)");
  }
  ostest::failNextCall("Seek", ERROR_SEEK_ERROR);
  try {
    safeGetFilePosition64(fh);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.message(), "cPath; safeGetFilePosition64(); failed");
  }
  Close(fh);
  ostest::setVolumeTraits("Sandbox", 0);
}

TEST_F(HostFiles, PositionsPast32Bits) {
  // A sparse file of 6 GB with a mark at 5,000,000,000 and at 500,000,000.
  const std::string host = box.host("big.bin");
  {
    std::ofstream out(host, std::ios::binary);
  }
  std::error_code error;
  std::filesystem::resize_file(host, 6000000000ULL, error);
  if (error) GTEST_SKIP() << "no sparse files here: " << error.message();
  {
    std::fstream io(host, std::ios::binary | std::ios::in | std::ios::out);
    io.seekp(5000000000LL);
    io.write("FIVE", 4);
    io.seekp(500000000LL);
    io.write("HALF", 4);
    io.seekp(3000000000LL);
    io.write("THREE", 5);
  }
  const BPTR fh = Open("Sandbox:big.bin", MODE_OLDFILE);
  ASSERT_TRUE(fh);
  char mark[5] = {};
  auto readMark = [&](int32_t length) {
    std::fill(mark, mark + 5, '\0');
    return Read(fh, mark, length) == length ? std::string(mark, static_cast<size_t>(length)) : std::string("?");
  };

  ostest::recordCalls(true);
  ASSERT_TRUE(setFilePosition64(fh, 5000000000LL, OFFSET_BEGINNING));
  // One Seek to the start and three by at most 2^31-1 bytes.
  EXPECT_EQ(ostest::callLog(), std::vector<std::string>(4, "Seek"));
  ostest::recordCalls(false);
  EXPECT_EQ(readMark(4), "FIVE");

  ASSERT_TRUE(setFilePosition64(fh, -4500000004LL, OFFSET_CURRENT));
  EXPECT_EQ(readMark(4), "HALF");
  ASSERT_TRUE(setFilePosition64(fh, 3000000000LL, OFFSET_BEGINNING));
  EXPECT_EQ(getFilePosition64(fh), 3000000000LL);  // not negative
  EXPECT_EQ(readMark(5), "THREE");
  ASSERT_TRUE(setFilePosition64(fh, -3000000000LL, OFFSET_END));
  EXPECT_EQ(readMark(5), "THREE");
  EXPECT_FALSE(setFilePosition64(fh, 7000000000LL, OFFSET_BEGINNING));

  // The examined size stops at the 32-bit cap; the size is the handle's end,
  // and the position (which the 32-bit answer wraps) is kept or left there.
  for (const int64_t at : {int64_t{0}, int64_t{3000000000}, int64_t{5000000000}, int64_t{4294967296 + 7}}) {
    SCOPED_TRACE(at);
    ASSERT_TRUE(setFilePosition64(fh, at, OFFSET_BEGINNING));
    EXPECT_EQ(fullFilePosition64(fh), at);
    EXPECT_EQ(getFileSize64(fh, false), 6000000000LL);
    EXPECT_EQ(fullFilePosition64(fh), at);
    EXPECT_EQ(getFileSize64(fh, true), 6000000000LL);
    EXPECT_EQ(fullFilePosition64(fh), 6000000000LL);
  }
  Close(fh);
}

TEST_F(HostFiles, FailureReasonsAndUnlocking) {
  SetIoErr(0);
  EXPECT_STREQ(dosFailureReason_cpath_file("cHostFile.open(); failed"), "cHostFile.open(); failed");
  EXPECT_FALSE(Lock("Sandbox:missing", SHARED_LOCK));
  EXPECT_STREQ(dosFailureReason_cpath_file("Opening"), "Opening: object not found");
  SetIoErr(ERROR_DISK_FULL);
  const char* reason = dosFailureReason("Saving");
  EXPECT_STREQ(reason, "Saving: disk is full");
  EXPECT_EQ(reason, staticFault(0, nullptr));  // the one shared buffer

  // The fixture sees that these locks are given back.
  EXPECT_EQ(unLock_cpath_file(Lock("Sandbox:", SHARED_LOCK)), ZERO);
  EXPECT_EQ(unLock_cpath_dir(Lock("Sandbox:", SHARED_LOCK)), ZERO);
}

}  // namespace
