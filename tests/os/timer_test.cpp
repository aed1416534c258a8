#include "os/timer/timer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "tests/support/scoped_env.h"

namespace {

class TimerDevice : public ::testing::Test {
 protected:
  void TearDown() override { ostest::restoreTimer(); }
};

TEST_F(TimerDevice, OpenAndCloseCountUsersOfTheOneDevice) {
  TimeRequest a{}, b{};
  ASSERT_EQ(OpenDevice("timer.device", UNIT_VBLANK, &a.Request, 0), 0);
  ASSERT_NE(a.Request.io_Device, nullptr);
  EXPECT_EQ(a.Request.io_Unit, UNIT_VBLANK);
  EXPECT_EQ(a.Request.io_Error, 0);
  const int32_t usersWithA = a.Request.io_Device->dd_Library.lib_OpenCnt;

  ASSERT_EQ(OpenDevice("TIMER.device", UNIT_MICROHZ, &b.Request, 0), 0);
  EXPECT_EQ(b.Request.io_Device, a.Request.io_Device);
  EXPECT_EQ(b.Request.io_Device->dd_Library.lib_OpenCnt, usersWithA + 1);

  Device* device = b.Request.io_Device;
  CloseDevice(&b.Request);
  EXPECT_EQ(b.Request.io_Device, nullptr);
  CloseDevice(&b.Request);  // closing a request twice must not count twice
  EXPECT_EQ(device->dd_Library.lib_OpenCnt, usersWithA);
  CloseDevice(&a.Request);
  EXPECT_EQ(device->dd_Library.lib_OpenCnt, usersWithA - 1);
}

TEST_F(TimerDevice, OpenFailsForOtherNamesUnitsAndNoRequest) {
  struct Case {
    const char* name;
    uint32_t unit;
  };
  for (const Case& c : {Case{"serial.device", 0}, Case{nullptr, 1}, Case{"timer.device", 5}}) {
    TimeRequest r{};
    EXPECT_EQ(OpenDevice(c.name, c.unit, &r.Request, 0), IOERR_OPENFAIL) << (c.name ? c.name : "NIL");
    EXPECT_EQ(r.Request.io_Error, IOERR_OPENFAIL);
    EXPECT_EQ(r.Request.io_Device, nullptr);
    CloseDevice(&r.Request);  // harmless on a request that never opened
  }
  EXPECT_EQ(OpenDevice("timer.device", UNIT_VBLANK, nullptr, 0), IOERR_OPENFAIL);
}

TEST_F(TimerDevice, InjectedFailureHitsOnlyTheNextOpen) {
  ostest::failNextTimerOpen();
  TimeRequest r{};
  EXPECT_EQ(OpenDevice("timer.device", UNIT_VBLANK, &r.Request, 0), IOERR_OPENFAIL);
  EXPECT_EQ(r.Request.io_Device, nullptr);
  ASSERT_EQ(OpenDevice("timer.device", UNIT_VBLANK, &r.Request, 0), 0);
  CloseDevice(&r.Request);
}

TEST_F(TimerDevice, FixedClockIsAnsweredUntilReleased) {
  ostest::fixClock(694224000u + 86399u, 250000);
  TimeVal t{};
  GetSysTime(&t);
  EXPECT_EQ(t.Seconds, 694224000u + 86399u);
  EXPECT_EQ(t.Microseconds, 250000u);

  ostest::releaseClock();
  GetSysTime(&t);
  // Tests run with TZ=UTC: the clock is the Unix time counted from 1978.
  const int64_t expected = static_cast<int64_t>(std::time(nullptr)) - AMIGA_EPOCH_UNIX_SECONDS;
  EXPECT_NEAR(static_cast<double>(t.Seconds), static_cast<double>(expected), 2.0);
  EXPECT_LT(t.Microseconds, 1000000u);
}

// Sets TZ for one test and puts the old value back.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    const char* old = std::getenv("TZ");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    setenv("TZ", zone, 1);
  }
  ~ZoneGuard() {
    if (hadOld_) setenv("TZ", old_.c_str(), 1); else unsetenv("TZ");
    tzset();
  }

 private:
  bool hadOld_ = false;
  std::string old_;
};

TEST(HostTime, AddsTheZoneOffsetOfThatInstant) {
  constexpr int64_t unix2000 = 946684800;    // 2000-01-01 00:00:00 UTC
  constexpr int64_t unixJuly2000 = 962409600;  // 2000-07-01 00:00:00 UTC
  EXPECT_EQ(hostTimeToAmigaSeconds(AMIGA_EPOCH_UNIX_SECONDS), 0);
  EXPECT_EQ(hostTimeToAmigaSeconds(unix2000), 694224000);
  EXPECT_EQ(hostTimeToAmigaSeconds(0), -AMIGA_EPOCH_UNIX_SECONDS);
  {
    // Central European time: +1 h in winter, +2 h in summer.
    ZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(hostTimeToAmigaSeconds(unix2000), 694224000 + 3600);
    EXPECT_EQ(hostTimeToAmigaSeconds(unixJuly2000), unixJuly2000 - AMIGA_EPOCH_UNIX_SECONDS + 7200);
  }
  {
    ZoneGuard zone("EST5");
    EXPECT_EQ(hostTimeToAmigaSeconds(unix2000), 694224000 - 5 * 3600);
  }
  EXPECT_EQ(hostTimeToAmigaSeconds(unix2000), 694224000);
}

// Dates are converted many times a second (every buffered write stamps its
// file): the zone is loaded once per TZ value, with TZ set or unset, and a
// change of TZ is still followed at once.
TEST(HostTime, ZoneIsLoadedOncePerValueOfTZ) {
  constexpr int64_t unix2000 = 946684800;
  for (const char* zone : {static_cast<const char*>(nullptr), "EST5", "CET-1CEST,M3.5.0,M10.5.0/3"}) {
    ScopedEnv tz("TZ", zone);
    hostTimeToAmigaSeconds(unix2000);
    const int32_t loads = ostest::zoneLoads();
    for (int i = 0; i < 1000; ++i) hostTimeToAmigaSeconds(unix2000 + i * 60);
    EXPECT_EQ(ostest::zoneLoads(), loads) << (zone ? zone : "TZ unset");
  }
  ScopedEnv tz("TZ", "EST5");
  const int32_t loads = ostest::zoneLoads();
  EXPECT_EQ(hostTimeToAmigaSeconds(unix2000), 694224000 - 5 * 3600);
  EXPECT_EQ(ostest::zoneLoads(), loads + 1);
}

}  // namespace
