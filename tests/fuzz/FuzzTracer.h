// The tracer the tracing fuzz targets drive: keeps its lines at a fixed time
// and checks every line stays within the message bound.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SdkCallTracer.h"

namespace fuzz {

class LineTracer : public vrx::SdkCallTracer {
public:
    std::vector<std::string> lines;

    void AddLine(const char* line) override {
        // Time stamp, tag and function name take under 80 characters; the
        // message is cut at kMaxTraceMessage.
        FUZZ_CHECK(std::strlen(line) <= 80 + vrx::kMaxTraceMessage);
        lines.emplace_back(line);
    }

    size_t Count(const char* tag) const {
        const std::string mark = std::string("[") + tag + "]";
        size_t n = 0;
        // The tag stands after the 13-character time stamp; texts from the
        // record may hold the same characters further on.
        for (const std::string& line : lines) n += line.compare(13, mark.size(), mark) == 0;
        return n;
    }

protected:
    vrx::ClockTime Now() const override { return vrx::ClockTime(); }
};

}  // namespace fuzz
