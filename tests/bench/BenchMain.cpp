// The console's costs as ratios to the raw work they cannot avoid, both
// sides measured in the same run. Not a test: run by scripts/bench.sh.
//   vrx_bench [all | trace | memory | burst | print | start | logwriter | stress] [rounds]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Bench.h"

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "all";
    // The parts that run in a process of their own.
    if (what == "--trace-line-child" && argc == 4) return bench::TraceLineChild(std::atoi(argv[2]), std::atoi(argv[3]));
    if (what == "--trace-memory-child" && argc == 3) return bench::TraceMemoryChild(std::atoi(argv[2]));
    if (what == "--image-buffer-child" && argc == 4) return bench::ImageBufferChild(argv[2], argv[3]);

    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool all = what == "all";
    std::printf("| Build | What | Measured against | Console: median (min-max) | Raw work: median (min-max) | Ratio | Goal |\n"
                "|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    if (all || what == "trace") bench::TraceLine(rounds);
    if (all || what == "burst") bench::Burst(argc > 3 ? std::atoi(argv[3]) : 10000, rounds);
    if (all || what == "print") bench::ImageBuffer(100, rounds);
    if (all || what == "start") bench::StartUp(rounds * 4);
    if (all || what == "logwriter") bench::LogWriters(10000, rounds);
    if (all || what == "memory") bench::TraceMemory();
    if (what == "stress") bench::StartStress(rounds);
    return 0;
}
