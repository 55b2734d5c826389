// Order operations driven through the real console window against the
// stand-in library: order kinds, the order-id dialogs, print status, and the
// interrupt and retransmission pickers over the orders the console started.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "ConsoleFlow.h"

using namespace flow;

namespace {

class OrderFlow : public ConsoleFlow {
protected:
    int ListedOrders(int id, const wchar_t* caption, int list) {
        int count = -1;
        InDialog(id, caption, [&](HWND d) { count = ListCount(d, list); });
        return count;
    }
    int Interruptible() { return ListedOrders(IDC_DEV_INTERRUPT_PRINT_ORDER, L"vrxDevInterruptPrintOrder", IDC_PICK_ORDERS); }
    int Interrupted() { return ListedOrders(IDC_DEV_START_RETRANSMISSION, L"vrxDevStartRetransmission", IDC_PICK_SUSPENDED); }
    void SetMaintenanceSwitch(const char* value) {
        m_console.WriteFile("VrxClient.ini", std::string(kMaintenanceOn) + "Maintenance=" + value + "\r\n");
    }
};

struct OrderKindCase {
    const char* maintenanceSwitch;
    int kindsOffered;
    int chosen;
    bool singleRow;
    const char* passed;  // part of the journal line
};

const OrderKindCase kOrderKinds[] = {
    {"0", 2, 1, false, "dwPriority=1 dwSorterNum=0 dwSortFrame=1 dwExOptions=0 "},
    {"2", 2, 0, true, "dwPriority=0 dwSorterNum=0 dwSortFrame=1 dwExOptions=1 "},
    {"1", 7, 2, false, "dwPriority=4294967292 "},
    {"1", 7, 3, false, "dwPriority=4294967295 "},
    {"1", 7, 4, false, "dwPriority=4294967294 "},
    {"1", 7, 5, true, "dwPriority=2952790017 dwSorterNum=0 dwSortFrame=1 dwExOptions=1 "},
    {"1", 7, 6, false, "dwPriority=2684354561 "},
};

}  // namespace

TEST_F(OrderFlow, OrderKindsFollowTheMaintenanceSwitchAndMapToTheirPriorities) {
    for (const OrderKindCase& row : kOrderKinds) {
        SCOPED_TRACE(row.passed);
        SetMaintenanceSwitch(row.maintenanceSwitch);
        const uint32_t id = StartOrder([&](HWND d) {
            EXPECT_EQ(SendDlgItemMessageW(d, IDC_START_PRIORITY, CB_GETCOUNT, 0, 0), row.kindsOffered);
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_START_PRIORITY)), "0 : NORMAL");
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_START_SORTER_NUM)), "0");
            EXPECT_EQ(IsDlgButtonChecked(d, IDC_START_SINGLE_ROW), BST_UNCHECKED);
            Choose(d, IDC_START_PRIORITY, row.chosen);
            Choose(d, IDC_START_SORT_FRAME, 1);
            if (row.singleRow) ConsoleProcess::SetCheck(d, IDC_START_SINGLE_ROW, true);
        });
        const std::string call = Normalised(LastCall("vrxDevStartOrderEx"));
        EXPECT_TRUE(StartsWith(call, "vrxDevStartOrderEx hPrinter=0x00A40011 pdwOrderId=PTR pEventProc=PTR ")) << call;
        EXPECT_NE(call.find(row.passed), std::string::npos) << call;
        EXPECT_NE(id, 0u);
    }
}

TEST_F(OrderFlow, TheOrderIdDialogsOfferTheLastStartedOrder) {
    const struct {
        int id;
        const wchar_t* caption;
        const char* entryPoint;
    } buttons[] = {
        {IDC_DEV_END_ORDER, L"vrxDevEndOrder", "vrxDevEndOrder"},
        {IDC_DEV_SORT, L"vrxDevSort", "vrxDevSort"},
        {IDC_DEV_EXPRESS_ORDER, L"vrxDevExpressOrder", "vrxDevExpressOrder"},
        {IDC_DEV_START_DUPLEX, L"vrxDevStartDuplex", "vrxDevStartDuplex"},
        {IDC_DEV_END_DUPLEX, L"vrxDevEndDuplex", "vrxDevEndDuplex"},
    };
    for (const auto& button : buttons)
        InDialog(button.id, button.caption,
                 [](HWND d) { EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_ORDER_ID)), "0"); });
    const uint32_t order = StartOrder();
    ASSERT_NE(order, 0u);
    // The FAD start offers the order and its key.
    InDialog(IDC_DEV_START_FAD, L"vrxDevStartFAD", [&](HWND d) {
        EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_FAD_ORDER_KEY)), "FAD" + std::to_string(order));
        EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_FAD_ORDER_ID)), std::to_string(order));
    });
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.entryPoint);
        InDialog(
            button.id, button.caption,
            [&](HWND d) { EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_ORDER_ID)), std::to_string(order)); },
            IDOK);
        const std::string call = OnlyCall(button.entryPoint);
        EXPECT_TRUE(StartsWith(call, std::string(button.entryPoint) + " hPrinter=0x00A40011 dwOrderId=" + Hex(order)))
            << call;
        const auto trace = m_console.TraceOf(button.entryPoint);
        ASSERT_EQ(trace.size(), 2u);
        EXPECT_EQ(trace[0], std::string("[<==] [") + button.entryPoint + "] hPrinter=0x00A40011, dwOrderId=" + Hex(order));
    }
}

// The limits themselves are rows of DialogRangesTest; here the values
// accepted at the limits reach the library.
TEST_F(OrderFlow, RangesOfTheSorterAndThePrintStatusId) {
    StartOrder([](HWND d) { Type(d, IDC_START_SORTER_NUM, L"1000"); });
    EXPECT_NE(LastCall("vrxDevStartOrderEx").find("dwSorterNum=1000 "), std::string::npos);
    for (const wchar_t* id : {L"0", L"1000"}) {
        InDialog(IDC_DEV_GET_PRINT_STATUS, L"vrxDevGetPrintStatus", [&](HWND d) {
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_PRINT_STATUS_ID)), "1");
            Type(d, IDC_PRINT_STATUS_ID, id);
        }, IDOK);
    }
    const auto status = m_console.Journal("vrxDevGetPrintStatus");
    ASSERT_EQ(status.size(), 2u);
    EXPECT_NE(status[0].find("dwPrintID=0 "), std::string::npos) << status[0];
    EXPECT_NE(status[1].find("dwPrintID=1000 "), std::string::npos) << status[1];
}

TEST_F(OrderFlow, InterruptAndRetransmissionPickTheirOrdersAndMoveTheSuspendedOne) {
    const uint32_t first = StartOrder();
    const uint32_t second = StartOrder();
    ASSERT_NE(first, second);
    EXPECT_EQ(Interruptible(), 2);
    EXPECT_EQ(Interrupted(), 0);

    // The first order listed is the one chosen.
    InDialog(IDC_DEV_INTERRUPT_PRINT_ORDER, L"vrxDevInterruptPrintOrder", [](HWND) {}, IDOK);
    EXPECT_TRUE(StartsWith(Normalised(OnlyCall("vrxDevInterruptPrintOrder")),
                           "vrxDevInterruptPrintOrder hPrinter=0x00A40011 dwOrderId=" + Hex(first) +
                               " pInterruptOrderInfo=PTR result=1"));
    EXPECT_EQ(Interruptible(), 1) << "an interrupted order is not offered again";
    EXPECT_EQ(Interrupted(), 1);

    InDialog(
        IDC_DEV_START_RETRANSMISSION, L"vrxDevStartRetransmission",
        [&](HWND d) {
            EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_RESUME_ORDER_ID)), std::to_string(second));
        },
        IDOK);
    const std::string call = OnlyCall("vrxDevStartRetransmission");
    EXPECT_TRUE(StartsWith(call, "vrxDevStartRetransmission hPrinter=0x00A40011 dwOrderId=" + Hex(second))) << call;
    EXPECT_NE(call.find("suspendedOrderId=" + Hex(first)), std::string::npos) << call;
    EXPECT_NE(call.find("result=1("), std::string::npos) << call;
    // The suspended order has left the registry; the resume order is still open.
    EXPECT_EQ(Interrupted(), 0);
    EXPECT_EQ(Interruptible(), 1);
}

TEST_F(OrderFlow, APrinterOpenEmptiesThePickersAndAnOrderThatLeftMakesNoCall) {
    StartOrder();
    EXPECT_EQ(Interruptible(), 1);
    // The pick is made, then the printer is opened again before OK is handled.
    HWND dialog = m_console.PressForDialog(IDC_DEV_INTERRUPT_PRINT_ORDER, L"vrxDevInterruptPrintOrder");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(m_console.CloseDialog(dialog, IDCANCEL));
    ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 2));
    EXPECT_EQ(Interruptible(), 0);
    InDialog(IDC_DEV_INTERRUPT_PRINT_ORDER, L"vrxDevInterruptPrintOrder", [](HWND) {}, IDOK);
    InDialog(IDC_DEV_START_RETRANSMISSION, L"vrxDevStartRetransmission", [](HWND) {}, IDOK);
    EXPECT_TRUE(m_console.Journal("vrxDevInterruptPrintOrder").empty());
    EXPECT_TRUE(m_console.Journal("vrxDevStartRetransmission").empty());
}

TEST_F(OrderFlow, CancelInEveryOrderDialogCallsNothing) {
    StartOrder();
    const struct {
        int id;
        const wchar_t* caption;
    } dialogs[] = {
        {IDC_DEV_START_ORDER, L"vrxDevStartOrder"},       {IDC_DEV_END_ORDER, L"vrxDevEndOrder"},
        {IDC_DEV_SORT, L"vrxDevSort"},                     {IDC_DEV_EXPRESS_ORDER, L"vrxDevExpressOrder"},
        {IDC_DEV_START_DUPLEX, L"vrxDevStartDuplex"},     {IDC_DEV_END_DUPLEX, L"vrxDevEndDuplex"},
        {IDC_DEV_GET_PRINT_STATUS, L"vrxDevGetPrintStatus"},
        {IDC_DEV_CANCEL_PRINT_ORDER, L"vrxDevCancelPrintOrder"},
        {IDC_DEV_INTERRUPT_PRINT_ORDER, L"vrxDevInterruptPrintOrder"},
        {IDC_DEV_START_RETRANSMISSION, L"vrxDevStartRetransmission"},
    };
    const std::string before = testing_support::ReadFileText(m_console.Folder().File("calls.log"));
    for (const auto& d : dialogs) InDialog(d.id, d.caption, [](HWND) {});
    EXPECT_EQ(testing_support::ReadFileText(m_console.Folder().File("calls.log")), before);
}

namespace {

class FailedOrderFlow : public OrderFlow {
protected:
    std::string SimulatorExtra() const override {
        return "[ForcedResults]\r\nvrxDevStartOrderEx=7\r\nvrxDevStartRetransmission=1\r\n";
    }
};

}  // namespace

TEST_F(FailedOrderFlow, AFailedStartKeepsTheLastOrderIdAndTheRegistry) {
    StartOrder();
    EXPECT_NE(LastCall("vrxDevStartOrderEx").find("result=7("), std::string::npos);
    InDialog(IDC_DEV_END_ORDER, L"vrxDevEndOrder",
             [](HWND d) { EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(d, IDC_ORDER_ID)), "0"); });
    EXPECT_EQ(Interruptible(), 0);
}
