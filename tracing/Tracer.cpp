#include "Tracer.h"

#include <cstdarg>

namespace vrx {

void Tracer::Trace(const char* function, const char* tag, const char* format, ...) {
    const ClockTime time = Now();
    va_list args;
    va_start(args, format);
    const std::string message = FormatTraceMessageV(format, args);
    va_end(args);
    const std::string line = FormatTraceLine(time, tag, function, message);
    AddLine(line.c_str());
}

}  // namespace vrx
