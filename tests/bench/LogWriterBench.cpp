// The log writer shared by two processes, against one process writing as
// many records: the cost of the machine-wide lock and the file opened per
// record, with every record checked whole and in its writer's order.
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "Bench.h"
#include "TestFolder.h"

namespace bench {

namespace {

struct Run {
    double seconds = -1;
    int lost = 0;   // records missing or out of their writer's order
    int mixed = 0;  // lines that are no whole record
};

Run WriteWith(const std::vector<std::string>& writers, int records) {
    testing_support::TestFolder folder;
    testing_support::WriteFileText(folder.File("Shared.log"), "");
    // No trailing backslash inside the quotes: it would escape the quote.
    const std::string path = folder.Path().substr(0, folder.Path().size() - 1);
    const std::string program = testing_support::ThisProgramFolder() + "log_writer.exe";
    std::vector<PROCESS_INFORMATION> processes(writers.size());
    Run run;
    Stopwatch watch;
    for (size_t i = 0; i < writers.size(); ++i) {
        std::string command = "\"" + program + "\" \"" + path + "\" " + std::to_string(records) + " " + writers[i];
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &processes[i]))
            return run;
    }
    for (auto& process : processes) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    run.seconds = watch.Seconds();
    const std::string text = testing_support::ReadFileText(folder.File("Shared.old.log")) +
                             testing_support::ReadFileText(folder.File("Shared.log"));
    const std::regex record(R"(\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} \[[0-9A-F]{8}\] \[[0-9A-F]{8}\] \[INFO \] - )"
                            R"((\w+) record (\d{6}) with some padding to make it longer\r)");
    std::vector<int> next(writers.size(), 0);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::smatch match;
        const std::string line = text.substr(start, end - start);
        if (!std::regex_match(line, match, record)) {
            ++run.mixed;
            continue;
        }
        for (size_t w = 0; w < writers.size(); ++w)
            if (match[1] == writers[w] && std::stoi(match[2]) == next[w]) ++next[w];
    }
    for (int done : next) run.lost += records - done;
    return run;
}

}  // namespace

void LogWriters(int records, int rounds) {
    Samples two, one;
    int lost = 0, mixed = 0;
    for (int round = 0; round < rounds; ++round) {
        const Run shared = WriteWith({"alpha", "omega"}, records);
        const Run alone = WriteWith({"single"}, 2 * records);
        for (const Run* run : {&shared, &alone}) {
            lost += run->lost;
            mixed += run->mixed;
        }
        two.Add(shared.seconds);
        one.Add(alone.seconds);
    }
    const std::string n = std::to_string(records);
    PrintRow("Log writer: 2 processes x " + n + " records | 1 process x " + std::to_string(2 * records) + " records",
             two, one, 1, "s", 0, std::to_string(lost) + " lost, " + std::to_string(mixed) + " mixed");
}

}  // namespace bench
