// timer.device, hosted: the system clock. The clock counts seconds and
// microseconds since 1978-01-01 00:00:00 in local time, that is the host's
// Unix time plus the zone offset in force at that instant.
#pragma once
#include <cstdint>

#include "os/exec/exec.h"

struct Device {
  Library dd_Library;
};

// The common head of every device request.
struct IORequest {
  Device* io_Device;  // set by OpenDevice, cleared by CloseDevice
  uint32_t io_Unit;
  int8_t io_Error;
};

struct TimeVal {
  uint32_t Seconds;
  uint32_t Microseconds;
};

struct TimeRequest {
  IORequest Request;
  TimeVal Time;
};

constexpr uint32_t UNIT_MICROHZ = 0;
constexpr uint32_t UNIT_VBLANK = 1;
constexpr uint32_t UNIT_ECLOCK = 2;
constexpr uint32_t UNIT_WAITUNTIL = 3;
constexpr uint32_t UNIT_WAITECLOCK = 4;

constexpr int8_t IOERR_OPENFAIL = -1;

// Seconds from 1970-01-01 UTC to 1978-01-01 UTC.
constexpr int64_t AMIGA_EPOCH_UNIX_SECONDS = 252460800;

// Opens a unit of a device with the request. The hosted system has one device,
// "timer.device", with units 0 to 4. Returns 0 and fills io_Device on success;
// IOERR_OPENFAIL (also in io_Error) for another name, another unit or a NIL
// request.
int8_t OpenDevice(const char* name, uint32_t unit, IORequest* request, uint32_t flags);
// Gives back a device opened with the request; a request that is not open is
// ignored.
void CloseDevice(IORequest* request);

// The current system time: seconds and microseconds since 1978-01-01 local time.
// Before 1978 the clock reads 0; the seconds stop at their 32-bit limit.
void GetSysTime(TimeVal* dest);

// The clock's seconds for a host Unix time: the Unix time, plus the local zone
// offset of that instant, counted from 1978-01-01 (may be negative). The zone
// is loaded on the first call and again only when TZ has changed since.
int64_t hostTimeToAmigaSeconds(int64_t unixSeconds);

namespace ostest {
// GetSysTime answers exactly this value until releaseClock.
void fixClock(uint32_t seconds, uint32_t microseconds = 0);
void releaseClock();
// The next OpenDevice of timer.device fails with IOERR_OPENFAIL.
void failNextTimerOpen();
// How many times the local zone was loaded so far.
int32_t zoneLoads();
// Releases the clock and drops a pending open failure.
void restoreTimer();
}  // namespace ostest
