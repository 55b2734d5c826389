// The real console program, started beside the stand-in library and looked
// at from outside as an operator sees it.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "ConsoleProcess.h"
#include "resource.h"

using testing_support::ConsoleProcess;

namespace {

struct ButtonRow {
    int id;
    const char* caption;
    bool maintenance;  // hidden unless the hidden section enables it
};

// The console's button table.
const ButtonRow kButtons[] = {
    {1004, "vrxLibOpen", false},
    {1010, "vrxLibClose", false},
    {1000, "vrxSearchPrinter", false},
    {1109, "vrxSearchPrinter2", false},
    {1001, "vrxGetPrinter", false},
    {1002, "vrxDevOpen", false},
    {1003, "vrxDevClose", false},
    {1005, "vrxDevGetUnitInfo", false},
    {1006, "vrxDevGetMagInfo", false},
    {1007, "vrxDevGetSetUpInfo", false},
    {1008, "vrxDevGetPrintNumInfo", false},
    {1104, "vrxDevGetTransmitTime", false},
    {1031, "vrxSetCompletionProcMode", false},
    {1028, "vrxDevOccupyCheck", true},
    {1011, "vrxDevIsReady", false},
    {1012, "vrxDevStartOrder", false},
    {1013, "vrxDevEndOrder", false},
    {1014, "vrxDevPrint", false},
    {1035, "vrxDevPrintKolmXml", false},
    {1015, "vrxDevSort", false},
    {1016, "vrxDevCancelPrintOrder", false},
    {1017, "vrxDevGetPrintStatus", false},
    {1018, "vrxDevSetTime", false},
    {1019, "vrxDevGetTime", false},
    {1032, "vrxDevStartDuplex", false},
    {1033, "vrxDevEndDuplex", false},
    {1034, "vrxDevBlankPrint", false},
    {1020, "vrxDevCloseCheck", false},
    {1021, "vrxDevGetAllMagInfo", false},
    {1022, "vrxDevCtrlPrint", false},
    {1025, "vrxDevExpressOrder", false},
    {1072, "vrxGetVrxVersion", false},
    {1101, "vrxDevGetProfile", false},
    {1023, "vrxDevVrxCommand1", true},
    {1024, "vrxDevVrxCommand2", true},
    {1026, "vrxDevVrxNotice", true},
    {1027, "vrxDevCancelPrintAll", true},
    {1036, "vrxDevStartFad", true},
    {1037, "vrxDevAdjustForPrint", false},
    {1038, "vrxDevStartRetransmission", true},
    {1039, "vrxDevEndRetransmission", true},
    {1040, "vrxDevInterruptPrintOrder", true},
    {1041, "vrxDevPrint(Resend)", false},
    {1009, "vrxDevResetEvent", false},
};

void ExpectShown(const ConsoleProcess& console, int id, bool shown) {
    HWND button = console.Control(id);
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(IsWindowVisible(button) != FALSE, shown) << id;
    EXPECT_EQ(IsWindowEnabled(button) != FALSE, shown) << id;
}

LONG TopOf(const ConsoleProcess& console, int id) {
    RECT rect{};
    GetWindowRect(console.Control(id), &rect);
    return rect.top;
}

int TraceLineCount(const ConsoleProcess& console) {
    HWND log = console.FindWindowByCaption(L"Log");
    return static_cast<int>(SendMessageA(GetDlgItem(log, IDC_LOG_LIST), LB_GETCOUNT, 0, 0));
}

}  // namespace

TEST(ConsoleWindow, WithoutSettingsEveryButtonShowsButTheNineMaintenanceOnes) {
    ConsoleProcess console;
    ASSERT_TRUE(console.Start());
    std::set<int> ids;
    for (const ButtonRow& row : kButtons) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_EQ(ConsoleProcess::TextOf(console.Control(row.id)), row.caption);
        ExpectShown(console, row.id, !row.maintenance);
    }
    EXPECT_FALSE(IsWindowVisible(console.Control(IDC_MAINTENANCE_HEADING))) << "no heading over nothing";
    EXPECT_EQ(ConsoleProcess::TextOf(console.Control(IDOK)), "Exit");
    EXPECT_FALSE(IsWindowVisible(console.Control(IDCANCEL)));
    EXPECT_FALSE(IsWindowEnabled(console.Control(IDCANCEL)));
    HWND combo = console.Control(IDC_PRINTER_COMBO);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 0);
    EXPECT_TRUE(console.Exit());
}

TEST(ConsoleWindow, AnyNonZeroHiddenKeyShowsItsButtonAndTransmitTimeIsNeverGated) {
    ConsoleProcess console;
    console.WriteFile("VrxClient.ini",
                      "[KORVALEN]\r\nvrxDevStartFAD=2\r\nvrxDevVrxNotice=-1\r\nvrxDevGetTransmitTime=0\r\n"
                      "vrxDevOccupyCheck=0\r\n");
    ASSERT_TRUE(console.Start());
    ExpectShown(console, IDC_DEV_START_FAD, true);
    ExpectShown(console, IDC_DEV_VRX_NOTICE, true);
    ExpectShown(console, IDC_DEV_GET_TRANSMIT_TIME, true);
    ExpectShown(console, IDC_DEV_OCCUPY_CHECK, false);
    ExpectShown(console, IDC_DEV_VRX_COMMAND1, false);
    ExpectShown(console, IDC_DEV_INTERRUPT_PRINT_ORDER, false);
    // The two shown close up at the top of their group, in template order.
    EXPECT_TRUE(IsWindowVisible(console.Control(IDC_MAINTENANCE_HEADING)));
    EXPECT_EQ(TopOf(console, IDC_DEV_START_FAD), TopOf(console, IDC_DEV_OCCUPY_CHECK));
    EXPECT_EQ(TopOf(console, IDC_DEV_VRX_NOTICE), TopOf(console, IDC_DEV_CANCEL_PRINT_ALL));
    EXPECT_TRUE(console.Exit());
}

TEST(ConsoleWindow, SystemMenuAboutItemOpensTheAboutBoxOthersActAsUsual) {
    ConsoleProcess console;
    ASSERT_TRUE(console.Start());
    PostMessageA(console.MainWindow(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = console.FindWindowByCaption(L"VRXCLIENTのﾊﾞｰｼﾞｮﾝ情報");
    ASSERT_NE(about, nullptr);
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 250 && IsWindow(about); ++i) Sleep(20);
    EXPECT_FALSE(IsWindow(about));

    // Other system commands take their usual course (the main window is
    // re-enabled by the closing about box, so allow it a moment).
    HWND main = console.MainWindow();
    EXPECT_TRUE(ConsoleProcess::WaitUntil([main] {
        SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return IsIconic(main) != FALSE;
    }, 5000));
    SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(ConsoleProcess::WaitUntil([main] { return !IsIconic(main); }, 5000));
    EXPECT_TRUE(console.Exit());
}

TEST(ConsoleWindow, KolmXmlButtonDoesNothing) {
    ConsoleProcess console;
    ASSERT_TRUE(console.Start());
    const int before = TraceLineCount(console);
    SendMessageA(console.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_DEV_PRINT_KOLM_XML, BN_CLICKED),
                 reinterpret_cast<LPARAM>(console.Control(IDC_DEV_PRINT_KOLM_XML)));
    EXPECT_EQ(TraceLineCount(console), before);
    EXPECT_TRUE(console.Exit());
}

TEST(ConsoleWindow, AnEmptyLogFileGetsTheBannerAsItsFirstRecord) {
    ConsoleProcess console;
    console.WriteFile("VrxClient.log", "");
    ASSERT_TRUE(console.Start());
    ASSERT_TRUE(console.Exit());
    const std::string log = testing_support::ReadFileText(console.Folder().File("VrxClient.log"));
    const std::regex banner(
        R"(\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} \[[0-9A-F]{8}\] \[[0-9A-F]{8}\] \[INFO \] - ===== VrxClient Start Version 1\.0\.0\.1 =====\r\n)");
    EXPECT_TRUE(std::regex_match(log, banner)) << log;
}

TEST(ConsoleWindow, WithoutALogFileNoneIsCreated) {
    ConsoleProcess console;
    ASSERT_TRUE(console.Start());
    ASSERT_TRUE(console.Exit());
    EXPECT_FALSE(testing_support::FileExists(console.Folder().File("VrxClient.log")));
    EXPECT_FALSE(testing_support::FileExists(console.Folder().File("VrxClient.ini")));
}
