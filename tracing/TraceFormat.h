// Formatting of trace lines: the message buffer bound and the line frame.
#pragma once

#include <cstdarg>
#include <string>

namespace vrx {

// Local wall-clock time as the trace and the log file show it.
struct ClockTime {
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

ClockTime CurrentLocalTime();

// Longest message a trace line carries; longer messages are cut to it.
constexpr size_t kMaxTraceMessage = 1023;

// printf-style formatting, cut to kMaxTraceMessage characters, never
// overflowing. A format error yields an empty message.
std::string FormatTraceMessageV(const char* format, va_list args);
std::string FormatTraceMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// "%02d:%02d:%02d'%03d [%-3s] [%s] %s"
std::string FormatTraceLine(const ClockTime& time, const char* tag, const char* function, const std::string& message);

}  // namespace vrx
