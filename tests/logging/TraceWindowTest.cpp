// The trace window in a real (headless) window: line cap, selection, extent.
#include <gtest/gtest.h>

#include <string>

#include "LogDlg.h"

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
