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
    CRITICAL_SECTION m_section;
};

}  // namespace vrx
