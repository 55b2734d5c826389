// The main window's printer-handle list, in a real (headless) main window.
#include <gtest/gtest.h>

#include "VrxClientDlg.h"

namespace {

class PrinterList : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_main.CreateModeless(nullptr), nullptr); }
    void TearDown() override { m_main.Destroy(); }
    CVrxClientDlg m_main;
};

}  // namespace

TEST_F(PrinterList, StartsWithNoneSelectedMeaningHandleZero) {
    ui::ComboBox& list = m_main.PrinterList();
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetItemText(0), "<none>");
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0u);
    EXPECT_EQ(g_pMainDlg, &m_main);
}

TEST_F(PrinterList, HandlesSharingTheirLow16BitsStayDistinct) {
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

TEST_F(PrinterList, RemovingHandleZeroNeverRemovesNone) {
    m_main.RemovePrinterHandle(0);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 1);
    EXPECT_EQ(m_main.PrinterList().GetItemText(0), "<none>");
}

TEST_F(PrinterList, TheSameHandleTwiceGivesTwoItemsAndRemovesOneAtATime) {
    m_main.AddPrinterHandle(0x12345678);
    m_main.AddPrinterHandle(0x12345678);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 3);
    m_main.RemovePrinterHandle(0x12345678);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 2);
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0x12345678u);
}
