// Device operations driven through the real console window against the
// stand-in library: what each button passes (the library's call journal),
// what the trace shows, what the dialogs accept and what they remember.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <regex>

#include "ConsoleFlow.h"

using namespace flow;
using testing_support::ReadFileText;

namespace {

class DeviceFlow : public ConsoleFlow {};

// Buttons that call at once: the journal's view of the arguments (a prefix
// of its line), the trace's call line and how many record lines follow it.
struct DirectCall {
    int id;
    const char* entryPoint;
    const char* journal;
    const char* callLine;
    size_t recordLines;
};

const DirectCall kDirectCalls[] = {
    {IDC_SEARCH_PRINTER2, "vrxSearchPrinter2", "vrxSearchPrinter2 pPrinterNum=PTR dwWaitTime=6000 result=1",
     "[<==] [vrxSearchPrinter2] pPrinterNum=PTR, dwWaitTime=6000", 0},
    {IDC_DEV_IS_READY, "vrxDevIsReady", "vrxDevIsReady hPrinter=0x00A40011 result=1(VRXERR_NORMAL)",
     "[<==] [vrxDevIsReady] hPrinter=0x00A40011", 0},
    {IDC_DEV_CLOSE_CHECK, "vrxDevCloseCheck", "vrxDevCloseCheck hPrinter=0x00A40011 result=1",
     "[<==] [vrxDevCloseCheck] hPrinter=0x00A40011", 0},
    {IDC_DEV_OCCUPY_CHECK, "vrxDevOccupyCheck", "vrxDevOccupyCheck hPrinter=0x00A40011 result=1",
     "[<==] [vrxDevOccupyCheck] hPrinter=0x00A40011", 0},
    {IDC_DEV_ADJUST_FOR_PRINT, "vrxDevAdjustForPrint", "vrxDevAdjustForPrint hPrinter=0x00A40011 result=1",
     "[<==] [vrxDevAdjustForPrint] hPrinter=0x00A40011", 0},
    {IDC_DEV_CANCEL_PRINT_ALL, "vrxDevCancelPrintAll", "vrxDevCancelPrintAll hPrinter=0x00A40011 result=1",
     "[<==] [vrxDevCancelPrintAll] hPrinter=0x00A40011", 0},
    {IDC_DEV_GET_UNIT_INFO, "vrxDevGetUnitInfo", "vrxDevGetUnitInfo hPrinter=0x00A40011 pUnitInfo=PTR result=1",
     "[<==] [vrxDevGetUnitInfo] hPrinter=0x00A40011, pUnitInfo=PTR", 1},
    {IDC_DEV_GET_SETUP_INFO, "vrxDevGetSetUpInfo", "vrxDevGetSetUpInfo hPrinter=0x00A40011 pSetUpInfo=PTR result=1",
     "[<==] [vrxDevGetSetUpInfo] hPrinter=0x00A40011, pSetUpInfo=PTR", 7},
    {IDC_DEV_GET_PRINT_NUM_INFO, "vrxDevGetPrintNumInfo",
     "vrxDevGetPrintNumInfo hPrinter=0x00A40011 pPrintNumInfo=PTR result=1",
     "[<==] [vrxDevGetPrintNumInfo] hPrinter=0x00A40011, pPrintNumInfo=PTR", 1},
    {IDC_DEV_GET_TIME, "vrxDevGetTime", "vrxDevGetTime hPrinter=0x00A40011 pTime=PTR result=1",
     "[<==] [vrxDevGetTime] hPrinter=0x00A40011, pTime=PTR", 0},
    {IDC_DEV_GET_TRANSMIT_TIME, "vrxDevGetTransmitTime",
     "vrxDevGetTransmitTime hPrinter=0x00A40011 pOrderId=PTR pPrintID=PTR pTime=PTR result=1",
     "[<==] [vrxDevGetTransmitTime] hPrinter=0x00A40011, pOrderId=PTR, pPrintID=PTR, pTime=PTR", 0},
    {IDC_GET_VRX_VERSION, "vrxGetVrxVersion", "vrxGetVrxVersion pVrxVersion=PTR result=1(VRXERR_NORMAL) *pVrxVersion=0x0312",
     "[<==] [vrxGetVrxVersion] pVrxVersion=", 0},
    {IDC_DEV_VRX_COMMAND1, "vrxDevVrxCommand1",
     "vrxDevVrxCommand1 hPrinter=0x00A40011 wIfId=0x6000 wSendCmdId=0x0100 wSendBufLen=4 lpSendBuf=PTR "
     "wRecvCmdId=0x0101 *pwRecvBufLen=65535 lpRecvBuf=PTR dwTimeOut=30000 result=1",
     "[<==] [vrxDevVrxCommand1] hPrinter=0x00A40011, wIfId=0x6000, wSendCmdId=0x0100, wSendBufLen=4", 0},
    {IDC_DEV_VRX_COMMAND2, "vrxDevVrxCommand2",
     "vrxDevVrxCommand2 hPrinter=0x00A40011 wIfId=0x6000 wSendCmdId=0x0100 wSendBufLen=4 lpSendBuf=PTR "
     "wRecvCmdId=0x0101 *pwRecvBufLen=65535 pRecvProc=PTR dwTimeOut=30000 result=1",
     "[<==] [vrxDevVrxCommand2] hPrinter=0x00A40011, wIfId=0x6000, wSendCmdId=0x0100, wSendBufLen=4", 0},
    {IDC_DEV_VRX_NOTICE, "vrxDevVrxNotice",
     "vrxDevVrxNotice hPrinter=0x00A40011 wIfId=0x6000 wCmdId=0xF102 pNoticeProc=PTR result=1",
     "[<==] [vrxDevVrxNotice] hPrinter=0x00A40011, wIfId=0x6000, wCmdId=0xF102, pNoticeProc=PTR", 0},
};

size_t RecordLines(const std::vector<std::string>& trace) {
    size_t n = 0;
    for (const std::string& line : trace) n += StartsWith(line, "[===]");
    return n;
}

}  // namespace

TEST_F(DeviceFlow, EveryDirectButtonPassesItsArgumentsAndIsTraced) {
    for (const DirectCall& row : kDirectCalls) {
        SCOPED_TRACE(row.entryPoint);
        m_console.Press(row.id);
        const std::string call = Normalised(OnlyCall(row.entryPoint));
        EXPECT_TRUE(StartsWith(call, row.journal)) << call;
        const auto trace = m_console.TraceOf(row.entryPoint);
        ASSERT_GE(trace.size(), 2u);
        EXPECT_TRUE(StartsWith(Normalised(trace.front()), row.callLine)) << trace.front();
        EXPECT_TRUE(StartsWith(trace.back(), std::string("[==>] [") + row.entryPoint + "] return=VRXERR_NORMAL"))
            << trace.back();
        EXPECT_EQ(RecordLines(trace), row.recordLines);
    }
}

namespace {

// A button with a dialog: what the operator does in it before OK, and the
// journal line the library then sees (a prefix).
struct DialogCall {
    int id;
    const wchar_t* caption;
    const char* entryPoint;
    std::function<void(HWND)> edit;
    std::string journal;
};

void SetTime(HWND d, const wchar_t* year, const wchar_t* month, const wchar_t* day, const wchar_t* dayOfWeek) {
    Type(d, IDC_TIME_YEAR, year);
    Type(d, IDC_TIME_MONTH, month);
    Type(d, IDC_TIME_DAY, day);
    Type(d, IDC_TIME_DAY_OF_WEEK, dayOfWeek);
    Type(d, IDC_TIME_HOUR, L"13");
    Type(d, IDC_TIME_MINUTE, L"14");
    Type(d, IDC_TIME_SECOND, L"15");
}
const wchar_t kFortyCharacters[] = L"0123456789ABCDEFGHIJ0123456789abcdefghij";

std::vector<DialogCall> DialogCalls() {
    return {
        {IDC_DEV_GET_MAG_INFO, L"vrxDevGetMagInfo", "vrxDevGetMagInfo", nullptr,
         "vrxDevGetMagInfo hPrinter=0x00A40011 pMagInfo=PTR *pdwSize=84 "},
        {IDC_DEV_GET_ALL_MAG_INFO, L"vrxDevGetMagInfo", "vrxDevGetAllMagInfo",
         [](HWND d) { Type(d, IDC_INFO_NUM, L"2"); },
         "vrxDevGetAllMagInfo hPrinter=0x00A40011 pMagDetailInfo=PTR *pdwSize=280 result=1"},
        {IDC_DEV_GET_MAG_INFO, L"vrxDevGetMagInfo", "vrxDevGetMagInfo", [](HWND d) { Type(d, IDC_INFO_NUM, L"0"); },
         "vrxDevGetMagInfo hPrinter=0x00A40011 pMagInfo=" + flow::NullPointer() + " *pdwSize=0 "},
        {IDC_SET_COMPLETION_PROC_MODE, L"vrxSetCompletionProcMode", "vrxSetCompletionProcMode",
         [](HWND d) { Type(d, IDC_COMPLETION_MODE, L"4294967295"); }, "vrxSetCompletionProcMode dwMode=0xFFFFFFFF "},
        {IDC_DEV_CTRL_PRINT, L"vrxDevCtrlPrint", "vrxDevCtrlPrint", [](HWND d) { Choose(d, IDC_CTRL, 1); },
         "vrxDevCtrlPrint hPrinter=0x00A40011 dwCtrl=1 "},
        {IDC_DEV_SET_TIME, L"vrxDevSetTime", "vrxDevSetTime",
         [](HWND d) { SetTime(d, L"1980", L"2", L"31", L"6"); },
         "vrxDevSetTime hPrinter=0x00A40011 pTime=1980/02/31-13:14:15(dow=6) "},
        {IDC_DEV_SET_TIME, L"vrxDevSetTime", "vrxDevSetTime", [](HWND d) { SetTime(d, L"2079", L"12", L"1", L"0"); },
         "vrxDevSetTime hPrinter=0x00A40011 pTime=2079/12/01-13:14:15(dow=0) "},
        {IDC_DEV_GET_PROFILE, L"vrxDevGetProfile", "vrxDevGetProfile",
         [](HWND d) {
             Choose(d, IDC_PROF_FEED, 1);
             Type(d, IDC_PROF_PAPER_WIDTH, L"-1");
             Type(d, IDC_PROF_PAPER_NAME, kFortyCharacters);
             Type(d, IDC_PROF_FILE_PATH, L"C:\\profiles\\glossy.icc");
         },
         // The record takes the name's first 32 characters.
         "vrxDevGetProfile hPrinter=0x00A40011 lpFileName=\"C:\\\\profiles\\\\glossy.icc\" pPaperInfo={ dwWidth=4294967295 "
         "dwSurface=1 dwFeed=1 szPaperName=\"0123456789ABCDEFGHIJ0123456789ab\" } "},
        {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint", "vrxDevBlankPrint",
         [](HWND d) {
             Type(d, IDC_BLANK_PAPER_WIDTH, L"1524");
             Type(d, IDC_BLANK_PAPER_NAME, L"Lustre");
             Choose(d, IDC_BLANK_PRINT_QUALITY, 2);
         },
         "vrxDevBlankPrint hPrinter=0x00A40011 dwOrderId=0x00000000 pPrintID=PTR pEventProc=PTR pBlankPrintInfo={ "
         "dwResolution=3000 dwPaperWidth=1524 dwPaperLength=890 dwPrintNum=1 dwFeed=0 dwSurface=1 dwPaperPresence=0 "
         "szPaperName=\"Lustre\" dwClearInk=0 wPrintQuality=2 } "},
        {IDC_DEV_START_FAD, L"vrxDevStartFAD", "vrxDevStartFAD", [](HWND d) { Type(d, IDC_FAD_FILE_NAME, L"fad.dat"); },
         // Preset: the last order id (none yet), its key, "0 : PRINTER".
         "vrxDevStartFAD hPrinter=0x00A40011 dwOrderId=0x00000000 lpOrderKey=\"FAD0\" lpdwResult=PTR wFadOut=0 "
         "lpFadFileName=\"fad.dat\" "},
    };
}

}  // namespace

TEST_F(DeviceFlow, EveryDialogButtonPassesWhatWasConfirmedAndRemembersItsKeys) {
    for (const DialogCall& row : DialogCalls()) {
        SCOPED_TRACE(row.entryPoint);
        InDialog(row.id, row.caption, row.edit, IDOK);
        const auto journal = m_console.Journal(row.entryPoint);
        ASSERT_FALSE(journal.empty());
        EXPECT_TRUE(StartsWith(Normalised(journal.back()), row.journal)) << journal.back();
    }
    // The profile key keeps the whole name; the blank print's keys are the
    // print dialog's.
    const std::string ini = ReadFileText(m_console.Folder().File("VrxClient.ini"));
    for (const char* key : {"ProfFeed=1\r\n", "ProfPaperWidth=-1\r\n", "ProfSurface=1\r\n",
                            "ProfName=0123456789ABCDEFGHIJ0123456789abcdefghij\r\n", "ProfPath=C:\\profiles\\glossy.icc\r\n",
                            "Resolution=3000\r\n", "PaperWidth=1524\r\n", "PaperLength=890\r\n", "PaperName=Lustre\r\n",
                            "Feed=0\r\n", "Surface=1\r\n", "ClearInk=0\r\n", "PrintQuality=2\r\n"})
        EXPECT_NE(ini.find(key), std::string::npos) << key << " in\n" << ini;
}

namespace {

// A value a dialog refuses: the message names the range of the first
// refused field in check order, and the dialog stays open. (Each field's
// limits are in DialogRangesTest.)
struct Refusal {
    int id;
    const wchar_t* caption;
    std::function<void(HWND)> edit;
    const char* message;
};

std::vector<Refusal> Refusals() {
    return {
        // Day is checked before month and year.
        {IDC_DEV_SET_TIME, L"vrxDevSetTime", [](HWND d) { SetTime(d, L"1979", L"13", L"32", L"0"); },
         "Enter an integer between 1 and 31."},
        {IDC_DEV_SET_TIME, L"vrxDevSetTime", [](HWND d) { SetTime(d, L"2000", L"13", L"1", L"7"); },
         "Enter an integer between 0 and 6."},
        {IDC_SET_COMPLETION_PROC_MODE, L"vrxSetCompletionProcMode", [](HWND d) { Type(d, IDC_COMPLETION_MODE, L"x"); },
         "Enter an integer between 0 and 4294967295."},
        {IDC_DEV_GET_MAG_INFO, L"vrxDevGetMagInfo", [](HWND d) { Type(d, IDC_INFO_NUM, L"1001"); },
         "Enter an integer between 0 and 1000."},
        {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint", [](HWND d) { Type(d, IDC_BLANK_PRINT_NUM, L"2147483648"); },
         "Enter an integer between -2147483648 and 2147483647."},
        // 32 characters would leave the record no room for its terminator.
        {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint",
         [](HWND d) { Type(d, IDC_BLANK_PAPER_NAME, L"0123456789ABCDEFGHIJ0123456789ab"); },
         "Enter no more than 31 bytes (a double-byte character takes two)."},
        {IDC_DEV_GET_PROFILE, L"vrxDevGetProfile", [](HWND d) { Type(d, IDC_PROF_SURFACE, L"1.5"); },
         "Enter an integer between -2147483648 and 2147483647."},
    };
}

const struct {
    int id;
    const wchar_t* caption;
    const char* entryPoint;
} kDialogButtons[] = {
    {IDC_DEV_GET_MAG_INFO, L"vrxDevGetMagInfo", "vrxDevGetMagInfo"},
    {IDC_DEV_GET_ALL_MAG_INFO, L"vrxDevGetMagInfo", "vrxDevGetAllMagInfo"},
    {IDC_SET_COMPLETION_PROC_MODE, L"vrxSetCompletionProcMode", "vrxSetCompletionProcMode"},
    {IDC_DEV_CTRL_PRINT, L"vrxDevCtrlPrint", "vrxDevCtrlPrint"},
    {IDC_DEV_SET_TIME, L"vrxDevSetTime", "vrxDevSetTime"},
    {IDC_DEV_GET_PROFILE, L"vrxDevGetProfile", "vrxDevGetProfile"},
    {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint", "vrxDevBlankPrint"},
    {IDC_DEV_START_FAD, L"vrxDevStartFAD", "vrxDevStartFAD"},
};

}  // namespace

// Calls so far per dialog button's entry point (the library open itself sets
// the completion mode once).
std::vector<size_t> CallCounts(const ConsoleProcess& console) {
    std::vector<size_t> counts;
    for (const auto& button : kDialogButtons) counts.push_back(console.Journal(button.entryPoint).size());
    return counts;
}

TEST_F(DeviceFlow, RefusedValuesKeepTheDialogOpenAndCallNothing) {
    const auto before = CallCounts(m_console);
    for (const Refusal& row : Refusals()) {
        SCOPED_TRACE(row.message);
        HWND dialog = m_console.PressForDialog(row.id, row.caption);
        ASSERT_NE(dialog, nullptr);
        row.edit(dialog);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(m_console.DismissMessageBox(), row.message);
        EXPECT_TRUE(IsWindow(dialog));
        ASSERT_TRUE(m_console.CloseDialog(dialog, IDCANCEL));
    }
    EXPECT_EQ(CallCounts(m_console), before);
}

TEST_F(DeviceFlow, CancelCallsNothingAndWritesNoKey) {
    const std::string before = ReadFileText(m_console.Folder().File("VrxClient.ini"));
    const auto calls = CallCounts(m_console);
    for (const auto& button : kDialogButtons) {
        SCOPED_TRACE(button.entryPoint);
        // The profile and blank print name field.
        InDialog(button.id, button.caption, [](HWND d) { SetDlgItemTextW(d, IDC_PROF_PAPER_NAME, L"changed"); });
    }
    EXPECT_EQ(CallCounts(m_console), calls);
    EXPECT_EQ(ReadFileText(m_console.Folder().File("VrxClient.ini")), before);
}

TEST_F(DeviceFlow, DialogsOpenWithTheirPresets) {
    // Both magazine buttons ask for the count in the same dialog, showing 1.
    for (int id : {IDC_DEV_GET_MAG_INFO, IDC_DEV_GET_ALL_MAG_INFO})
        InDialog(id, L"vrxDevGetMagInfo",
                 [](HWND d) { EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_INFO_NUM)), "1"); });
    InDialog(IDC_DEV_CTRL_PRINT, L"vrxDevCtrlPrint", [](HWND control) {
        EXPECT_EQ(ConsoleProcess::ComboText(GetDlgItem(control, IDC_CTRL), 0), "0 : STOP");
        EXPECT_EQ(ConsoleProcess::ComboText(GetDlgItem(control, IDC_CTRL), 1), "1 : RESTART");
        EXPECT_EQ(SendDlgItemMessageW(control, IDC_CTRL, CB_GETCURSEL, 0, 0), 0);
    });

    // Print number and paper presence start at 1 and 0 whatever was confirmed.
    for (int round = 0; round < 2; ++round) {
        InDialog(IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint", [](HWND blank) {
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(blank, IDC_BLANK_PRINT_NUM)), "1");
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(blank, IDC_BLANK_PAPER_PRESENCE)), "0");
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(blank, IDC_BLANK_RESOLUTION)), "3000");
            Type(blank, IDC_BLANK_PRINT_NUM, L"5");
            Type(blank, IDC_BLANK_PAPER_PRESENCE, L"1");
        }, IDOK);
    }
    InDialog(IDC_DEV_START_FAD, L"vrxDevStartFAD", [](HWND fad) {
        EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(fad, IDC_FAD_ORDER_KEY)), "FAD0");
        EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(fad, IDC_FAD_OUT)), "0 : PRINTER");
    });
}

TEST_F(DeviceFlow, AdjustForPrintWithABurstOfUnitNotificationsLosesNone) {
    constexpr size_t kBurst = 400;
    m_console.WriteFile("ZembrinSim.ini", std::string(kSimulator) +
                                              "[Burst]\r\nCount=400\r\nThreads=4\r\nKind=unit\r\nTrigger=adjust\r\n"
                                              "DelayMs=0\r\n");
    m_console.Press(IDC_LIB_CLOSE);
    ASSERT_TRUE(m_console.OpenLibrary(false));  // reads the settings again
    ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 1));
    // Burst notifications carry their thread (1 to 4) as the port number.
    // Counted in the trace while the console runs, and in the log file once
    // the console has ended.
    const std::regex burstLine(R"(\[>>>\] \[VRXUNITPROC\] .*wPortNo=[1-4], )");
    const auto count = [&](const std::vector<std::string>& lines) {
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                                 [&](const std::string& l) { return std::regex_search(l, burstLine); }));
    };
    m_console.Press(IDC_DEV_ADJUST_FOR_PRINT);
    EXPECT_TRUE(ConsoleProcess::WaitUntil([&] { return count(m_console.TraceLines()) >= kBurst; }, 60000));
    m_console.Sync();
    EXPECT_EQ(count(m_console.TraceLines()), kBurst) << "each notification traced exactly once";
    ASSERT_TRUE(m_console.Exit());
    std::vector<std::string> logLines;
    std::istringstream log(ReadFileText(m_console.Folder().File("VrxClient.log")));
    for (std::string line; std::getline(log, line);) logLines.push_back(line);
    EXPECT_EQ(count(logLines), kBurst);
}

TEST_F(DeviceFlow, AnOverstatedMagazineSizeNeverMakesTheTraceReadPastTheBuffer) {
    m_console.WriteFile("ZembrinSim.ini", std::string(kSimulator) + "[Faults]\r\nSizeOverstate=100000\r\n");
    m_console.Press(IDC_LIB_CLOSE);
    ASSERT_TRUE(m_console.OpenLibrary(false));
    ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 1));
    for (const auto& button : {std::make_pair(IDC_DEV_GET_MAG_INFO, "vrxDevGetMagInfo"),
                               std::make_pair(IDC_DEV_GET_ALL_MAG_INFO, "vrxDevGetAllMagInfo")}) {
        InDialog(button.first, L"vrxDevGetMagInfo", nullptr, IDOK);  // one record's room
        EXPECT_EQ(RecordLines(m_console.TraceOf(button.second)), 1u) << button.second;
    }
}
