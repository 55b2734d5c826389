// VrxPlay: replays scenario files through the real console and reports a
// verdict per step, per scenario and for the whole run.
//   VrxPlay.exe SCENARIO|FOLDER|PATTERN... [/report FILE] [/run FOLDER] [/keep] [/record FILE]
//               [/junit FILE] [/html FILE] [/coverage FILE] [/stop-on-failure] [/repeat N]
// Each scenario gets a run folder of its own (default %TEMP%\VrxPlay-<name>;
// with /run and several scenarios FOLDER\<name>): the console (VrxClient.exe
// beside this program) and every DLL beside it are copied there, and the
// scenario's settings files, its fixtures and an empty VrxClient.log (logging
// on) are written first, so a replay never touches the operator's own files.
// One scenario reports each step on standard output; several report a
// progress line each, then a summary and the SDK coverage. /keep leaves the
// console open at the end and /record records the replay itself as a
// scenario, through the Log window as an operator would (one scenario only).
// /repeat N plays one scenario N times in the same console (its settings and
// fixtures written once) and reads the console's resources after each round:
// a reading that keeps growing fails the run.
// Exit code: 0 every scenario passed, 1 a step failed, 2 a scenario file or
// the command line is wrong, 3 a console did not start (the worst of them).
#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ConsoleDriver.h"
#include "Player.h"
#include "ProcessReadings.h"
#include "ResourceWatch.h"
#include "RunReport.h"
#include "ScenarioFile.h"
#include "SdkCoverage.h"

namespace {

using scenario::Utf8ToWide;
using scenario::WideToUtf8;

enum Exit { kPassed = 0, kFailed = 1, kBadInput = 2, kNoConsole = 3 };

struct Options {
    std::vector<std::string> inputs;
    std::string reportPath, run, recordPath, junitPath, htmlPath, coveragePath;
    bool keep = false;
    bool stopOnFailure = false;
    int repeat = 1;
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ThisProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(WideToUtf8(path));
}

// Each missing folder of a path, outermost first.
void MakeFolders(const std::string& path) {
    for (size_t at = path.find_first_of("\\/", 3); at != std::string::npos; at = path.find_first_of("\\/", at + 1))
        CreateDirectoryW(Utf8ToWide(path.substr(0, at)).c_str(), nullptr);
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(Utf8ToWide(path).c_str(), std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file);
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream file(Utf8ToWide(path).c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    text = bytes.str();
    return static_cast<bool>(file);
}

// The files a pattern ("*.scenario") or a folder (its *.scenario) names,
// sorted by name; a plain file as it is.
std::vector<std::string> ScenarioFiles(const std::string& input) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(input).c_str());
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    const bool pattern = input.find_first_of("*?") != std::string::npos;
    if (!folder && !pattern) return {input};
    const std::string base = folder ? input + (input.back() == '\\' || input.back() == '/' ? "" : "\\") : FolderOf(input);
    std::vector<std::string> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Utf8ToWide(folder ? base + "*.scenario" : input).c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found) != 0)
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(base + WideToUtf8(found.cFileName));
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    std::sort(files.begin(), files.end());
    return files;
}

// A run folder holding a fresh copy of the console and the DLLs beside it.
bool PrepareRunFolder(const std::string& from, const std::string& run, const scenario::Scenario& played,
                      std::string& failure) {
    MakeFolders(run);
    for (const char* stale : {"VrxClient.ini", "VrxClient.log", "VrxClient.old.log", "ZembrinSim.ini"})
        DeleteFileW(Utf8ToWide(run + stale).c_str());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Utf8ToWide(from + "*.dll").c_str(), &found);
    bool copied = CopyFileW(Utf8ToWide(from + "VrxClient.exe").c_str(), Utf8ToWide(run + "VrxClient.exe").c_str(), FALSE) != 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more && copied; more = FindNextFileW(search, &found) != 0) {
        const std::string name = WideToUtf8(found.cFileName);
        copied = CopyFileW(Utf8ToWide(from + name).c_str(), Utf8ToWide(run + name).c_str(), FALSE) != 0;
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

// The folder as the console will name its own ("{run}"), whatever the
// command line wrote, with its closing backslash.
std::string FullFolder(std::string folder) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(Utf8ToWide(folder).c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) folder = WideToUtf8(full);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

std::string FileVersion(const std::string& path) {
    const std::wstring file = Utf8ToWide(path);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (!block.empty() && GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) &&
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed) {
        return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
               std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
    }
    // A library without a version block is told apart by its size and date.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return "(not found)";
    SYSTEMTIME written{};
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    char text[96];
    std::snprintf(text, sizeof text, "(no version block; %lu bytes, written %04u-%02u-%02u %02u:%02u UTC)",
                  static_cast<unsigned long>(data.nFileSizeLow), written.wYear, written.wMonth, written.wDay,
                  written.wHour, written.wMinute);
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class Run {
public:
    Run(Options options, bool verbose) : m_options(std::move(options)), m_verbose(verbose) {
        if (!m_options.reportPath.empty())
            m_report.open(Utf8ToWide(m_options.reportPath).c_str(), std::ios::binary | std::ios::trunc);
        m_terminal = _isatty(_fileno(stdout)) != 0;
    }

    // Plays one scenario file into its outcome (repeated, with the console's
    // resources read after each round); the exit code it is worth.
    Exit Play(const std::string& path, const std::string& runFolder, const std::string& progress);
    const std::vector<scenario::ScenarioOutcome>& Outcomes() const { return m_outcomes; }
    const scenario::SdkCoverage& Coverage() const { return m_coverage; }
    const scenario::ResourceWatch& Watch() const { return m_watch; }

private:
    // A line of the step report: on standard output for one scenario, into
    // /report always.
    void Write(const std::string& line) {
        if (m_verbose) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
        if (m_report) m_report << line << "\r\n" << std::flush;
    }
    void WatchRound(const scenario::ConsoleDriver& console, int round, const scenario::PlayResult& result);
    void ShowStep(const std::string& progress, const scenario::Step& step) {
        if (m_verbose || !m_terminal) return;
        std::string text = progress + "  line " + std::to_string(step.line) + ": " + step.source;
        if (text.size() > 78) text = text.substr(0, 75) + "...";
        std::printf("\r%-79s", text.c_str());
        std::fflush(stdout);
    }

    Options m_options;
    bool m_verbose;
    bool m_terminal = false;
    std::ofstream m_report;
    std::vector<scenario::ScenarioOutcome> m_outcomes;
    scenario::SdkCoverage m_coverage;
    scenario::ResourceWatch m_watch;
};

Exit Run::Play(const std::string& path, const std::string& runFolder, const std::string& progress) {
    const ULONGLONG start = GetTickCount64();
    scenario::ScenarioOutcome outcome;
    outcome.path = path;
    outcome.name = path.substr(FolderOf(path).size());
    auto finish = [&](Exit code) {
        outcome.seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
        m_outcomes.push_back(std::move(outcome));
        return code;
    };
    std::string text;
    scenario::Scenario played;
    scenario::ScenarioError error;
    const bool read = ReadText(path, text);
    outcome.source = Lines(text);
    if (!read || !scenario::ReadScenario(text, played, error)) {
        outcome.error = read ? error.message : "cannot read the file";
        outcome.errorLine = read ? error.line : 0;
        const std::string where = path + ":" + std::to_string(outcome.errorLine) + ": " + outcome.error;
        std::fprintf(stderr, "%s\n", where.c_str());
        if (m_report) m_report << where << "\r\n" << std::flush;
        return finish(kBadInput);
    }
    outcome.simulatorIni = played.simulatorIni;
    std::string failure;
    if (!PrepareRunFolder(ThisProgramFolder(), runFolder, played, failure)) {
        outcome.error = "the console could not be prepared: " + failure;
        Write(outcome.error);
        return finish(kNoConsole);
    }
    Write("scenario " + path + ", console in " + runFolder);
    scenario::ConsoleDriver console;
    if (!console.Start(runFolder, 20000)) {
        outcome.error = "the console did not start: " + console.Failure();
        Write(outcome.error);
        return finish(kNoConsole);
    }
    if (!m_options.recordPath.empty() && !console.StartRecording(m_options.recordPath, 20000, failure)) {
        outcome.error = "recording could not start: " + failure;
        Write(outcome.error);
        console.Exit();
        return finish(kNoConsole);
    }
    bool failed = false;
    for (int round = 1; round <= m_options.repeat && !failed; ++round) {
        // Each round captures afresh and reads only the lines it caused.
        scenario::Player player(console, runFolder, [this](const std::string& line) { Write(line); });
        player.OnStep([&](const scenario::Step& step) { ShowStep(progress, step); });
        scenario::PlayResult result = player.Play(played);
        failed = result.failed != 0;
        m_coverage.AddRun(result.trace, played.consoleIni);
        outcome.steps.insert(outcome.steps.end(), result.steps.begin(), result.steps.end());
        if (m_options.repeat > 1) WatchRound(console, round, result);
    }
    if (!m_options.recordPath.empty()) console.StopRecording(20000);
    if (m_options.keep) console.Release();
    else console.Exit();
    if (m_options.repeat > 1 && m_watch.Growing()) {
        outcome.error = "resources over " + std::to_string(m_watch.Rounds()) + " rounds: " + m_watch.Verdict();
        return finish(kFailed);
    }
    return finish(failed ? kFailed : kPassed);
}

void Run::WatchRound(const scenario::ConsoleDriver& console, int round, const scenario::PlayResult& result) {
    DWORD exitCode = 0;
    std::string line = "round " + std::to_string(round) + "/" + std::to_string(m_options.repeat) + ": " +
                       std::to_string(result.passed) + " passed, " + std::to_string(result.failed) + " failed";
    if (!console.Ended(exitCode)) {
        scenario::Reading readings[scenario::ResourceWatch::kKinds];
        scenario::ReadProcess(console.Process(), console.ProcessId(), readings);
        m_watch.AddRound(readings);
        for (int k = 0; k < scenario::ResourceWatch::kKinds; ++k) {
            const auto kind = static_cast<scenario::ResourceWatch::Kind>(k);
            line += std::string("; ") + scenario::ResourceWatch::Name(kind) + " " +
                    (readings[k].available ? scenario::ResourceWatch::Format(kind, readings[k].value) : "n/a");
        }
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (m_report) m_report << line << "\r\n" << std::flush;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    const std::pair<const wchar_t*, std::string Options::*> kFiles[] = {
        {L"/report", &Options::reportPath}, {L"/run", &Options::run},       {L"/record", &Options::recordPath},
        {L"/junit", &Options::junitPath},   {L"/html", &Options::htmlPath}, {L"/coverage", &Options::coveragePath}};
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const auto file = std::find_if(std::begin(kFiles), std::end(kFiles), [&](const auto& f) { return arg == f.first; });
        if (file != std::end(kFiles)) {
            if (i + 1 >= argc) return false;
            options.*(file->second) = WideToUtf8(argv[++i]);
        } else if (arg == L"/keep") {
            options.keep = true;
        } else if (arg == L"/stop-on-failure") {
            options.stopOnFailure = true;
        } else if (arg == L"/repeat") {
            if (i + 1 >= argc) return false;
            options.repeat = _wtoi(argv[++i]);
            if (options.repeat < 1 || options.repeat > 1000000) return false;
        } else if (!arg.empty() && arg[0] == L'/' && arg.find(L'/', 1) == std::wstring::npos && arg.size() < 20) {
            return false;  // an unknown switch, not a Unix path
        } else {
            options.inputs.push_back(WideToUtf8(arg));
        }
    }
    return !options.inputs.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: VrxPlay SCENARIO|FOLDER|PATTERN... [/report FILE] [/run FOLDER] [/keep] [/record FILE]\n"
                     "               [/junit FILE] [/html FILE] [/coverage FILE] [/stop-on-failure] [/repeat N]\n");
        return kBadInput;
    }
    std::vector<std::string> files;
    for (const std::string& input : options.inputs) {
        const std::vector<std::string> named = ScenarioFiles(input);
        if (named.empty()) {
            std::fprintf(stderr, "%s: no scenario files\n", input.c_str());
            return kBadInput;
        }
        files.insert(files.end(), named.begin(), named.end());
    }
    const bool one = files.size() == 1;
    if (!one && (options.keep || !options.recordPath.empty() || options.repeat > 1)) {
        std::fprintf(stderr, "/keep, /record and /repeat take one scenario\n");
        return kBadInput;
    }
    SYSTEMTIME now{};
    GetSystemTime(&now);
    char started[32];
    std::snprintf(started, sizeof started, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);

    Run run(options, one && options.repeat == 1);
    int worst = kPassed;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string name = files[i].substr(FolderOf(files[i]).size());
        const std::string stem = name.substr(0, name.find_last_of('.'));
        std::string folder;
        if (options.run.empty()) {
            wchar_t temp[MAX_PATH] = {};
            GetTempPathW(MAX_PATH, temp);
            folder = WideToUtf8(temp) + "VrxPlay-" + stem;
        } else {
            folder = one ? options.run : FullFolder(options.run) + stem;
        }
        const std::string progress = "[" + std::to_string(i + 1) + "/" + std::to_string(files.size()) + "] " + name;
        const Exit code = run.Play(files[i], FullFolder(folder), progress);
        worst = std::max(worst, static_cast<int>(code));
        const scenario::ScenarioOutcome& outcome = run.Outcomes().back();
        if (!one) {
            char time[32];
            std::snprintf(time, sizeof time, "%.1f s", outcome.seconds);
            std::string line = progress + "  " + std::to_string(outcome.Passed()) + " passed";
            if (!outcome.Ok()) line += ", " + std::to_string(outcome.Failed()) + " failed (" + outcome.FailingText() + ")";
            std::printf("\r%-79s\n", (line + "  " + time).c_str());
            std::fflush(stdout);
        }
        if (options.stopOnFailure && code != kPassed) break;
    }

    scenario::RunInfo info;
    info.consoleVersion = FileVersion(ThisProgramFolder() + "VrxClient.exe");
    info.libraryVersion = FileVersion(ThisProgramFolder() + "ZembrinPrinter.dll");
    info.started = started;
    if (!one) {
        std::printf("\n%s\n%s", scenario::SummaryTable(run.Outcomes()).c_str(), run.Coverage().Text().c_str());
        std::fflush(stdout);
    }
    const scenario::ResourceWatch* watch = options.repeat > 1 ? &run.Watch() : nullptr;
    if (watch) {
        const scenario::ScenarioOutcome& outcome = run.Outcomes().back();
        std::printf("\n%s%s\n", watch->Table().c_str(),
                    outcome.Ok() ? "every round passed" : ("FAILED: " + outcome.FailingText()).c_str());
        std::fflush(stdout);
    }
    bool written = true;
    for (const std::string* path : {&options.junitPath, &options.htmlPath, &options.coveragePath})
        if (!path->empty()) MakeFolders(FullFolder(FolderOf(*path).empty() ? "." : FolderOf(*path)));
    if (!options.junitPath.empty()) written &= WriteText(options.junitPath, scenario::JUnitXml(run.Outcomes(), info));
    if (!options.htmlPath.empty())
        written &= WriteText(options.htmlPath, scenario::HtmlReport(run.Outcomes(), run.Coverage(), info, watch));
    if (!options.coveragePath.empty()) written &= WriteText(options.coveragePath, run.Coverage().Table());
    if (!written) {
        std::fprintf(stderr, "a report file could not be written\n");
        worst = std::max(worst, static_cast<int>(kBadInput));
    }
    return worst;
}
