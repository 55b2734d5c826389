// How long the console takes to trace a burst of unit notifications from
// the stand-in library, with the "Log" window visible and minimised, side by
// side in one run. Not a test: run by scripts/bench.sh under Xvfb.
//   BurstBench <notifications> <rounds>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "ConsoleProcess.h"
#include "resource.h"

using testing_support::ConsoleProcess;

namespace {


// Milliseconds of the day from a trace line's "hh:mm:ss'mmm" stamp.
long StampMs(const std::string& line, size_t at) {
    int h = 0, m = 0, sec = 0, ms = 0;
    if (std::sscanf(line.c_str() + at, "%d:%d:%d'%d", &h, &m, &sec, &ms) != 4) return -1;
    return ((h * 60L + m) * 60L + sec) * 1000L + ms;
}

struct Burst {
    double seconds = -1;  // from the press to the last notification traced
    int traced = 0;       // burst notifications in the log file
};

// The console's own clock measures: the log file holds every trace line with
// its time stamp. The file is read only after the console has ended, since
// reading it meanwhile would make the console drop a record.
Burst TimeOneBurst(int notifications, bool minimised) {
    Burst burst;
    ConsoleProcess console;
    console.WriteFile("ZembrinSim.ini", "[Simulator]\r\nTimeScale=0.05\r\n[Burst]\r\nCount=" +
                                            std::to_string(notifications) + "\r\nThreads=4\r\nKind=unit\r\n"
                                            "Trigger=adjust\r\nDelayMs=0\r\n");
    const std::string logPath = console.Folder().File("VrxClient.log");
    console.WriteFile("VrxClient.log", "");
    if (!console.Start() || !console.OpenLibrary(false) || !console.OpenPrinter(127, 0, 0, 1)) return burst;
    if (minimised) PostMessageW(console.FindWindowByCaption(L"Log"), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    console.Sync();
    PostMessageW(console.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_DEV_ADJUST_FOR_PRINT, BN_CLICKED), 0);
    // Done when the log file has stopped growing for a while.
    ULONGLONG size = 0, stableSince = GetTickCount64();
    const ULONGLONG giveUp = GetTickCount64() + 900000;
    while (GetTickCount64() - stableSince < 2000 && GetTickCount64() < giveUp) {
        Sleep(100);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(logPath.c_str(), GetFileExInfoStandard, &data)) continue;
        const ULONGLONG now = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (now != size) {
            size = now;
            stableSince = GetTickCount64();
        }
    }
    console.Exit();
    const std::regex burstLine(R"(\[>>>\] \[VRXUNITPROC\] .*wPortNo=[1-4], )");
    long pressed = -1, last = -1;
    const std::string text = testing_support::ReadFileText(logPath);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start);
        const size_t at = line.find(" - ");
        if (at == std::string::npos) continue;
        if (pressed < 0 && line.find("[<==] [vrxDevAdjustForPrint]") != std::string::npos) pressed = StampMs(line, at + 3);
        if (std::regex_search(line, burstLine)) {
            ++burst.traced;
            last = StampMs(line, at + 3);
        }
    }
    if (pressed >= 0 && last >= pressed) burst.seconds = (last - pressed) / 1000.0;
    return burst;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int notifications = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    std::vector<double> visible, minimised;
    int lost = 0;
    for (int round = 0; round < rounds; ++round) {
        const Burst shown = TimeOneBurst(notifications, false);
        const Burst hidden = TimeOneBurst(notifications, true);
        visible.push_back(shown.seconds);
        minimised.push_back(hidden.seconds);
        lost += (notifications - shown.traced) + (notifications - hidden.traced);
        std::printf("round %d: visible %.2f s (%d traced), minimised %.2f s (%d traced)\n", round + 1, shown.seconds,
                    shown.traced, hidden.seconds, hidden.traced);
        std::fflush(stdout);
    }
    const double v = Median(visible), m = Median(minimised);
    std::printf("burst of %d unit notifications from 4 threads, median of %d rounds\n", notifications, rounds);
    std::printf("  Log visible   %7.2f s  %7.0f lines/s  (min %.2f, max %.2f)\n", v, notifications / v,
                *std::min_element(visible.begin(), visible.end()), *std::max_element(visible.begin(), visible.end()));
    std::printf("  Log minimised %7.2f s  %7.0f lines/s  (min %.2f, max %.2f)\n", m, notifications / m,
                *std::min_element(minimised.begin(), minimised.end()),
                *std::max_element(minimised.begin(), minimised.end()));
    std::printf("  ratio visible/minimised %.2f (goal <= 1.2), notifications lost %d\n", v / m, lost);
    return lost == 0 ? 0 : 1;
}
