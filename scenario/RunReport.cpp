#include "RunReport.h"

#include <algorithm>
#include <cstdio>

namespace scenario {

int ScenarioOutcome::Passed() const {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(), [](const StepOutcome& s) { return s.passed; }));
}

int ScenarioOutcome::Failed() const {
    return static_cast<int>(steps.size()) - Passed() + (error.empty() ? 0 : 1);
}

int ScenarioOutcome::FailingLine() const {
    for (const StepOutcome& step : steps)
        if (!step.passed) return step.line;
    return error.empty() ? 0 : errorLine;
}

std::string ScenarioOutcome::FailingText() const {
    for (const StepOutcome& step : steps)
        if (!step.passed) return "line " + std::to_string(step.line) + ": " + step.source;
    if (error.empty()) return std::string();
    return (errorLine ? "line " + std::to_string(errorLine) + ": " : std::string()) + error;
}

std::string FailurePart(const std::string& failure, const char* label) {
    const std::string mark = std::string(label) + ": ";
    size_t at = failure.find("\n    " + mark);
    if (at == std::string::npos) return std::string();
    at += 5 + mark.size();
    while (at < failure.size() && failure[at] == ' ') ++at;  // "actual:   " lines up with "expected: "
    return failure.substr(at, failure.find('\n', at) - at);
}

namespace {

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string SecondsValue(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

int Count(const std::vector<ScenarioOutcome>& run, bool ok) {
    return static_cast<int>(std::count_if(run.begin(), run.end(), [&](const ScenarioOutcome& s) { return s.Ok() == ok; }));
}

// Valid UTF-8 without control characters (XML 1.0 allows none but tab and
// line breaks): a trace line or a scenario file may hold anything.
std::string Clean(const std::string& text) {
    std::string clean;
    for (size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            clean += (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F ? '?' : static_cast<char>(c);
            ++at;
            continue;
        }
        const size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool valid = length != 0 && at + length <= text.size();
        for (size_t i = 1; valid && i < length; ++i) valid = (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80;
        clean += valid ? text.substr(at, length) : "?";
        at += valid ? length : 1;
    }
    return clean;
}

std::string Escape(const std::string& text) {
    std::string escaped;
    for (char c : Clean(text)) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&#39;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string StepReport(const StepOutcome& step) {
    std::string line = "line " + std::to_string(step.line) + ": " + (step.passed ? "pass  " : "FAIL  ") + step.source +
                       " (" + std::to_string(step.ms) + " ms)";
    return step.failure.empty() ? line : line + "\n    " + step.failure;
}

}  // namespace

std::string SummaryTable(const std::vector<ScenarioOutcome>& run) {
    size_t width = 8;
    for (const ScenarioOutcome& s : run) width = std::max(width, s.name.size());
    auto row = [&](const std::string& name, const std::string& passed, const std::string& failed,
                   const std::string& time, const std::string& failing) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%7s %7s %9s  ", passed.c_str(), failed.c_str(), time.c_str());
        return name + std::string(width + 2 - name.size(), ' ') + numbers + failing + "\n";
    };
    std::string table = row("scenario", "passed", "failed", "time", "first failing line");
    for (const ScenarioOutcome& s : run)
        table += row(s.name, std::to_string(s.Passed()), std::to_string(s.Failed()), Seconds(s.seconds), s.FailingText());
    return table + std::to_string(Count(run, true)) + " passed, " + std::to_string(Count(run, false)) + " failed\n";
}

std::string JUnitXml(const std::vector<ScenarioOutcome>& run, const RunInfo& info) {
    double total = 0;
    for (const ScenarioOutcome& s : run) total += s.seconds;
    const std::string counts = "tests=\"" + std::to_string(run.size()) + "\" failures=\"" +
                               std::to_string(Count(run, false)) + "\" errors=\"0\" time=\"" + SecondsValue(total) + "\"";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"VrxPlay\" " + counts + ">\n";
    xml += "  <testsuite name=\"scenarios\" " + counts + " skipped=\"0\" timestamp=\"" + Escape(info.started) + "\">\n";
    xml += "    <properties>\n      <property name=\"console.version\" value=\"" + Escape(info.consoleVersion) +
           "\"/>\n      <property name=\"library.version\" value=\"" + Escape(info.libraryVersion) + "\"/>\n    </properties>\n";
    for (const ScenarioOutcome& s : run) {
        const std::string name = s.name.substr(0, s.name.rfind(".scenario"));
        xml += "    <testcase name=\"" + Escape(name) + "\" classname=\"scenarios\" file=\"" + Escape(s.path) +
               "\" time=\"" + SecondsValue(s.seconds) + "\">\n";
        std::string reports;
        const StepOutcome* failed = nullptr;
        for (const StepOutcome& step : s.steps) {
            reports += StepReport(step) + "\n";
            if (!step.passed && !failed) failed = &step;
        }
        if (failed) {
            xml += "      <failure message=\"" + Escape(s.FailingText()) + "\" type=\"step\">" +
                   Escape("line " + std::to_string(failed->line) + ": " + failed->source + "\n" + failed->failure) +
                   "</failure>\n";
        } else if (!s.error.empty()) {
            xml += "      <failure message=\"" + Escape(s.FailingText()) + "\" type=\"scenario\">" + Escape(s.error) +
                   "</failure>\n";
        }
        xml += "      <system-out>" + Escape(reports) + "</system-out>\n    </testcase>\n";
    }
    return xml + "  </testsuite>\n</testsuites>\n";
}

namespace {

constexpr char kStyle[] = R"(
body { font: 14px/1.4 system-ui, sans-serif; margin: 2em; color: #222; }
h1 { margin: 0; font-size: 1.8em; }
h2 { margin-top: 1.6em; border-bottom: 1px solid #ccc; }
.verdict { padding: 1em 1.4em; border-radius: 6px; color: #fff; }
.verdict.pass { background: #2e7d32; }
.verdict.fail { background: #c62828; }
.verdict p { margin: .3em 0 0; }
table { border-collapse: collapse; margin: .5em 0; }
th, td { border: 1px solid #ddd; padding: .25em .6em; text-align: left; vertical-align: top; }
th { background: #f3f3f3; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
tr.fail td { background: #fdecea; }
tr.none td { color: #999; }
code, pre, .mono { font-family: ui-monospace, Consolas, monospace; font-size: 12.5px; }
pre { background: #f7f7f7; padding: .6em; overflow-x: auto; white-space: pre-wrap; }
details { margin: .4em 0; }
details > summary { cursor: pointer; font-weight: 600; }
.failure { border-left: 4px solid #c62828; padding: .2em 1em; margin: .5em 0; }
.failure th { width: 6em; }
.mark { background: #ffe08a; }
footer { margin-top: 2em; color: #666; font-size: .9em; }
@media print { body { margin: 0; } .verdict { color: #000; border: 2px solid #000; } details > summary { list-style: none; } }
)";

std::string Around(const ScenarioOutcome& s, int line) {
    std::string text;
    const int first = std::max(1, line - 3);
    const int last = std::min(static_cast<int>(s.source.size()), line + 3);
    for (int at = first; at <= last; ++at) {
        char number[16];
        std::snprintf(number, sizeof number, "%5d  ", at);
        const std::string content = Escape(number + s.source[static_cast<size_t>(at - 1)]);
        text += at == line ? "<span class=\"mark\">" + content + "</span>\n" : content + "\n";
    }
    return text;
}

std::string ScenarioSection(const ScenarioOutcome& s) {
    std::string html = std::string("<details") + (s.Ok() ? "" : " open") + " id=\"" + Escape(s.name) + "\"><summary>" +
                       Escape(s.name) + ": " + (s.Ok() ? "passed" : "FAILED") + ", " + std::to_string(s.Passed()) +
                       " steps passed</summary>\n";
    const StepOutcome* failed = nullptr;
    for (const StepOutcome& step : s.steps)
        if (!step.passed && !failed) failed = &step;
    if (failed || !s.error.empty()) {
        html += "<div class=\"failure\"><p><b>" + Escape(s.FailingText()) + "</b></p>\n";
        if (failed) {
            html += "<p>" + Escape(failed->failure.substr(0, failed->failure.find('\n'))) + "</p>\n<table>";
            for (const char* label : {"expected", "actual"}) {
                const std::string part = FailurePart(failed->failure, label);
                if (!part.empty()) html += std::string("<tr><th>") + label + "</th><td class=\"mono\">" + Escape(part) + "</td></tr>";
            }
            html += "</table>\n";
        }
        const int line = s.FailingLine();
        if (line > 0 && line <= static_cast<int>(s.source.size())) html += "<pre>" + Around(s, line) + "</pre>\n";
        html += "</div>\n";
    }
    html += "<details><summary>Steps (" + std::to_string(s.steps.size()) + ")</summary>\n<table><tr><th>Line</th><th>Step</th><th>Result</th><th>ms</th></tr>\n";
    for (const StepOutcome& step : s.steps) {
        html += std::string("<tr") + (step.passed ? "" : " class=\"fail\"") + "><td class=\"n\">" + std::to_string(step.line) +
                "</td><td class=\"mono\">" + Escape(step.source) + "</td><td>" + (step.passed ? "pass" : "FAIL") +
                "</td><td class=\"n\">" + std::to_string(step.ms) + "</td></tr>\n";
    }
    html += "</table></details>\n<details><summary>Simulator settings (ZembrinSim.ini)</summary><pre>" +
            Escape(s.simulatorIni.empty() ? "(none: the defaults)" : s.simulatorIni) + "</pre></details>\n";
    return html + "<p class=\"mono\">" + Escape(s.path) + "</p></details>\n";
}

std::string CoverageSection(const SdkCoverage& coverage) {
    const std::vector<std::string> never = coverage.NeverCalled();
    std::string html = "<h2>SDK coverage</h2>\n<p>" + std::to_string(coverage.EntryPoints().size() - never.size()) +
                       " of " + std::to_string(coverage.EntryPoints().size()) + " entry points called.";
    std::string names;
    for (const std::string& name : never) names += (names.empty() ? "" : ", ") + name;
    html += never.empty() ? "</p>\n" : " Never called: <span class=\"mono\">" + Escape(names) + "</span>.</p>\n";
    html += "<table><tr><th>Entry point</th><th>Calls</th><th>At open (untraced)</th><th>Results</th></tr>\n";
    for (const SdkCoverage::EntryPoint& e : coverage.EntryPoints()) {
        std::string results;
        for (const auto& r : e.results) results += (results.empty() ? "" : ", ") + r.first + " &times;" + std::to_string(r.second);
        html += std::string("<tr") + (e.calls + e.atOpen == 0 ? " class=\"none\"" : "") + "><td class=\"mono\">" +
                Escape(e.name) + "</td><td class=\"n\">" + std::to_string(e.calls) + "</td><td class=\"n\">" +
                (e.atOpen ? std::to_string(e.atOpen) : "") + "</td><td class=\"mono\">" + results + "</td></tr>\n";
    }
    html += "</table>\n<table><tr><th>Notification</th><th>Arrived</th></tr>\n";
    for (const auto& n : coverage.Notifications())
        html += "<tr><td class=\"mono\">" + Escape(n.first) + "</td><td class=\"n\">" + std::to_string(n.second) + "</td></tr>\n";
    return html + "</table>\n";
}

}  // namespace

std::string HtmlReport(const std::vector<ScenarioOutcome>& run, const SdkCoverage& coverage, const RunInfo& info,
                       const ResourceWatch* watch) {
    const int passed = Count(run, true);
    const int failed = Count(run, false);
    double total = 0;
    int steps = 0;
    for (const ScenarioOutcome& s : run) {
        total += s.seconds;
        steps += static_cast<int>(s.steps.size());
    }
    const std::string verdict = std::to_string(passed) + " passed, " + std::to_string(failed) + " failed";
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>VrxPlay: " + verdict +
                       "</title>\n<style>" + kStyle + "</style></head><body>\n";
    html += std::string("<header class=\"verdict ") + (failed ? "fail" : "pass") + "\"><h1>" +
            (failed ? "FAILED" : "PASSED") + "</h1><p>" + verdict + " (scenarios); " + std::to_string(steps) +
            " steps in " + Seconds(total) + (info.started.empty() ? "" : "; started " + Escape(info.started)) + "</p></header>\n";
    html += "<h2>Scenarios</h2>\n<table><tr><th>Scenario</th><th>Passed</th><th>Failed</th><th>Time</th><th>First failing line</th></tr>\n";
    for (const ScenarioOutcome& s : run) {
        html += std::string("<tr") + (s.Ok() ? "" : " class=\"fail\"") + "><td><a href=\"#" + Escape(s.name) + "\">" +
                Escape(s.name) + "</a></td><td class=\"n\">" + std::to_string(s.Passed()) + "</td><td class=\"n\">" +
                std::to_string(s.Failed()) + "</td><td class=\"n\">" + Seconds(s.seconds) + "</td><td class=\"mono\">" +
                Escape(s.FailingText()) + "</td></tr>\n";
    }
    html += "</table>\n";
    if (watch) html += watch->HtmlSection();
    for (const ScenarioOutcome& s : run) html += ScenarioSection(s);
    html += CoverageSection(coverage);
    html += "<footer>Console " + Escape(info.consoleVersion) + "; printer library " + Escape(info.libraryVersion) +
            ". Written by VrxPlay.</footer>\n</body></html>\n";
    return html;
}

}  // namespace scenario
