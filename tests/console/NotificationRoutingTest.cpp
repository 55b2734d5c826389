// Notifications as the library raises them: the real callbacks post to a
// real (headless) main window, whose handlers trace them, keep the pending
// events and update the order registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "NotificationCopies.h"
#include "OrderRegistry.h"
#include "TestFolder.h"
#include "VrxClientDlg.h"

namespace {

class NotificationRouting : public ::testing::Test {
protected:
    void SetUp() override {
        vrx::TheOrderRegistry().Clear();
        ASSERT_NE(m_main.CreateModeless(nullptr), nullptr);
    }
    void TearDown() override {
        m_main.Destroy();
        vrx::TheOrderRegistry().Clear();
    }

    // Runs the window thread's share: every posted notification is handled.
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }

    static VRXEVENTINFO Event(HVRXPRINTER printer, uint32_t errHandle, uint32_t onOff, int32_t code = 3101) {
        VRXEVENTINFO e{};
        e.hPrinter = printer;
        e.dwErrHandle = errHandle;
        e.dwOnOff = onOff;
        e.dwErrCode = static_cast<uint32_t>(code);
        e.alParams[0] = 1;
        e.alParams[1] = -2;
        e.alParams[2] = 3;
        e.alParams[3] = 4;
        return e;
    }

    void Raise(VRXEVENTINFO e) {
        CVrxClientDlg::EventProc(&e);
        std::memset(&e, 0xDD, sizeof e);  // the record is valid only during the call
        Pump();
    }

    void Complete(uint32_t code, uint32_t id, uint32_t status, uint32_t finish = 0) {
        VRXCOMPLETIONINFO c{};
        c.hPrinter = 0x00A40011;
        c.dwPrintId = id;
        c.dwStatus = status;
        c.dwFinishNum = finish;
        CVrxClientDlg::CompletionProc(code, &c);
        std::memset(&c, 0xDD, sizeof c);
        Pump();
    }

    std::vector<std::string> Pending() {
        std::vector<std::string> texts;
        for (int i = 0; i < m_main.EventList().GetCount(); ++i) texts.push_back(m_main.EventList().GetText(i));
        return texts;
    }

    int TraceCount() { return m_main.TraceWindow().List().GetCount(); }
    std::string LastTrace() {
        ui::ListBox& list = m_main.TraceWindow().List();
        return list.GetText(list.GetCount() - 1).substr(13);
    }

    // An order with one print of dwPrintNum 3, print id 7.
    vrx::PrintEntry* AddOrderWithPrint(uint32_t orderId, uint32_t printId, vrx::OrderStatus status = vrx::OrderStatus::Started) {
        vrx::OrderEntry order(orderId, 0, 0, 0, 0);
        order.status = status;
        VRXPRINTINFO info{};
        info.pName = "image.jpg";
        info.dwPrintNum = 3;
        vrx::PrintEntry print(orderId, info);
        print.printId = printId;
        return vrx::TheOrderRegistry().Add(order)->AddPrint(print);
    }

    CVrxClientDlg m_main;
};

}  // namespace

TEST_F(NotificationRouting, AnEventOnIsListedAndSelectedAndTraced) {
    Raise(Event(0x00A40011, 0x77, 1));
    ASSERT_EQ(Pending(), std::vector<std::string>{"hPrinter( 0x00A40011 ) dwErrCode( 3101 ) alParams( 1, -2, 3, 4 )"});
    EXPECT_EQ(m_main.EventList().GetCurSel(), 0);
    EXPECT_EQ(LastTrace().substr(0, 48), "[>>>] [PVRXEVENTINFO] hPrinter=0x00A40011, dwIPA");
    Raise(Event(0x00B70011, 0x78, 1));
    EXPECT_EQ(Pending().size(), 2u);
    EXPECT_EQ(m_main.EventList().GetCurSel(), 1);
}

TEST_F(NotificationRouting, AnEventOffRemovesOnlyTheFirstEntryMatchingHandleAndErrHandle) {
    Raise(Event(0x00A40011, 0x77, 1, 1));
    Raise(Event(0x00B70011, 0x77, 1, 2));
    Raise(Event(0x00A40011, 0x77, 1, 3));
    Raise(Event(0x00C20023, 0x77, 0));  // same error handle, other printer
    EXPECT_EQ(Pending().size(), 3u);
    Raise(Event(0x00A40011, 0x99, 0));  // same printer, other error handle
    EXPECT_EQ(Pending().size(), 3u);
    Raise(Event(0x00A40011, 0x77, 2));  // neither on nor off
    EXPECT_EQ(Pending().size(), 3u);
    Raise(Event(0x00A40011, 0x77, 0));
    const auto left = Pending();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_NE(left[0].find("dwErrCode( 2 )"), std::string::npos) << "the first match went";
    EXPECT_NE(left[1].find("dwErrCode( 3 )"), std::string::npos);
}

TEST_F(NotificationRouting, ATransferCompletionMarksThePrintDoneOnlyWhenAllAreFinished) {
    vrx::PrintEntry* print = AddOrderWithPrint(26, 7);
    Complete(COMPLETION_PRINT, 7, RESULT_TRANSFER, 2);
    EXPECT_EQ(print->done, false);
    EXPECT_EQ(LastTrace(),
              "[>>>] [VRXCOMPLETIONPROC] dwCompletionCode=COMPLETION_PRINT(0), pCompletionInfo={ hPrinter=0x00A40011, "
              "dwIPAddress=0,0,0,0, sysTime=0000/00/00 00:00:00, dwPrintId=7, dwStatus=RESULT_TRANSFER(4), "
              "dwFinishNum=2 }");
    Complete(COMPLETION_PRINT, 7, RESULT_TRANSFER, 3);
    EXPECT_EQ(print->done, true);
}

TEST_F(NotificationRouting, CountCompletionsKeepTheLow16BitsInTheStoredRecord) {
    vrx::PrintEntry* print = AddOrderWithPrint(26, 7);
    Complete(COMPLETION_PRINT, 7, RESULT_LOADING_COUNT, 70000);
    EXPECT_EQ(print->PrintInfo().wLoadingCount, 4464);
    Complete(COMPLETION_PRINT, 7, RESULT_PRINTED_COUNT, 65537);
    EXPECT_EQ(print->PrintInfo().wPrintedCount, 1);
    EXPECT_EQ(print->done, false);
    Complete(COMPLETION_PRINT, 8, RESULT_PRINTED_COUNT, 5);  // a print the console never sent
    EXPECT_EQ(print->PrintInfo().wPrintedCount, 1);
    EXPECT_NE(LastTrace().find("dwPrintId=8, dwStatus=UNKNOWN(40)"), std::string::npos) << "still traced";
}

TEST_F(NotificationRouting, AnOrderCompletionRemovesOnlyAnOrderOfStatusZero) {
    AddOrderWithPrint(26, 7, vrx::OrderStatus::Started);
    AddOrderWithPrint(27, 8, vrx::OrderStatus::Interrupted);  // interrupted
    Complete(COMPLETION_ORDER, 27, RESULT_OK);
    EXPECT_NE(vrx::TheOrderRegistry().Find(27), nullptr);
    Complete(COMPLETION_ORDER, 26, RESULT_OK);
    EXPECT_EQ(vrx::TheOrderRegistry().Find(26), nullptr);
    EXPECT_EQ(LastTrace(),
              "[>>>] [VRXCOMPLETIONPROC] dwCompletionCode=COMPLETION_ORDER(3), pCompletionInfo={ hPrinter=0x00A40011, "
              "dwIPAddress=0,0,0,0, sysTime=0000/00/00 00:00:00, dwOrderId=26, dwStatus=RESULT_OK(0) }");
}

TEST_F(NotificationRouting, CompletionCodesOtherThanPrintAndOrderLeaveNoTrace) {
    AddOrderWithPrint(26, 7);
    const int before = TraceCount();
    VRXCOMPLETIONINFO c{};
    c.dwPrintId = 7;
    c.dwStatus = RESULT_TRANSFER;
    c.dwFinishNum = 3;
    EXPECT_EQ(CVrxClientDlg::CompletionProc(1, &c), 1u) << "the code comes back unchanged";
    EXPECT_EQ(CVrxClientDlg::CompletionProc(2, &c), 2u);
    Pump();
    EXPECT_EQ(TraceCount(), before);
    EXPECT_EQ(vrx::TheOrderRegistry().FindPrint(7)->done, false);
}

TEST_F(NotificationRouting, AnOrderCompletionIsReadOnlyForItsOwn48Bytes) {
    // The record ends right at an inaccessible page: reading byte 48 would fault.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old));
    auto* record = reinterpret_cast<VRXCOMPLETIONINFO*>(pages + system.dwPageSize - VRX_ORDER_COMPLETION_SIZE);
    std::memset(record, 0, VRX_ORDER_COMPLETION_SIZE);
    record->dwOrderId = 26;
    AddOrderWithPrint(26, 7);
    CVrxClientDlg::CompletionProc(COMPLETION_ORDER, record);
    Pump();
    EXPECT_EQ(vrx::TheOrderRegistry().Find(26), nullptr);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(NotificationRouting, AnExtendedEventIsKeptWithItsPrintForAResend) {
    vrx::PrintEntry* print = AddOrderWithPrint(26, 7);
    VRXEVENTEXINFO e{};
    e.dwPrintId = 7;
    e.dwEventId = 5001;
    e.wEventCodeMain = 42;
    CVrxClientDlg::EventProcEx(&e);
    Pump();
    EXPECT_EQ(print->PrintInfo().dwEventId, 5001u);
    EXPECT_EQ(print->PrintInfo().wEventCodeMain, 42);
    EXPECT_EQ(LastTrace(), "[>>>] [VRXEVENTPROCEX] dwPrintId=7, dwEventId=5001, wEventCodeMain=42");
}

TEST_F(NotificationRouting, AUnitChangeIsTracedOldToNew) {
    VRXUNITSTATUSINFO u{};
    u.hPrinter = 0x00A40011;
    u.dwIPAddress = 0x0100007F;
    u.lUnitId = 0x61000000;
    u.nStatus = 5;
    u.nPrevStatus = 2;
    u.wPortNo = 9;
    CVrxClientDlg::UnitProc(&u);
    Pump();
    EXPECT_EQ(LastTrace(), "[>>>] [VRXUNITPROC] hPrinter=0x00A40011, dwIPAddress=127,0,0,1, wPortNo=9, "
                           "lUnitId=INFO_ACCEPT(0x61000000), Status={ 2 -> 5 }");
}

TEST_F(NotificationRouting, ReplyAndNoticeCallbacksOnlyWaitForTheLock) {
    m_main.Lock().Enter();
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID event) WINAPI -> DWORD {
            CVrxClientDlg::CommandReplyProc(1, 2, 3, 4, 5);
            CVrxClientDlg::NoticeProc(1, 2, 3, 4, 5, 6);
            SetEvent(static_cast<HANDLE>(event));
            return 0;
        },
        done, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(done, 200), static_cast<DWORD>(WAIT_TIMEOUT)) << "held while the lock is";
    m_main.Lock().Leave();
    EXPECT_EQ(WaitForSingleObject(done, 10000), WAIT_OBJECT_0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(done);
}

TEST(NotificationCopies, EveryCopyOfAStormIsFreedWhateverItsKind) {
    CVrxClientDlg main;
    ASSERT_NE(main.CreateModeless(nullptr), nullptr);
    testing_support::TestFolder folder;
    for (const char* kind : {"unit", "event", "eventex"}) {
        SCOPED_TRACE(kind);
        testing_support::WriteFileText(folder.File("sim.ini"),
                                       std::string("[Simulator]\r\nTimeScale=0\r\n[Burst]\r\nCount=2000\r\nThreads=4\r\n"
                                                   "Trigger=adjust\r\nDelayMs=0\r\nKind=") + kind + "\r\n");
        SetEnvironmentVariableA("ZEMBRINSIM_INI", folder.File("sim.ini").c_str());
        ASSERT_EQ(::vrxLibOpen(nullptr), VRXERR_NORMAL);
        HVRXPRINTER handle = 0;
        ASSERT_EQ(::vrxDevOpen(0x0100007F, &handle, &CVrxClientDlg::EventProc, &CVrxClientDlg::UnitProc), VRXERR_NORMAL);
        ASSERT_EQ(::vrxDevVrxNoticeEventProcEx(handle, &CVrxClientDlg::EventProcEx), VRXERR_NORMAL);
        const long before = vrx::CopiesMade();
        ASSERT_EQ(::vrxDevAdjustForPrint(handle), VRXERR_NORMAL);
        // The window thread's share, until the copies stop coming.
        long seen = -1;
        for (int quiet = 0, rounds = 0; quiet < 30 && rounds < 3000; ++rounds) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            const long made = vrx::CopiesMade();
            quiet = made == seen ? quiet + 1 : 0;
            seen = made;
            Sleep(10);
        }
        ::vrxDevClose(handle);
        ::vrxLibClose();
        EXPECT_GE(vrx::CopiesMade() - before, 2000) << "every notification was copied";
        EXPECT_EQ(vrx::CopiesOutstanding(), main.EventList().GetCount()) << "only the pending events' own copies remain";
    }
    SetEnvironmentVariableA("ZEMBRINSIM_INI", nullptr);
    main.Destroy();
    EXPECT_EQ(vrx::CopiesOutstanding(), 0) << "the pending events' copies go with the window";
}
