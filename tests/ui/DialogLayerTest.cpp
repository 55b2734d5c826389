// The dialog layer in a real (headless) dialog: every exchange kind at its
// limits and one past them, how a refused field is shown, Japanese text
// through an edit into the settings file, notification routing, and a
// handler that throws.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "ConsoleLock.h"
#include "Controls.h"
#include "DataExchange.h"
#include "OperatorWatch.h"
#include "Dialog.h"
#include "LayerTestIds.h"
#include "SettingsFile.h"
#include "TestFolder.h"
#include "ThreadWindows.h"
#include "Text.h"

namespace {

template <class Predicate>
bool WaitUntil(Predicate done) {
    for (int i = 0; i < 250; ++i) {
        if (done()) return true;
        Sleep(20);
    }
    return false;
}

class LayerDlg : public ui::Dialog {
public:
    LayerDlg() : ui::Dialog(IDD_LAYER_TEST) {
        Route(IDC_THROW, [this] {
            vrx::ConsoleLock::Scope held(m_lock);
            throw std::runtime_error("handler failed");
        });
        RouteNotify(IDC_PICKER, LVN_ITEMCHANGED, [this](const NMHDR& header) -> LRESULT {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (change.uNewState & LVIS_SELECTED) m_notifiedItem = change.iItem;
            return 0;
        });
    }

    int32_t m_int = 0;
    uint32_t m_uint = 0;
    int16_t m_short = 0;
    uint16_t m_word = 0;
    int32_t m_percent = 1;
    std::string m_name;
    bool m_flag = false;
    int m_kind = -1;
    int m_choice = -1;
    uint32_t m_address = 0;
    int m_picked = -1;

    int m_notifiedItem = -1;
    vrx::ConsoleLock m_lock;
    // Refused fields, when the test takes the report instead of a message box.
    bool m_recordFailures = true;
    int m_failedId = 0;
    std::string m_failure;

protected:
    BOOL OnInitDialog() override {
        ui::ComboBox kind;
        kind.Attach(Item(IDC_KIND));
        ui::ListBox choices;
        choices.Attach(Item(IDC_CHOICES));
        ui::ListView picker;
        picker.Attach(Item(IDC_PICKER));
        for (const char* text : {"0 : ROLL", "1 : SHEET"}) {
            kind.AddString(text);
            choices.AddString(text);
        }
        picker.InsertItem(0, "Order 1", 1);
        picker.InsertItem(1, "Order 2", 2);
        return ui::Dialog::OnInitDialog();
    }

    void Exchange(ui::DataExchange& dx) override {
        dx.Int(IDC_ANY_INT, m_int);
        dx.UInt(IDC_ANY_UINT, m_uint);
        dx.Short(IDC_ANY_SHORT, m_short);
        dx.Word(IDC_ANY_WORD, m_word);
        dx.Int(IDC_PERCENT, m_percent, 1, 100);
        dx.Text(IDC_NAME, m_name, 8);
        dx.Check(IDC_FLAG, m_flag);
        dx.ComboIndex(IDC_KIND, m_kind);
        dx.ListIndex(IDC_CHOICES, m_choice);
        dx.IpAddress(IDC_ADDRESS, m_address);
        dx.ListViewIndex(IDC_PICKER, m_picked);
    }

    void OnExchangeFailure(int id, const std::string& message) override {
        if (!m_recordFailures) return ui::Dialog::OnExchangeFailure(id, message);
        m_failedId = id;
        m_failure = message;
        ui::FocusAndSelect(Handle(), id);
    }
};

// What an operator watcher hears, as "id=value" per confirmed field.
class WatchLog : public ui::OperatorWatcher {
public:
    WatchLog() { ui::SetOperatorWatcher(this); }
    ~WatchLog() override { ui::SetOperatorWatcher(nullptr); }
    void ValuesConfirmed(HWND, const std::vector<ui::ConfirmedValue>& values) override {
        confirmed.clear();
        for (const ui::ConfirmedValue& v : values) confirmed.push_back(std::to_string(v.id) + "=" + v.value);
    }
    void ValuesRefused(HWND) override { ++refusals; }
    void DialogOpened(HWND) override {}
    void Command(HWND, HWND, int, int) override {}
    void FileChosen(HWND, const std::string*) override {}
    void ColourChosen(HWND, long) override {}
    void MessageShown(HWND, const std::string&) override {}
    void DialogClosing(HWND, INT_PTR) override {}

    std::vector<std::string> confirmed;
    int refusals = 0;
};

class DialogLayer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_dialog.CreateModeless(nullptr), nullptr); }
    void TearDown() override { m_dialog.Destroy(); }

    void Type(int id, const std::wstring& text) { SetWindowTextW(m_dialog.Item(id), text.c_str()); }

    LayerDlg m_dialog;
};

struct FieldCase {
    int id;
    const wchar_t* typed;
    const char* refusal;  // null: accepted
    int64_t value;        // the member afterwards, when accepted
};

int64_t NumberOf(const LayerDlg& d, int id) {
    switch (id) {
    case IDC_ANY_INT: return d.m_int;
    case IDC_ANY_UINT: return d.m_uint;
    case IDC_ANY_SHORT: return d.m_short;
    case IDC_ANY_WORD: return d.m_word;
    case IDC_PERCENT: return d.m_percent;
    default: return static_cast<int64_t>(d.m_name.size());
    }
}

// Each number edit at its limits and one past them; the refusal names the range.
const FieldCase kFieldCases[] = {
    {IDC_ANY_INT, L"-2147483648", nullptr, -2147483648LL},
    {IDC_ANY_INT, L"2147483647", nullptr, 2147483647},
    {IDC_ANY_INT, L"2147483648", "Enter an integer between -2147483648 and 2147483647.", 0},
    {IDC_ANY_INT, L"-2147483649", "Enter an integer between -2147483648 and 2147483647.", 0},
    {IDC_ANY_INT, L"12abc", "Enter an integer between -2147483648 and 2147483647.", 0},
    {IDC_ANY_INT, L"", "Enter an integer between -2147483648 and 2147483647.", 0},
    {IDC_ANY_UINT, L"0", nullptr, 0},
    {IDC_ANY_UINT, L"4294967295", nullptr, 4294967295LL},
    {IDC_ANY_UINT, L"-1", "Enter an integer between 0 and 4294967295.", 0},
    {IDC_ANY_UINT, L"4294967296", "Enter an integer between 0 and 4294967295.", 0},
    {IDC_ANY_SHORT, L"-32768", nullptr, -32768},
    {IDC_ANY_SHORT, L"32767", nullptr, 32767},
    {IDC_ANY_SHORT, L"32768", "Enter an integer between -32768 and 32767.", 0},
    {IDC_ANY_SHORT, L"-32769", "Enter an integer between -32768 and 32767.", 0},
    {IDC_ANY_WORD, L"65535", nullptr, 65535},
    {IDC_ANY_WORD, L"65536", "Enter an integer between 0 and 65535.", 0},
    {IDC_ANY_WORD, L"-1", "Enter an integer between 0 and 65535.", 0},
    {IDC_PERCENT, L"1", nullptr, 1},
    {IDC_PERCENT, L"100", nullptr, 100},
    {IDC_PERCENT, L"0", "Enter an integer between 1 and 100.", 0},
    {IDC_PERCENT, L"101", "Enter an integer between 1 and 100.", 0},
    {IDC_NAME, L"12345678", nullptr, 8},
    {IDC_NAME, L"123456789", "Enter no more than 8 bytes (a double-byte character takes two).", 0},
    {IDC_NAME, L"\u65e5\u672c\u8a9e\u65e5", nullptr, 8},
    // Five characters, but ten bytes in the system code page.
    {IDC_NAME, L"\u65e5\u672c\u8a9e\u65e5\u672c", "Enter no more than 8 bytes (a double-byte character takes two).", 0},
};

}  // namespace

TEST_F(DialogLayer, NumbersAndTextsAreCheckedAtTheirLimits) {
    ASSERT_EQ(GetACP(), 932u) << "run under a ja_JP locale (scripts/test.sh builds one)";
    for (const FieldCase& row : kFieldCases) {
        SCOPED_TRACE(ui::Narrow(row.typed));
        ASSERT_TRUE(m_dialog.UpdateData(false));  // every field valid again
        m_dialog.m_failedId = 0;
        Type(row.id, row.typed);
        const bool saved = m_dialog.UpdateData(true);
        EXPECT_EQ(saved, row.refusal == nullptr);
        if (!row.refusal) {
            EXPECT_EQ(NumberOf(m_dialog, row.id), row.value);
            continue;
        }
        EXPECT_EQ(m_dialog.m_failedId, row.id);
        EXPECT_EQ(m_dialog.m_failure, row.refusal);
        EXPECT_EQ(GetFocus(), m_dialog.Item(row.id));
        DWORD start = 1, end = 0;
        SendMessageW(m_dialog.Item(row.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(wcslen(row.typed)));
    }
}

TEST_F(DialogLayer, SavingTakesEveryKindAndStopsAtTheFirstRefusal) {
    Type(IDC_ANY_INT, L"-7");
    Type(IDC_ANY_UINT, L"4294967295");
    Type(IDC_ANY_SHORT, L"-2");
    Type(IDC_ANY_WORD, L"65535");
    Type(IDC_PERCENT, L"50");
    CheckDlgButton(m_dialog.Handle(), IDC_FLAG, BST_CHECKED);
    SendMessageW(m_dialog.Item(IDC_KIND), CB_SETCURSEL, 1, 0);
    SendMessageW(m_dialog.Item(IDC_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 10));
    WatchLog watch;
    ASSERT_TRUE(m_dialog.UpdateData(true));
    // A recorder hears each accepted field in exchange order (a text as its
    // control holds it, a list without a choice not at all).
    const std::vector<std::string> heard = {
        std::to_string(IDC_ANY_INT) + "=-7",  std::to_string(IDC_ANY_UINT) + "=4294967295",
        std::to_string(IDC_ANY_SHORT) + "=-2", std::to_string(IDC_ANY_WORD) + "=65535",
        std::to_string(IDC_PERCENT) + "=50",  std::to_string(IDC_NAME) + "=",
        std::to_string(IDC_FLAG) + "=on",     std::to_string(IDC_KIND) + "=1",
        std::to_string(IDC_ADDRESS) + "=192.168.0.10"};
    EXPECT_EQ(watch.confirmed, heard);
    EXPECT_EQ(m_dialog.m_int, -7);
    EXPECT_EQ(m_dialog.m_uint, 4294967295u);
    EXPECT_EQ(m_dialog.m_short, -2);
    EXPECT_EQ(m_dialog.m_word, 65535);
    EXPECT_EQ(m_dialog.m_percent, 50);
    EXPECT_TRUE(m_dialog.m_flag);
    EXPECT_EQ(m_dialog.m_kind, 1);
    EXPECT_EQ(m_dialog.m_choice, -1) << "no selection reads -1";
    EXPECT_EQ(m_dialog.m_address, 0xC0A8000Au);
    EXPECT_EQ(m_dialog.m_picked, -1);

    // A refusal leaves the fields after it untouched.
    Type(IDC_ANY_INT, L"1");
    Type(IDC_ANY_UINT, L"-1");
    Type(IDC_PERCENT, L"60");
    EXPECT_FALSE(m_dialog.UpdateData(true));
    EXPECT_EQ(watch.refusals, 1);
    EXPECT_EQ(m_dialog.m_int, 1);
    EXPECT_EQ(m_dialog.m_uint, 4294967295u);
    EXPECT_EQ(m_dialog.m_percent, 50);
}

TEST_F(DialogLayer, JapaneseTextReachesTheSettingsFileAsAnAnsiProgramWouldWriteIt) {
    ASSERT_EQ(GetACP(), 932u) << "run under a ja_JP locale (scripts/test.sh builds one)";
    Type(IDC_NAME, L"\u65e5\u672c\u8a9e");  // 日本語
    ASSERT_TRUE(m_dialog.UpdateData(true));
    const std::string cp932 = "\x93\xfa\x96\x7b\x8c\xea";
    EXPECT_EQ(m_dialog.m_name, cp932);

    testing_support::TestFolder folder;
    const vrx::SettingsFile settings(folder.File("VrxClient.ini"));
    settings.WriteSettingString("PaperName", m_dialog.m_name.c_str());
    EXPECT_NE(testing_support::ReadFileText(folder.File("VrxClient.ini")).find("PaperName=" + cp932), std::string::npos);

    m_dialog.m_name = settings.ReadText(vrx::keys::PaperName);
    SetWindowTextW(m_dialog.Item(IDC_NAME), L"");
    ASSERT_TRUE(m_dialog.UpdateData(false));
    wchar_t shown[16] = {};
    GetWindowTextW(m_dialog.Item(IDC_NAME), shown, 16);
    EXPECT_STREQ(shown, L"\u65e5\u672c\u8a9e");
}

TEST_F(DialogLayer, TabPagesSitInsideTheTabAndAreFoundByTitle) {
    ui::Tab tab;
    tab.Attach(m_dialog.Item(IDC_PAGES));
    tab.InsertItem(0, "Basic");
    tab.InsertItem(1, "\x8a\x67\x92\xa3");  // 拡張 in code page 932
    EXPECT_EQ(tab.GetItemCount(), 2);
    EXPECT_EQ(tab.GetItemText(1), "\x8a\x67\x92\xa3");
    tab.SetCurSel(1);
    EXPECT_EQ(tab.GetCurSel(), 1);
    RECT outer{};
    GetWindowRect(tab.Handle(), &outer);
    MapWindowPoints(nullptr, m_dialog.Handle(), reinterpret_cast<POINT*>(&outer), 2);
    const RECT page = tab.PageArea();
    EXPECT_GT(page.top, outer.top) << "below the tab row";
    EXPECT_GE(page.left, outer.left);
    EXPECT_LE(page.right, outer.right);
    EXPECT_LE(page.bottom, outer.bottom);
}

TEST_F(DialogLayer, NotificationsReachTheHandlerRoutedByIdAndCode) {
    ui::ListView picker;
    picker.Attach(m_dialog.Item(IDC_PICKER));
    picker.Select(1);
    EXPECT_EQ(m_dialog.m_notifiedItem, 1);
    ASSERT_TRUE(m_dialog.UpdateData(true));
    EXPECT_EQ(m_dialog.m_picked, 1);
    EXPECT_EQ(picker.GetItemData(1), 2);
    EXPECT_EQ(picker.GetItemText(1), "Order 2");
    // Another code from the same control goes unhandled.
    NMHDR other{m_dialog.Item(IDC_PICKER), IDC_PICKER, LVN_COLUMNCLICK};
    m_dialog.m_notifiedItem = -1;
    EXPECT_EQ(SendMessageW(m_dialog.Handle(), WM_NOTIFY, IDC_PICKER, reinterpret_cast<LPARAM>(&other)), 0);
    EXPECT_EQ(m_dialog.m_notifiedItem, -1);
}

namespace {

// Runs the layer dialog modally while `drive` acts on it from another thread.
template <class Drive>
void RunDriven(LayerDlg& dialog, Drive drive) {
    const DWORD windowThread = GetCurrentThreadId();
    std::thread driver([&] {
        // Driven once shown: a modal dialog shows itself only when its queue
        // first runs empty, and a posted click would come before that.
        HWND window = nullptr;
        WaitUntil([&] {
            window = dialog.Handle();
            return window && IsWindowVisible(window);
        });
        if (window) drive(window, windowThread);
        if (window) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    dialog.RunModal(nullptr);
    driver.join();
}

}  // namespace

TEST(DialogLayerModal, ARefusedFieldShowsTheStandardMessageAndKeepsTheDialogOpen) {
    LayerDlg dialog;
    dialog.m_recordFailures = false;
    std::string message;
    bool openAfter = false;
    HWND focused = nullptr;
    RunDriven(dialog, [&](HWND window, DWORD windowThread) {
        SetWindowTextW(GetDlgItem(window, IDC_PERCENT), L"101");
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        message = testing_support::DismissThreadMessageBox(windowThread);
        WaitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(windowThread, &info);
            focused = info.hwndFocus;
            return focused == GetDlgItem(window, IDC_PERCENT);
        });
        openAfter = IsWindow(window) && IsWindowVisible(window);
    });
    EXPECT_EQ(message, "Enter an integer between 1 and 100.");
    EXPECT_TRUE(openAfter);
    EXPECT_NE(focused, nullptr);
}

TEST(DialogLayerModal, AHandlerThatThrowsIsReportedAndLeavesTheDialogAndTheLockUsable) {
    LayerDlg dialog;
    std::string report;
    bool openAfter = false, lockFree = false;
    RunDriven(dialog, [&](HWND window, DWORD windowThread) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_THROW, BN_CLICKED), 0);
        report = testing_support::DismissThreadMessageBox(windowThread);
        openAfter = IsWindow(window) && IsWindowVisible(window);
        lockFree = dialog.m_lock.TryEnter();
        if (lockFree) dialog.m_lock.Leave();
    });
    EXPECT_EQ(report, "handler failed");
    EXPECT_TRUE(openAfter);
    EXPECT_TRUE(lockFree);
}
