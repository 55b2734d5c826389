#include "SimClock.h"

namespace vrxsim {

int64_t HostLocalMs() { return CivilToMs(vrx::LocalNow()); }

bool PrinterClock::Set(const VRXTIMEINFO& time) {
    if (time.dwYear < 1980 || time.dwYear > 2099 || time.dwMonth < 1 || time.dwMonth > 12 || time.dwDay < 1 ||
        time.dwDay > static_cast<uint32_t>(DaysInMonth(int(time.dwYear), int(time.dwMonth))) || time.dwHour > 23 ||
        time.dwMinute > 59 || time.dwSecond > 59) {
        return false;
    }
    m_offsetMs = CivilToMs(vrx::FromTimeInfo(time)) - HostLocalMs();
    return true;
}

CivilTime PrinterClock::Now() const { return CivilFromMs(HostLocalMs() + m_offsetMs); }

void PrinterClock::Fill(VRXTIMEINFO& out) const { out = vrx::ToTimeInfo(Now()); }

void PrinterClock::Fill(VRXSYSTEMTIME& out) const { out = vrx::ToSystemTime(Now()); }

}  // namespace vrxsim
