#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScenarioFile.h"
#include "TraceGeneraliser.h"

using scenario::Captures;
using scenario::LinePattern;

namespace {

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
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::vector<std::string> known{"h"};
        std::string error;
        LinePattern pattern;
        ASSERT_TRUE(pattern.Compile(c.pattern, known, error)) << error;
        Captures captures{{"h", "0x00A40011"}};
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
        {"expect \"{a=float}\"\n", 1, "must be hex, dec, word or text"},
        {"wait x 600001\n", 1, "not a time-out"},
        {"press a\nsim Burst Count 10\n", 2, "before the first step"},
        {"sim Burst Count\n", 1, "takes a section, a key and a value"},
        {"expect \"unclosed\n", 1, "quote is not closed"},
        {"timeout 0\n", 1, "takes milliseconds"},
        {"# nothing but a comment\n", 0, "no steps"},
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
    ASSERT_EQ(read.steps.size(), 8u);
    const auto& s = read.steps;
    EXPECT_EQ(s[0].target, "vrxDevOpen");
    EXPECT_EQ(s[0].line, 6);
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
}

// Trace lines of one recorded run, in order: what their expectations keep,
// what becomes a placeholder, and that each matches the line it came from.
TEST(TraceGeneraliser, KeepsWhatIsFixedAndCapturesIdentitiesWhereFirstSeen) {
    const std::pair<const char*, const char*> cases[] = {
        {"[<==] [vrxDevOpen] dwIPAddress=127,0,0,1, phPrinter=0x000000000021EDC4, pEventProc=0x0000000140006266",
         "[<==] [vrxDevOpen] dwIPAddress=127,0,0,1, phPrinter=0x{hex}, pEventProc=0x{hex}"},
        {"[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter=0x00A40011",
         "[==>] [vrxDevOpen] return=VRXERR_NORMAL, *phPrinter=0x{printer1=hex}"},
        {"[<==] [vrxDevStartOrderEx] hPrinter=0x00A40011, pdwOrderId=0x0000000000000000, dwPriority=0",
         "[<==] [vrxDevStartOrderEx] hPrinter=0x{printer1}, pdwOrderId=0x0000000000000000, dwPriority=0"},
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
         "[<==] [vrxLibOpen] lpLogFileName=\"{text}ZembrinPrinter.ini\""},
    };
    scenario::TraceGeneraliser generaliser("C:\\run\\");
    std::vector<std::string> known;
    Captures captures;
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
}

}  // namespace
