// The trace window in a real (headless) window: line cap, selection, extent,
// the operator's commands; and the manifest the console carries.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LogDlg.h"
#include "TestFolder.h"
#include "Text.h"
#include "resource.h"

namespace {

class TraceWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_log.CreateModeless(nullptr), nullptr); }
    void TearDown() override { m_log.Destroy(); }
    CLogDlg m_log;
};

}  // namespace

TEST_F(TraceWindow, KeepsTheNewest1001LinesWithTheLastSelected) {
    ui::ListBox& list = m_log.List();
    for (int i = 0; i < 1001; ++i) m_log.AddLine(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(list.GetCount(), 1001);
    EXPECT_EQ(list.GetText(0), "line 0");
    EXPECT_EQ(list.GetCurSel(), 1000);
    for (int i = 1001; i < 1500; ++i) m_log.AddLine(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(list.GetCount(), 1001);
    EXPECT_EQ(list.GetText(0), "line 499");
    EXPECT_EQ(list.GetText(1000), "line 1499");
    EXPECT_EQ(list.GetCurSel(), 1000);
}

TEST_F(TraceWindow, ExtentFollowsTheWidestLineHeldPlusFivePixels) {
    ui::ListBox& list = m_log.List();
    m_log.AddLine("short");
    const int shortExtent = list.GetHorizontalExtent();
    EXPECT_GT(shortExtent, 5);
    m_log.AddLine(std::string(300, 'W').c_str());
    const int wideExtent = list.GetHorizontalExtent();
    EXPECT_GT(wideExtent, shortExtent);
    m_log.AddLine("s");
    EXPECT_EQ(list.GetHorizontalExtent(), wideExtent) << "a narrower line leaves the extent alone";
    // Push the wide line out: the extent shrinks back to the short lines.
    for (int i = 0; i < CLogDlg::kMaxLines; ++i) m_log.AddLine("short");
    EXPECT_EQ(list.GetHorizontalExtent(), shortExtent);
}

TEST_F(TraceWindow, AStormOfLinesHoldsTheRepaintAndShowsEverythingOnceItEnds) {
    ShowWindow(m_log.Handle(), SW_SHOWNA);
    const auto shown = [this] { return !m_log.RepaintHeld(); };
    for (int i = 0; i < 200; ++i) m_log.AddLine(("storm " + std::to_string(i)).c_str());
    EXPECT_FALSE(shown()) << "repainting is held while lines keep coming";
    EXPECT_EQ(m_log.List().GetCount(), 200);
    // When the queue runs empty the held repaint is released.
    for (int i = 0; i < 200 && !shown(); ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_TRUE(shown());
    EXPECT_TRUE(IsWindowVisible(m_log.List().Handle())) << "the list is shown again, not left hidden";
    EXPECT_EQ(m_log.List().GetCurSel(), 199);
    EXPECT_EQ(m_log.List().GetText(199), "storm 199");
    // Paused in a storm, the list is shown at once and stays operable while lines keep coming.
    for (int i = 0; i < 50; ++i) m_log.AddLine("following");
    m_log.SetFollowing(false);
    EXPECT_TRUE(IsWindowVisible(m_log.List().Handle()));
    for (int i = 0; i < 200; ++i) m_log.AddLine("paused");
    EXPECT_TRUE(IsWindowVisible(m_log.List().Handle()));
}

TEST_F(TraceWindow, TraceFramesTheMessageAndCutsLongOnes) {
    const std::string key(3000, 'k');
    m_log.Trace("vrxDevStartFAD", "<==", "lpOrderKey=\"%s\"", key.c_str());
    m_log.Trace("vrxLibClose", "==>", "return=%s", "VRXERR_NORMAL");
    ui::ListBox& list = m_log.List();
    ASSERT_EQ(list.GetCount(), 2);
    const std::string first = list.GetText(0);
    const size_t message = first.find("lpOrderKey=");
    ASSERT_NE(message, std::string::npos);
    EXPECT_EQ(first.size() - message, 1023u);
    EXPECT_EQ(first.substr(12, message - 12), " [<==] [vrxDevStartFAD] ");
    const std::string second = list.GetText(1);
    EXPECT_EQ(second.substr(12), " [==>] [vrxLibClose] return=VRXERR_NORMAL");
    EXPECT_EQ(second[2], ':');
    EXPECT_EQ(second[8], '\'');
}

TEST_F(TraceWindow, ListFillsTheWindowWhenItIsResized) {
    SetWindowPos(m_log.Handle(), nullptr, 0, 0, 420, 333, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{}, list{};
    GetClientRect(m_log.Handle(), &client);
    GetClientRect(m_log.List().Handle(), &list);
    RECT listWindow{};
    GetWindowRect(m_log.List().Handle(), &listWindow);
    EXPECT_EQ(listWindow.right - listWindow.left, client.right);
    EXPECT_EQ(listWindow.bottom - listWindow.top, client.bottom);
}

namespace {

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = ui::Narrow(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A key pressed in the list with Ctrl held, as the operator would.
void PressWithControl(HWND list, char key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(list, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

void Command(const CLogDlg& log, int id) { SendMessageW(log.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

}  // namespace

TEST_F(TraceWindow, CopyAndSaveTakeExactlyTheListsLines) {
    for (const char* line : {"first", "second \x93\xfa\x96\x7b", "third"}) m_log.AddLine(line);
    m_log.List().SetCurSel(1);
    PressWithControl(m_log.List().Handle(), 'C');
    EXPECT_EQ(ui::Widen(ClipboardText()), ui::Widen("second \x93\xfa\x96\x7b"));
    Command(m_log, ID_LOG_COPY_ALL);
    EXPECT_EQ(ui::Widen(ClipboardText()), ui::Widen("first\r\nsecond \x93\xfa\x96\x7b\r\nthird\r\n"));

    testing_support::TestFolder folder;
    std::string error;
    ASSERT_TRUE(m_log.SaveLines(folder.File("trace.txt"), error)) << error;
    EXPECT_EQ(testing_support::ReadFileText(folder.File("trace.txt")), "first\r\nsecond \x93\xfa\x96\x7b\r\nthird\r\n");
    EXPECT_FALSE(m_log.SaveLines(folder.File("no such folder\\trace.txt"), error));
    EXPECT_NE(error.find("trace.txt"), std::string::npos);
}

TEST_F(TraceWindow, FindCountsMatchesSelectsThemAndWraps) {
    for (const char* line : {"alpha", "beta", "ALPHA gamma", "delta", "alphabet"}) m_log.AddLine(line);
    PressWithControl(m_log.List().Handle(), 'F');
    CLogFindDlg* find = m_log.FindBox();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(IsWindowVisible(find->Handle()));
    EXPECT_FALSE(m_log.IsFollowing()) << "searching pauses the following";
    find->m_text = "alpha";
    EXPECT_EQ(find->CountMatches(), 3);
    m_log.List().SetCurSel(0);
    const struct {
        bool forward;
        int found;
    } steps[] = {{true, 2}, {true, 4}, {true, 0}, {false, 4}, {false, 2}};
    for (const auto& step : steps) EXPECT_EQ(find->Find(step.forward), step.found);
    EXPECT_EQ(m_log.List().GetCurSel(), 2);
    find->m_matchCase = true;
    EXPECT_EQ(find->CountMatches(), 2);
    find->m_text = "omega";
    EXPECT_EQ(find->Find(true), -1);
    EXPECT_EQ(m_log.List().GetCurSel(), 2) << "nothing found: the selection stays";
}

TEST_F(TraceWindow, PausedTheSelectionAndViewStayWhileLinesStillArriveUpToTheCap) {
    for (int i = 0; i < 1001; ++i) m_log.AddLine(("line " + std::to_string(i)).c_str());
    ui::ListBox& list = m_log.List();
    list.SetCurSel(500);
    list.SetTopIndex(495);
    Command(m_log, ID_LOG_PAUSE);
    EXPECT_EQ(ui::GetText(m_log.Handle()), "Log (paused)");
    for (int i = 1001; i < 1101; ++i) m_log.AddLine(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(list.GetCount(), 1001);
    EXPECT_EQ(list.GetText(1000), "line 1100") << "every line is still added";
    EXPECT_EQ(list.GetText(list.GetCurSel()), "line 500") << "the operator's line stays selected";
    EXPECT_EQ(list.GetText(list.GetTopIndex()), "line 495") << "and in view";
    Command(m_log, ID_LOG_PAUSE);
    EXPECT_EQ(ui::GetText(m_log.Handle()), "Log");
    EXPECT_EQ(list.GetCurSel(), 1000) << "following again: the newest line";
}

TEST(TraceWindowLog, ClearEmptiesTheListWhileTheLogFileKeepsRecording) {
    // File logging is on when the log file exists beside the program.
    const std::string logPath = testing_support::ThisProgramFolder() + "VrxClient.log";
    testing_support::WriteFileText(logPath, "");
    {
        CLogDlg log;
        ASSERT_NE(log.CreateModeless(nullptr), nullptr);
        log.AddLine("before the clear");
        Command(log, ID_LOG_CLEAR);
        EXPECT_EQ(log.List().GetCount(), 0);
        EXPECT_EQ(log.List().GetHorizontalExtent(), 0);
        log.AddLine("after the clear");
        EXPECT_EQ(log.List().GetCount(), 1);
        log.Destroy();
    }
    const std::string text = testing_support::ReadFileText(logPath);
    DeleteFileA(logPath.c_str());
    EXPECT_NE(text.find("before the clear"), std::string::npos);
    EXPECT_NE(text.find("after the clear"), std::string::npos);
}

TEST(Manifest, BothBuildsCarryItAndCommonControlsSixAreLoaded) {
    // This program carries the console's resources, its manifest included.
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    // Wine's version 6 answers DllGetVersion with 5.81: what tells is the
    // side-by-side assembly it was loaded from, and an export only 6 has.
    wchar_t file[MAX_PATH] = {};
    GetModuleFileNameW(controls, file, MAX_PATH);
    EXPECT_NE(std::wstring(file).find(L"common-controls_6595b64144ccf1df_6.0."), std::wstring::npos) << ui::Narrow(file);
    EXPECT_NE(GetProcAddress(controls, "TaskDialogIndirect"), nullptr);
    for (const char* program : {VRX_WIN64_CONSOLE, VRX_WIN32_CONSOLE}) {
        SCOPED_TRACE(program);
        if (GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES && std::string(program) == VRX_WIN32_CONSOLE)
            GTEST_SKIP() << "the win32 preset is not built";
        HMODULE image = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(image, nullptr);
        EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
        FreeLibrary(image);
    }
}
