// The regression run's reports for small sets of scenarios: what the summary,
// the JUnit file and the HTML page must say of each set, and the coverage
// read from a trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RunReport.h"

using scenario::ScenarioOutcome;
using scenario::StepOutcome;

namespace {

ScenarioOutcome Outcome(const std::string& name, int passing, const std::string& failure = std::string()) {
    ScenarioOutcome s;
    s.name = name + ".scenario";
    s.path = "tests\\scenarios\\" + s.name;
    s.seconds = 1.25;
    for (int line = 1; line <= passing; ++line) {
        s.steps.push_back(StepOutcome{line, true, "press vrxLibOpen", 3, ""});
        s.source.push_back("press vrxLibOpen");
    }
    if (!failure.empty()) {
        s.steps.push_back(StepOutcome{passing + 1, false, "expect \"<a & b>\"", 5000, failure});
        s.source.push_back("expect \"<a & b>\"");
    }
    return s;
}

ScenarioOutcome Unreadable(const std::string& name, int line, const std::string& error) {
    ScenarioOutcome s = Outcome(name, 0);
    s.error = error;
    s.errorLine = line;
    return s;
}

struct ReportCase {
    const char* title;
    std::vector<ScenarioOutcome> run;
    std::vector<std::string> summary, junit, html;  // texts each must hold
};

TEST(RunReport, EachFormSaysWhatFailedWhereAndTheVerdict) {
    const std::string mismatch = "no such trace line\n    expected: <a & b>\n    actual:   [==>] x\x01y";
    const ReportCase cases[] = {
        {"all passed",
         {Outcome("open", 3), Outcome("prints", 2)},
         {"open.scenario", "      3       0     1.2 s", "\n2 passed, 0 failed\n"},
         {"tests=\"2\" failures=\"0\"", "<testcase name=\"prints\" classname=\"scenarios\"", "time=\"1.250\"",
          "<system-out>line 1: pass  press vrxLibOpen (3 ms)\n"},
         {"<h1>PASSED</h1>", "2 passed, 0 failed", "<details id=\"open.scenario\">"}},
        {"a step failed, an unreadable file, and one that passed after them",
         {Outcome("wrong", 4, mismatch), Unreadable("bad", 7, "\"maybe\": on or off"), Outcome("after", 2)},
         {"wrong.scenario        4       1     1.2 s  line 5: expect \"<a & b>\"",
          "bad.scenario          0       1     1.2 s  line 7: \"maybe\": on or off", "\n1 passed, 2 failed\n"},
         {"tests=\"3\" failures=\"2\"",
          "<failure message=\"line 5: expect &quot;&lt;a &amp; b&gt;&quot;\" type=\"step\">",
          "expected: &lt;a &amp; b&gt;\n    actual:   [==&gt;] x?y</failure>",
          "<failure message=\"line 7: &quot;maybe&quot;: on or off\" type=\"scenario\">"},
         {"<h1>FAILED</h1>", "<details open id=\"wrong.scenario\">", "<th>expected</th><td class=\"mono\">&lt;a &amp; b&gt;</td>",
          "<span class=\"mark\">    5  expect &quot;&lt;a &amp; b&gt;&quot;</span>", "<details open id=\"bad.scenario\">",
          "<details id=\"after.scenario\">"}},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.title);
        const scenario::SdkCoverage coverage;
        const std::string summary = scenario::SummaryTable(c.run);
        const std::string junit = scenario::JUnitXml(c.run, scenario::RunInfo{"1.0.0.1", "2.3", "2026-12-09T10:00:00Z"});
        const std::string html = scenario::HtmlReport(c.run, coverage, scenario::RunInfo{"1.0.0.1", "2.3", ""});
        for (const std::string& text : c.summary) EXPECT_NE(summary.find(text), std::string::npos) << text << "\n" << summary;
        for (const std::string& text : c.junit) EXPECT_NE(junit.find(text), std::string::npos) << text << "\n" << junit;
        for (const std::string& text : c.html) EXPECT_NE(html.find(text), std::string::npos) << text;
        EXPECT_EQ(junit.find('\x01'), std::string::npos);
        EXPECT_EQ(html.find("<script"), std::string::npos);
    }
}

// Calls and results by name from the call and return lines, notifications by
// kind, and the untraced set-up calls counted from the opens the library
// accepted (the connect mode only where the hidden section sets it).
TEST(SdkCoverage, CountsCallsResultsNotificationsAndTheSetUpAtOpen) {
    scenario::SdkCoverage coverage;
    const std::vector<std::string> trace = {
        "[<==] [vrxLibOpen] lpLogFileName=\"(null)\"",     "[==>] [vrxLibOpen] return=VRXERR_NORMAL",
        "[<==] [vrxDevOpen] dwIPAddress=127,0,0,9",        "[==>] [vrxDevOpen] return=VRXERR_TIMEOUT, *phPrinter=0x00000000",
        "[>>>] [VRXUNITPROC] hPrinter=0x00A40011",         "[>>>] [VRXUNITPROC] hPrinter=0x00A40011",
        "[<==] [vrxLibOpen] lpLogFileName=\"(null)\"",     "[==>] [vrxLibOpen] return=VRXERR_SEQUENCE",
        "[<==] [notAnEntryPoint] x",                       "--------------------------------",
    };
    coverage.AddRun(trace, "[KORVALEN]\r\nvrxSetConnectMode=2\r\n");
    coverage.AddRun(trace, "[KORVALEN]\r\nvrxSetConnectMode=0\r\n");
    auto entry = [&](const std::string& name) {
        for (const auto& e : coverage.EntryPoints())
            if (e.name == name) return e;
        return scenario::SdkCoverage::EntryPoint{};
    };
    EXPECT_EQ(coverage.EntryPoints().size(), 46u);
    EXPECT_EQ(entry("vrxLibOpen").calls, 4);
    EXPECT_EQ(entry("vrxLibOpen").results, (std::map<std::string, int>{{"VRXERR_NORMAL", 2}, {"VRXERR_SEQUENCE", 2}}));
    EXPECT_EQ(entry("vrxDevOpen").results, (std::map<std::string, int>{{"VRXERR_TIMEOUT", 2}}));
    EXPECT_EQ(entry("vrxSetTempFolder").atOpen, 2);
    EXPECT_EQ(entry("vrxSetConnectMode").atOpen, 1);
    EXPECT_EQ(coverage.Notifications(), (std::map<std::string, int>{{"VRXUNITPROC", 4}}));
    EXPECT_EQ(coverage.NeverCalled().size(), 46u - 6u);
    EXPECT_NE(coverage.Table().find("vrxDevOpen\t2\t0\tVRXERR_TIMEOUT x2\r\n"), std::string::npos);
    EXPECT_NE(coverage.Text().find("6 of 46 entry points called"), std::string::npos);
}

}  // namespace

namespace {

using scenario::ResourceWatch;

// Readings round by round and the verdict each series must get: a flat
// console's jitter and its settling in the first half pass, a steady climb
// in the second half is flagged, a reading the platform cannot give is never
// shown as 0.
TEST(ResourceWatch, FlagsASteadyClimbInTheSecondHalfAndNotNoise) {
    const struct {
        const char* title;
        ResourceWatch::Kind kind;
        std::vector<double> series;  // empty: not available
        bool growing;
    } cases[] = {
        {"jitter", ResourceWatch::Handles, {38, 39, 38, 39, 38, 39, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38}, false},
        {"settling, then flat", ResourceWatch::Handles, {30, 34, 37, 38, 39, 39, 39, 39, 39, 39, 39, 39}, false},
        {"a handle a round", ResourceWatch::Handles, {38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49}, true},
        {"fifty handles a round from round 6", ResourceWatch::Handles, {38, 38, 38, 38, 38, 88, 138, 188, 238, 288}, true},
        {"32 KiB a round", ResourceWatch::PrivateBytes, {1e7, 1e7 + 32768, 1e7 + 65536, 1e7 + 98304, 1e7 + 131072, 1e7 + 163840}, false},
        {"a MiB a round", ResourceWatch::PrivateBytes, {1e7, 1e7 + 1048576, 1e7 + 2097152, 1e7 + 3145728, 1e7 + 4194304}, true},
        {"a thread every round", ResourceWatch::Threads, {1, 2, 3, 4, 5, 6, 7, 8}, true},
        {"GDI objects uncounted", ResourceWatch::GdiObjects, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ResourceWatch watch;
        for (size_t round = 0; round < std::max<size_t>(c.series.size(), 10); ++round) {
            scenario::Reading readings[ResourceWatch::kKinds];
            if (round < c.series.size()) readings[c.kind] = scenario::Reading{true, c.series[round], "probe"};
            watch.AddRound(readings);
        }
        const ResourceWatch::Summary summary = watch.Summarise(c.kind);
        EXPECT_EQ(summary.available, !c.series.empty());
        EXPECT_EQ(summary.growing, c.growing) << summary.growthPerRound;
        EXPECT_EQ(watch.Verdict(), c.growing ? std::string("growing: ") + ResourceWatch::Name(c.kind) : "flat");
        if (c.series.empty()) EXPECT_NE(watch.Table().find("GDI objects    not available"), std::string::npos);
        if (!c.series.empty()) EXPECT_EQ(summary.peak, *std::max_element(c.series.begin(), c.series.end()));
    }
}

}  // namespace
