#include "Bench.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

double Samples::Median() const {
    if (values.empty()) return 0;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

double Samples::Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
double Samples::Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }

namespace {

// Three significant digits, never an exponent: "0.929", "2.27", "588", "3130".
std::string Figure(double value) {
    char text[32];
    const double size = value < 0 ? -value : value;
    std::snprintf(text, sizeof text, size >= 100 ? "%.0f" : size >= 10 ? "%.1f" : size >= 1 ? "%.2f" : "%.3f", value);
    return text;
}

// The i686 and x86_64 builds' rows share one table.
const char* BuildName() { return sizeof(void*) == 4 ? "i686" : "x86_64"; }

}  // namespace

std::string Samples::Describe(double scale, const char* unit) const {
    return Figure(Median() * scale) + " " + unit + " (" + Figure(Min() * scale) + "-" + Figure(Max() * scale) + ")";
}

void PrintRow(const std::string& what, const Samples& console, const Samples& raw, double scale, const char* unit,
              double goal, const std::string& remark) {
    if (console.values.empty() || raw.values.empty()) {
        PrintNote(what, "not measured");
        return;
    }
    const double ratio = raw.Median() > 0 ? console.Median() / raw.Median() : 0;
    char verdict[64];
    if (goal > 0)
        std::snprintf(verdict, sizeof verdict, "<= %.1f: %s", goal, ratio <= goal ? "met" : "missed");
    else
        std::snprintf(verdict, sizeof verdict, "reported");
    std::printf("| %s | %s | %s | %s | %.2f | %s%s%s |\n", BuildName(), what.c_str(), console.Describe(scale, unit).c_str(),
                raw.Describe(scale, unit).c_str(), ratio, verdict, remark.empty() ? "" : "; ", remark.c_str());
    std::fflush(stdout);
}

void PrintNote(const std::string& what, const std::string& figures) {
    std::printf("| %s | %s | %s | | | |\n", BuildName(), what.c_str(), figures.c_str());
    std::fflush(stdout);
}

Stopwatch::Stopwatch() { QueryPerformanceCounter(&m_start); }

double Stopwatch::Seconds() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - m_start.QuadPart) / double(frequency.QuadPart);
}

std::string RunForOutput(const std::string& command, const std::string& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::string();
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = command;
    const BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                       folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return output;
}

Samples SamplesFrom(const std::string& output, const std::string& label) {
    Samples samples;
    size_t start = 0;
    for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = output.substr(start, end - start);
        if (line.compare(0, label.size() + 1, label + " ") != 0) continue;
        const char* at = line.c_str() + label.size();
        char* next = nullptr;
        for (double value = std::strtod(at, &next); next != at; value = std::strtod(at, &next)) {
            samples.Add(value);
            at = next;
        }
    }
    return samples;
}

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

Memory ThisProcessMemory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    Memory memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        memory.resident = double(counters.WorkingSetSize);
        memory.peakResident = double(counters.PeakWorkingSetSize);
        memory.committed = double(counters.PagefileUsage);
    }
    return memory;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace bench
