#include "core/time_count.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "tests/support/child_process.h"

namespace {

constexpr uint32_t CLOCK_AT_2000 = 694224000;  // system clock seconds at 2000-01-01

class TimeCount : public ::testing::Test {
 protected:
  void SetUp() override { ostest::restoreTimer(); }
  void TearDown() override {
    end_ptime();
    ostest::restoreTimer();
  }
};

TEST_F(TimeCount, CurrentTimeFollowsTheSystemClock) {
  new_ptime();
  ASSERT_NE(TimerBase, nullptr);
  struct Case {
    uint32_t clock;
    BigTime expected;
  };
  const Case cases[] = {
      {CLOCK_AT_2000, 0},
      {CLOCK_AT_2000 + 86399, 86399},
      {0, -694224000},  // the clock's own zero point, 1978-01-01
      {UINT32_MAX, int64_t{UINT32_MAX} - CLOCK_AT_2000},
  };
  for (const Case& c : cases) {
    ostest::fixClock(c.clock, 999999);
    EXPECT_EQ(CurrentTime_ptime(), c.expected) << c.clock;
  }
  ostest::fixClock(0);
  char* text = NewString(19);
  EXPECT_STREQ(StrDateTime(text, CurrentTime_ptime(), true, true), "1978-01-01 00:00:00");
  DisposeString(text);
}

TEST_F(TimeCount, RealClockIsUnixTimeInTheTestZone) {
  new_ptime();
  const int64_t expected = static_cast<int64_t>(std::time(nullptr)) - 946684800;  // TZ=UTC
  EXPECT_NEAR(static_cast<double>(CurrentTime_ptime()), static_cast<double>(expected), 2.0);
}

TEST_F(TimeCount, FailedOpenIsSilentUntilTheTimeIsAskedFor) {
  ostest::failNextTimerOpen();
  EXPECT_NO_THROW(new_ptime());
  EXPECT_EQ(TimerBase, nullptr);
  try {
    CurrentTime_ptime();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("DEV"));
    EXPECT_STREQ(e.message(), "pTime; CurrentTime(); unable to open the timer.device");
  }
  EXPECT_NO_THROW(end_ptime());  // nothing to close
  new_ptime();
  EXPECT_NE(TimerBase, nullptr);
}

TEST_F(TimeCount, EndClosesTheDeviceOnce) {
  EXPECT_NO_THROW(end_ptime());  // safe before any start
  new_ptime();
  ASSERT_NE(TimerBase, nullptr);
  Device* device = TimerBase;
  const int32_t users = device->dd_Library.lib_OpenCnt;
  new_ptime();  // already open: not opened a second time
  EXPECT_EQ(device->dd_Library.lib_OpenCnt, users);
  end_ptime();
  EXPECT_EQ(TimerBase, nullptr);
  EXPECT_EQ(device->dd_Library.lib_OpenCnt, users - 1);
  end_ptime();
  EXPECT_EQ(device->dd_Library.lib_OpenCnt, users - 1);
  EXPECT_THROW(CurrentTime_ptime(), Exception);
}

TEST_F(TimeCount, DayNamesStartOnMondayAndAreReleasedAtTheEnd) {
  const size_t before = Arena::liveCount();
  new_ptime2();
  const char* expected[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  for (int32_t i = 0; i < DAY_NAME_COUNT; ++i) EXPECT_STREQ(dayNames[i], expected[i]);
  EXPECT_STREQ(dayNames[BigTimeToDayOfWeek(0) - 1], "Sat");
  new_ptime2();  // built again: the first set is not kept
  EXPECT_EQ(Arena::liveCount(), before + DAY_NAME_COUNT);
  end_ptime();
  for (char* name : dayNames) EXPECT_EQ(name, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST_F(TimeCount, SelfTestReportsToday) {
  const ChildResult child = runInChild([] {
    new_ptime();
    new_ptime2();
    ostest::fixClock(CLOCK_AT_2000 + 86399);
    main_ptime();
    return 0;
  });
  ASSERT_EQ(child.exitCode, 0);
  EXPECT_NE(child.output.find("TODAY has Day=Sat, Date=2000-01-01, Time=23:59:59\n"), std::string::npos)
      << child.output;
  const long days = dateToDayNumber(2301, 1, 1) - dateToDayNumber(1, 1, 1);
  const std::string summary =
      "Full test had 0 wrong, " + std::to_string(days) + " correct, out of " + std::to_string(days) + " total\n";
  EXPECT_NE(child.output.find(summary), std::string::npos) << child.output;
}

}  // namespace
