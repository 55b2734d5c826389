#include "Device.h"

#include <algorithm>
#include <memory>

namespace vrxsim {

Device::Device(Runner runner, std::function<void(const Notification&)> log)
    : m_runner(std::move(runner)), m_log(std::move(log)) {
    std::lock_guard<std::mutex> lock(m_mu);
    m_worker = std::thread([this] { Run(); });
    m_threadIds.push_back(m_worker.get_id());
}

Device::~Device() { Stop(); }

void Device::Post(uint32_t delayMs, Action action) {
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (m_stop) return;
        m_items.push_back(Item{std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs), m_seq++,
                               std::move(action)});
        std::push_heap(m_items.begin(), m_items.end(), Later);
    }
    m_cv.notify_all();
}

void Device::Run() {
    for (;;) {
        Action action;
        {
            std::unique_lock<std::mutex> lock(m_mu);
            for (;;) {
                if (m_stop) return;
                if (m_items.empty()) {
                    m_cv.wait(lock);
                    continue;
                }
                auto due = m_items.front().due;
                if (due <= std::chrono::steady_clock::now()) break;
                m_cv.wait_until(lock, due);
            }
            std::pop_heap(m_items.begin(), m_items.end(), Later);
            action = std::move(m_items.back().action);
            m_items.pop_back();
        }
        Outbox out;
        m_runner(action, out);
        for (const auto& n : out) {
            if (m_stopDelivery.load()) break;
            // Logged as the call begins: a callback that blocks shows in the log.
            if (m_log) m_log(n);
            n.Deliver();
        }
    }
}

void Device::StartBurst(std::vector<Outbox> streams) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_stop) return;
    for (auto& s : streams) {
        m_burstStreams.push_back(std::make_unique<Outbox>(std::move(s)));
        const Outbox* stream = m_burstStreams.back().get();
        m_bursts.emplace_back([this, stream] { RunBurst(stream); });
        m_threadIds.push_back(m_bursts.back().get_id());
    }
    // Released together, so the streams really overlap.
    m_burstGo = true;
    m_cv.notify_all();
}

void Device::RunBurst(const Outbox* stream) {
    {
        std::unique_lock<std::mutex> lock(m_mu);
        m_cv.wait(lock, [this] { return m_burstGo || m_stop; });
    }
    for (const auto& n : *stream) {
        if (m_stopDelivery.load()) return;
        n.Deliver();
    }
}

void Device::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mu);
        m_stop = true;
    }
    m_stopDelivery.store(true);
    m_cv.notify_all();
    if (m_worker.joinable()) m_worker.join();
    std::vector<std::thread> bursts;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        bursts.swap(m_bursts);
    }
    for (auto& t : bursts) t.join();
}

bool Device::IsDeviceThread() const {
    std::lock_guard<std::mutex> lock(m_mu);
    auto self = std::this_thread::get_id();
    return std::find(m_threadIds.begin(), m_threadIds.end(), self) != m_threadIds.end();
}

}  // namespace vrxsim
