// Printer open and close in-process, against the stand-in library, with the
// real handlers and dialogs: what they do to the order registry, and what the
// open proposes when the local host cannot be looked up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "OrderRegistry.h"
#include "SettingsFile.h"
#include "TestFolder.h"
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

namespace {

// A close holds the console lock and waits for the library's threads; a
// reply or notice callback of the library waits for that lock. The callback
// must give way, or the console hangs here.
struct CloseWhileWaiting {
    int request;  // the button whose callback comes later
    int close;
    const char* callback;  // as the library's debug log names it
};

const CloseWhileWaiting kCloses[] = {
    {IDC_DEV_VRX_COMMAND2, IDC_DEV_CLOSE, "callback reply"},
    {IDC_DEV_VRX_NOTICE, IDC_LIB_CLOSE, "callback notice"},
};

}  // namespace

TEST(CloseInProcess, ACloseNeverWaitsForACallbackThatWaitsForTheLock) {
    for (const CloseWhileWaiting& row : kCloses) {
        SCOPED_TRACE(row.callback);
        testing_support::TestFolder folder;
        testing_support::WriteFileText(folder.File("sim.ini"), "[Simulator]\r\nReplyMs=50\r\n");
        const std::string log = folder.File("lib.log");
        testing_support::WriteFileText(folder.File("lib.ini"), "[log]\r\nfilename=" + log + "\r\nleveldebug=0\r\n");
        SetEnvironmentVariableA("ZEMBRINSIM_INI", folder.File("sim.ini").c_str());
        ASSERT_EQ(::vrxLibOpen(folder.File("lib.ini").c_str()), VRXERR_NORMAL);
        CVrxClientDlg main;
        ASSERT_NE(main.CreateModeless(nullptr), nullptr);
        HVRXPRINTER handle = 0;
        ASSERT_EQ(::vrxDevOpen(0x0100007F, &handle, nullptr, nullptr), VRXERR_NORMAL);
        main.AddPrinterHandle(handle);
        {
            // As a long handler would: the lock held while the callback comes.
            vrx::ConsoleLock::Scope held(main.Lock());
            SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(row.request, BN_CLICKED), 0);
            bool called = false;
            for (int i = 0; i < 500 && !called; ++i, Sleep(10))
                called = testing_support::ReadFileText(log).find(row.callback) != std::string::npos;
            ASSERT_TRUE(called) << "the callback never came";
            SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(row.close, BN_CLICKED), 0);
        }
        EXPECT_EQ(main.PrinterList().GetCount(), row.close == IDC_DEV_CLOSE ? 1 : 2);
        main.Destroy();
        ::vrxLibClose();
        SetEnvironmentVariableA("ZEMBRINSIM_INI", nullptr);
    }
}
