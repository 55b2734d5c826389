// Calendar arithmetic for the printer clocks and the time stamps of
// notifications, without the platform's time zone functions beyond one
// reading of the host's local time.
#pragma once

#include <cstdint>

#include "VrxSdk.h"

namespace vrxsim {

struct CivilTime {
    int year = 1970, month = 1, day = 1, dayOfWeek = 4;  // 0 is Sunday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

int64_t DaysFromCivil(int year, int month, int day);
// Milliseconds since 1970-01-01 00:00:00 of a wall-clock time.
int64_t CivilToMs(const CivilTime& t);
CivilTime CivilFromMs(int64_t ms);
int DaysInMonth(int year, int month);
// The host's local wall-clock time, as milliseconds in the same scale.
int64_t HostLocalMs();

// A printer's own clock: an offset from the host's local time.
class PrinterClock {
public:
    explicit PrinterClock(int offsetMinutes = 0) : m_offsetMs(int64_t(offsetMinutes) * 60000) {}
    // False (clock unchanged) when a field is out of range.
    bool Set(const VRXTIMEINFO& time);
    CivilTime Now() const;
    void Fill(VRXTIMEINFO& out) const;
    void Fill(VRXSYSTEMTIME& out) const;

private:
    int64_t m_offsetMs;
};

}  // namespace vrxsim
