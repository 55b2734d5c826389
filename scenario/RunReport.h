// The outcome of a regression run, scenario by scenario, and the forms it is
// read in: a summary table for a terminal, JUnit XML for a CI server's test
// view, and one self-contained HTML page for a browser. Portable.
#pragma once

#include <string>
#include <vector>

#include "ResourceWatch.h"
#include "SdkCoverage.h"

namespace scenario {

struct StepOutcome {
    int line = 0;
    bool passed = false;
    std::string source;   // the step as written
    unsigned ms = 0;
    std::string failure;  // what failed, with "expected:" and "actual:" lines where it has them
};

struct ScenarioOutcome {
    std::string name;  // the file's name
    std::string path;
    double seconds = 0;
    // The scenario could not be read, or its console could not be started or
    // ended early: what happened, and the file's line where it has one.
    std::string error;
    int errorLine = 0;
    std::vector<StepOutcome> steps;
    std::vector<std::string> source;  // the file's lines, for the lines around a failure
    std::string simulatorIni;         // the stand-in library's settings it ran with

    int Passed() const;
    int Failed() const;  // steps; a scenario with an error counts one
    bool Ok() const { return Failed() == 0; }
    // The failing step's line, or the error's; 0 when it passed.
    int FailingLine() const;
    // The failing step or error in one line.
    std::string FailingText() const;
};

struct RunInfo {
    std::string consoleVersion;
    std::string libraryVersion;
    std::string started;  // when the run began, as text
};

// "scenario  passed  failed  time  first failing line" rows, then the verdict
// line "N passed, M failed", counted in scenarios.
std::string SummaryTable(const std::vector<ScenarioOutcome>& run);
std::string JUnitXml(const std::vector<ScenarioOutcome>& run, const RunInfo& info);
// With the resources of a repeated scenario when there is a watch.
std::string HtmlReport(const std::vector<ScenarioOutcome>& run, const SdkCoverage& coverage, const RunInfo& info,
                       const ResourceWatch* watch = nullptr);

// A failure's "expected:" or "actual:" text, or "".
std::string FailurePart(const std::string& failure, const char* label);

}  // namespace scenario
