// Start-up: the console against an empty dialog program, started the same
// way under the same Wine until their windows show; and the console started
// many times in a row, one attempt each, counting the starts that fail.
#include <cstdio>
#include <map>
#include <string>

#include "Bench.h"
#include "ConsoleProcess.h"
#include "TestFolder.h"

namespace bench {

namespace {

struct Program {
    const char* name;
    const wchar_t* caption;
    const char* companion;  // a file it needs beside it, or null
};

HWND ShownWindowOf(DWORD processId, const wchar_t* caption) {
    struct Search {
        DWORD processId;
        const wchar_t* caption;
        HWND found;
    } search{processId, caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            if (owner != s->processId || !IsWindowVisible(window) || wcscmp(text, s->caption) != 0) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Seconds from CreateProcess to the program's window shown; -1 on failure.
// The program is then ended through its OK command.
double SecondsToWindow(const Program& program) {
    testing_support::TestFolder folder;
    const std::string from = testing_support::ThisProgramFolder();
    for (const char* name : {program.name, program.companion}) {
        if (name && !CopyFileA((from + name).c_str(), folder.File(name).c_str(), FALSE)) {
            std::fprintf(stderr, "%s: not copied, error %lu\n", name, GetLastError());
            return -1;
        }
    }
    std::string command = "\"" + folder.File(program.name) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    Stopwatch watch;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "%s: CreateProcess error %lu\n", program.name, GetLastError());
        return -1;
    }
    HWND window = nullptr;
    while (!(window = ShownWindowOf(process.dwProcessId, program.caption)) && watch.Seconds() < 60 &&
           WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
        Sleep(1);
    const double seconds = window ? watch.Seconds() : -1;
    if (!window) {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        std::fprintf(stderr, "%s: %s\n", program.name,
                     code == STILL_ACTIVE ? "no window within 60 s"
                                          : ("ended without a window, exit code " + std::to_string(code)).c_str());
    }
    if (window) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return seconds;
}

}  // namespace

void StartUp(int rounds) {
    const Program console{"VrxClient.exe", L"VRXCLIENT", "ZembrinPrinter.dll"};
    const Program empty{"empty_dialog.exe", L"Empty", nullptr};
    const Program emptyWithManifest{"empty_dialog_v6.exe", L"Empty", nullptr};
    const Program* programs[] = {&console, &empty, &emptyWithManifest};
    Samples seconds[3];
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 3; ++i) {
            const double taken = SecondsToWindow(*programs[i]);
            if (taken < 0)
                ++failed;
            else
                seconds[i].Add(taken);
        }
    }
    const std::string failures = std::to_string(failed) + " starts failed";
    PrintRow("Start-up to the main window shown | an empty Win32 dialog program", seconds[0], seconds[1], 1e3, "ms",
             1.5, failures);
    PrintRow("The same | an empty dialog program with the console's manifest (common controls 6)", seconds[0],
             seconds[2], 1e3, "ms", 0);
}

void StartStress(int starts) {
    std::map<std::string, int> failures;
    Samples seconds;
    for (int i = 0; i < starts; ++i) {
        testing_support::ConsoleProcess console;
        Stopwatch watch;
        const bool started = console.StartOnce();
        if (!started) {
            ++failures[console.Failure()];
            std::fprintf(stderr, "start %d failed: %s\n", i + 1, console.Failure().c_str());
            continue;
        }
        seconds.Add(watch.Seconds());
        if (!console.Exit()) ++failures["did not end on Exit"];
    }
    int failed = 0;
    std::string causes;
    for (const auto& f : failures) {
        failed += f.second;
        causes += "; " + std::to_string(f.second) + " x " + f.first;
    }
    PrintNote("Start-up reliability | the console started " + std::to_string(starts) + " times in a row, one attempt each",
              std::to_string(failed) + " failed" + causes + "; main window after " + seconds.Describe(1e3, "ms"));
}

}  // namespace bench
