// Plays a scenario through the real console and writes its report: a line per
// step with the file's line number, pass or FAIL, its time, and on a failure
// what was expected and what was there; last "N passed, M failed". The first
// failure stops the play: what it opened is closed, and the console ends
// through its own "Exit" so that its log is complete.
#pragma once

#include <functional>
#include <string>

#include "ConsoleDriver.h"
#include "ScenarioFile.h"

namespace scenario {

struct PlayResult {
    int passed = 0;
    int failed = 0;
};

class Player {
public:
    // report receives each line as it is written.
    Player(ConsoleDriver& console, std::function<void(const std::string&)> report);
    PlayResult Play(const Scenario& scenario);

private:
    // "" when the step passed, else what failed (with expected and actual).
    std::string Run(const Step& step);
    std::string ExpectTrace(const Step& step);
    std::string ExpectNoTrace(const Step& step);
    void ReadNewLines();
    // The newest trace line after the cursor, for a failure report.
    std::string NewestUnmatched() const;
    std::string ExpectMessage(const Step& step);
    std::string ChoosePrinter(const Step& step);
    void CloseWhatIsOpen();

    ConsoleDriver& m_console;
    std::function<void(const std::string&)> m_report;
    HWND m_dialog = nullptr;
    Captures m_captures;
    // Every trace line so far, which of them a step matched, and the cursor:
    // just after the line the last "expect" matched.
    std::vector<std::string> m_lines;
    std::vector<bool> m_matched;
    size_t m_cursor = 0;
    size_t m_newest = 0;  // just after the newest line matched by any step
};

}  // namespace scenario
