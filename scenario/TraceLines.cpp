#include "TraceLines.h"

#include <algorithm>
#include <utility>

namespace scenario {

void TraceLines::Add(std::string line) {
    m_lines.push_back(std::move(line));
    m_taken.push_back(false);
}

bool TraceLines::Take(const LinePattern& pattern, bool moveCursor, Captures& captures) {
    for (size_t i = m_cursor; i < m_lines.size(); ++i) {
        if (m_taken[i] || !pattern.Match(m_lines[i], captures)) continue;
        m_taken[i] = true;
        if (moveCursor) m_cursor = i + 1;
        m_newest = std::max(m_newest, i + 1);
        return true;
    }
    return false;
}

const std::string* TraceLines::AfterNewest(const LinePattern& pattern, const Captures& captures) const {
    for (size_t i = m_newest; i < m_lines.size(); ++i) {
        Captures scratch = captures;
        if (pattern.Match(m_lines[i], scratch)) return &m_lines[i];
    }
    return nullptr;
}

std::string TraceLines::NewestUntaken() const {
    if (m_cursor >= m_lines.size()) return "(no trace line after the one matched before)";
    return m_lines.back() + "   (the newest of " + std::to_string(m_lines.size() - m_cursor) +
           " lines after the one matched before)";
}

}  // namespace scenario
