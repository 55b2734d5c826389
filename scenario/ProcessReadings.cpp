#include "ProcessReadings.h"

#include <psapi.h>
#include <tlhelp32.h>

namespace scenario {

namespace {

// Handle values are multiples of 4 and handed out from the bottom: a value
// answers DuplicateHandle when it is open in the target. The scan ends well
// past the highest open one.
double CountHandlesByDuplicating(HANDLE process) {
    constexpr uintptr_t kPastLast = 4096;
    constexpr uintptr_t kHighest = 1u << 22;
    double count = 0;
    uintptr_t last = 0;
    for (uintptr_t value = 4; value < kHighest && value <= last + kPastLast; value += 4) {
        HANDLE copy = nullptr;
        if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            continue;
        CloseHandle(copy);
        ++count;
        last = value;
    }
    return count;
}

// Committed private memory, region by region.
double PrivateBytesByWalking(HANDLE process) {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += static_cast<double>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return bytes;
}

double CountThreads(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    double count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == processId) ++count;
    CloseHandle(snapshot);
    return count;
}

void Set(Reading& reading, double value, const char* source) {
    reading.available = value >= 0;
    reading.value = value;
    reading.source = source;
}

}  // namespace

void ReadProcess(HANDLE process, DWORD processId, Reading (&readings)[ResourceWatch::kKinds]) {
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles) && handles > 0)
        Set(readings[ResourceWatch::Handles], handles, "GetProcessHandleCount");
    else
        Set(readings[ResourceWatch::Handles], CountHandlesByDuplicating(process), "handles that answer DuplicateHandle");

    // A console with windows always holds USER and GDI objects: 0 means the
    // platform does not count them.
    const struct {
        ResourceWatch::Kind kind;
        DWORD flag;
        const char* source;
    } kGui[] = {{ResourceWatch::GdiObjects, GR_GDIOBJECTS, "GetGuiResources(GR_GDIOBJECTS)"},
                {ResourceWatch::UserObjects, GR_USEROBJECTS, "GetGuiResources(GR_USEROBJECTS)"}};
    for (const auto& gui : kGui) {
        const DWORD count = GetGuiResources(process, gui.flag);
        readings[gui.kind] = Reading();
        if (count > 0) Set(readings[gui.kind], count, gui.source);
    }

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
        memory.PrivateUsage > 0)
        Set(readings[ResourceWatch::PrivateBytes], static_cast<double>(memory.PrivateUsage), "PrivateUsage");
    else
        Set(readings[ResourceWatch::PrivateBytes], PrivateBytesByWalking(process), "committed private regions (VirtualQueryEx)");

    Set(readings[ResourceWatch::Threads], CountThreads(processId), "toolhelp thread snapshot");
}

}  // namespace scenario
