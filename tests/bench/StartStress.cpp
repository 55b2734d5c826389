// Starts the console many times in a row, one attempt each, and counts the
// starts that fail or stall, with why. Not a test: run by scripts/bench.sh.
//   StartStress <starts>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ConsoleProcess.h"

using testing_support::ConsoleProcess;

int main(int argc, char** argv) {
    const int starts = argc > 1 ? std::atoi(argv[1]) : 100;
    std::map<std::string, int> failures;
    std::vector<double> seconds;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < starts; ++i) {
        ConsoleProcess console;
        LARGE_INTEGER begin, end;
        QueryPerformanceCounter(&begin);
        const bool started = console.StartOnce();
        QueryPerformanceCounter(&end);
        if (!started) {
            ++failures[console.Failure()];
            std::printf("start %d failed: %s\n", i + 1, console.Failure().c_str());
            continue;
        }
        seconds.push_back(double(end.QuadPart - begin.QuadPart) / double(frequency.QuadPart));
        if (!console.Exit()) ++failures["did not end on Exit"];
    }
    std::sort(seconds.begin(), seconds.end());
    int failed = 0;
    for (const auto& f : failures) failed += f.second;
    std::printf("%d starts: %d failed", starts, failed);
    if (!seconds.empty())
        std::printf(", main window shown after median %.3f s (max %.3f s)", seconds[seconds.size() / 2], seconds.back());
    std::printf("\n");
    for (const auto& f : failures) std::printf("  %d x %s\n", f.second, f.first.c_str());
    return failed == 0 ? 0 : 1;
}
