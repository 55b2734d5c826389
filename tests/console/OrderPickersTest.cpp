// The order and print pickers over a filled order registry, in process: what
// they list, which order and print they hand back as the operator selects.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <thread>

#include "OrderDialogs.h"
#include "OrderRegistry.h"
#include "TestFolder.h"
#include "VrxClientDlg.h"
#include "resource.h"

namespace {

class OrderPickers : public ::testing::Test {
protected:
    // Order 7 with prints 71, 72 and 73; order 8 without prints; order 9 interrupted.
    void SetUp() override {
        vrx::OrderRegistry& registry = vrx::TheOrderRegistry();
        registry.Clear();
        vrx::OrderEntry seven(7, 0, 0, 0, 0);
        for (uint32_t id : {71u, 72u, 73u}) {
            vrx::PrintEntry print(7, VRXPRINTINFO{});
            print.printId = id;
            seven.AddPrint(print);
        }
        registry.Add(seven);
        registry.Add(vrx::OrderEntry(8, 0, 0, 0, 0));
        registry.Add(vrx::OrderEntry(9, 0, 0, 0, 0))->status = vrx::OrderStatus::Interrupted;
    }
    void TearDown() override { vrx::TheOrderRegistry().Clear(); }

    static ui::ListView ListOf(const ui::Dialog& dialog, int id) {
        ui::ListView list;
        list.Attach(dialog.Item(id));
        return list;
    }
    static std::vector<std::string> Texts(const ui::ListView& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetItemCount(); ++i) texts.push_back(list.GetItemText(i));
        return texts;
    }
};

using Ids = std::vector<std::string>;

}  // namespace

TEST_F(OrderPickers, CancelHandsBackAPrintOnlyWhenSomeButNotAllAreSelected) {
    CDevCancelPrintOrderDlg dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    ui::ListView orders = ListOf(dialog, IDC_PICK_ORDERS);
    ui::ListView prints = ListOf(dialog, IDC_PICK_PRINTS);
    EXPECT_EQ(Texts(orders), (Ids{"7", "8", "9"}));
    EXPECT_EQ(orders.GetSelectedIndex(), -1) << "nothing shown selected";
    EXPECT_EQ(dialog.m_orderId, 7u) << "the first order is chosen";
    EXPECT_EQ(Texts(prints), (Ids{"71", "72", "73"}));
    EXPECT_EQ(dialog.m_printId, 0u) << "all selected: the whole order";

    prints.SetSelected(0, false);
    EXPECT_EQ(dialog.m_printId, 72u);
    prints.SetSelected(1, false);
    EXPECT_EQ(dialog.m_printId, 73u);
    prints.SetSelected(2, false);
    EXPECT_EQ(dialog.m_printId, 0u) << "none selected";
    prints.SetSelected(0, true);
    EXPECT_EQ(dialog.m_printId, 71u);

    orders.Select(1);  // order 8: no prints
    EXPECT_EQ(dialog.m_orderId, 8u);
    EXPECT_EQ(prints.GetItemCount(), 0);
    EXPECT_EQ(dialog.m_printId, 0u);
    orders.SetSelected(1, false);  // deselecting keeps the order just named
    EXPECT_EQ(dialog.m_orderId, 8u);
    orders.Select(0);
    EXPECT_EQ(dialog.m_orderId, 7u);
    EXPECT_EQ(prints.GetItemCount(), 3);
    dialog.Destroy();
}

// A print id of 0 is still the first print of its side: it is not skipped.
TEST_F(OrderPickers, CancelTakesTheFirstSelectedAndFirstUnselectedPrintWhateverTheirIds) {
    vrx::OrderEntry six(6, 0, 0, 0, 0);
    for (uint32_t id : {51u, 0u, 53u}) {
        vrx::PrintEntry print(6, VRXPRINTINFO{});
        print.printId = id;
        six.AddPrint(print);
    }
    vrx::TheOrderRegistry().Add(six);
    const struct {
        bool selected[3];
        uint32_t printId;
    } rows[] = {{{false, true, true}, 0u}, {{true, false, false}, 0u}, {{false, false, true}, 53u}};
    CDevCancelPrintOrderDlg dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    ui::ListView prints = ListOf(dialog, IDC_PICK_PRINTS);
    ListOf(dialog, IDC_PICK_ORDERS).Select(3);
    ASSERT_EQ(Texts(prints), (Ids{"51", "0", "53"}));
    for (const auto& row : rows) {
        for (int i = 0; i < 3; ++i) prints.SetSelected(i, row.selected[i]);
        EXPECT_EQ(dialog.m_printId, row.printId) << row.selected[0] << row.selected[1] << row.selected[2];
    }
    dialog.Destroy();
}

TEST_F(OrderPickers, InterruptListsOpenOrdersAndRetransmissionOnlyInterruptedOnes) {
    CDevInterruptPrintOrderDlg interrupt;
    ASSERT_NE(interrupt.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(Texts(ListOf(interrupt, IDC_PICK_ORDERS)), (Ids{"7", "8"}));
    EXPECT_EQ(interrupt.m_orderId, 7u);
    ListOf(interrupt, IDC_PICK_ORDERS).Select(1);
    EXPECT_EQ(interrupt.m_orderId, 8u);
    interrupt.Destroy();

    CDevStartRetransmissionDlg retransmission;
    ASSERT_NE(retransmission.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(Texts(ListOf(retransmission, IDC_PICK_SUSPENDED)), (Ids{"9"}));
    EXPECT_EQ(retransmission.m_suspendOrderId, 9u);
    retransmission.Destroy();
}

TEST_F(OrderPickers, AnEmptyRegistryGivesEmptyListsAndOrderZero) {
    vrx::TheOrderRegistry().Clear();
    CDevCancelPrintOrderDlg dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(ListOf(dialog, IDC_PICK_ORDERS).GetItemCount(), 0);
    EXPECT_EQ(ListOf(dialog, IDC_PICK_PRINTS).GetItemCount(), 0);
    EXPECT_EQ(dialog.m_orderId, 0u);
    EXPECT_EQ(dialog.m_printId, 0u);
    dialog.Destroy();
}

TEST_F(OrderPickers, ARetransmissionIntoTheSuspendedOrderItselfKeepsItsOrderAndPrints) {
    // The library accepts whatever it is given here, as a real one might.
    testing_support::TestFolder folder;
    testing_support::WriteFileText(folder.File("sim.ini"), "[ForcedResults]\r\nvrxDevStartRetransmission=1\r\n");
    SetEnvironmentVariableA("ZEMBRINSIM_INI", folder.File("sim.ini").c_str());
    ASSERT_EQ(::vrxLibOpen(nullptr), VRXERR_NORMAL);
    vrx::TheOrderRegistry().Find(7)->status = vrx::OrderStatus::Interrupted;
    CVrxClientDlg main;
    ASSERT_NE(main.CreateModeless(nullptr), nullptr);
    std::thread confirm([] {
        for (int i = 0; i < 500; ++i, Sleep(10)) {
            HWND dialog = FindWindowW(nullptr, L"vrxDevStartRetransmission");
            if (!dialog || !IsWindowVisible(dialog)) continue;
            SetDlgItemTextW(dialog, IDC_RESUME_ORDER_ID, L"7");  // the first interrupted order is the suspended one
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return;
        }
    });
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_DEV_START_RETRANSMISSION, BN_CLICKED), 0);
    confirm.join();
    const auto& trace = main.TraceWindow().List();
    ASSERT_GE(trace.GetCount(), 2) << "the call was made";
    EXPECT_NE(trace.GetText(trace.GetCount() - 1).find("[vrxDevStartRetransmission] return=VRXERR_NORMAL"),
              std::string::npos);
    const vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(7);
    ASSERT_NE(order, nullptr) << "the order stays";
    EXPECT_EQ(order->PrintCount(), 3);
    EXPECT_EQ(order->PrintAt(0)->printId, 71u);
    main.Destroy();
    ::vrxLibClose();
    SetEnvironmentVariableA("ZEMBRINSIM_INI", nullptr);
}
