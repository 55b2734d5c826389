// Plays a scenario through the real console and writes its report: a line per
// step with the file's line number, pass or FAIL, its time, and on a failure
// what was expected and what was there; last "N passed, M failed". The first
// failure stops the play: what it opened is closed, and the console ends
// through its own "Exit" so that its log is complete.
#pragma once

#include <functional>
#include <string>

#include "ConsoleDriver.h"
#include "RunReport.h"
#include "ScenarioFile.h"
#include "TraceLines.h"

namespace scenario {

struct PlayResult {
    int passed = 0;
    int failed = 0;
    std::vector<StepOutcome> steps;
    std::vector<std::string> trace;  // every trace line of the run, read at its end
};

class Player {
public:
    // The console runs in runFolder ("{run}" in the steps); report receives
    // each line as it is written.
    Player(ConsoleDriver& console, const std::string& runFolder, std::function<void(const std::string&)> report);
    PlayResult Play(const Scenario& scenario);
    // Told of each step as it starts (a terminal shows it).
    void OnStep(std::function<void(const Step&)> starting) { m_starting = std::move(starting); }

private:
    // "" when the step passed, else what failed (with expected and actual).
    std::string Run(const Step& step);
    std::string ExpectTrace(const Step& step);
    std::string ExpectNoTrace(const Step& step);
    void ReadNewLines();
    // "" while the console runs, else how it ended.
    std::string ConsoleEnded(const Step& step);
    std::string ExpectMessage(const Step& step);
    std::string ChoosePrinter(const Step& step);
    void CloseWhatIsOpen();

    ConsoleDriver& m_console;
    std::function<void(const std::string&)> m_report;
    std::function<void(const Step&)> m_starting;
    HWND m_dialog = nullptr;
    Captures m_captures;
    TraceLines m_trace;
};

}  // namespace scenario
