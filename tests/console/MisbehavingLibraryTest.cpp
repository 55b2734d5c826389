// The console against a library that misbehaves on purpose (the stand-in's
// fault settings), through the real window: results without a name, texts
// without their terminator, storms of every kind of notification. The
// console neither crashes nor hangs, and every notification is logged once.
// A fault inside the library itself ends the console with a last record.
#include <gtest/gtest.h>

#include <sstream>

#include "ConsoleFlow.h"

using namespace flow;
using testing_support::ReadFileText;

namespace {

class Misbehaving : public ConsoleFlow {
protected:
    // Library settings take effect at the next library open.
    void Reopen(const std::string& simulatorExtra) {
        m_console.WriteFile("ZembrinSim.ini", std::string(kSimulator) + simulatorExtra);
        m_console.Press(IDC_LIB_CLOSE);
        ASSERT_TRUE(m_console.OpenLibrary(false));
        ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 1));
    }
    size_t LoggedLines(const std::string& part) const {
        std::istringstream log(ReadFileText(m_console.Folder().File("VrxClient.log")));
        size_t n = 0;
        for (std::string line; std::getline(log, line);) n += line.find(part) != std::string::npos;
        return n;
    }
};

}  // namespace

TEST_F(Misbehaving, ResultsWithoutANameShowTheirNumber) {
    Reopen("[ForcedResults]\r\nvrxDevIsReady=99\r\nvrxDevGetUnitInfo=-7\r\nvrxGetVrxVersion=0\r\n");
    const struct {
        int id;
        const char* entryPoint;
        const char* shown;
    } rows[] = {
        {IDC_DEV_IS_READY, "vrxDevIsReady", "return=UNKNOWN(99)"},
        {IDC_DEV_GET_UNIT_INFO, "vrxDevGetUnitInfo", "return=UNKNOWN(-7)"},
        {IDC_GET_VRX_VERSION, "vrxGetVrxVersion", "return=UNKNOWN(0)"},
    };
    for (const auto& row : rows) {
        m_console.Press(row.id);
        const auto trace = m_console.TraceOf(row.entryPoint);
        ASSERT_FALSE(trace.empty()) << row.entryPoint;
        EXPECT_NE(trace.back().find(row.shown), std::string::npos) << trace.back();
    }
}

TEST_F(Misbehaving, TextsWithoutTerminatorsAreShownAtTheirFieldSize) {
    Reopen("[Faults]\r\nUnterminatedText=1\r\n");
    m_console.Press(IDC_DEV_GET_SETUP_INFO);
    const auto trace = m_console.TraceOf("vrxDevGetSetUpInfo");
    ASSERT_GE(trace.size(), 3u);
    // szMachineTypeName is 20 bytes: exactly those are shown, nothing after them.
    const std::string& first = trace[1];
    const size_t at = first.find("szMachineTypeName=\"");
    ASSERT_NE(at, std::string::npos) << first;
    const size_t end = first.find('"', at + 19);
    EXPECT_EQ(end - (at + 19), 20u) << first;
    // The window still answers.
    m_console.Press(IDC_DEV_IS_READY);
    EXPECT_EQ(m_console.TraceOf("vrxDevIsReady").size(), 2u);
}

TEST(MisbehavingStorm, StormsOfEveryKindAreLoggedExactlyOnce) {
    const struct {
        const char* kind;
        const char* traced;  // the trace name of its notifications
        const char* marker;  // what only the storm's notifications carry
    } kinds[] = {
        {"unit", "[>>>] [VRXUNITPROC]", "lUnitId=INFO_PRINTER"},
        {"event", "[>>>] [PVRXEVENTINFO]", "dwErrCode=9000"},
        {"eventex", "[>>>] [VRXEVENTPROCEX]", "[VRXEVENTPROCEX]"},
    };
    constexpr size_t kStorm = 10000;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        // A console of its own for each: one storm stays below the log's rotation size.
        ConsoleProcess console;
        console.WriteFile("ZembrinSim.ini", std::string(kSimulator) +
                                                "[Burst]\r\nCount=10000\r\nThreads=4\r\nTrigger=adjust\r\nDelayMs=0\r\n"
                                                "Kind=" + kind.kind + "\r\n");
        console.WriteFile("VrxClient.log", "");
        ASSERT_TRUE(console.Start());
        ASSERT_TRUE(console.OpenLibrary(false));
        ASSERT_TRUE(console.OpenPrinter(127, 0, 0, 1));
        console.Press(IDC_DEV_ADJUST_FOR_PRINT);
        // Counted in the file once the console has gone quiet and ended:
        // reading it while the console writes would make it drop a record.
        const std::string logPath = console.Folder().File("VrxClient.log");
        ULONGLONG size = 0, stableSince = GetTickCount64();
        const ULONGLONG giveUp = GetTickCount64() + 100000;
        while (GetTickCount64() - stableSince < 1500 && GetTickCount64() < giveUp) {
            Sleep(100);
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (!GetFileAttributesExA(logPath.c_str(), GetFileExInfoStandard, &data)) continue;
            const ULONGLONG now = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            if (now != size) stableSince = GetTickCount64();
            size = now;
        }
        console.Press(IDC_DEV_IS_READY);  // still answering
        EXPECT_EQ(console.Journal("vrxDevIsReady").size(), 1u);
        ASSERT_TRUE(console.Exit());
        EXPECT_FALSE(testing_support::FileExists(console.Folder().File("VrxClient.old.log")));
        std::istringstream log(ReadFileText(logPath));
        size_t logged = 0;
        for (std::string line; std::getline(log, line);)
            logged += line.find(kind.traced) != std::string::npos && line.find(kind.marker) != std::string::npos &&
                      line.find("wPortNo=5001") == std::string::npos;
        EXPECT_EQ(logged, kStorm);
    }
}

// A fault inside the library ends the console, never silently: the process
// ends with the fault's code, the log's last record names the call in flight
// (traced, or a setter the console calls itself) and the library's module,
// and a dump lies beside the log.
TEST(MisbehavingCrash, AFaultInTheLibraryEndsTheConsoleWithALastRecordAndADump) {
    const struct {
        const char* entryPoint;  // made to fault
        int button;              // 0: the library open, which calls the setters
    } rows[] = {
        {"vrxDevGetTime", IDC_DEV_GET_TIME},
        {"vrxSetCustomMode", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entryPoint);
        ConsoleProcess console;
        console.WriteFile("ZembrinSim.ini", std::string(kSimulator) + "[Faults]\r\nCrash=" + row.entryPoint + "\r\n");
        console.WriteFile("VrxClient.log", "");
        ASSERT_TRUE(console.Start());
        DWORD id = 0;
        GetWindowThreadProcessId(console.MainWindow(), &id);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        ASSERT_NE(process, nullptr);
        if (row.button) {
            ASSERT_TRUE(console.OpenLibrary(false));
            ASSERT_TRUE(console.OpenPrinter(127, 0, 0, 1));
            // Posted: the handler never returns.
            PostMessageA(console.MainWindow(), WM_COMMAND, MAKEWPARAM(row.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(console.Control(row.button)));
        } else {
            console.OpenLibrary(false);  // the setters follow the open in its handler
        }
        DWORD code = 0;
        EXPECT_EQ(WaitForSingleObject(process, 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
        EXPECT_EQ(Hex(code), Hex(EXCEPTION_ACCESS_VIOLATION));

        const std::string log = ReadFileText(console.Folder().File("VrxClient.log"));
        const size_t last = log.rfind('\n', log.size() >= 2 ? log.size() - 2 : 0);
        const std::string record = log.substr(last == std::string::npos ? 0 : last + 1);
        const std::string dump = console.Folder().File("VrxClient.dmp");
        const std::regex expected("\\d\\d/\\d\\d [0-9:.]{12} \\[[0-9A-F]{8}\\] \\[[0-9A-F]{8}\\] \\[INFO \\] - "
                                  "\\d\\d:\\d\\d:\\d\\d'\\d{3} \\[!!!\\] \\[" + std::string(row.entryPoint) +
                                  "\\] the console ends: exception 0xC0000005 at ZembrinPrinter\\.dll\\+0x[0-9A-F]{8} "
                                  "during " + row.entryPoint + "; dump (.*)\r\n");
        std::smatch match;
        ASSERT_TRUE(std::regex_match(record, match, expected)) << record;
        EXPECT_EQ(match[1].str(), dump);
        EXPECT_GT(testing_support::FileSize(dump), 0);
    }
}
