// The console lock: a re-entrant critical section that every button and
// notification handler holds around its SDK call and bookkeeping. It is never
// deleted: library threads may still wait on it while the process ends.
#pragma once

#include <windows.h>

namespace vrx {

class ConsoleLock {
public:
    ConsoleLock() { InitializeCriticalSection(&m_section); }
    ConsoleLock(const ConsoleLock&) = delete;
    ConsoleLock& operator=(const ConsoleLock&) = delete;
    // Deliberately no DeleteCriticalSection.
    ~ConsoleLock() = default;

    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }
    // Enters only if no other thread holds the lock.
    bool TryEnter() { return TryEnterCriticalSection(&m_section) != FALSE; }

    // For threads that only wait until the window thread has left the lock:
    // true once the lock was free (entered and left at once), false when
    // giveUp was signalled first. Polls, since a critical section and an
    // event cannot be waited for together.
    bool WaitUntilFree(HANDLE giveUp) {
        for (;;) {
            if (TryEnter()) {
                Leave();
                return true;
            }
            if (WaitForSingleObject(giveUp, kPollMs) == WAIT_OBJECT_0) return false;
        }
    }

    // Held for a scope; left on every way out, exceptions included.
    class Scope {
    public:
        explicit Scope(ConsoleLock& lock) : m_lock(lock) { m_lock.Enter(); }
        ~Scope() { m_lock.Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ConsoleLock& m_lock;
    };

private:
    static constexpr DWORD kPollMs = 10;
    CRITICAL_SECTION m_section;
};

}  // namespace vrx
