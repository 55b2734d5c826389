// A burst of unit notifications from the stand-in library's 4 threads,
// traced by the real console: with its "Log" window visible and minimised,
// against the log records and list insertions it cannot avoid; and how long
// a button press waits while the burst is being traced.
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "Bench.h"
#include "ConsoleProcess.h"
#include "LogFile.h"
#include "resource.h"

namespace bench {

namespace {

using testing_support::ConsoleProcess;

// Milliseconds of the day from a trace line's "hh:mm:ss'mmm" stamp.
long StampMs(const std::string& line) {
    int h = 0, m = 0, s = 0, ms = 0;
    if (std::sscanf(line.c_str(), "%d:%d:%d'%d", &h, &m, &s, &ms) != 4) return -1;
    return ((h * 60L + m) * 60L + s) * 1000L + ms;
}

long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Posts a press of "vrxDevGetTime" behind whatever the window has queued
// and returns the seconds until the library is called (its journal grows).
double PressDelay(const ConsoleProcess& console, const std::string& journal) {
    const long long before = SizeOf(journal);
    Stopwatch pressed;
    PostMessageW(console.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_DEV_GET_TIME, BN_CLICKED), 0);
    while (SizeOf(journal) == before && pressed.Seconds() < 60) Sleep(1);
    return pressed.Seconds();
}

struct BurstTimes {
    double seconds = -1;  // from the press to the last notification traced
    std::vector<std::string> lines;  // the burst's trace lines, as logged
    Samples pressDelays;             // presses during the burst
    double idlePressDelay = -1;      // a press before it
};

// Timed by the console's own clock: the log file holds every trace line
// with its stamp. The file is read only after the console has ended, since
// reading it meanwhile would make the console drop a record.
BurstTimes TimeOneBurst(int notifications, bool minimised) {
    BurstTimes burst;
    ConsoleProcess console;
    console.WriteFile("ZembrinSim.ini", "[Simulator]\r\nTimeScale=0.05\r\n[Journal]\r\nFile=calls.log\r\n[Burst]\r\n"
                                        "Count=" + std::to_string(notifications) +
                                            "\r\nThreads=4\r\nKind=unit\r\nTrigger=adjust\r\nDelayMs=0\r\n");
    const std::string logPath = console.Folder().File("VrxClient.log");
    const std::string journal = console.Folder().File("calls.log");
    console.WriteFile("VrxClient.log", "");
    if (!console.Start() || !console.OpenLibrary(false) || !console.OpenPrinter(127, 0, 0, 1)) return burst;
    if (minimised) PostMessageW(console.FindWindowByCaption(L"Log"), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    console.Sync();
    burst.idlePressDelay = PressDelay(console, journal);
    console.Sync();
    const long long beforeBurst = SizeOf(journal);
    PostMessageW(console.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_DEV_ADJUST_FOR_PRINT, BN_CLICKED), 0);
    while (SizeOf(journal) == beforeBurst) Sleep(1);
    // Three presses while the burst is coming in, each behind the
    // notifications queued so far.
    for (int press = 0; press < 3; ++press) {
        Sleep(20);
        burst.pressDelays.Add(PressDelay(console, journal));
    }
    // Done when the log file has stopped growing for a while.
    long long size = 0;
    ULONGLONG stableSince = GetTickCount64();
    const ULONGLONG giveUp = GetTickCount64() + 900000;
    while (GetTickCount64() - stableSince < 2000 && GetTickCount64() < giveUp) {
        Sleep(100);
        const long long now = SizeOf(logPath);
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
        std::string line = text.substr(start, end - start);
        const size_t at = line.find(" - ");
        if (at == std::string::npos) continue;
        line.erase(0, at + 3);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (pressed < 0 && line.find("[<==] [vrxDevAdjustForPrint]") != std::string::npos) pressed = StampMs(line);
        // The burst's own: its threads number their ports 1 to 4.
        if (std::regex_search(line, burstLine)) {
            burst.lines.push_back(line);
            last = StampMs(line);
        }
    }
    if (pressed >= 0 && last >= pressed) burst.seconds = (last - pressed) / 1000.0;
    return burst;
}

// The work no console can avoid: the same records through the same log
// writer by one thread, and the same lines into a hidden list.
double RawBurst(const std::vector<std::string>& lines) {
    testing_support::TestFolder folder;
    testing_support::WriteFileText(folder.File("Raw.log"), "");
    CLogFile log(folder.Path(), "Raw", "Raw", 5242880, 65535);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL |
                                    LBS_NOINTEGRALHEIGHT, 0, 0, 800, 400, nullptr, nullptr, nullptr, nullptr);
    Stopwatch watch;
    for (const auto& line : lines) {
        log.Write(LOG_INFO, "LogDlg", __LINE__, line.c_str());
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    const double seconds = watch.Seconds();
    DestroyWindow(list);
    return seconds;
}

}  // namespace

void Burst(int notifications, int rounds) {
    Samples visible, minimised, raw, stormPresses, idlePresses;
    int lost = 0;
    for (int round = 0; round < rounds; ++round) {
        const BurstTimes shown = TimeOneBurst(notifications, false);
        const BurstTimes hidden = TimeOneBurst(notifications, true);
        for (const auto* burst : {&shown, &hidden}) {
            lost += notifications - static_cast<int>(burst->lines.size());
            stormPresses.values.insert(stormPresses.values.end(), burst->pressDelays.values.begin(),
                                       burst->pressDelays.values.end());
            idlePresses.Add(burst->idlePressDelay);
        }
        visible.Add(shown.seconds);
        minimised.Add(hidden.seconds);
        raw.Add(RawBurst(hidden.lines));
        std::fprintf(stderr, "burst round %d: visible %.2f s, minimised %.2f s, raw %.2f s\n", round + 1,
                     shown.seconds, hidden.seconds, raw.values.back());
    }
    const std::string count = std::to_string(notifications);
    const std::string lostText = std::to_string(lost) + " lost";
    PrintRow("A burst of " + count + " notifications (4 threads), Log visible | the same, Log minimised", visible,
             minimised, 1, "s", 1.2, lostText);
    PrintRow("The same burst, Log minimised | " + count + " log records (1 thread) + " + count +
                 " LB_ADDSTRING to a hidden list",
             minimised, raw, 1, "s", 1.5, lostText);
    PrintRow("A button press during the burst, until the library is called | the same press with no burst",
             stormPresses, idlePresses, 1e3, "ms", 0);
}

}  // namespace bench
