// The printers' own clocks, and the time stamps of notifications, kept as
// offsets from the host's local time.
#pragma once

#include <cstdint>

#include "SdkTime.h"
#include "VrxSdk.h"

namespace vrxsim {

using vrx::CivilFromMs;
using vrx::CivilTime;
using vrx::CivilToMs;
using vrx::DaysFromCivil;
using vrx::DaysInMonth;
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
