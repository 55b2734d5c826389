// The main window's button table and printer-handle list, in a real
// (headless) main window.
#include <gtest/gtest.h>

#include <set>

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
    EXPECT_EQ(g_pMainDlg, &m_main);
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
        [](HWND child, LPARAM found) -> BOOL {
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
