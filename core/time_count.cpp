#include "core/time_count.h"

#include <cstdio>

#include "core/exception.h"
#include "core/strings/string.h"

Device* TimerBase = nullptr;
char* dayNames[DAY_NAME_COUNT] = {};

namespace {

TimeRequest timerRequest{};

void disposeDayNames() {
  for (char*& name : dayNames) {
    DisposeString(name);
    name = nullptr;
  }
}

// Both directions for every day of the years first to last: the day number of
// each date must follow the one before, and give back the same date.
int32_t checkEveryDay(int32_t first, int32_t last, int32_t* correct, int32_t* total) {
  int32_t wrong = 0;
  int32_t expected = dateToDayNumber(first, 1, 1);
  for (int32_t year = first; year <= last; ++year) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t day = 1; day <= DaysInMonth(month, year); ++day) {
        int32_t m = 0, d = 0;
        const int32_t n = dateToDayNumber(year, month, day);
        const int32_t y = dayNumberToDate(n, &m, &d);
        if (n == expected && y == year && m == month && d == day) ++*correct; else ++wrong;
        ++*total;
        expected = n + 1;
      }
    }
  }
  return wrong;
}

}  // namespace

BigTime CurrentTime_ptime() {
  if (!TimerBase) Throw("DEV", "pTime; CurrentTime(); unable to open the timer.device");
  TimeVal now{};
  GetSysTime(&now);
  return static_cast<BigTime>(now.Seconds) - SYSTEM_CLOCK_TO_BIGTIME;
}

void main_ptime() {
  const BigTime now = CurrentTime_ptime();
  int32_t month = 0, day = 0, minutes = 0, seconds = 0;
  const int32_t year = BigTimeToDate(now, &month, &day);
  const int32_t hours = BigTimeToTime(now, &minutes, &seconds);
  const char* dayName = dayNames[BigTimeToDayOfWeek(now) - 1];
  std::printf("TODAY has Day=%s, Date=%4.4ld-%2.2ld-%2.2ld, Time=%2.2ld:%2.2ld:%2.2ld\n",
              dayName ? dayName : "?", long{year}, long{month}, long{day}, long{hours}, long{minutes},
              long{seconds});
  const BigTime back = DateTimeToBigTime(year, month, day, hours, minutes, seconds);
  std::printf("DateTimeToBigTime() of today %s\n", back == now ? "matches" : "DOES NOT match");

  const int32_t n1900 = dateToDayNumber(1900, 1, 1);
  const int32_t y1900 = dayNumberToDate(n1900, &month, &day);
  std::printf("1900-01-01 is day %ld, which is %4.4ld-%2.2ld-%2.2ld\n", long{n1900}, long{y1900},
              long{month}, long{day});

  int32_t correct = 0, total = 0;
  const int32_t wrong = checkEveryDay(1, 2300, &correct, &total);
  std::printf("Full test had %ld wrong, %ld correct, out of %ld total\n", long{wrong}, long{correct},
              long{total});
}

void new_ptime() {
  if (TimerBase) return;
  if (OpenDevice("timer.device", UNIT_VBLANK, &timerRequest.Request, 0) == 0)
    TimerBase = timerRequest.Request.io_Device;
}

void new_ptime2() {
  static const char* const names[DAY_NAME_COUNT] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  disposeDayNames();
  try {
    for (int32_t i = 0; i < DAY_NAME_COUNT; ++i) dayNames[i] = StrClone(names[i]);
  } catch (...) {
    disposeDayNames();
    throw;
  }
}

void end_ptime() {
  if (TimerBase) CloseDevice(&timerRequest.Request);
  TimerBase = nullptr;
  disposeDayNames();
}
