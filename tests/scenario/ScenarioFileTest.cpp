#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScenarioFile.h"
#include "TraceGeneraliser.h"
#include "TraceLines.h"

using scenario::Captures;
using scenario::LinePattern;
using scenario::kPointerDigits;

namespace {

// A pointer as this build traces it, and one of the other build's width.
std::string Pointer(unsigned value, size_t digits = kPointerDigits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*X", static_cast<int>(digits), value);
    return text;
}
const size_t kOtherDigits = kPointerDigits == 8 ? 16 : 8;

struct MatchCase {
    const char* pattern;
    std::string line;
    bool matches;
    const char* captured;  // "name=value" after the match, or ""
};

TEST(LinePattern, MatchesWholeLinesAndCapturesForLaterLines) {
    const MatchCase cases[] = {
        {"[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter={h=hex}",
         "[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter=0x00A40011", true, "h=0x00A40011"},
        {"*phPrinter={h=hex}", "*phPrinter=0x00A40011 tail", false, ""},  // the whole line or nothing
        {"hPrinter={h}, dwOrderId={order=hex}", "hPrinter=0x00A40011, dwOrderId=0x0000001A", true,
         "order=0x0000001A"},
        {"hPrinter={h}", "hPrinter=0x00B70011", false, ""},  // a reference reads what was captured
        {"n={dec}, s={word}, rest={text}", "n=-12, s=VRXERR_NORMAL, rest=a, b {c}", true, ""},
        {"n={dec}", "n=12a", false, ""},
        {"Status={ 2 -> 5 }", "Status={ 2 -> 5 }", true, ""},  // braces of the line itself
        {"literal {{h}", "literal {h}", true, ""},
        {"{a=text}-{b=text}", "x-y-z", true, "a=x"},  // the first text takes the least
        {"{text}{text}{text}{text}{text}{text}!", std::string(200, 'x'), false, ""},
        {"h={hex}", "h=0x00A4001G", false, ""},  // hexadecimal digits only
        {"p={ptr}, n={dec}", "p=" + Pointer(0x21EDC4) + ", n=1", true, ""},
        {"p={ptr}, n={dec}", "p=" + Pointer(0x21EDC4, kOtherDigits) + ", n=1", false, ""},
        {"p={ptr}{text}", "p=" + Pointer(0x21EDC4, 16) + "0", false, ""},  // no longer than a pointer
        {"p={null}", "p=" + Pointer(0), true, ""},
        {"p={null}", "p=" + Pointer(0, kOtherDigits), false, ""},
        {"p={null}", "p=" + Pointer(1), false, ""},
        {"p={q=ptr}", "p=" + Pointer(7), true, ""},
        {"pName=\"{run}a.jpg\"", "pName=\"C:\\r\\a.jpg\"", true, ""},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::vector<std::string> known{"h", "run"};
        std::string error;
        LinePattern pattern;
        ASSERT_TRUE(pattern.Compile(c.pattern, known, error)) << error;
        Captures captures{{"h", "0x00A40011"}, {"run", "C:\\r\\"}};
        EXPECT_EQ(pattern.Match(c.line, captures), c.matches);
        const std::string captured = c.captured;
        if (!captured.empty()) {
            const size_t eq = captured.find('=');
            EXPECT_EQ(captures[captured.substr(0, eq)], captured.substr(eq + 1));
        }
    }
}

struct ErrorCase {
    const char* text;
    int line;
    const char* message;  // a part of the message
};

TEST(ScenarioFile, RefusesABadFileWithItsLineBeforeAnythingRuns) {
    const ErrorCase cases[] = {
        {"press vrxLibOpen\njump 3\n", 2, "\"jump\" is not a step"},
        {"press\n", 1, "takes 1 argument, not 0"},
        {"set 1001 5\n", 1, "needs a dialog"},
        {"dialog vrxDevOpen\nok\nset 1001 5\n", 3, "needs a dialog"},
        {"dialog d\nset 0 5\n", 2, "not a control id"},
        {"dialog d\ncheck 1001 yes\n", 2, "on or off"},
        {"dialog d\nip 1001 127.0.0.256\n", 2, "not an IPv4 address"},
        {"dialog d\nset 1001 {order}\n", 2, "no value of that name was captured before"},
        {"expect \"x={order=hex}\"\ndialog d\nset 1001 {order:hex}\n", 3, "only \":dec\" may follow"},
        {"expect \"x={order}\"\n", 1, "no value of that name was captured before"},
        {"expect \"{a=hex} {a}\"\n", 1, "captured on the same line"},
        {"expect \"{a=float}\"\n", 1, "must be hex, dec, word, text or ptr"},
        {"wait x 600001\n", 1, "not a time-out"},
        {"press a\nsim Burst Count 10\n", 2, "before the first step"},
        {"sim Burst Count\n", 1, "takes a section, a key and a value"},
        {"expect \"unclosed\n", 1, "quote is not closed"},
        {"timeout 0\n", 1, "takes milliseconds"},
        {"# nothing but a comment\n", 0, "no steps"},
        {"expect \"{run=text}\"\n", 1, "cannot be captured"},
        {"press a\nfixture a.txt x\n", 2, "before the first step"},
        {"fixture ..\\a.txt x\n", 1, "plain file name"},
        {"fixture VrxClient.ini x\n", 1, "console's own files"},
        {"fixture a.txt x\nfixture A.TXT y\n", 2, "written twice"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        scenario::Scenario read;
        scenario::ScenarioError error;
        EXPECT_FALSE(scenario::ReadScenario(c.text, read, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    }
}

TEST(ScenarioFile, ReadsSetUpStepsTimeOutsAndQuotedTexts) {
    const char* text =
        "\xEF\xBB\xBF# open the library and the first printer\r\n"
        "sim Simulator TimeScale 0\r\n"
        "setting KORVALEN vrxDevStartFAD 1\n"
        "sim ForcedResults vrxDevPrint 7\n"
        "fixture image.jpg \"two\\r\\nlines\"\n"
        "timeout 2000\n"
        "press vrxDevOpen   # by caption\n"
        "dialog vrxDevOpen\n"
        "ip 1050 127.0.0.1\n"
        "set 1051 \"a \\\"quoted\\\" \\\\ text\"\n"
        "ok\n"
        "press 1002\n"
        "wait \"[>>>] [VRXUNITPROC] hPrinter={h=hex}, {text}\" 9000\n"
        "printer {h}\n";
    scenario::Scenario read;
    scenario::ScenarioError error;
    ASSERT_TRUE(scenario::ReadScenario(text, read, error)) << error.line << ": " << error.message;
    EXPECT_EQ(read.simulatorIni, "[Simulator]\r\nTimeScale=0\r\n[ForcedResults]\r\nvrxDevPrint=7\r\n");
    EXPECT_EQ(read.consoleIni, "[KORVALEN]\r\nvrxDevStartFAD=1\r\n");
    ASSERT_EQ(read.fixtures.size(), 1u);
    EXPECT_EQ(read.fixtures[0].second, "two\r\nlines");
    ASSERT_EQ(read.steps.size(), 8u);
    const auto& s = read.steps;
    EXPECT_EQ(s[0].target, "vrxDevOpen");
    EXPECT_EQ(s[0].line, 7);
    EXPECT_EQ(s[0].timeoutMs, 2000u);
    EXPECT_EQ(s[2].value, "127.0.0.1");
    EXPECT_EQ(s[3].value, "a \"quoted\" \\ text");
    EXPECT_EQ(scenario::QuoteWord(s[3].value), "\"a \\\"quoted\\\" \\\\ text\"");
    EXPECT_EQ(scenario::QuoteWord("two\r\nlines"), "\"two\\r\\nlines\"");  // one step line still
    EXPECT_EQ(s[5].id, 1002);
    EXPECT_TRUE(s[5].target.empty());
    EXPECT_EQ(s[6].timeoutMs, 9000u);
    Captures captures;
    EXPECT_TRUE(s[6].expected.Match("[>>>] [VRXUNITPROC] hPrinter=0x00A40011, wPortNo=1", captures));
    EXPECT_TRUE(s[7].expected.Match("0x00A40011", captures));
    // A typed value reads what was captured, a hexadecimal one in decimal if asked.
    captures["order"] = "0000001A";
    EXPECT_EQ(scenario::ExpandTypedValue("{order:dec} {order} {{order} {not a name}", captures), "26 0000001A {order} {not a name}");
    EXPECT_EQ(scenario::ExpandTypedValue("{h:dec}", captures), "10747921");
    captures["run"] = "C:\\r\\";
    EXPECT_EQ(scenario::ExpandTypedValue("{run}image.jpg", captures), "C:\\r\\image.jpg");
}

// Trace lines of one recorded run, in order: what their expectations keep,
// what becomes a placeholder, and that each matches the line it came from.
TEST(TraceGeneraliser, KeepsWhatIsFixedAndCapturesIdentitiesWhereFirstSeen) {
    const std::pair<std::string, std::string> cases[] = {
        {"[<==] [vrxDevOpen] dwIPAddress=127,0,0,1, phPrinter=" + Pointer(0x21EDC4) + ", pEventProc=" + Pointer(0x40006266),
         "[<==] [vrxDevOpen] dwIPAddress=127,0,0,1, phPrinter={ptr}, pEventProc={ptr}"},
        {"[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter=0x00A40011",
         "[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter=0x{printer1=hex}"},
        {"[<==] [vrxDevStartOrderEx] hPrinter=0x00A40011, pdwOrderId=" + Pointer(0) + ", dwPriority=0",
         "[<==] [vrxDevStartOrderEx] hPrinter=0x{printer1}, pdwOrderId={null}, dwPriority=0"},
        {"[<==] [vrxDevGetAllMagInfo] hPrinter=0x00A40011, pMagDetailInfo(size:140)=" + Pointer(0) + ", *pdwSize=0",
         "[<==] [vrxDevGetAllMagInfo] hPrinter=0x{printer1}, pMagDetailInfo(size:140)={null}, *pdwSize=0"},
        {"[<==] [vrxDevVrxCommand1] wSendBufLen=4, lpSendBuf=" + Pointer(0x22F000) + ", pwRecvBufLen=" + Pointer(0x22F010),
         "[<==] [vrxDevVrxCommand1] wSendBufLen=4, lpSendBuf={ptr}, pwRecvBufLen={ptr}"},
        {"[==>] [vrxDevStartOrderEx] return=VRXERR_NORMAL, *pdwOrderId=0x00000001",
         "[==>] [vrxDevStartOrderEx] return=VRXERR_NORMAL, *pdwOrderId=0x{order1=hex}"},
        {"[===] [vrxDevPrint] pPrintInfo[1/8]={ dwOrderId=0x00000001, pName=\"VRXCLIENT_MAPPING_001\" }",
         "[===] [vrxDevPrint] pPrintInfo[1/8]={{ dwOrderId=0x{order1}, pName=\"VRXCLIENT_MAPPING_{dec}\" }"},
        {"[==>] [vrxDevPrint] return=VRXERR_NORMAL, *pPrintID=12", "[==>] [vrxDevPrint] return=VRXERR_NORMAL, *pPrintID={print1=dec}"},
        {"[>>>] [VRXCOMPLETIONPROC] pCompletionInfo={ hPrinter=0x00B70011, sysTime=2026/12/08 20:54:27, dwPrintId=12, "
         "dwOrderId=0x00000000, hPrinter=0x00B70011 }",
         "[>>>] [VRXCOMPLETIONPROC] pCompletionInfo={{ hPrinter=0x{printer2=hex}, sysTime={dec}/{dec}/{dec} "
         "{dec}:{dec}:{dec}, dwPrintId={print1}, dwOrderId=0x00000000, hPrinter=0x{hex} }"},
        {"[==>] [vrxDevGetTime] *pTime=2026/12/24 23:59:58, dwErrHandle=0x00001001",
         "[==>] [vrxDevGetTime] *pTime={dec}/{dec}/{dec} {dec}:{dec}:{dec}, dwErrHandle=0x00001001"},
        {"[<==] [vrxDevSetTime] pTime=2030/12/08 21:12:09", "[<==] [vrxDevSetTime] pTime=2030/12/08 21:12:09"},
        {"[<==] [vrxLibOpen] lpLogFileName=\"C:\\run\\ZembrinPrinter.ini\"",
         "[<==] [vrxLibOpen] lpLogFileName=\"{run}ZembrinPrinter.ini\""},
    };
    scenario::TraceGeneraliser generaliser("C:\\run\\");
    std::vector<std::string> known{"run"};
    Captures captures{{"run", "C:\\run\\"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const std::string expectation = generaliser.Expectation(c.first);
        EXPECT_EQ(expectation, c.second);
        LinePattern pattern;
        std::string error;
        ASSERT_TRUE(pattern.Compile(expectation, known, error)) << error;
        EXPECT_TRUE(pattern.Match(c.first, captures));
    }
    EXPECT_EQ(generaliser.PrinterHandle("00B70011"), "{printer2}");
    // An id typed into a dialog refers to the capture it equals, in decimal.
    EXPECT_EQ(generaliser.TypedReference("dwOrderId", "1"), "{order1:dec}");
    EXPECT_EQ(generaliser.TypedReference("dwPrintID", "12"), "{print1}");
    EXPECT_EQ(generaliser.TypedReference("dwPrintID", "13"), "");
    EXPECT_EQ(generaliser.TypedReference("dwSorterNum", "1"), "");
    EXPECT_EQ(generaliser.PrinterHandle("00C00011"), "00C00011");
    EXPECT_EQ(generaliser.TypedText("C:\\run\\a {b}.jpg"), "{run}a {{b}.jpg");
}

// Lines a replay has read, then steps in turn: an "expect" moves the cursor
// past its line, a "wait" takes a line after the cursor in any order, and no
// line is taken twice.
TEST(TraceLines, TakesEachLineOnceAndExpectsOnlyAfterTheCursor) {
    const struct {
        const char* step;
        const char* pattern;
        bool passes;
    } steps[] = {
        {"wait", "[>>>] [VRXUNITPROC] 1", true},
        {"wait", "[>>>] [VRXUNITPROC] 1", true},   // the second such line
        {"wait", "[>>>] [VRXUNITPROC] 1", false},  // none is left
        {"none", "[>>>] [VRXCOMPLETIONPROC] {text}", false},
        {"expect", "[==>] [vrxDevPrint] b", true},
        {"expect", "[<==] [vrxDevPrint] a", false},  // before the cursor
        {"wait", "[>>>] [VRXCOMPLETIONPROC] {dec}", true},
        {"none", "[>>>] {text}", true},
    };
    scenario::TraceLines lines;
    for (const char* line : {"[<==] [vrxDevPrint] a", "[>>>] [VRXUNITPROC] 1", "[==>] [vrxDevPrint] b",
                             "[>>>] [VRXUNITPROC] 1", "[>>>] [VRXCOMPLETIONPROC] 2"})
        lines.Add(line);
    Captures captures;
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.step) + " " + s.pattern);
        std::vector<std::string> known;
        std::string error;
        LinePattern pattern;
        ASSERT_TRUE(pattern.Compile(s.pattern, known, error)) << error;
        const bool passed = std::string(s.step) == "none" ? lines.AfterNewest(pattern, captures) == nullptr
                                                          : lines.Take(pattern, std::string(s.step) == "expect", captures);
        EXPECT_EQ(passed, s.passes);
    }
}

// What holds for one build or one machine only is refused with its line.
TEST(ScenarioLint, RefusesPointerWidthsAndFilesOfOneMachine) {
    const ErrorCase cases[] = {
        {"expect \"[<==] [vrxDevGetAllMagInfo] hPrinter=0x{hex}, pMagDetailInfo(size:140)=0x0000000000000000, "
         "*pdwSize=0\"\n",
         1, "a pointer of one build"},
        {"sim Simulator TimeScale 0\ndialog d\nfile 1066 \"C:\\\\windows\\\\win.ini\"\n", 3, "\"C:\\windows\\win.ini\" is a file of one machine"},
        {"expect \"[===] [vrxDevPrint] pPrintInfo[1/8]={ dwDataLength=136, pName=\\\"Z:\\\\tmp\\\\a.jpg\\\" }\"\n", 1,
         "a file of one machine"},
        {"dialog d\nset 1108 \\\\\\\\host\\\\share\\\\a.jpg\n", 2, "a file of one machine"},
        {"dialog d\nset 1108\n", 2, "takes 2 arguments"},  // read first
        {"expect \"pTime={ptr}, lpSendBuf={null}, h=0x00A40011\"  # 0x0000000000000000\n", 0, ""},
        {"fixture a.jpg x\ndialog d\nfile 1066 {run}a.jpg\nexpect \"Status={ 2 -> 5 }, A:1\"\n", 0, ""},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<scenario::ScenarioError> found = scenario::LintScenario(c.text);
        ASSERT_EQ(found.size(), c.line ? 1u : 0u);
        if (found.empty()) continue;
        EXPECT_EQ(found[0].line, c.line);
        EXPECT_NE(found[0].message.find(c.message), std::string::npos) << found[0].message;
    }
}

// Every scenario the test command replays, and the golden trace lines, hold
// on the i686 and the x86_64 build alike: checked here on every machine,
// including those that cannot run the i686 build.
TEST(ScenarioLint, TheLibraryAndTheGoldenLinesHoldOnEveryBuild) {
    auto read = [](const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    size_t scenarios = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VRX_SCENARIO_DIR)) {
        if (entry.path().extension() != ".scenario") continue;
        ++scenarios;
        for (const scenario::ScenarioError& error : scenario::LintScenario(read(entry.path())))
            ADD_FAILURE() << entry.path().string() << ":" << error.line << ": " << error.message;
    }
    EXPECT_GE(scenarios, 10u);
    std::istringstream golden(read(VRX_WRAPPER_LINES));
    int number = 0;
    for (std::string line; std::getline(golden, line);) {
        ++number;
        const std::string literal = scenario::BuildSpecificLiteral(line);
        if (!literal.empty()) ADD_FAILURE() << VRX_WRAPPER_LINES << ":" << number << ": " << literal;
    }
    EXPECT_GT(number, 100);
}

}  // namespace
