// Wall-clock times, one family for the console, the tracer, the log and the
// stand-in library: one reading of the host's local clock, the calendar
// arithmetic of the printers' clocks, the SDK's two time records converted
// each way, and their texts.
#pragma once

#include <cstdint>
#include <string>

#include "VrxSdk.h"

namespace vrx {

struct CivilTime {
    int year = 1970, month = 1, day = 1, dayOfWeek = 4;  // 0 is Sunday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Local wall-clock time as the trace and the log file show it.
using ClockTime = CivilTime;

// The host's local wall-clock time, to the millisecond.
CivilTime LocalNow();

// Proleptic Gregorian, any year.
int64_t DaysFromCivil(int year, int month, int day);
int DaysInMonth(int year, int month);  // 0 for no month
// Milliseconds since 1970-01-01 00:00:00 of a wall-clock time, and back.
int64_t CivilToMs(const CivilTime& t);
CivilTime CivilFromMs(int64_t ms);

VRXTIMEINFO ToTimeInfo(const CivilTime& t);
CivilTime FromTimeInfo(const VRXTIMEINFO& time);  // no range checked
VRXSYSTEMTIME ToSystemTime(const CivilTime& t);

// "2024/02/29 13:05:09": the record's own values, whatever they hold, the
// day of the week not shown; `between` parts the date from the time.
std::string FormatTimeInfo(const VRXTIMEINFO& time, char between = ' ');
std::string FormatSystemTime(const VRXSYSTEMTIME& time);  // the same, no milliseconds
std::string FormatDateInfo(const VRXDATEINFO& date);       // "2024/02/29"

}  // namespace vrx
