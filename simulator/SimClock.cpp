#include "SimClock.h"

#include <chrono>
#include <ctime>

namespace vrxsim {

int64_t DaysFromCivil(int year, int month, int day) {
    // Howard Hinnant's algorithm: proleptic Gregorian, any year.
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

int64_t CivilToMs(const CivilTime& t) {
    return ((DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60000 + int64_t(t.second) * 1000 +
           t.millisecond;
}

CivilTime CivilFromMs(int64_t ms) {
    int64_t days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    int64_t rest = ms - days * 86400000;
    CivilTime t;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.dayOfWeek = static_cast<int>((days % 7 + 11) % 7);  // 1970-01-01 was a Thursday
    t.hour = static_cast<int>(rest / 3600000);
    t.minute = static_cast<int>(rest / 60000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.millisecond = static_cast<int>(rest % 1000);
    return t;
}

int64_t HostLocalMs() {
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::time_t secs = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &secs);
#else
    localtime_r(&secs, &local);
#endif
    CivilTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(ms % 1000);
    return CivilToMs(t);
}

bool PrinterClock::Set(const VRXTIMEINFO& time) {
    if (time.dwYear < 1980 || time.dwYear > 2099 || time.dwMonth < 1 || time.dwMonth > 12 || time.dwDay < 1 ||
        time.dwDay > static_cast<uint32_t>(DaysInMonth(int(time.dwYear), int(time.dwMonth))) || time.dwHour > 23 ||
        time.dwMinute > 59 || time.dwSecond > 59) {
        return false;
    }
    CivilTime t;
    t.year = int(time.dwYear);
    t.month = int(time.dwMonth);
    t.day = int(time.dwDay);
    t.hour = int(time.dwHour);
    t.minute = int(time.dwMinute);
    t.second = int(time.dwSecond);
    m_offsetMs = CivilToMs(t) - HostLocalMs();
    return true;
}

CivilTime PrinterClock::Now() const { return CivilFromMs(HostLocalMs() + m_offsetMs); }

void PrinterClock::Fill(VRXTIMEINFO& out) const {
    CivilTime t = Now();
    out.dwYear = uint32_t(t.year);
    out.dwMonth = uint32_t(t.month);
    out.dwDay = uint32_t(t.day);
    out.dwDayofweek = uint32_t(t.dayOfWeek);
    out.dwHour = uint32_t(t.hour);
    out.dwMinute = uint32_t(t.minute);
    out.dwSecond = uint32_t(t.second);
}

void PrinterClock::Fill(VRXSYSTEMTIME& out) const {
    CivilTime t = Now();
    out.wYear = uint16_t(t.year);
    out.wMonth = uint16_t(t.month);
    out.wDayOfWeek = uint16_t(t.dayOfWeek);
    out.wDay = uint16_t(t.day);
    out.wHour = uint16_t(t.hour);
    out.wMinute = uint16_t(t.minute);
    out.wSecond = uint16_t(t.second);
    out.wMilliseconds = uint16_t(t.millisecond);
}

}  // namespace vrxsim
