// The library thread of one open printer handle. It runs the printer's
// timed actions one at a time and delivers the notifications they produce
// in the order produced, so a printer's callbacks arrive exactly once and
// in order. Bursts are the one exception on purpose: several threads
// deliver at once, each its own stream in order.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Notification.h"

namespace vrxsim {

using Outbox = std::vector<Notification>;
using Action = std::function<void(Outbox&)>;

class Device {
public:
    // runner runs one action with the library's state locked.
    using Runner = std::function<void(const Action&, Outbox&)>;
    // log receives every notification just before it is delivered (debug
    // log); may be empty.
    Device(Runner runner, std::function<void(const Notification&)> log);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    void Post(uint32_t delayMs, Action action);
    // Delivers each stream on a thread of its own, all starting together.
    void StartBurst(std::vector<Outbox> streams);
    // Ends every thread of the device. Once it returns no callback of this
    // device is running or will run. Must not be called from one of them.
    void Stop();
    bool IsDeviceThread() const;

private:
    struct Item {
        std::chrono::steady_clock::time_point due;
        uint64_t seq;
        Action action;
    };
    // Heap order: the earliest due first, then first posted first.
    static bool Later(const Item& a, const Item& b) { return a.due != b.due ? a.due > b.due : a.seq > b.seq; }
    void Run();
    void RunBurst(const Outbox* stream);

    Runner m_runner;
    std::function<void(const Notification&)> m_log;
    mutable std::mutex m_mu;
    std::condition_variable m_cv;
    std::vector<Item> m_items;  // a heap ordered by (due, seq)
    uint64_t m_seq = 0;
    bool m_stop = false;
    std::atomic<bool> m_stopDelivery{false};
    std::thread m_worker;
    std::vector<std::thread> m_bursts;
    std::vector<std::thread::id> m_threadIds;
    std::vector<std::unique_ptr<Outbox>> m_burstStreams;
    bool m_burstGo = false;
};

}  // namespace vrxsim
