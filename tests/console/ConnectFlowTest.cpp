// Library opening and printer connection, driven through the real console
// window against the stand-in library, whose call journal shows exactly what
// the console passed.
#include <gtest/gtest.h>

#include <algorithm>

#include "ConsoleProcess.h"  // windows.h first, then the common controls
#include <commctrl.h>

#include "resource.h"

using testing_support::ConsoleProcess;
using testing_support::ReadFileText;

namespace {

// Fast simulation, journal beside the console.
constexpr const char* kSimulator = "[Simulator]\r\nTimeScale=0.05\r\n[Journal]\r\nFile=calls.log\r\n";

class ConnectFlow : public ::testing::Test {
protected:
    bool Start(const std::string& simulatorExtra = "", const std::string& consoleIni = "") {
        m_console.WriteFile("ZembrinSim.ini", std::string(kSimulator) + simulatorExtra);
        if (!consoleIni.empty()) m_console.WriteFile("VrxClient.ini", consoleIni);
        return m_console.Start();
    }
    void TearDown() override { m_console.Exit(); }

    std::vector<std::string> Journal(const std::string& entryPoint) const { return m_console.Journal(entryPoint); }
    void OpenLibrary(bool logging = true) { ASSERT_TRUE(m_console.OpenLibrary(logging)); }
    void OpenPrinter(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { ASSERT_TRUE(m_console.OpenPrinter(a, b, c, d)); }
    static void Uncheck(HWND dialog, int id) { ConsoleProcess::SetCheck(dialog, id, false); }

    std::vector<std::string> ComboTexts() const {
        std::vector<std::string> texts;
        HWND combo = m_console.Control(IDC_PRINTER_COMBO);
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) texts.push_back(ConsoleProcess::ComboText(combo, i));
        return texts;
    }

    ConsoleProcess m_console;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A path as the journal quotes it: backslashes doubled.
std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

TEST_F(ConnectFlow, LibOpenWithLoggingPassesTheSettingsFileAndWritesItsSevenKeys) {
    ASSERT_TRUE(Start());
    OpenLibrary(true);
    const std::string ini = m_console.Folder().File("ZembrinPrinter.ini");
    const auto open = Journal("vrxLibOpen");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(Contains(open[0], "lpLogFileName=" + Quoted(ini))) << open[0];
    const std::string text = ReadFileText(ini);
    for (const char* key : {"logger=ZembrinPrinter.dll", "maxline=1000", "levelfatal=0", "levelwarn=0", "levelinfo=0",
                            "leveldebug=0"})
        EXPECT_TRUE(Contains(text, key)) << key << " in\n" << text;
    EXPECT_TRUE(Contains(text, "filename=" + m_console.Folder().File("ZembrinPrinter.log"))) << text;
    // The set-up calls follow a successful open, in order.
    EXPECT_EQ(Journal("vrxSetCustomMode").size(), 1u);
    ASSERT_EQ(Journal("vrxSetTempFolder").size(), 1u);
    EXPECT_TRUE(Contains(Journal("vrxSetTempFolder")[0], Quoted(m_console.Folder().Path())));
    EXPECT_TRUE(Journal("vrxSetConnectMode").empty()) << "no hidden connect mode: no call";
    EXPECT_EQ(Journal("vrxSetCompletionProcMode").size(), 1u);
    const auto trace = m_console.TraceOf("vrxLibOpen");
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], "[<==] [vrxLibOpen] lpLogFileName=\"" + ini + "\"");
    EXPECT_EQ(trace[1], "[==>] [vrxLibOpen] return=VRXERR_NORMAL");
    EXPECT_EQ(m_console.TraceLines().at(0), std::string(80, '-'));
}

TEST_F(ConnectFlow, UncheckingLogHidesTheGroupButNotTheSettingsPathAndLevelsWriteOneWhenOff) {
    ASSERT_TRUE(Start());
    HWND dialog = m_console.PressForDialog(IDC_LIB_OPEN, L"vrxLibOpen");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_LOG_SETTINGS_PATH)),
              m_console.Folder().File("ZembrinPrinter.ini"));
    Uncheck(dialog, IDC_LOG_SWITCH);
    for (int id : {IDC_LOG_GROUP, IDC_LOGGER, IDC_MAXLINE, IDC_MAXLINE_SPIN, IDC_LOG_FILENAME, IDC_LOG_FIND,
                   IDC_LEVEL_FATAL, IDC_LEVEL_DEBUG})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, id))) << id;
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_LOG_SETTINGS_PATH)));
    SendDlgItemMessageA(dialog, IDC_LOG_SWITCH, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOG_SWITCH, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_LOGGER)));
    Uncheck(dialog, IDC_LEVEL_INFO);
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    const std::string text = ReadFileText(m_console.Folder().File("ZembrinPrinter.ini"));
    EXPECT_TRUE(Contains(text, "levelinfo=1")) << text;
    EXPECT_TRUE(Contains(text, "levelwarn=0")) << text;
}

TEST_F(ConnectFlow, LibOpenWithoutLoggingPassesNullAndWritesNothing) {
    ASSERT_TRUE(Start("", "[KORVALEN]\r\nvrxSetConnectMode=3\r\n"));
    OpenLibrary(false);
    const auto open = Journal("vrxLibOpen");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(Contains(open[0], "lpLogFileName=(null)")) << open[0];
    EXPECT_FALSE(testing_support::FileExists(m_console.Folder().File("ZembrinPrinter.ini")));
    ASSERT_EQ(Journal("vrxSetConnectMode").size(), 1u);
    EXPECT_TRUE(Contains(Journal("vrxSetConnectMode")[0], "3")) << Journal("vrxSetConnectMode")[0];
    EXPECT_EQ(m_console.TraceOf("vrxLibOpen").at(0), "[<==] [vrxLibOpen] lpLogFileName=\"(null)\"");
}

TEST_F(ConnectFlow, LibOpenCancelCallsNothingAndAFailedOpenSkipsTheSetUp) {
    ASSERT_TRUE(Start("[ForcedResults]\r\nvrxLibOpen=5\r\n"));
    HWND dialog = m_console.PressForDialog(IDC_LIB_OPEN, L"vrxLibOpen");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(m_console.CloseDialog(dialog, IDCANCEL));
    EXPECT_TRUE(Journal("vrxLibOpen").empty());
    EXPECT_FALSE(testing_support::FileExists(m_console.Folder().File("ZembrinPrinter.ini")));

    OpenLibrary(true);
    ASSERT_EQ(Journal("vrxLibOpen").size(), 1u);
    EXPECT_TRUE(Journal("vrxSetCustomMode").empty());
    EXPECT_TRUE(Journal("vrxSetTempFolder").empty());
    EXPECT_TRUE(Journal("vrxSetCompletionProcMode").empty());
    EXPECT_EQ(m_console.TraceOf("vrxLibOpen").back(), "[==>] [vrxLibOpen] return=VRXERR_BADPARAM");
}

TEST_F(ConnectFlow, LibOpenRefusesABadMaxlineAndWritesNothingUntilItIsGood) {
    ASSERT_TRUE(Start());
    HWND dialog = m_console.PressForDialog(IDC_LIB_OPEN, L"vrxLibOpen");
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, IDC_MAXLINE, "5000");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // The range message names the accepted range; the dialog stays open.
    HWND message = nullptr;
    ASSERT_TRUE(ConsoleProcess::WaitUntil([&] {
        message = FindWindowA("#32770", "Error");
        return message != nullptr;
    }, 5000));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(testing_support::FileExists(m_console.Folder().File("ZembrinPrinter.ini")))
        << "a refused value is never written";
    PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(ConsoleProcess::WaitUntil([&] { return !IsWindow(message); }, 5000));
    SetDlgItemTextA(dialog, IDC_MAXLINE, "3000");
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    EXPECT_TRUE(Contains(ReadFileText(m_console.Folder().File("ZembrinPrinter.ini")), "maxline=3000"));
    EXPECT_EQ(Journal("vrxLibOpen").size(), 1u);
}

TEST_F(ConnectFlow, SearchCountIsProposedByGetPrinterAndZeroPassesNoRecords) {
    ASSERT_TRUE(Start());
    OpenLibrary(false);
    HWND dialog = m_console.PressForDialog(IDC_GET_PRINTER, L"vrxGetPrinter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_BUFFER_NUM)), "0") << "before any search";
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    EXPECT_EQ(m_console.TraceOf("vrxGetPrinter").at(0), "[<==] [vrxGetPrinter] wBufferNum=0, pPrinterInfo=0x" +
                                                            std::string(sizeof(void*) * 2, '0'));
    EXPECT_EQ(m_console.TraceOf("vrxGetPrinter").size(), 2u) << "no record line for no records";

    m_console.Press(IDC_SEARCH_PRINTER);
    EXPECT_EQ(m_console.TraceOf("vrxSearchPrinter").back(), "[==>] [vrxSearchPrinter] return=VRXERR_NORMAL, *pPrinterNum=3");
    dialog = m_console.PressForDialog(IDC_GET_PRINTER, L"vrxGetPrinter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_BUFFER_NUM)), "3");
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    const auto lines = m_console.TraceOf("vrxGetPrinter");
    ASSERT_EQ(lines.size(), 2u + 5u);
    EXPECT_TRUE(Contains(lines[3], "pPrinterInfo[1]={ dwIPAddress=127,0,0,1, ")) << lines[3];
    EXPECT_TRUE(Contains(lines[5], "pPrinterInfo[3]={ dwIPAddress=127,0,0,3, ")) << lines[5];
}

TEST_F(ConnectFlow, PrinterOpenProposesTheLocalHostAndRemembersTheAddress) {
    ASSERT_TRUE(Start());
    OpenLibrary(false);
    HWND dialog = m_console.PressForDialog(IDC_DEV_OPEN, L"vrxDevOpen");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(m_console.CloseDialog(dialog));  // as proposed
    const auto open = Journal("vrxDevOpen");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(Contains(open[0], "dwIPAddress=127.0.0.1 ")) << open[0];
    EXPECT_EQ(m_console.TraceOf("vrxDevOpen").at(0).substr(0, 46), "[<==] [vrxDevOpen] dwIPAddress=127,0,0,1, phPr");
    EXPECT_TRUE(m_console.TraceOf("gethostbyname").empty()) << "the lookup works here";
    const std::string ini = ReadFileText(m_console.Folder().File("VrxClient.ini"));
    for (const char* key : {"IPAddress1=127", "IPAddress2=0", "IPAddress3=0", "IPAddress4=1"})
        EXPECT_TRUE(Contains(ini, key)) << ini;
}

TEST_F(ConnectFlow, TwoOpensOfOneAddressGiveTwoEntriesAndClosingTheLastSelectsNone) {
    ASSERT_TRUE(Start());
    OpenLibrary(false);
    OpenPrinter(127, 0, 0, 2);
    OpenPrinter(127, 0, 0, 2);
    const auto texts = ComboTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[1], texts[2]) << "two handles, two entries";
    ASSERT_EQ(Journal("vrxDevVrxNoticeEventProcEx").size(), 2u) << "each open registers its extended events";
    EXPECT_TRUE(Contains(Journal("vrxDevVrxNoticeEventProcEx")[1], "hPrinter=0x" + texts[2]));
    const auto notices = m_console.TraceOf("vrxDevVrxNoticeEventProcEx");
    ASSERT_EQ(notices.size(), 4u);
    EXPECT_EQ(notices[3], "[==>] [vrxDevVrxNoticeEventProcEx] return=VRXERR_NORMAL");

    m_console.Press(IDC_DEV_CLOSE);  // the selected, newest one
    m_console.Press(IDC_DEV_CLOSE);
    EXPECT_EQ(ComboTexts(), std::vector<std::string>{"<none>"});
    HWND combo = m_console.Control(IDC_PRINTER_COMBO);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    const auto closes = Journal("vrxDevClose");
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_TRUE(Contains(closes[0], "hPrinter=0x" + texts[2])) << closes[0];
    EXPECT_TRUE(Contains(closes[1], "hPrinter=0x" + texts[1])) << closes[1];
    EXPECT_EQ(m_console.TraceLines().back(), std::string(40, '-'));

    m_console.Press(IDC_DEV_CLOSE);  // with <none> selected: handle 0
    EXPECT_TRUE(Contains(Journal("vrxDevClose").back(), "hPrinter=0x00000000")) << Journal("vrxDevClose").back();
}

TEST_F(ConnectFlow, AnEventCanBeResetWithTheChosenActionAndTheCombosHandle) {
    ASSERT_TRUE(Start("[Scenario]\r\nEventAtOpen=1\r\n"));
    OpenLibrary(false);
    OpenPrinter(127, 0, 0, 1);
    HWND events = m_console.Control(IDC_EVENT_LIST);
    ASSERT_TRUE(ConsoleProcess::WaitUntil([&] { return SendMessageA(events, LB_GETCOUNT, 0, 0) == 1; }));
    EXPECT_EQ(SendMessageA(events, LB_GETCURSEL, 0, 0), 0) << "a new pending event is selected";
    const std::string entry = ConsoleProcess::ListText(events, 0);
    const std::string handle = ComboTexts().at(1);
    EXPECT_EQ(entry.rfind("hPrinter( 0x" + handle + " ) dwErrCode( ", 0), 0u) << entry;
    EXPECT_FALSE(m_console.TraceOf("PVRXEVENTINFO").empty());

    HWND dialog = m_console.PressForDialog(IDC_DEV_RESET_EVENT, L"vrxDevResetEvent");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Contains(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_EVENT_TEXT)), "hPrinter( 0x" + handle + " )"));
    ASSERT_TRUE(m_console.CloseDialog(dialog, IDC_RESET_ACTION3));
    const auto resets = Journal("vrxDevResetEvent");
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_TRUE(Contains(resets[0], "hPrinter=0x" + handle)) << resets[0];
    EXPECT_TRUE(Contains(resets[0], "dwActionId=3")) << resets[0];
    // The library answers the reset with the event going off.
    EXPECT_TRUE(ConsoleProcess::WaitUntil([&] { return SendMessageA(events, LB_GETCOUNT, 0, 0) == 0; }));
}

TEST_F(ConnectFlow, ResetWithoutASelectedEventShowsNothingAndCallsNothing) {
    ASSERT_TRUE(Start());
    OpenLibrary(false);
    PostMessageA(m_console.MainWindow(), WM_COMMAND, MAKEWPARAM(IDC_DEV_RESET_EVENT, BN_CLICKED), 0);
    m_console.Sync();
    EXPECT_EQ(m_console.FindWindowByCaption(L"vrxDevResetEvent", 300), nullptr);
    EXPECT_TRUE(Journal("vrxDevResetEvent").empty());
}
