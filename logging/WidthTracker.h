// Widest of the lines a list holds, kept as lines come and go, so that the
// list's horizontal extent costs no re-measuring of every line.
#pragma once

#include <deque>
#include <set>

namespace vrx {

class WidthTracker {
public:
    void PushBack(int width) {
        m_order.push_back(width);
        m_sorted.insert(width);
    }
    void PopFront() {
        if (m_order.empty()) return;
        m_sorted.erase(m_sorted.find(m_order.front()));
        m_order.pop_front();
    }
    int Widest() const { return m_sorted.empty() ? 0 : *m_sorted.rbegin(); }
    size_t Count() const { return m_order.size(); }

private:
    std::deque<int> m_order;
    std::multiset<int> m_sorted;
};

}  // namespace vrx
