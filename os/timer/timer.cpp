#include "os/timer/timer.h"

#include <stdlib.h>
#include <strings.h>
#include <time.h>

#include <string>

namespace {

constexpr uint32_t LAST_UNIT = UNIT_WAITECLOCK;

struct TimerState {
  Device device{Library{"timer.device", 50, 0}};
  bool clockFixed = false;
  TimeVal fixedTime{0, 0};
  bool failNextOpen = false;
  // The TZ value the zone was last loaded for; the zone is loaded again only
  // when TZ changes, not on every conversion (without TZ the C library would
  // read the zone file each time).
  bool zoneLoaded = false;
  bool zoneNamed = false;
  std::string zoneName;
  int32_t zoneLoads = 0;
};

TimerState& state() {
  static TimerState s;
  return s;
}

}  // namespace

int8_t OpenDevice(const char* name, uint32_t unit, IORequest* request, uint32_t /*flags*/) {
  if (!request) return IOERR_OPENFAIL;
  request->io_Device = nullptr;
  request->io_Unit = 0;
  TimerState& s = state();
  const bool failureInjected = s.failNextOpen;
  s.failNextOpen = false;
  if (failureInjected || !name || strcasecmp(name, "timer.device") != 0 || unit > LAST_UNIT) {
    request->io_Error = IOERR_OPENFAIL;
    return IOERR_OPENFAIL;
  }
  ++s.device.dd_Library.lib_OpenCnt;
  request->io_Device = &s.device;
  request->io_Unit = unit;
  request->io_Error = 0;
  return 0;
}

void CloseDevice(IORequest* request) {
  if (!request || !request->io_Device) return;
  Library& lib = request->io_Device->dd_Library;
  if (lib.lib_OpenCnt > 0) --lib.lib_OpenCnt;
  request->io_Device = nullptr;
}

namespace {

// Loads the local zone when TZ is not what it was at the last load.
void loadZoneWhenChanged() {
  TimerState& s = state();
  const char* zone = getenv("TZ");
  if (s.zoneLoaded && s.zoneNamed == (zone != nullptr) && (!zone || s.zoneName == zone)) return;
  // localtime_r does not look at TZ itself: tzset() takes the new zone.
  tzset();
  s.zoneLoaded = true;
  s.zoneNamed = zone != nullptr;
  s.zoneName = zone ? zone : "";
  ++s.zoneLoads;
}

}  // namespace

int64_t hostTimeToAmigaSeconds(int64_t unixSeconds) {
  loadZoneWhenChanged();
  const time_t t = static_cast<time_t>(unixSeconds);
  struct tm local {};
  const int64_t offset = localtime_r(&t, &local) ? local.tm_gmtoff : 0;
  return unixSeconds + offset - AMIGA_EPOCH_UNIX_SECONDS;
}

void GetSysTime(TimeVal* dest) {
  if (!dest) return;
  const TimerState& s = state();
  if (s.clockFixed) {
    *dest = s.fixedTime;
    return;
  }
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  const int64_t seconds = hostTimeToAmigaSeconds(now.tv_sec);
  if (seconds < 0) {
    *dest = TimeVal{0, 0};
  } else if (seconds > static_cast<int64_t>(UINT32_MAX)) {
    *dest = TimeVal{UINT32_MAX, 999999};
  } else {
    *dest = TimeVal{static_cast<uint32_t>(seconds), static_cast<uint32_t>(now.tv_nsec / 1000)};
  }
}

void ostest::fixClock(uint32_t seconds, uint32_t microseconds) {
  state().clockFixed = true;
  state().fixedTime = TimeVal{seconds, microseconds};
}

void ostest::releaseClock() { state().clockFixed = false; }

void ostest::failNextTimerOpen() { state().failNextOpen = true; }

int32_t ostest::zoneLoads() { return state().zoneLoads; }

void ostest::restoreTimer() {
  releaseClock();
  state().failNextOpen = false;
}
