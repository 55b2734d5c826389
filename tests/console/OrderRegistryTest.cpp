// The order registry: bounds, first-match rules, and that every stored print
// keeps a name of its own (ASan reports any pName left dangling).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "OrderRegistry.h"

using vrx::OrderEntry;
using vrx::OrderRegistry;
using vrx::PrintEntry;

namespace {

// A print whose submitted name lives in a caller buffer that dies with the call.
PrintEntry MakePrint(uint32_t orderId, uint32_t printId, const std::string& name) {
    auto callerName = std::make_unique<std::string>(name);
    VRXPRINTINFO info{};
    info.pName = callerName->c_str();
    info.dwPrintNum = printId + 100;
    PrintEntry print(orderId, info);
    print.printId = printId;
    return print;
}

OrderEntry MakeOrder(uint32_t orderId, uint32_t priority, std::initializer_list<uint32_t> printIds) {
    OrderEntry order(orderId, priority, 2, 3, 4);
    for (uint32_t id : printIds) order.AddPrint(MakePrint(orderId, id, "print" + std::to_string(id)));
    return order;
}

void ExpectOwnName(const PrintEntry& print, const char* expected) {
    EXPECT_STREQ(print.Name(), expected);
    EXPECT_EQ(print.PrintInfo().pName, print.Name());
    EXPECT_STREQ(print.PrintInfo().pName, expected);  // reads through pName: ASan checks it
}

}  // namespace

TEST(OrderRegistry, IndexOutsideTheListGivesNone) {
    OrderRegistry registry;
    EXPECT_EQ(registry.At(0), nullptr);
    registry.Add(MakeOrder(1, 0, {}));
    registry.Add(MakeOrder(2, 0, {}));
    ASSERT_EQ(registry.Count(), 2);
    for (int index : {-1, -2147483647 - 1, 2, 3}) EXPECT_EQ(registry.At(index), nullptr) << index;
    ASSERT_NE(registry.At(1), nullptr);
    EXPECT_EQ(registry.At(1)->dwOrderId, 2u);
    EXPECT_EQ(static_cast<const OrderRegistry&>(registry).At(-1), nullptr);
}

TEST(OrderRegistry, FindGivesNoneForUnknownIdsAndAfterClear) {
    OrderRegistry registry;
    EXPECT_EQ(registry.Find(0), nullptr);
    registry.Add(MakeOrder(5, 0, {1, 2}));
    EXPECT_EQ(registry.Find(6), nullptr);
    EXPECT_EQ(registry.Find(0), nullptr);
    ASSERT_NE(registry.Find(5), nullptr);
    registry.Clear();
    EXPECT_EQ(registry.Count(), 0);
    EXPECT_EQ(registry.Find(5), nullptr);
    EXPECT_EQ(registry.FindPrint(1), nullptr);
}

TEST(OrderRegistry, DuplicateIdsFindAndRemoveTheFirstAdded) {
    OrderRegistry registry;
    registry.Add(MakeOrder(9, 111, {}));
    registry.Add(MakeOrder(7, 0, {}));
    registry.Add(MakeOrder(9, 222, {}));
    ASSERT_NE(registry.Find(9), nullptr);
    EXPECT_EQ(registry.Find(9)->dwPriority, 111u);

    EXPECT_TRUE(registry.Remove(registry.Find(9)));
    EXPECT_EQ(registry.Count(), 2);
    ASSERT_NE(registry.Find(9), nullptr);
    EXPECT_EQ(registry.Find(9)->dwPriority, 222u);
    EXPECT_EQ(registry.At(0)->dwOrderId, 7u) << "order of the rest kept";

    OrderEntry notHeld = MakeOrder(7, 0, {});
    EXPECT_FALSE(registry.Remove(&notHeld));
    EXPECT_FALSE(registry.Remove(nullptr));
    EXPECT_EQ(registry.Count(), 2);
}

TEST(OrderRegistry, AddStoresACopyOfTheOrderAndItsPrints) {
    OrderRegistry registry;
    OrderEntry order = MakeOrder(3, 1, {10});
    order.status = vrx::OrderStatus::Interrupted;
    order.interruptInfo.wOrderState = 0x1234;
    OrderEntry* stored = registry.Add(order);
    ASSERT_NE(stored, &order);
    order.dwOrderId = 4;
    order.PrintAt(0)->done = true;
    order.PrintAt(0)->SetName("changed");

    EXPECT_EQ(stored->dwOrderId, 3u);
    EXPECT_EQ(stored->status, vrx::OrderStatus::Interrupted);
    EXPECT_EQ(stored->interruptInfo.wOrderState, 0x1234);
    ASSERT_EQ(stored->PrintCount(), 1);
    EXPECT_EQ(stored->PrintAt(0)->done, false);
    ExpectOwnName(*stored->PrintAt(0), "print10");
}

TEST(OrderEntry, PrintListBoundsDuplicatesAndRemoval) {
    OrderEntry order = MakeOrder(1, 0, {4, 5, 4});
    for (int index : {-1, 3}) EXPECT_EQ(order.PrintAt(index), nullptr) << index;
    EXPECT_EQ(order.FindPrint(6), nullptr);
    EXPECT_EQ(order.FindPrint(4), order.PrintAt(0));

    order.PrintAt(2)->SetName("second four");
    EXPECT_TRUE(order.RemovePrint(order.FindPrint(4)));
    ASSERT_EQ(order.PrintCount(), 2);
    EXPECT_STREQ(order.FindPrint(4)->Name(), "second four");

    PrintEntry notHeld = MakePrint(1, 5, "x");
    EXPECT_FALSE(order.RemovePrint(&notHeld));
    EXPECT_FALSE(order.RemovePrint(nullptr));
    EXPECT_EQ(order.PrintCount(), 2);
}

TEST(PrintEntry, CopyKeepsItsOwnNameAfterTheOriginalAndItsOrderAreGone) {
    OrderRegistry registry;
    registry.Add(MakeOrder(1, 0, {42}));
    PrintEntry copy = *registry.FindPrint(42);
    EXPECT_TRUE(registry.Remove(registry.Find(1)));
    ExpectOwnName(copy, "print42");
    EXPECT_EQ(copy.PrintInfo().dwPrintNum, 142u);
    EXPECT_EQ(copy.orderId, 1u);
}

TEST(PrintEntry, AssignmentSelfAssignmentAndMoveRepointTheName) {
    auto source = std::make_unique<PrintEntry>(MakePrint(1, 2, "source"));
    source->SetColorCommandPath("C:\\kolm.xml");
    source->mode = vrx::PrintMode::ColourCommand;
    source->priority = 7;
    source->done = true;

    PrintEntry assigned = MakePrint(9, 9, "old");
    assigned = *source;
    PrintEntry moved(std::move(*source));
    PrintEntry moveAssigned;
    moveAssigned = std::move(*source);
    source.reset();

    for (const PrintEntry* print : {&assigned, &moved, &moveAssigned}) {
        ExpectOwnName(*print, "source");
        EXPECT_STREQ(print->ColorCommandPath(), "C:\\kolm.xml");
        EXPECT_EQ(print->orderId, 1u);
        EXPECT_EQ(print->printId, 2u);
        EXPECT_EQ(print->mode, vrx::PrintMode::ColourCommand);
        EXPECT_EQ(print->priority, 7);
        EXPECT_EQ(print->done, true);
    }

    PrintEntry& alias = assigned;
    assigned = alias;
    ExpectOwnName(assigned, "source");
}

TEST(PrintEntry, NamesAndPathsAreCutAndNeverTakenAsFormats) {
    struct Case {
        std::string submitted;
        std::string kept;
    } cases[] = {
        {std::string(511, 'a'), std::string(511, 'a')},
        {std::string(512, 'b'), std::string(511, 'b')},
        {std::string(600, 'c'), std::string(511, 'c')},
        {"%s%n%d", "%s%n%d"},
        {"", ""},
    };
    for (const Case& c : cases) {
        PrintEntry print = MakePrint(1, 1, c.submitted);
        EXPECT_EQ(std::string(print.Name()), c.kept) << c.submitted.size();
        EXPECT_EQ(print.PrintInfo().pName, print.Name());
    }

    VRXPRINTINFO noName{};
    noName.dwImgWidth = 640;
    PrintEntry unnamed(1, noName);
    ExpectOwnName(unnamed, "");
    EXPECT_EQ(unnamed.PrintInfo().dwImgWidth, 640u);

    PrintEntry withPath;
    withPath.SetColorCommandPath(std::string(300, 'p').c_str());
    EXPECT_EQ(std::string(withPath.ColorCommandPath()), std::string(259, 'p'));
}

TEST(PrintEntry, RecordHandedBackToItselfKeepsTheName) {
    PrintEntry print = MakePrint(1, 1, "own record");
    print.SetPrintInfo(print.PrintInfo());
    ExpectOwnName(print, "own record");
    print.SetName(print.Name() + 4);  // overlapping tail of its own text
    ExpectOwnName(print, "record");

    VRXPRINTINFO foreign{};
    foreign.pName = "elsewhere";
    print.PrintInfo() = foreign;  // whole record assigned through the reference
    EXPECT_EQ(print.PrintInfo().pName, print.Name()) << "re-pointed on the next access";
}

TEST(OrderEntry, DeepCopyAssignmentAndMoveOwnTheirPrints) {
    auto original = std::make_unique<OrderEntry>(MakeOrder(8, 5, {1, 2, 3}));
    original->status = vrx::OrderStatus::Interrupted;
    OrderEntry copy(*original);
    OrderEntry assigned = MakeOrder(99, 0, {77});
    assigned = *original;
    OrderEntry moved(MakeOrder(0, 0, {}));
    moved = OrderEntry(*original);

    original->PrintAt(0)->done = true;
    original->RemovePrint(original->PrintAt(1));
    original.reset();

    for (const OrderEntry* order : {&copy, &assigned, &moved}) {
        EXPECT_EQ(order->dwOrderId, 8u);
        EXPECT_EQ(order->dwPriority, 5u);
        EXPECT_EQ(order->dwSorterNum, 2u);
        EXPECT_EQ(order->dwSortFrame, 3u);
        EXPECT_EQ(order->dwExOptions, 4u);
        EXPECT_EQ(order->status, vrx::OrderStatus::Interrupted);
        ASSERT_EQ(order->PrintCount(), 3);
        EXPECT_EQ(order->PrintAt(0)->done, false);
        for (int i = 0; i < 3; ++i)
            ExpectOwnName(*order->PrintAt(i), ("print" + std::to_string(i + 1)).c_str());
    }
    EXPECT_EQ(assigned.FindPrint(77), nullptr) << "assignment drops the old prints";
    EXPECT_NE(copy.PrintAt(0), assigned.PrintAt(0));

    OrderEntry& alias = copy;
    copy = alias;
    ASSERT_EQ(copy.PrintCount(), 3);
    ExpectOwnName(*copy.PrintAt(2), "print3");
}

TEST(OrderRegistry, PrintSearchStopsAtTheFirstOrderHoldingTheId) {
    OrderRegistry registry;
    registry.Add(MakeOrder(1, 0, {}));
    registry.Add(MakeOrder(2, 0, {5, 7, 7}));
    registry.Add(MakeOrder(3, 0, {7}));
    registry.At(1)->PrintAt(2)->SetName("later in order 2");

    PrintEntry* found = registry.FindPrint(7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, registry.At(1)->PrintAt(1));
    EXPECT_EQ(registry.FindPrint(8), nullptr);

    registry.Remove(registry.Find(2));
    found = registry.FindPrint(7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->orderId, 3u);
}

TEST(OrderRegistry, MovedPrintsJoinTheEndOfTheResumeOrder) {
    OrderRegistry registry;
    OrderEntry* resume = registry.Add(MakeOrder(20, 0, {1}));
    OrderEntry* suspended = registry.Add(MakeOrder(10, 0, {2, 3}));
    suspended->PrintAt(0)->done = true;

    ASSERT_TRUE(registry.MovePrintsAndRemove(suspended, resume));
    EXPECT_EQ(registry.Count(), 1);
    EXPECT_EQ(registry.Find(10), nullptr);
    ASSERT_EQ(resume->PrintCount(), 3);
    const uint32_t expectedIds[] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(resume->PrintAt(i)->printId, expectedIds[i]);
        EXPECT_EQ(resume->PrintAt(i)->orderId, 20u);
    }
    EXPECT_EQ(resume->PrintAt(1)->done, true);
    ExpectOwnName(*resume->PrintAt(2), "print3");
}

TEST(OrderRegistry, MoveRefusesTheSameOrderAndOrdersNotHeld) {
    OrderRegistry registry;
    OrderEntry* order = registry.Add(MakeOrder(1, 0, {1, 2}));
    OrderEntry outside = MakeOrder(2, 0, {3});

    EXPECT_FALSE(registry.MovePrintsAndRemove(order, order));
    EXPECT_FALSE(registry.MovePrintsAndRemove(&outside, order));
    EXPECT_FALSE(registry.MovePrintsAndRemove(order, &outside));
    EXPECT_FALSE(registry.MovePrintsAndRemove(nullptr, order));
    EXPECT_EQ(registry.Count(), 1);
    EXPECT_EQ(order->PrintCount(), 2);
    EXPECT_EQ(outside.PrintCount(), 1);
}
