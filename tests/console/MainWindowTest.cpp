// The main window's button table and printer-handle list, in a real
// (headless) main window.
#include <gtest/gtest.h>

#include <set>

#include "Text.h"
#include "VrxClientDlg.h"
#include "resource.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_main.CreateModeless(nullptr), nullptr); }
    void TearDown() override { m_main.Destroy(); }
    CVrxClientDlg m_main;
};

}  // namespace

TEST_F(MainWindow, StartsWithNoneSelectedMeaningHandleZero) {
    ui::ComboBox& list = m_main.PrinterList();
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetItemText(0), "<none>");
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0u);
}

TEST_F(MainWindow, HandlesSharingTheirLow16BitsStayDistinct) {
    ui::ComboBox& list = m_main.PrinterList();
    m_main.AddPrinterHandle(0x00A40001);
    m_main.AddPrinterHandle(0x00B50001);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItemText(1), "00A40001");
    EXPECT_EQ(list.GetItemText(2), "00B50001");
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0x00B50001u) << "a new handle is selected";

    m_main.RemovePrinterHandle(0x00A40001);  // the first of the two, by handle
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetItemText(1), "00B50001");
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0x00B50001u) << "the last remaining item is selected";

    m_main.RemovePrinterHandle(0x00C60001);  // never opened: nothing changes
    EXPECT_EQ(list.GetCount(), 2);

    m_main.RemovePrinterHandle(0x00B50001);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0u) << "with no printer left, <none> is selected";
}

TEST_F(MainWindow, RemovingHandleZeroNeverRemovesNone) {
    m_main.RemovePrinterHandle(0);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 1);
    EXPECT_EQ(m_main.PrinterList().GetItemText(0), "<none>");
}

TEST_F(MainWindow, TheSameHandleTwiceGivesTwoItemsAndRemovesOneAtATime) {
    m_main.AddPrinterHandle(0x12345678);
    m_main.AddPrinterHandle(0x12345678);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 3);
    m_main.RemovePrinterHandle(0x12345678);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 2);
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0x12345678u);
}

TEST_F(MainWindow, TheButtonTableHoldsExactlyTheWindowsFortyFourButtons) {
    std::set<int> inWindow;
    EnumChildWindows(
        m_main.Handle(),
        [](HWND child, LPARAM found) CALLBACK -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(child, cls, 16);
            const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
            const int id = GetDlgCtrlID(child);
            if (_wcsicmp(cls, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && id != IDOK &&
                id != IDCANCEL)
                reinterpret_cast<std::set<int>*>(found)->insert(id);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&inWindow));
    std::set<int> inTable;
    for (const CVrxClientDlg::Button& button : CVrxClientDlg::Buttons())
        EXPECT_TRUE(inTable.insert(button.id).second) << button.id << " twice";
    EXPECT_EQ(inTable.size(), 44u);
    EXPECT_EQ(inTable, inWindow);
}

TEST(DialogTemplates, EveryControlAnOperatorCanUseIsATabStop) {
    const int templates[] = {
        IDD_ABOUTBOX,         IDD_DEV_RESET_EVENT,     IDD_DEV_OPEN,          IDD_GET_PRINTER,
        IDD_LIB_OPEN,         IDD_DEV_GET_MAG_INFO,    IDD_SET_COMPLETION_PROC_MODE, IDD_DEV_CTRL_PRINT,
        IDD_DEV_SET_TIME,     IDD_DEV_GET_PROFILE,     IDD_DEV_BLANK_PRINT,   IDD_DEV_START_FAD,
        IDD_DEV_START_ORDER,  IDD_DEV_END_ORDER,       IDD_DEV_SORT,          IDD_DEV_EXPRESS_ORDER,
        IDD_DEV_START_DUPLEX, IDD_DEV_END_DUPLEX,      IDD_DEV_END_RETRANSMISSION, IDD_DEV_GET_PRINT_STATUS,
        IDD_DEV_CANCEL_PRINT_ORDER, IDD_DEV_INTERRUPT_PRINT_ORDER, IDD_DEV_START_RETRANSMISSION, IDD_DEV_RESEND,
        IDD_DEV_PRINT,        IDD_PRINT_BASIC,         IDD_PRINT_EXTEND,      IDD_PRINT_KOLMXML,
        IDD_LOG_FIND,
    };
    ui::Dialog host(IDD_ABOUTBOX);  // the parent the print pages need
    ASSERT_NE(host.CreateModeless(nullptr), nullptr);
    for (int id : templates) {
        SCOPED_TRACE(id);
        ui::Dialog dialog(id);
        ASSERT_NE(dialog.CreateModeless(host.Handle()), nullptr);
        struct Walk {
            HWND dialog;
            int checked;
        } walk{dialog.Handle(), 0};
        EnumChildWindows(
            dialog.Handle(),
            [](HWND child, LPARAM param) CALLBACK -> BOOL {
                auto* w = reinterpret_cast<Walk*>(param);
                if (GetParent(child) != w->dialog) return TRUE;  // parts of a control, not the template's
                wchar_t cls[32] = {};
                GetClassNameW(child, cls, 32);
                const LONG style = GetWindowLongW(child, GWL_STYLE);
                const std::wstring name = cls;
                const bool groupBox = _wcsicmp(cls, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
                const bool operable = !groupBox && (_wcsicmp(cls, L"Button") == 0 || _wcsicmp(cls, L"Edit") == 0 ||
                                                    _wcsicmp(cls, L"ComboBox") == 0 || _wcsicmp(cls, L"ListBox") == 0 ||
                                                    name == L"SysListView32" || name == L"SysTabControl32" ||
                                                    name == L"SysIPAddress32");
                if (!operable || !(style & WS_VISIBLE)) return TRUE;
                EXPECT_NE(style & WS_TABSTOP, 0) << ui::Narrow(cls) << " " << GetDlgCtrlID(child);
                ++w->checked;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&walk));
        EXPECT_GT(walk.checked, 0);
        dialog.Destroy();
    }
    host.Destroy();
}
