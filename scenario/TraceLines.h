// The console's trace lines as a replay has read them so far, and which of
// them a step took. An "expect" takes the first line after the cursor (just
// after the line the last "expect" took) and moves the cursor past it. A
// "wait" is for a notification, which comes on the library's threads in no
// fixed order against other notifications: it takes any line after the
// cursor, and leaves the cursor where it is. No line is taken twice, so two
// waits for the same notification need two such lines. Portable.
#pragma once

#include <string>
#include <vector>

#include "LinePattern.h"

namespace scenario {

class TraceLines {
public:
    void Add(std::string line);
    // An "expect" (moveCursor) or a "wait": true when a line was taken.
    bool Take(const LinePattern& pattern, bool moveCursor, Captures& captures);
    // A line after the newest line any step took that matches: the "none"
    // step's failure, or null.
    const std::string* AfterNewest(const LinePattern& pattern, const Captures& captures) const;
    const std::vector<std::string>& Lines() const { return m_lines; }
    // What a failing expectation is shown against.
    std::string NewestUntaken() const;

private:
    std::vector<std::string> m_lines;
    std::vector<bool> m_taken;
    size_t m_cursor = 0;
    size_t m_newest = 0;  // just after the newest line taken
};

}  // namespace scenario
