// VrxPlay: replays a scenario file through the real console and reports a
// verdict per step.
//   VrxPlay.exe SCENARIO [/report FILE] [/run FOLDER] [/keep] [/record FILE]
// The console (VrxClient.exe beside this program) and every DLL beside it are
// copied into the run folder (default %TEMP%\VrxPlay-<scenario name>), where
// the scenario's settings files, its fixtures and an empty VrxClient.log
// (logging on) are written first, so a replay never touches the operator's own files. /keep
// leaves the console open at the end. /record records the replay itself as
// a scenario, through the Log window as an operator would. Exit code: 0 every step passed, 1 a step
// failed, 2 the scenario file or the command line is wrong, 3 the console did
// not start.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ConsoleDriver.h"
#include "Player.h"
#include "ScenarioFile.h"

namespace {

using scenario::Narrow;
using scenario::Widen;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ThisProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(Narrow(path));
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(Widen(path).c_str(), std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file);
}

// A run folder holding a fresh copy of the console and the DLLs beside it.
bool PrepareRunFolder(const std::string& from, const std::string& run, const scenario::Scenario& played,
                      std::string& failure) {
    // Each missing folder of the path, outermost first.
    for (size_t at = run.find_first_of("\\/", 3); at != std::string::npos; at = run.find_first_of("\\/", at + 1))
        CreateDirectoryW(Widen(run.substr(0, at)).c_str(), nullptr);
    for (const char* stale : {"VrxClient.ini", "VrxClient.log", "VrxClient.old.log", "ZembrinSim.ini"})
        DeleteFileW(Widen(run + stale).c_str());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(from + "*.dll").c_str(), &found);
    bool copied = CopyFileW(Widen(from + "VrxClient.exe").c_str(), Widen(run + "VrxClient.exe").c_str(), FALSE) != 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more && copied; more = FindNextFileW(search, &found) != 0) {
        const std::string name = Narrow(found.cFileName);
        copied = CopyFileW(Widen(from + name).c_str(), Widen(run + name).c_str(), FALSE) != 0;
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    if (!copied) {
        failure = "cannot copy the console from " + from + " into " + run + " (error " +
                  std::to_string(GetLastError()) + ")";
        return false;
    }
    bool written = WriteText(run + "VrxClient.log", "") &&
                   (played.consoleIni.empty() || WriteText(run + "VrxClient.ini", played.consoleIni)) &&
                   (played.simulatorIni.empty() || WriteText(run + "ZembrinSim.ini", played.simulatorIni));
    for (const auto& fixture : played.fixtures) written = written && WriteText(run + fixture.first, fixture.second);
    if (!written) failure = "cannot write the settings files and fixtures into " + run;
    return written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::string scenarioPath, reportPath, run, recordPath;
    bool keep = false;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"/report" && i + 1 < argc) reportPath = Narrow(argv[++i]);
        else if (arg == L"/run" && i + 1 < argc) run = Narrow(argv[++i]);
        else if (arg == L"/record" && i + 1 < argc) recordPath = Narrow(argv[++i]);
        else if (arg == L"/keep") keep = true;
        else if (scenarioPath.empty()) scenarioPath = Narrow(arg);
        else usage = true;
    }
    if (scenarioPath.empty() || usage) {
        std::fprintf(stderr, "usage: VrxPlay SCENARIO [/report FILE] [/run FOLDER] [/keep] [/record FILE]\n");
        return 2;
    }
    std::ifstream file(Widen(scenarioPath).c_str(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    scenario::Scenario played;
    scenario::ScenarioError error;
    if (!file || !scenario::ReadScenario(text.str(), played, error)) {
        std::fprintf(stderr, "%s:%d: %s\n", scenarioPath.c_str(), error.line,
                     file ? error.message.c_str() : "cannot read the file");
        return 2;
    }

    std::ofstream report;
    if (!reportPath.empty()) report.open(Widen(reportPath).c_str(), std::ios::binary | std::ios::trunc);
    auto write = [&](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        if (report) report << line << "\r\n" << std::flush;
    };

    if (run.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::string name = scenarioPath.substr(FolderOf(scenarioPath).size());
        name = name.substr(0, name.find_last_of('.'));
        run = Narrow(temp) + "VrxPlay-" + name;
    }
    // The folder as the console will name its own ("{run}"), whatever the
    // command line wrote.
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(Widen(run).c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) run = Narrow(full);
    if (run.back() != '\\' && run.back() != '/') run += '\\';
    std::string failure;
    if (!PrepareRunFolder(ThisProgramFolder(), run, played, failure)) {
        write("the console could not be prepared: " + failure);
        return 3;
    }
    write("scenario " + scenarioPath + ", console in " + run);
    scenario::ConsoleDriver console;
    if (!console.Start(run, 20000)) {
        write("the console did not start: " + console.Failure());
        return 3;
    }
    if (!recordPath.empty() && !console.StartRecording(recordPath, 20000, failure)) {
        write("recording could not start: " + failure);
        console.Exit();
        return 3;
    }
    const scenario::PlayResult result = scenario::Player(console, run, write).Play(played);
    if (!recordPath.empty()) console.StopRecording(20000);
    if (keep) console.Release();
    else console.Exit();
    return result.failed == 0 ? 0 : 1;
}
