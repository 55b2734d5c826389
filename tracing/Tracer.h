// The trace sink every traced SDK call and notification writes through.
// The trace window provides the line sink; tests provide a recording one.
#pragma once

#include <string>

#include "TraceFormat.h"

namespace vrx {

class Tracer {
public:
    virtual ~Tracer() = default;

    // One trace line: time stamp, direction tag, function name, message.
    void Trace(const char* function, const char* tag, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;

    // A line as it stands (separators); also the sink of Trace.
    virtual void AddLine(const char* line) = 0;

protected:
    // Time stamp of the next line; tests fix it.
    virtual ClockTime Now() const { return LocalNow(); }
};

}  // namespace vrx
