// Formatting of trace lines: the message buffer bound and the line frame.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

#include "SdkTime.h"

namespace vrx {

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
// The same line in the caller's buffer, cut to fit and always terminated, for
// a writer that must not touch the heap (a crash report). Returns its length.
size_t FormatTraceLineInto(char* out, size_t size, const ClockTime& time, const char* tag, const char* function,
                           const char* message);

// A pointer or callback address: "0x%08X" where addresses are 32 bits (the
// product), all 16 hex digits where they are 64 bits, so nothing is cut off.
std::string PointerText(uintptr_t address);
template <class T>
std::string PointerText(T* pointer) {
    return PointerText(reinterpret_cast<uintptr_t>(pointer));
}

// A text argument; a null pointer reads "(null)" on every C library.
std::string TextOrNull(const char* text);

// A CHAR[n] field: up to its terminating zero, never past its n bytes.
std::string BoundedText(const char* field, size_t size);

}  // namespace vrx
