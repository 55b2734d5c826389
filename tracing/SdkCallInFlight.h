// The SDK entry point the console is inside right now, for the report a
// crash in the library leaves behind. One marker for the process: the console
// calls the library from its window thread alone. Names are string literals,
// so the crash handler reads them without copying.
#pragma once

#include <atomic>
#include <utility>

namespace vrx {

namespace detail {
extern std::atomic<const char*> g_sdkCallInFlight;
}

// Null when no SDK call is in flight.
inline const char* SdkCallInFlight() { return detail::g_sdkCallInFlight.load(); }

// Names the call for a scope; the name before it comes back on every way out.
class SdkCallScope {
public:
    explicit SdkCallScope(const char* entryPoint) : m_outer(detail::g_sdkCallInFlight.exchange(entryPoint)) {}
    ~SdkCallScope() { detail::g_sdkCallInFlight.store(m_outer); }
    SdkCallScope(const SdkCallScope&) = delete;
    SdkCallScope& operator=(const SdkCallScope&) = delete;

private:
    const char* m_outer;
};

// The library's entry point called with its name in flight for the call alone.
template <class Entry, class... Args>
auto CallSdk(const char* entryPoint, Entry entry, Args&&... args) {
    SdkCallScope inFlight(entryPoint);
    return entry(std::forward<Args>(args)...);
}

}  // namespace vrx
