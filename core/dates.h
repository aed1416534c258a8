// BigTime and the calendar: the program keeps every time as one signed 64-bit
// count of seconds since 2000-01-01 00:00:00 local time, and converts it to and
// from dates (year, month 1-12, day 1-31), times of day, day numbers (1899-12-30
// is day 0, 2000-01-01 day 36526), days of the week (1 Monday to 7 Sunday) and
// text. Times before 2000 convert correctly too: the conversions divide with
// floor division, so -1 is 1999-12-31 23:59:59.
#pragma once
#include <cstdint>

using BigTime = int64_t;

constexpr int32_t DAY_NUMBER_OF_2000 = 36526;
constexpr int64_t SECONDS_PER_DAY = 86400;

// The BigTime of a local date and time. Days, hours, minutes and seconds out
// of their range carry over (hours = 24 is the next day's midnight; day 32 of
// January is 1 February). Months do not: the month is taken modulo 12 within
// the same year, so month 13 of 2000 is January 2000 and month 0 December 2000.
BigTime DateTimeToBigTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes,
                          int32_t seconds);

// The day number of a Gregorian date (also before 1582 and before year 1).
// Valid for years within about five million years of 2000.
int32_t dateToDayNumber(int32_t year, int32_t month, int32_t day);
// The date of a day number: the year, *month and *day.
int32_t dayNumberToDate(int32_t n, int32_t* month = nullptr, int32_t* day = nullptr);

// The date of a BigTime: the year, *month and *day.
int32_t BigTimeToDate(BigTime t, int32_t* month = nullptr, int32_t* day = nullptr);
// The time of day of a BigTime: the hours, *minutes and *seconds.
int32_t BigTimeToTime(BigTime t, int32_t* minutes = nullptr, int32_t* seconds = nullptr);
// 1 Monday to 7 Sunday.
int32_t BigTimeToDayOfWeek(BigTime t);

// Days in the month of that year; 0 for a month outside 1 to 12.
int32_t DaysInMonth(int32_t month, int32_t year);

// Writes t into text, cut at its capacity, and returns text:
// "YYYY-MM-DD", with withTime "YYYY-MM-DD hh:mm", and with withSeconds as well
// "YYYY-MM-DD hh:mm:ss". withSeconds matters only with withTime. EPU for a NIL text.
char* StrDateTime(char* text, BigTime t, bool withTime, bool withSeconds);

// Remainder of t / d with truncating division (sign of t); *quotient gets the
// quotient. EPU for d = 0 and for INT64_MIN / -1.
int64_t bigMod(int64_t t, int32_t d, int64_t* quotient = nullptr);
