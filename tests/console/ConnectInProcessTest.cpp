// Printer open and close in-process, against the stand-in library, with the
// real handlers and dialogs: what they do to the order registry, and what the
// open proposes when the local host cannot be looked up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "OrderRegistry.h"
#include "SettingsFile.h"
#include "VrxClientDlg.h"
#include "resource.h"

namespace {

class ConnectInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        // The open dialog's OK saves the address beside the program; leave
        // no file behind that was not there before.
        m_settingsExisted = GetFileAttributesA(vrx::SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
        ASSERT_EQ(::vrxLibOpen(nullptr), VRXERR_NORMAL);
        ASSERT_NE(m_main.CreateModeless(nullptr), nullptr);
        vrx::TheOrderRegistry().Clear();
        vrx::TheOrderRegistry().Add(vrx::OrderEntry(26, 0, 0, 0, 0));
    }
    void TearDown() override {
        m_main.Destroy();
        ::vrxLibClose();
        vrx::TheOrderRegistry().Clear();
        if (!m_settingsExisted) DeleteFileA(vrx::SettingsPath().c_str());
    }

    void Click(int id) { SendMessageA(m_main.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    // Clicks a button whose dialog is confirmed from another thread, as an
    // operator would, while this thread runs the dialog.
    void ClickAndConfirm(int id, const char* caption) {
        std::atomic<bool> stop{false};
        std::thread confirm([&] {
            while (!stop) {
                HWND dialog = FindWindowA(nullptr, caption);
                if (dialog && IsWindowVisible(dialog)) {
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    return;
                }
                Sleep(10);
            }
        });
        Click(id);
        stop = true;
        confirm.join();
    }

    CVrxClientDlg m_main;
    bool m_settingsExisted = false;
};

}  // namespace

TEST_F(ConnectInProcess, ASuccessfulOpenEmptiesTheRegistry) {
    ClickAndConfirm(IDC_DEV_OPEN, "vrxDevOpen");  // the proposed local address: a simulated printer
    ASSERT_EQ(m_main.PrinterList().GetCount(), 2);
    EXPECT_EQ(vrx::TheOrderRegistry().Count(), 0);
}

TEST_F(ConnectInProcess, AFailedCloseKeepsTheRegistryAndTheHandle) {
    m_main.AddPrinterHandle(0x12345678);  // never opened: the library refuses it
    Click(IDC_DEV_CLOSE);
    EXPECT_EQ(vrx::TheOrderRegistry().Count(), 1);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 2);
}

TEST_F(ConnectInProcess, ASuccessfulCloseEmptiesTheRegistryAndDropsTheHandle) {
    HVRXPRINTER handle = 0;
    ASSERT_EQ(::vrxDevOpen(0x0100007F, &handle, nullptr, nullptr), VRXERR_NORMAL);
    m_main.AddPrinterHandle(handle);
    Click(IDC_DEV_CLOSE);
    EXPECT_EQ(vrx::TheOrderRegistry().Count(), 0);
    EXPECT_EQ(m_main.PrinterList().GetCount(), 1);
    EXPECT_EQ(m_main.GetSelectedPrinterHandle(), 0u);
}

TEST_F(ConnectInProcess, AFailedLocalHostLookupIsTracedAndTheLoopbackIsProposed) {
    // This test program never starts Winsock, so the lookup fails here.
    ClickAndConfirm(IDC_DEV_OPEN, "vrxDevOpen");
    ui::ListBox& trace = m_main.TraceWindow().List();
    bool said = false;
    for (int i = 0; i < trace.GetCount(); ++i)
        said = said || trace.GetText(i).substr(12) ==
                           " [!!!] [gethostbyname] local host lookup failed (error 10093); proposing 127.0.0.1";
    EXPECT_TRUE(said);
    const vrx::SettingsFile settings(vrx::SettingsPath());
    EXPECT_EQ(settings.ReadSettingInt("IPAddress1", -1), 127);
    EXPECT_EQ(settings.ReadSettingInt("IPAddress2", -1), 0);
    EXPECT_EQ(settings.ReadSettingInt("IPAddress3", -1), 0);
    EXPECT_EQ(settings.ReadSettingInt("IPAddress4", -1), 1);
}
