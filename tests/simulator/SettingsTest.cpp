// The settings file reader, the settings it yields, and the printer clock.
#include <gtest/gtest.h>

#include "IniFile.h"
#include "SimClock.h"
#include "SimSettings.h"

using namespace vrxsim;

TEST(IniFile, FollowsTheProfileFunctionRules) {
    IniFile ini = IniFile::Parse(
        "\xEF\xBB\xBF; comment\r\n[Simulator]\r\nTimeScale = 0.5 \r\n timescale=9\r\n# other comment\r\n"
        "[printer1]\r\nAddress=\"10.0.0.9\"\r\n[Simulator]\r\nStepMs=7\r\nnot a pair\r\n");
    EXPECT_EQ("0.5", ini.GetString("SIMULATOR", "timeScale", ""));  // first key wins, names ignore case
    EXPECT_EQ("7", ini.GetString("Simulator", "StepMs", ""));      // a repeated section adds to the first
    EXPECT_EQ("10.0.0.9", ini.GetString("Printer1", "Address", ""));  // quotes dropped
    EXPECT_FALSE(ini.Get("Simulator", "not a pair").has_value());
    EXPECT_EQ("fallback", ini.GetString("Missing", "Key", "fallback"));
    EXPECT_EQ((std::vector<std::string>{"TimeScale", "StepMs"}), ini.Keys("simulator"));
}

TEST(IniFile, IntegersMustBeWholeNumbers) {
    const struct {
        const char* text;
        std::optional<long long> value;
    } cases[] = {
        {"12", 12}, {"-5", -5}, {"+3", 3}, {"0x10", 16}, {"0XfF", 255}, {" 7 ", 7},
        {"12abc", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"0x", std::nullopt},
        {"-", std::nullopt}, {"99999999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value, ParseInteger(c.text)) << c.text;
}

TEST(IniFile, AddressesParseOnlyWhenDotted) {
    uint32_t a = 0;
    ASSERT_TRUE(ParseIpAddress("192.168.0.1", a));
    EXPECT_EQ(192u | 168u << 8 | 0u << 16 | 1u << 24, a);
    EXPECT_EQ("192.168.0.1", IpText(a));
    for (const char* bad : {"1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "a.b.c.d", "1.2.3.4x", ""}) {
        EXPECT_FALSE(ParseIpAddress(bad, a)) << bad;
    }
}

TEST(SimSettings, DefaultsAreThreeDistinctPrinters) {
    SimSettings s = SimSettings::Defaults();
    ASSERT_EQ(3u, s.printers.size());
    EXPECT_EQ("127.0.0.1", IpText(s.printers[0].address));
    EXPECT_EQ("127.0.0.2", IpText(s.printers[1].address));
    EXPECT_EQ("127.0.0.3", IpText(s.printers[2].address));
    EXPECT_EQ(s.printers[0].handleBase & 0xFFFF, s.printers[1].handleBase & 0xFFFF);
    EXPECT_NE(s.printers[0].handleBase, s.printers[1].handleBase);
    EXPECT_NE(s.printers[0].handleBase & 0xFFFF, s.printers[2].handleBase & 0xFFFF);
    EXPECT_NE(s.printers[0].serial, s.printers[1].serial);
    EXPECT_NE(s.printers[1].model, s.printers[2].model);
    EXPECT_TRUE(s.journalPath.empty());
    EXPECT_EQ(0u, s.burst.count);
    EXPECT_TRUE(s.warnings.empty());
}

TEST(SimSettings, BadValuesFallBackWithAWarning) {
    IniFile ini = IniFile::Parse(
        "[Simulator]\nTimeScale=fast\nStepMs=-1\nSearchMs=20\n"
        "[Journal]\nFile=calls.txt\n"
        "[Faults]\nCompletionCodes=1, 3, x, 7\nSizeOverstate=16\n"
        "LeakBytes=1048577\nLeakHandles=64\nSlowCall=vrxNoSuchCall\nSlowCallMs=600001\nCrash= vrxDevPrint \n"
        "[ForcedResults]\nvrxDevPrint=7\nvrxNoSuchCall=5\nvrxDevOpen=abc\n"
        "[Burst]\nCount=10000\nThreads=99\nKind=weird\nTrigger=open\n"
        "[Printer2]\nAddress=10.1.2.3\nHandleBase=0x00110022\nMagazines=12\nHidden=1\n"
        "[Printer3]\nAddress=10.1.2.300\n"
        "[Printer4]\nAddress=10.1.2.3\n");
    SimSettings s = SimSettings::FromIni(ini, "/base/");
    EXPECT_EQ(1.0, s.timing.timeScale);
    EXPECT_EQ(150u, s.timing.stepMs);
    EXPECT_EQ(20u, s.timing.searchMs);
    EXPECT_EQ("/base/calls.txt", s.journalPath);
    EXPECT_EQ((std::vector<uint32_t>{1, 7}), s.faults.extraCompletionCodes);
    EXPECT_EQ(16u, s.faults.sizeOverstate);
    EXPECT_EQ("", s.faults.slowCall);
    EXPECT_EQ("vrxDevPrint", s.faults.crashCall);
    EXPECT_EQ((std::map<std::string, uint32_t>{{"vrxDevPrint", 7}}), s.faults.forcedResults);
    EXPECT_EQ(10000u, s.burst.count);
    EXPECT_EQ(4u, s.burst.threads);
    EXPECT_EQ(BurstKind::Unit, s.burst.kind);
    EXPECT_EQ(BurstTrigger::Open, s.burst.trigger);
    ASSERT_EQ(1u, s.printers.size());  // bad and repeated addresses are left out
    EXPECT_EQ("10.1.2.3", IpText(s.printers[0].address));
    EXPECT_EQ(0x00110022u, s.printers[0].handleBase);
    EXPECT_EQ(1u, s.printers[0].magazines);  // 12 is out of range: the default of that slot stays
    EXPECT_TRUE(s.printers[0].hidden);
    // TimeScale, StepMs, two codes, LeakBytes, SlowCall, SlowCallMs, two
    // forced results, Threads, Kind, Magazines, two printers.
    EXPECT_EQ(14u, s.warnings.size());
}

TEST(SimSettings, MissingFileGivesDefaults) {
    SimSettings s = SimSettings::Load("/nonexistent/folder/ZembrinSim.ini");
    EXPECT_EQ(3u, s.printers.size());
    EXPECT_TRUE(s.sourcePath.empty());
    EXPECT_TRUE(s.warnings.empty());
}

TEST(SimClock, CalendarRoundTrips) {
    const CivilTime samples[] = {
        {1970, 1, 1, 4, 0, 0, 0, 0}, {2000, 2, 29, 2, 23, 59, 59, 999}, {2026, 12, 7, 1, 21, 9, 55, 123},
        {2099, 12, 31, 4, 12, 0, 0, 0}, {1969, 12, 31, 3, 1, 2, 3, 4},
    };
    for (const auto& t : samples) {
        CivilTime back = CivilFromMs(CivilToMs(t));
        EXPECT_EQ(t.year, back.year);
        EXPECT_EQ(t.month, back.month);
        EXPECT_EQ(t.day, back.day);
        EXPECT_EQ(t.dayOfWeek, back.dayOfWeek) << t.year << "-" << t.month << "-" << t.day;
        EXPECT_EQ(t.hour, back.hour);
        EXPECT_EQ(t.second, back.second);
        EXPECT_EQ(t.millisecond, back.millisecond);
    }
}

TEST(SimClock, RefusesImpossibleTimes) {
    PrinterClock clock;
    const VRXTIMEINFO bad[] = {
        {2025, 2, 29, 0, 0, 0, 0}, {2024, 13, 1, 0, 0, 0, 0}, {2024, 1, 0, 0, 0, 0, 0},
        {2024, 1, 1, 0, 24, 0, 0}, {2024, 1, 1, 0, 0, 60, 0}, {1979, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& t : bad) EXPECT_FALSE(clock.Set(t)) << t.dwYear << "/" << t.dwMonth << "/" << t.dwDay;
    ASSERT_TRUE(clock.Set(VRXTIMEINFO{2024, 2, 29, 0, 10, 20, 5}));
    VRXTIMEINFO now{};
    clock.Fill(now);
    EXPECT_EQ(2024u, now.dwYear);
    EXPECT_EQ(2u, now.dwMonth);
    EXPECT_EQ(29u, now.dwDay);
    EXPECT_EQ(4u, now.dwDayofweek);  // computed, not taken from the caller
    EXPECT_EQ(10u, now.dwHour);
    EXPECT_EQ(20u, now.dwMinute);
}
