#include "SdkTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace vrx {

CivilTime LocalNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    CivilTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.dayOfWeek = local.tm_wday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return t;
}

int64_t DaysFromCivil(int year, int month, int day) {
    // Howard Hinnant's algorithm.
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

VRXTIMEINFO ToTimeInfo(const CivilTime& t) {
    VRXTIMEINFO time{};
    time.dwYear = uint32_t(t.year);
    time.dwMonth = uint32_t(t.month);
    time.dwDay = uint32_t(t.day);
    time.dwDayofweek = uint32_t(t.dayOfWeek);
    time.dwHour = uint32_t(t.hour);
    time.dwMinute = uint32_t(t.minute);
    time.dwSecond = uint32_t(t.second);
    return time;
}

CivilTime FromTimeInfo(const VRXTIMEINFO& time) {
    CivilTime t;
    t.year = int(time.dwYear);
    t.month = int(time.dwMonth);
    t.day = int(time.dwDay);
    t.dayOfWeek = int(time.dwDayofweek);
    t.hour = int(time.dwHour);
    t.minute = int(time.dwMinute);
    t.second = int(time.dwSecond);
    return t;
}

VRXSYSTEMTIME ToSystemTime(const CivilTime& t) {
    VRXSYSTEMTIME time{};
    time.wYear = uint16_t(t.year);
    time.wMonth = uint16_t(t.month);
    time.wDayOfWeek = uint16_t(t.dayOfWeek);
    time.wDay = uint16_t(t.day);
    time.wHour = uint16_t(t.hour);
    time.wMinute = uint16_t(t.minute);
    time.wSecond = uint16_t(t.second);
    time.wMilliseconds = uint16_t(t.millisecond);
    return time;
}

std::string FormatTimeInfo(const VRXTIMEINFO& t, char between) {
    char text[96];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u%c%02u:%02u:%02u", t.dwYear, t.dwMonth, t.dwDay, between, t.dwHour,
                  t.dwMinute, t.dwSecond);
    return text;
}

std::string FormatSystemTime(const VRXSYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

std::string FormatDateInfo(const VRXDATEINFO& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", d.dwYear, d.dwMonth, d.dwDay);
    return text;
}

}  // namespace vrx
