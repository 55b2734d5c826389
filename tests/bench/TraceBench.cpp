// The trace window's costs: one line at the list's cap with the log on,
// against the log record and list insertion it cannot avoid; and its
// memory after many lines. Both run in a copy of this program in a folder
// of its own, since the trace window logs beside its program.
#include <cstdio>
#include <string>
#include <vector>

#include "Bench.h"
#include "LogDlg.h"
#include "TestFolder.h"

namespace bench {

namespace {

// A copy of this program (and the library its trace window links) beside
// an empty "VrxClient.log", run with `args`.
std::string RunInLoggingFolder(const std::string& args) {
    testing_support::TestFolder folder;
    const std::string copy = folder.File("vrx_bench.exe");
    const std::string library = testing_support::ThisProgramFolder() + "ZembrinPrinter.dll";
    if (!CopyFileA(ThisProgram().c_str(), copy.c_str(), FALSE) ||
        !CopyFileA(library.c_str(), folder.File("ZembrinPrinter.dll").c_str(), FALSE))
        return std::string();
    testing_support::WriteFileText(folder.File("VrxClient.log"), "");
    const std::string output = RunForOutput("\"" + copy + "\" " + args, folder.Path());
    if (output.empty()) std::fprintf(stderr, "%s %s printed nothing\n", copy.c_str(), args.c_str());
    return output;
}

VRXUNITSTATUSINFO UnitStatus(int i) {
    VRXUNITSTATUSINFO unit{};
    unit.hPrinter = 0x1000;
    unit.dwIPAddress = 0x7F000001;
    unit.lUnitId = 0x0200 + i % 7;
    unit.nStatus = static_cast<int16_t>(i % 5);
    unit.nPrevStatus = static_cast<int16_t>((i + 1) % 5);
    unit.wPortNo = static_cast<uint16_t>(1 + i % 4);
    return unit;
}

class ShownTraceWindow {
public:
    ShownTraceWindow() {
        m_log.CreateModeless(nullptr);
        SetWindowPos(m_log.Handle(), nullptr, 0, 0, 800, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
        Pump();
    }
    ~ShownTraceWindow() { m_log.Destroy(); }
    CLogDlg& operator*() { return m_log; }
    CLogDlg* operator->() { return &m_log; }
    // Lines traced, then the window's queue run until the held repaint is shown.
    void Trace(int lines) {
        for (int i = 0; i < lines; ++i) {
            const VRXUNITSTATUSINFO unit = UnitStatus(i);
            m_log.TraceUnitStatus(&unit);
        }
        while (m_log.RepaintHeld()) {
            Pump();
            Sleep(1);
        }
    }

private:
    CLogDlg m_log;
};

}  // namespace

int TraceLineChild(int lines, int rounds) {
    ShownTraceWindow console;
    console.Trace(CLogDlg::kMaxLines);
    // The raw side: the same records to a log of its own and a plain hidden
    // list (a visible one repaints its scroll bars at every line).
    const std::string folder = testing_support::ThisProgramFolder();
    testing_support::WriteFileText(folder + "Raw.log", "");
    CLogFile rawLog(folder, "Raw", "Raw", 5242880, 65535);
    HWND rawList = CreateWindowExW(0, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL |
                                       LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, 420, 800, 400, nullptr, nullptr,
                                   nullptr, nullptr);
    // The raw side writes the very lines the console showed, taken in turn.
    std::vector<std::string> shown;
    for (int i = 0; i < CLogDlg::kMaxLines; ++i) {
        shown.push_back(console->List().GetText(i));
        SendMessageA(rawList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.back().c_str()));
    }
    std::vector<std::string> records;
    for (int i = 0; i < lines; ++i) records.push_back(shown[i % shown.size()]);
    Samples traced, raw;
    for (int round = 0; round < rounds; ++round) {
        Stopwatch tracing;
        console.Trace(lines);
        traced.Add(tracing.Seconds() / lines);
        Stopwatch writing;
        for (const auto& record : records) {
            rawLog.Write(LOG_INFO, "LogDlg", __LINE__, record.c_str());
            SendMessageA(rawList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.c_str()));
        }
        Pump();
        raw.Add(writing.Seconds() / lines);
    }
    std::printf("console");
    for (double v : traced.values) std::printf(" %.9f", v);
    std::printf("\nraw");
    for (double v : raw.values) std::printf(" %.9f", v);
    std::printf("\n");
    DestroyWindow(rawList);
    return console->List().GetCount() == CLogDlg::kMaxLines ? 0 : 1;
}

void TraceLine(int rounds) {
    const std::string output = RunInLoggingFolder("--trace-line-child 2000 " + std::to_string(rounds));
    PrintRow("One trace line, log on, list at its 1,001-line cap | the log record + LB_ADDSTRING to a hidden list",
             SamplesFrom(output, "console"), SamplesFrom(output, "raw"), 1e6, "us", 1.3);
}

int TraceMemoryChild(int lines) {
    ShownTraceWindow console;
    const Memory start = ThisProcessMemory();
    std::printf("start %.0f %.0f\n", start.resident, start.committed);
    for (int done = 0; done < 2 * lines; done += 1000) {
        console.Trace(1000);
        if ((done + 1000) % lines == 0) {
            const Memory now = ThisProcessMemory();
            std::printf("after%d %.0f %.0f\n", done + 1000, now.resident, now.committed);
        }
    }
    return console->List().GetCount() == CLogDlg::kMaxLines ? 0 : 1;
}

void TraceMemory() {
    const int lines = 100000;
    const std::string output = RunInLoggingFolder("--trace-memory-child " + std::to_string(lines));
    const Samples start = SamplesFrom(output, "start");
    const Samples once = SamplesFrom(output, "after" + std::to_string(lines));
    const Samples twice = SamplesFrom(output, "after" + std::to_string(2 * lines));
    if (start.values.size() != 2 || once.values.size() != 2 || twice.values.size() != 2) {
        PrintNote("Trace window memory", "not measured: " + output);
        return;
    }
    char figures[256];
    const double mib = 1.0 / (1 << 20);
    std::snprintf(figures, sizeof figures,
                  "resident %.1f MiB at start, %+.1f MiB after 100,000 lines, %+.1f MiB more after 200,000; "
                  "virtual %.1f MiB, %+.1f, %+.1f",
                  start.values[0] * mib, (once.values[0] - start.values[0]) * mib,
                  (twice.values[0] - once.values[0]) * mib, start.values[1] * mib,
                  (once.values[1] - start.values[1]) * mib, (twice.values[1] - once.values[1]) * mib);
    PrintNote("Trace window after 100,000 lines (cap held) | right after start", figures);
}

}  // namespace bench
