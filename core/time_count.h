// The time count: the current time as a BigTime, read from timer.device's
// system clock, and the names of the days of the week. The module opens
// timer.device unit 1 at start-up (new_ptime) and closes it at the end
// (end_ptime); new_ptime2 builds the day names.
#pragma once
#include <cstdint>

#include "core/dates.h"
#include "os/timer/timer.h"

// Seconds from the system clock's zero point, 1978-01-01, to 2000-01-01.
constexpr int64_t SYSTEM_CLOCK_TO_BIGTIME = 694224000;

// The opened timer.device, NIL when it could not be opened.
extern Device* TimerBase;

// Short English day names, index 0 Monday to 6 Sunday (program strings built
// by new_ptime2; all NIL before that and after end_ptime).
constexpr int32_t DAY_NAME_COUNT = 7;
extern char* dayNames[DAY_NAME_COUNT];

// The current local time as a BigTime. DEV when timer.device is not open.
BigTime CurrentTime_ptime();

// The module's self-test: prints today's date and checks the conversions
// against each other for every day of the years 1 to 2300.
void main_ptime();

// Opens timer.device unit 1; when that fails TimerBase stays NIL, without an error.
void new_ptime();
// Builds the day names.
void new_ptime2();
// Closes timer.device when it was opened and disposes of the day names.
void end_ptime();
