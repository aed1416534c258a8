#include "core/dates.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"

namespace {

struct DateCase {
  int32_t dayNumber, year, month, day;
};

TEST(Dates, KnownDayNumbers) {
  const DateCase cases[] = {
      {0, 1899, 12, 30},      {2, 1900, 1, 1},          {36526, 2000, 1, 1},    {36526 + 59, 2000, 2, 29},
      {36526 + 60, 2000, 3, 1}, {36525, 1999, 12, 31},  {-1, 1899, 12, 29},     {60, 1900, 2, 28},
      {61, 1900, 3, 1},       {73110, 2100, 3, 1},      {73109, 2100, 2, 28},   {-693593, 1, 1, 1},
  };
  for (const DateCase& c : cases) {
    EXPECT_EQ(dateToDayNumber(c.year, c.month, c.day), c.dayNumber) << c.year << "-" << c.month << "-" << c.day;
    int32_t month = 0, day = 0;
    EXPECT_EQ(dayNumberToDate(c.dayNumber, &month, &day), c.year) << c.dayNumber;
    EXPECT_EQ(month, c.month) << c.dayNumber;
    EXPECT_EQ(day, c.day) << c.dayNumber;
  }
}

TEST(Dates, LeapYears) {
  struct Case {
    int32_t month, year, days;
  };
  const Case cases[] = {
      {2, 1900, 28}, {2, 2000, 29}, {2, 2100, 28}, {2, 2400, 29}, {2, 2024, 29}, {2, 2023, 28},
      {1, 2023, 31}, {3, 2023, 31}, {4, 2023, 30}, {5, 2023, 31}, {6, 2023, 30}, {7, 2023, 31},
      {8, 2023, 31}, {9, 2023, 30}, {10, 2023, 31}, {11, 2023, 30}, {12, 2023, 31},
      {0, 2000, 0},  {13, 2000, 0}, {-2, 2000, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
  // The day numbers agree: 28 February is followed by 1 March exactly in the
  // years that are not leap years.
  for (int32_t year : {1900, 2000, 2100}) {
    const int32_t gap = dateToDayNumber(year, 3, 1) - dateToDayNumber(year, 2, 28);
    EXPECT_EQ(gap, DaysInMonth(2, year) - 27) << year;
  }
}

// Every day of the years from first to last, in both directions and through
// BigTime: consecutive day numbers, the same date back, weekdays in turn.
void checkEveryDay(int32_t first, int32_t last) {
  int32_t expected = dateToDayNumber(first, 1, 1);
  int32_t weekday = BigTimeToDayOfWeek(DateTimeToBigTime(first, 1, 1, 12, 0, 0));
  int32_t failures = 0;
  for (int32_t year = first; year <= last && failures < 10; ++year) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t day = 1; day <= DaysInMonth(month, year); ++day) {
        const int32_t n = dateToDayNumber(year, month, day);
        int32_t m = 0, d = 0;
        const int32_t y = dayNumberToDate(n, &m, &d);
        const BigTime t = DateTimeToBigTime(year, month, day, 23, 59, 59);
        int32_t bm = 0, bd = 0;
        const int32_t by = BigTimeToDate(t, &bm, &bd);
        const bool ok = n == expected && y == year && m == month && d == day && by == year && bm == month &&
                        bd == day && BigTimeToDayOfWeek(t) == weekday;
        if (!ok) {
          ++failures;
          ADD_FAILURE() << year << "-" << month << "-" << day << ": day " << n << " (expected " << expected
                        << ") gives " << y << "-" << m << "-" << d << ", BigTime gives " << by << "-" << bm
                        << "-" << bd;
        }
        expected = n + 1;
        weekday = weekday % 7 + 1;
      }
    }
  }
}

TEST(Dates, EveryDayFrom1900To2300RoundTrips) { checkEveryDay(1900, 2300); }

// Before 2000 BigTime is negative; floor division keeps those dates right.
TEST(Dates, EveryDayOfEarlierYearsRoundTrips) { checkEveryDay(1, 1899); }

TEST(Dates, DayNumbersRoundTripTheOtherWay) {
  const int32_t first = dateToDayNumber(1900, 1, 1);
  const int32_t last = dateToDayNumber(2300, 12, 31);
  for (int32_t n = first; n <= last; ++n) {
    int32_t m = 0, d = 0;
    const int32_t y = dayNumberToDate(n, &m, &d);
    ASSERT_EQ(dateToDayNumber(y, m, d), n);
  }
}

TEST(Dates, DateTimeToBigTimeCountsSecondsFrom2000) {
  EXPECT_EQ(DateTimeToBigTime(2000, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(DateTimeToBigTime(2000, 1, 1, 23, 59, 59), 86399);
  EXPECT_EQ(DateTimeToBigTime(2000, 1, 1, 24, 0, 0), 86400);  // carries into the next day
  EXPECT_EQ(DateTimeToBigTime(2000, 1, 2, 0, 0, 0), 86400);
  EXPECT_EQ(DateTimeToBigTime(2000, 1, 32, 0, 0, 0), DateTimeToBigTime(2000, 2, 1, 0, 0, 0));
  // Months wrap within their year instead of carrying into the next one.
  EXPECT_EQ(DateTimeToBigTime(2000, 13, 1, 0, 0, 0), 0);
  EXPECT_EQ(DateTimeToBigTime(2000, 0, 1, 0, 0, 0), DateTimeToBigTime(2000, 12, 1, 0, 0, 0));
  EXPECT_EQ(DateTimeToBigTime(1999, 12, 31, 23, 59, 59), -1);
  EXPECT_EQ(DateTimeToBigTime(1978, 1, 1, 0, 0, 0), -694224000);
  // Beyond 32 bits: 2100-01-01 is 36525 days later.
  EXPECT_EQ(DateTimeToBigTime(2100, 1, 1, 0, 0, 0), int64_t{36525} * 86400);
  EXPECT_EQ(DateTimeToBigTime(2300, 12, 31, 23, 59, 59),
            (int64_t{dateToDayNumber(2301, 1, 1)} - 36526) * 86400 - 1);
}

TEST(Dates, TimeOfDayAndWeekday) {
  struct Case {
    BigTime t;
    int32_t hours, minutes, seconds, weekday;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 6},          // 2000-01-01 was a Saturday
      {86399, 23, 59, 59, 6},   {86400, 0, 0, 0, 7},  {3661, 1, 1, 1, 6},
      {-1, 23, 59, 59, 5},      // 1999-12-31 23:59:59, a Friday
      {-86400, 0, 0, 0, 5},     {-86401, 23, 59, 59, 4},
      {DateTimeToBigTime(2024, 1, 1, 12, 34, 56), 12, 34, 56, 1},
      {DateTimeToBigTime(1900, 1, 1, 6, 7, 8), 6, 7, 8, 1},
  };
  for (const Case& c : cases) {
    int32_t minutes = -1, seconds = -1;
    EXPECT_EQ(BigTimeToTime(c.t, &minutes, &seconds), c.hours) << c.t;
    EXPECT_EQ(minutes, c.minutes) << c.t;
    EXPECT_EQ(seconds, c.seconds) << c.t;
    EXPECT_EQ(BigTimeToDayOfWeek(c.t), c.weekday) << c.t;
  }
}

TEST(Dates, StrDateTimeFormats) {
  struct Case {
    BigTime t;
    bool withTime, withSeconds;
    const char* text;
  };
  const Case cases[] = {
      {86399, true, true, "2000-01-01 23:59:59"},
      {86399, true, false, "2000-01-01 23:59"},
      {86399, false, false, "2000-01-01"},
      {86399, false, true, "2000-01-01"},  // seconds only count with the time
      {DateTimeToBigTime(2024, 2, 29, 7, 5, 3), true, true, "2024-02-29 07:05:03"},
      {-1, true, true, "1999-12-31 23:59:59"},
      {DateTimeToBigTime(812, 3, 4, 0, 0, 0), false, false, "0812-03-04"},
      {DateTimeToBigTime(12345, 6, 7, 8, 9, 10), true, true, "12345-06-07 08:09:10"},
  };
  const size_t before = Arena::liveCount();
  char* text = NewString(40);
  for (const Case& c : cases) {
    StrCopy(text, "old text that must go");
    EXPECT_EQ(StrDateTime(text, c.t, c.withTime, c.withSeconds), text);
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(EstrLen(text), static_cast<int32_t>(std::strlen(c.text)));
  }
  DisposeString(text);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(Dates, StrDateTimeStopsAtTheCapacity) {
  char* text = NewString(10);
  StrDateTime(text, 86399, true, true);
  EXPECT_STREQ(text, "2000-01-01");
  EXPECT_EQ(EstrLen(text), 10);
  DisposeString(text);
  char* empty = NewString(0);
  StrDateTime(empty, 0, true, true);
  EXPECT_STREQ(empty, "");
  DisposeString(empty);
}

TEST(Dates, StrDateTimeRefusesNoString) {
  try {
    StrDateTime(nullptr, 0, true, true);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("EPU"));
    EXPECT_STREQ(e.message(), "pTime; StrDateTime(); text=NIL");
  }
}

// Times read from a damaged file can be anything: they must convert without
// overflow (the sanitizer build checks) and give a time of day in range.
TEST(Dates, ExtremeTimesConvertSafely) {
  char* text = NewString(64);
  for (BigTime t : {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 86400}) {
    int32_t minutes = -1, seconds = -1;
    const int32_t hours = BigTimeToTime(t, &minutes, &seconds);
    EXPECT_TRUE(hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60);
    const int32_t weekday = BigTimeToDayOfWeek(t);
    EXPECT_TRUE(weekday >= 1 && weekday <= 7);
    BigTimeToDate(t);
    StrDateTime(text, t, true, true);
    EXPECT_GT(EstrLen(text), 0);
  }
  DisposeString(text);
}

TEST(Dates, BigModTruncates) {
  struct Case {
    int64_t t;
    int32_t d;
    int64_t remainder, quotient;
  };
  const Case cases[] = {
      {-7, 2, -1, -3}, {7, 2, 1, 3}, {7, -2, 1, -3}, {int64_t{1} << 40, 86400, 2176, 12725829},
      {INT64_MIN, 1, 0, INT64_MIN},
  };
  for (const Case& c : cases) {
    int64_t q = 0;
    EXPECT_EQ(bigMod(c.t, c.d, &q), c.remainder) << c.t << " % " << c.d;
    EXPECT_EQ(q, c.quotient) << c.t << " / " << c.d;
  }
  EXPECT_THROW(bigMod(5, 0), Exception);
  EXPECT_THROW(bigMod(INT64_MIN, -1), Exception);
}

}  // namespace
