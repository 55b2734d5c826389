#include "TraceFormat.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <vector>

namespace vrx {

std::string FormatTraceMessageV(const char* format, va_list args) {
    char buffer[kMaxTraceMessage + 1] = {};
    const int n = std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    if (n < 0) return std::string();
    return std::string(buffer);
}

std::string FormatTraceMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = FormatTraceMessageV(format, args);
    va_end(args);
    return message;
}

namespace {

// The line frame, one for both writers.
int FrameLine(char* out, size_t size, const ClockTime& time, const char* tag, const char* function,
              const char* message) {
    return std::snprintf(out, size, "%02d:%02d:%02d'%03d [%-3s] [%s] %s", time.hour, time.minute, time.second,
                         time.millisecond, tag ? tag : "", function ? function : "", message ? message : "");
}

}  // namespace

std::string FormatTraceLine(const ClockTime& time, const char* tag, const char* function, const std::string& message) {
    char line[kMaxTraceMessage + 128];
    const int n = FrameLine(line, sizeof line, time, tag, function, message.c_str());
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof line) return std::string(line, static_cast<size_t>(n));
    std::string longer(static_cast<size_t>(n), '\0');  // a longer message than a traced call makes
    FrameLine(&longer[0], longer.size() + 1, time, tag, function, message.c_str());
    return longer;
}

size_t FormatTraceLineInto(char* out, size_t size, const ClockTime& time, const char* tag, const char* function,
                           const char* message) {
    if (size == 0) return 0;
    const int n = FrameLine(out, size, time, tag, function, message);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return std::min(static_cast<size_t>(n), size - 1);
}

std::string PointerText(uintptr_t address) {
    char text[24];
    if (sizeof(uintptr_t) <= 4) {
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(address));
    } else {
        std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(address));
    }
    return text;
}

std::string TextOrNull(const char* text) { return text ? std::string(text) : std::string("(null)"); }

std::string BoundedText(const char* field, size_t size) {
    if (!field) return "(null)";
    const void* end = std::memchr(field, 0, size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

}  // namespace vrx
