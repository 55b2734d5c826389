// Fault injection from the settings file: forced results, oversized sizes,
// unterminated texts, odd completion codes and notification bursts.
#include "SimTestSupport.h"

using namespace simtest;

namespace {

class Faults : public SimTest {};

}  // namespace

TEST_F(Faults, ForcedResultsReplaceTheCallsOwn) {
    const struct {
        const char* entry;
        uint32_t code;
    } cases[] = {{"vrxDevOpen", 7}, {"vrxDevPrint", 2}, {"vrxDevGetUnitInfo", 0}, {"vrxSearchPrinter", 0xFFFFFFFF}};
    std::string settings = "[ForcedResults]\n";
    for (const auto& c : cases) settings += std::string(c.entry) + "=" + std::to_string(c.code) + "\n";
    Open(settings);
    HVRXPRINTER h = 0;
    EXPECT_EQ(7u, vrxDevOpen(Ip(127, 0, 0, 1), &h, OnEvent, OnUnit));
    EXPECT_EQ(0u, h) << "a forced result does no work";
    uint16_t count = 0;
    EXPECT_EQ(0xFFFFFFFFu, vrxSearchPrinter(&count, 10));
    VRXUNITINFO unit{};
    EXPECT_EQ(0u, vrxDevGetUnitInfo(0x1234, &unit));
    VRXPRINTINFO info = FilePrint();
    uint32_t id = 0;
    EXPECT_EQ(2u, vrxDevPrint(0x1234, 1, &id, OnCompletion, &info));
    EXPECT_EQ(1u, vrxGetVrxVersion(reinterpret_cast<uint16_t*>(&id))) << "other calls are untouched";
}

TEST_F(Faults, ForcedOpenLeavesTheLibraryClosed) {
    Open();
    ASSERT_EQ(1u, vrxLibClose());
    WriteFile(m_settingsPath, "[ForcedResults]\nvrxLibOpen=6\n");
    EXPECT_EQ(6u, vrxLibOpen(nullptr));
    uint16_t version = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxGetVrxVersion(&version));
}

TEST_F(Faults, SizeLargerThanTheBufferNeverWritesPastIt) {
    Open("[Faults]\nSizeOverstate=16\n");
    HVRXPRINTER h = OpenPrinter();
    struct {
        VRXMAGINFO mag;
        uint8_t guard[200];
    } buffer;
    memset(&buffer, 0xAB, sizeof buffer);
    uint32_t size = sizeof(VRXMAGINFO);
    vrxDevGetMagInfo(h, &buffer.mag, &size);
    EXPECT_EQ(100u, size);
    EXPECT_EQ(1270u, buffer.mag.dwWidth);
    for (uint8_t b : buffer.guard) ASSERT_EQ(0xAB, b);

    VRXMAGDETAILINFO detail[1];
    size = sizeof detail;
    vrxDevGetAllMagInfo(h, detail, &size);
    EXPECT_EQ(156u, size);
}

TEST_F(Faults, TextFieldsFillTheirWholeSize) {
    Open("[Faults]\nUnterminatedText=1\n[Scenario]\nEventAtOpen=1\n");
    uint16_t count = 0;
    ASSERT_EQ(1u, vrxSearchPrinter(&count, 10));
    VRXPRINTERINFO printers[3];
    memset(printers, 0, sizeof printers);
    ASSERT_EQ(1u, vrxGetPrinter(3, printers));
    for (const auto& p : printers) {
        EXPECT_EQ(nullptr, memchr(p.szMachineTypeName, 0, sizeof p.szMachineTypeName));
        EXPECT_EQ(nullptr, memchr(p.szSoftName, 0, sizeof p.szSoftName));
        EXPECT_EQ(nullptr, memchr(p.szSerialNumber, 0, sizeof p.szSerialNumber));
        EXPECT_NE(0u, p.wVrxVersion) << "the field after the texts is intact";
    }
    HVRXPRINTER h = OpenPrinter();
    VRXSETUPINFO setup{};
    ASSERT_EQ(1u, vrxDevGetSetUpInfo(h, &setup));
    EXPECT_EQ(nullptr, memchr(setup.szPrinterNickname, 0, sizeof setup.szPrinterNickname));
    EXPECT_EQ(1u, setup.wSupportAngle);
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) {
        for (const auto& g : got) {
            if (g.kind == Got::Event) return true;
        }
        return false;
    }));
    for (const auto& g : Recorder::Get().Snapshot()) {
        if (g.kind != Got::Event) continue;
        EXPECT_EQ(Library::kDoorOpenCode, g.event.dwErrCode);
        for (const auto& s : g.event.szStrings) EXPECT_EQ(nullptr, memchr(s, 0, sizeof s));
    }
}

TEST_F(Faults, OddCompletionCodesFollowEachPrint) {
    Open("[Faults]\nCompletionCodes=1,7\n");
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    uint32_t id = Print(h, order);
    ASSERT_EQ(1u, vrxDevEndOrder(h, order));
    ASSERT_TRUE(WaitOrder(order));
    std::vector<uint32_t> codes;
    for (const auto& g : Recorder::Get().Snapshot()) {
        if (g.kind == Got::Completion && g.completion.dwPrintId == id && g.code != COMPLETION_PRINT &&
            g.code != COMPLETION_ORDER) {
            codes.push_back(g.code);
        }
    }
    EXPECT_EQ((std::vector<uint32_t>{1, 7}), codes);
    EXPECT_TRUE(HasFinal(Recorder::Get().Snapshot(), id));
}

TEST_F(Faults, BurstOfTenThousandArrivesExactlyOnce) {
    Open("[Burst]\nCount=10000\nThreads=4\nKind=unit\nTrigger=adjust\nDelayMs=0\n");
    HVRXPRINTER h = OpenPrinter();
    ASSERT_EQ(1u, vrxDevAdjustForPrint(h));
    auto isBurst = [](const Got& g) { return g.kind == Got::Unit && g.unit.lUnitId == 0x50000000 && g.unit.wPortNo <= 4; };
    ASSERT_TRUE(Recorder::Get().WaitFor([&isBurst](const std::vector<Got>& got) {
        return std::count_if(got.begin(), got.end(), isBurst) >= 10000;
    }));
    // Port numbers of the printers are above 5000, so wPortNo 1 to 4 is the
    // burst thread, and nStatus its running count.
    std::map<uint16_t, std::vector<int>> streams;
    std::set<std::thread::id> threads;
    for (const auto& g : Recorder::Get().Snapshot()) {
        if (!isBurst(g)) continue;
        streams[g.unit.wPortNo].push_back(g.unit.nStatus);
        threads.insert(g.thread);
        EXPECT_EQ(g.unit.nStatus - 1, g.unit.nPrevStatus);
    }
    ASSERT_EQ(4u, streams.size());
    for (const auto& s : streams) {
        ASSERT_EQ(2500u, s.second.size()) << "thread " << s.first;
        for (int i = 0; i < 2500; ++i) ASSERT_EQ(i + 1, s.second[i]) << "thread " << s.first << " out of order or repeated";
    }
    EXPECT_EQ(4u, threads.size());
}

TEST_F(Faults, EventBurstComesInMatchingOnOffPairs) {
    Open("[Burst]\nCount=1000\nThreads=3\nKind=event\nTrigger=open\nDelayMs=0\n");
    OpenPrinter();
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) {
        return std::count_if(got.begin(), got.end(), [](const Got& g) { return g.kind == Got::Event; }) >= 1000;
    }));
    std::map<uint32_t, std::vector<uint32_t>> byHandle;
    for (const auto& g : Recorder::Get().Snapshot()) {
        if (g.kind == Got::Event && g.event.dwErrCode == Library::kBurstEventCode) byHandle[g.event.dwErrHandle].push_back(g.event.dwOnOff);
    }
    size_t pairs = 0, singles = 0;
    for (const auto& e : byHandle) {
        if (e.second == std::vector<uint32_t>{1, 0}) ++pairs;
        else if (e.second == std::vector<uint32_t>{1}) ++singles;
        else ADD_FAILURE() << "handle " << e.first << " has " << e.second.size() << " events";
    }
    // 334, 333 and 333 per thread: one odd stream ends on an "on".
    EXPECT_EQ(499u, pairs);
    EXPECT_EQ(2u, singles);
}

// Misbehaviour of real libraries, one key a row. Every row makes the same
// calls and checks every key, so each row also shows the others stay off.
TEST_F(Faults, RealLibraryMisbehaviourOneKeyARow) {
    const struct {
        const char* settings;
        size_t bytes, handles;  // taken by every call
        std::string slowIn, crashIn;
        bool late, callerThread;
    } rows[] = {
        {"", 0, 0, "", "", false, false},
        {"LeakBytes=4096\nLeakHandles=3\n", 4096, 3, "", "", false, false},
        {"SlowCall=vrxSetCustomMode\nSlowCallMs=300\n", 0, 0, "vrxSetCustomMode", "", false, false},
        {"Crash=vrxSetCustomMode\n", 0, 0, "", "vrxSetCustomMode", false, false},
        {"LateNotifications=1\n", 0, 0, "", "", true, false},
        {"CallerThreadCallbacks=1\n", 0, 0, "", "", false, true},
    };
    const auto caller = std::this_thread::get_id();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.settings);
        const std::string journal = m_dir.File("calls" + std::to_string(&row - rows) + ".log");
        Open("[Journal]\nFile=" + journal + "\n[Faults]\n" + row.settings);
        struct Made { std::string name; size_t bytes, handles, crashes, from, to; double ms; };  // got[from, to) during it
        std::vector<Made> made;
        auto call = [&](const char* name, const std::function<uint32_t()>& fn) {
            TestPlatform& p = *m_platform;
            Made m{name, p.leakedBytes, p.leakedHandles, p.crashes, Recorder::Get().Snapshot().size(), 0, 0};
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(1u, fn()) << name;
            m.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            m.bytes = p.leakedBytes - m.bytes, m.handles = p.leakedHandles - m.handles, m.crashes = p.crashes - m.crashes;
            m.to = Recorder::Get().Snapshot().size();
            made.push_back(m);
        };
        HVRXPRINTER h1 = 0, h2 = 0;
        uint32_t order = 0, id = 0;
        VRXPRINTINFO info = FilePrint();
        call("vrxDevOpen", [&] { return vrxDevOpen(Ip(127, 0, 0, 1), &h1, OnEvent, OnUnit); });
        call("vrxDevStartOrderEx", [&] { return vrxDevStartOrderEx(h1, &order, OnCompletion, 0, 0, 0, 0); });
        call("vrxDevPrint", [&] { return vrxDevPrint(h1, order, &id, OnCompletion, &info); });
        call("vrxSetCustomMode", [] { return vrxSetCustomMode(1), 1u; });
        call("vrxDevClose", [&] { return vrxDevClose(h1); });
        call("vrxDevOpen", [&] { return vrxDevOpen(Ip(127, 0, 0, 2), &h2, OnEvent, OnUnit); });
        // An offline printer's pair from a library thread: after vrxDevClose
        // with the handle it gave up, and during vrxLibClose for one still open.
        auto offline = [&](const std::vector<Got>& got, HVRXPRINTER h, size_t from, size_t to) {
            return std::count_if(got.begin() + from, got.begin() + to, [&](const Got& g) {
                return g.thread != caller && (g.kind == Got::Unit ? g.unit.hPrinter == h && g.unit.nStatus == Library::kStopped
                                                                  : g.event.hPrinter == h && g.event.dwErrCode == Library::kOfflineCode);
            });
        };
        ASSERT_TRUE(!row.late || Recorder::Get().WaitFor([&](const std::vector<Got>& got) { return offline(got, h1, 0, got.size()) == 2; }));
        call("vrxLibClose", vrxLibClose);
        const auto got = Recorder::Get().Snapshot();
        EXPECT_EQ(row.late ? 2 : 0, offline(got, h1, made[4].from, got.size()));
        EXPECT_EQ(row.late ? 2 : 0, offline(got, h2, made.back().from, made.back().to));

        std::vector<std::string> expected{"vrxLibOpen"}, lines;
        for (const Made& m : made) {
            expected.push_back(m.name);
            EXPECT_EQ(row.bytes, m.bytes) << m.name;
            EXPECT_EQ(row.handles, m.handles) << m.name;
            EXPECT_EQ(m.name == row.crashIn ? 1u : 0u, m.crashes) << m.name;
            EXPECT_TRUE(m.name != row.slowIn || m.ms >= 300.0) << m.name << " took " << m.ms << " ms";
            // The caller's thread is in the library only during its calls.
            const auto here = std::count_if(got.begin() + m.from, got.begin() + m.to, [&](const Got& g) { return g.thread == caller; });
            EXPECT_EQ(row.callerThread ? (m.name == "vrxDevOpen" ? 2 : m.name == "vrxDevPrint" ? 1 : 0) : 0, here) << m.name;
        }
        EXPECT_TRUE(!row.callerThread || got[made[2].from].completion.dwPrintId == id) << "the print's first completion";
        for (const auto& line : Lines(ReadFile(journal))) lines.push_back(line[0] == '#' ? "" : line.substr(0, line.find(' ')));
        lines.erase(std::remove(lines.begin(), lines.end(), ""), lines.end());
        EXPECT_EQ(expected, lines) << "one journal line per call, in order, whatever the fault";
    }
}
