// Record text of the log file and the trace window's line frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "LogFormat.h"
#include "TraceFormat.h"
#include "WidthTracker.h"

namespace {

vrx::ClockTime At(int month, int day, int hour, int minute, int second, int ms) {
    vrx::ClockTime t;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.millisecond = ms;
    return t;
}

}  // namespace

TEST(LogRecord, HasTheExactFrame) {
    EXPECT_EQ(vrx::FormatLogRecord(At(12, 6, 20, 43, 27, 45), 0x4D2, 0xA1C, LOG_INFO, "some text"),
              "12/06 20:43:27.045 [000004D2] [00000A1C] [INFO ] - some text\r\n");
}

// A record reads back as it was written; a line of another shape is refused.
TEST(LogRecord, ParsesBackWhatItWroteAndRefusesOtherLines) {
    const std::string written = vrx::FormatLogRecord(At(12, 6, 20, 43, 27, 45), 0x4D2, 0xA1C, LOG_WARN, "  a - b ]");
    const struct {
        std::string line;
        bool parses;
        const char* text;
    } cases[] = {
        {written, true, "  a - b ]"},
        {written.substr(0, written.size() - 2), true, "  a - b ]"},
        {"12/06 20:43:27.045 [000004D2] [00000A1C] [INFO ] - ", true, ""},
        {"12/06 20:43:27.045 [4D2] [00000A1C] [INFO ] - text", false, ""},
        {"12/06 20:43:27.045 [000004D2] [00000A1C] [INFO] - text", false, ""},
        {"12/06 20:43:27.045 [000004D2] [00000A1C] [INFO ] -", false, ""},
        {"--------------------------------------------------------------------------------", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        vrx::LogRecord record;
        ASSERT_EQ(vrx::ParseLogRecord(c.line, record), c.parses);
        if (!c.parses) continue;
        EXPECT_EQ(record.text, c.text);
        EXPECT_EQ(record.processId, 0x4D2u);
        EXPECT_EQ(record.time.millisecond, 45);
        if (c.line == written) EXPECT_EQ(record.level, "WARN ");
    }
}

TEST(LogRecord, EveryLevelTagIsFiveCharactersSoTextLinesUp) {
    const vrx::ClockTime t = At(1, 2, 3, 4, 5, 6);
    size_t column = std::string::npos;
    for (int level : {0, 1, 2, 3, 7, -1}) {
        EXPECT_EQ(std::strlen(vrx::LogLevelTag(level)), 5u) << level;
        const std::string record = vrx::FormatLogRecord(t, 1, 2, level, "x");
        const size_t at = record.find("] - x");
        if (column == std::string::npos) column = at;
        EXPECT_EQ(at, column) << record;
    }
    EXPECT_STREQ(vrx::LogLevelTag(LOG_WARN), "WARN ");
    EXPECT_STREQ(vrx::LogLevelTag(LOG_DEBUG), "DEBUG");
}

TEST(LogRecord, LongTextIsKeptWhole) {
    const std::string text(70000, 'x');
    const std::string record = vrx::FormatLogRecord(At(1, 1, 0, 0, 0, 0), 1, 1, LOG_INFO, text.c_str());
    EXPECT_NE(record.find(text + "\r\n"), std::string::npos);
}

// The forms a crash report writes without the heap: the same text in a
// buffer of exact size (the sanitizers see any write past it), or cut to fit,
// a record still ending its line.
TEST(LogRecord, WrittenIntoABufferIsTheSameTextOrCutToFit) {
    const vrx::ClockTime t = At(12, 6, 20, 43, 27, 45);
    const std::string record = vrx::FormatLogRecord(t, 0x4D2, 0xA1C, LOG_INFO, "some text");
    const std::string line = vrx::FormatTraceLine(t, "!!!", "VrxClient", "the console ends");
    for (size_t size : {record.size() + 1, record.size(), size_t{10}, size_t{3}}) {
        std::vector<char> out(size);
        const size_t n = vrx::FormatLogRecordInto(out.data(), size, t, 0x4D2, 0xA1C, LOG_INFO, "some text");
        EXPECT_EQ(std::string(out.data(), n), size > record.size() ? record : record.substr(0, size - 3) + "\r\n");
        EXPECT_EQ(out[n], '\0') << size;
    }
    for (size_t size : {line.size() + 1, size_t{9}}) {
        std::vector<char> out(size);
        const size_t n = vrx::FormatTraceLineInto(out.data(), size, t, "!!!", "VrxClient", "the console ends");
        EXPECT_EQ(std::string(out.data()), line.substr(0, size - 1));
        EXPECT_EQ(n, size - 1);
    }
}

TEST(LogPaths, MutexNameReplacesEveryBackslash) {
    EXPECT_EQ(vrx::LogMutexName("C:\\Tools\\VrxClient.log"), "C:_Tools_VrxClient.log");
    const std::string deep = "D:\\a\\b\\c\\d\\VrxClient.log";
    const std::string name = vrx::LogMutexName(deep);
    EXPECT_EQ(name.find('\\'), std::string::npos);
    EXPECT_EQ(std::count(name.begin(), name.end(), '_'), std::count(deep.begin(), deep.end(), '\\'));
}

TEST(LogPaths, BackupNamedLikeTheLogMovesBesideIt) {
    EXPECT_EQ(vrx::ResolveBackupPath("C:\\T\\VrxClient.log", "C:\\T\\VrxClient.log"), "C:\\T\\VrxClient.old.log");
    EXPECT_EQ(vrx::ResolveBackupPath("C:\\T\\VrxClient.log", "c:\\t\\VRXCLIENT.LOG"), "C:\\T\\VrxClient.old.log");
    EXPECT_EQ(vrx::ResolveBackupPath("C:\\T\\A.log", "C:\\T\\B.log"), "C:\\T\\B.log");
    EXPECT_EQ(vrx::ResolveBackupPath("C:\\T\\A.log", ""), "");
}

TEST(LogBanner, ShowsTheFourVersionWords) {
    EXPECT_EQ(vrx::FormatBanner(0x00010002, 0x00030004), "===== VrxClient Start Version 1.2.3.4 =====");
    EXPECT_EQ(vrx::FormatBanner(0, 0), "===== VrxClient Start Version 0.0.0.0 =====");
    EXPECT_EQ(vrx::FormatBanner(0xFFFFFFFF, 0), "===== VrxClient Start Version 65535.65535.0.0 =====");
}

TEST(TraceLine, PadsShortTagsInsideTheBrackets) {
    const vrx::ClockTime t = At(1, 1, 20, 43, 27, 45);
    EXPECT_EQ(vrx::FormatTraceLine(t, "==>", "vrxLibClose", "return=VRXERR_NORMAL"),
              "20:43:27'045 [==>] [vrxLibClose] return=VRXERR_NORMAL");
    EXPECT_EQ(vrx::FormatTraceLine(t, "<", "f", ""), "20:43:27'045 [<  ] [f] ");
    EXPECT_EQ(vrx::FormatTraceLine(t, "", "f", "m"), "20:43:27'045 [   ] [f] m");
}

TEST(TraceLine, MessageIsCutAt1023CharactersWithoutOverflow) {
    const std::string key(5000, 'k');
    const std::string message = vrx::FormatTraceMessage("lpOrderKey=\"%s\"", key.c_str());
    ASSERT_EQ(message.size(), vrx::kMaxTraceMessage);
    EXPECT_EQ(message.substr(0, 12), "lpOrderKey=\"");
    EXPECT_EQ(vrx::FormatTraceMessage("%s", std::string(1023, 'a').c_str()).size(), 1023u);
    EXPECT_EQ(vrx::FormatTraceMessage("%s", std::string(1022, 'a').c_str()).size(), 1022u);
    EXPECT_EQ(vrx::FormatTraceMessage("%d-%u", -4, 4294967292u), "-4-4294967292");
}

TEST(WidthTracker, FollowsTheWidestLineHeld) {
    vrx::WidthTracker widths;
    EXPECT_EQ(widths.Widest(), 0);
    widths.PushBack(10);
    widths.PushBack(300);
    widths.PushBack(20);
    EXPECT_EQ(widths.Widest(), 300);
    widths.PopFront();
    EXPECT_EQ(widths.Widest(), 300);
    widths.PopFront();  // the widest leaves
    EXPECT_EQ(widths.Widest(), 20);
    widths.PushBack(20);
    widths.PopFront();  // one of two equal widths leaves
    EXPECT_EQ(widths.Widest(), 20);
    EXPECT_EQ(widths.Count(), 1u);
    widths.PopFront();
    widths.PopFront();  // popping an empty tracker is harmless
    EXPECT_EQ(widths.Widest(), 0);
}
