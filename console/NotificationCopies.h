// Heap copies of the library's notification records: made on library
// threads, freed on the window thread. Counted, so that a test can see that
// every copy made is freed, whatever path it took.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>
#include <new>

namespace vrx {

extern std::atomic<long> g_copiesMade;
extern std::atomic<long> g_copiesFreed;

// A zero-filled record with the first `bytes` of `record`; null when there
// is no record or no memory.
template <class Record>
Record* NewCopy(const Record* record, size_t bytes = sizeof(Record)) {
    if (!record) return nullptr;
    auto* copy = new (std::nothrow) Record{};
    if (!copy) return nullptr;
    std::memcpy(copy, record, bytes);
    ++g_copiesMade;
    return copy;
}

template <class Record>
void FreeCopy(Record* copy) {
    if (!copy) return;
    delete copy;
    ++g_copiesFreed;
}

// Owns one copy until the end of a handler.
struct CopyDeleter {
    template <class Record>
    void operator()(Record* copy) const {
        FreeCopy(copy);
    }
};

inline long CopiesMade() { return g_copiesMade.load(); }
inline long CopiesOutstanding() { return g_copiesMade.load() - g_copiesFreed.load(); }

}  // namespace vrx
