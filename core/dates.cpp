#include "core/dates.h"

#include <cstdio>

#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"

namespace {

// Floor division and its remainder (0 to d-1 for d > 0): times and day numbers
// before the epochs then land on the right day and time of day.
int64_t floorDiv(int64_t a, int64_t d) {
  const int64_t q = a / d;
  return (a % d != 0 && (a < 0) != (d < 0)) ? q - 1 : q;
}
int64_t floorMod(int64_t a, int64_t d) {
  const int64_t r = a % d;
  return (r != 0 && (r < 0) != (d < 0)) ? r + d : r;
}

// Days from the zero point of the day count below to 1 March of year y.
int64_t daysBeforeMarchYear(int64_t y) {
  return y * 365 + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400);
}

// The day number counts from 1899-12-30; the March-based count below starts
// 693900 days (of proleptic Gregorian years) earlier.
constexpr int64_t DAY_NUMBER_SHIFT = 693900;

int64_t dayNumberOf(int64_t year, int64_t month, int64_t day) {
  const int64_t m = floorMod(month + 9, 12);  // March is 0
  const int64_t y = year - m / 10;            // January and February count to the year before
  return daysBeforeMarchYear(y) + (m * 306 + 5) / 10 + day - DAY_NUMBER_SHIFT;
}

struct Date {
  int64_t year, month, day;
};

Date dateOfDayNumber(int64_t n) {
  const int64_t g = n + DAY_NUMBER_SHIFT - 1;
  // 3652425 / 10000 is the mean Gregorian year; the estimate is at most one
  // year too high, never too low.
  int64_t y = floorDiv(10000 * g + 14775, 3652425);
  int64_t r = g - daysBeforeMarchYear(y);
  if (r < 0) {
    --y;
    r = g - daysBeforeMarchYear(y);
  }
  const int64_t mi = (10 * r + 4) / 306;
  Date d;
  d.day = r - (mi * 306 + 5) / 10 + 1;
  d.month = (mi + 2) % 12 + 1;
  d.year = d.month <= 2 ? y + 1 : y;
  return d;
}

int32_t setDate(const Date& d, int32_t* month, int32_t* day) {
  if (month) *month = static_cast<int32_t>(d.month);
  if (day) *day = static_cast<int32_t>(d.day);
  return static_cast<int32_t>(d.year);
}

}  // namespace

BigTime DateTimeToBigTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes,
                          int32_t seconds) {
  const int64_t days = dayNumberOf(year, month, day);
  return ((days * 24 - int64_t{DAY_NUMBER_OF_2000} * 24 + hours) * 60 + minutes) * 60 + seconds;
}

int32_t dateToDayNumber(int32_t year, int32_t month, int32_t day) {
  return static_cast<int32_t>(dayNumberOf(year, month, day));
}

int32_t dayNumberToDate(int32_t n, int32_t* month, int32_t* day) {
  return setDate(dateOfDayNumber(n), month, day);
}

int32_t BigTimeToDate(BigTime t, int32_t* month, int32_t* day) {
  return setDate(dateOfDayNumber(floorDiv(t, SECONDS_PER_DAY) + DAY_NUMBER_OF_2000), month, day);
}

int32_t BigTimeToTime(BigTime t, int32_t* minutes, int32_t* seconds) {
  const int32_t s = static_cast<int32_t>(floorMod(t, SECONDS_PER_DAY));
  int32_t totalMinutes = 0, hours = 0;
  const int32_t sec = Mod(s, 60, &totalMinutes);
  const int32_t min = Mod(totalMinutes, 60, &hours);
  if (minutes) *minutes = min;
  if (seconds) *seconds = sec;
  return hours;
}

int32_t BigTimeToDayOfWeek(BigTime t) {
  // Day number 36531 % 7 == 5 makes 2000-01-01 a Saturday (6).
  return static_cast<int32_t>(floorMod(floorDiv(t, SECONDS_PER_DAY) + DAY_NUMBER_OF_2000 + 5, 7)) + 1;
}

int32_t DaysInMonth(int32_t month, int32_t year) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2: {
      const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
      return leap ? 29 : 28;
    }
    default:
      return 0;
  }
}

char* StrDateTime(char* text, BigTime t, bool withTime, bool withSeconds) {
  if (!text) Throw("EPU", "pTime; StrDateTime(); text=NIL");
  int32_t month = 0, day = 0, minutes = 0, seconds = 0;
  const long year = BigTimeToDate(t, &month, &day);
  const long hours = BigTimeToTime(t, &minutes, &seconds);
  char buffer[96];
  if (!withTime)
    std::snprintf(buffer, sizeof buffer, "%4.4ld-%2.2ld-%2.2ld", year, long{month}, long{day});
  else if (!withSeconds)
    std::snprintf(buffer, sizeof buffer, "%4.4ld-%2.2ld-%2.2ld %2.2ld:%2.2ld", year, long{month}, long{day},
                  hours, long{minutes});
  else
    std::snprintf(buffer, sizeof buffer, "%4.4ld-%2.2ld-%2.2ld %2.2ld:%2.2ld:%2.2ld", year, long{month},
                  long{day}, hours, long{minutes}, long{seconds});
  return StrCopy(text, buffer);
}

int64_t bigMod(int64_t t, int32_t d, int64_t* quotient) {
  if (d == 0) Throw("EPU", "pTime; bigMod(); division by zero");
  if (t == INT64_MIN && d == -1) Throw("EPU", "pTime; bigMod(); quotient out of range");
  if (quotient) *quotient = t / d;
  return t % d;
}
