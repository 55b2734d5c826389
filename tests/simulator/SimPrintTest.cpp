// Orders and prints: completion sequences, order completion, blank prints,
// cancelling, interrupt and retransmission, scenario events and their
// reset, and the raw commands answered later through callbacks.
#include "SimTestSupport.h"

using namespace simtest;

namespace {

class PrintFlow : public SimTest {};

// (status, dwFinishNum) of each print completion, and -1 for the extended
// event, in the order they arrived for that print.
std::vector<std::pair<int, uint32_t>> Sequence(const std::vector<Got>& got, uint32_t printId) {
    std::vector<std::pair<int, uint32_t>> seq;
    for (const auto& g : got) {
        if (g.kind == Got::Completion && g.code == COMPLETION_PRINT && g.completion.dwPrintId == printId) {
            seq.emplace_back(int(g.completion.dwStatus), g.completion.dwFinishNum);
        } else if (g.kind == Got::EventEx && g.eventEx.dwPrintId == printId) {
            seq.emplace_back(-1, g.eventEx.dwEventId == 0 ? 0u : 1u);
        }
    }
    return seq;
}

size_t IndexOf(const std::vector<Got>& got, const std::function<bool(const Got&)>& match) {
    for (size_t i = 0; i < got.size(); ++i) {
        if (match(got[i])) return i;
    }
    return got.size();
}

uint32_t Status(HVRXPRINTER h, uint32_t printId) {
    uint32_t status = 99;
    EXPECT_EQ(1u, vrxDevGetPrintStatus(h, printId, &status));
    return status;
}

}  // namespace

TEST_F(PrintFlow, FilePrintReportsLoadingTransferPrintedAndResult) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    ASSERT_EQ(1u, vrxSetCompletionProcMode(7));
    uint32_t order = StartOrder(h);
    uint32_t id = Print(h, order, 3);
    ASSERT_NE(0u, id);
    ASSERT_TRUE(WaitFinal(id));
    const std::vector<std::pair<int, uint32_t>> expected = {
        {31, 3}, {4, 1}, {4, 2}, {4, 3}, {-1, 1}, {40, 1}, {40, 2}, {40, 3}, {0, 3}};
    auto got = Recorder::Get().Snapshot();
    EXPECT_EQ(expected, Sequence(got, id));
    for (const auto& g : PrintCompletions(got, id)) {
        EXPECT_EQ(h, g.completion.hPrinter);
        EXPECT_EQ(Ip(127, 0, 0, 1), g.completion.dwIPAddress);
        EXPECT_GE(g.completion.sysTime.wYear, 2020);
    }
    EXPECT_EQ(Library::kFinished, Status(h, id));
    uint32_t transmitOrder = 0, transmitPrint = 0, time = 0;
    ASSERT_EQ(1u, vrxDevGetTransmitTime(h, &transmitOrder, &transmitPrint, &time));
    EXPECT_EQ(order, transmitOrder);
    EXPECT_EQ(id, transmitPrint);
    VRXPRINTNUMINFO counts{};
    ASSERT_EQ(1u, vrxDevGetPrintNumInfo(h, &counts));
    EXPECT_EQ(3u, counts.dwPrtNumber);
}

TEST_F(PrintFlow, CompletionModeChoosesTheProgressReports) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    ASSERT_EQ(1u, vrxSetCompletionProcMode(0));
    uint32_t id = Print(h, StartOrder(h), 2);
    ASSERT_TRUE(WaitFinal(id));
    const std::vector<std::pair<int, uint32_t>> expected = {{4, 2}, {-1, 1}, {0, 2}};
    EXPECT_EQ(expected, Sequence(Recorder::Get().Snapshot(), id));
}

TEST_F(PrintFlow, SharedMemoryPrintUsesTheNamedBuffer) {
    Open();
    m_platform->AddBuffer("VRXCLIENT_MAPPING_001", 4096);
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    VRXPRINTINFO info = FilePrint();
    info.dwSourceType = 0;
    info.pName = "VRXCLIENT_MAPPING_001";
    info.dwDataLength = 4000;
    uint32_t id = 0;
    ASSERT_EQ(1u, vrxDevPrint(h, order, &id, OnCompletion, &info));
    ASSERT_TRUE(WaitFinal(id));
    auto seq = Sequence(Recorder::Get().Snapshot(), id);
    ASSERT_FALSE(seq.empty());
    EXPECT_EQ(31, seq.front().first);
    EXPECT_EQ((std::pair<int, uint32_t>{0, 1}), seq.back());
    info.pName = "VRXCLIENT_MAPPING_002";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_SYSERR), vrxDevPrint(h, order, &id, OnCompletion, &info)) << "no such buffer";
}

TEST_F(PrintFlow, BadPrintRecordsGetAClearError) {
    Open();
    m_platform->AddBuffer("BUF", 100);
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    struct Case {
        const char* what;
        std::function<void(VRXPRINTINFO&)> change;
        uint32_t result;
    };
    const Case cases[] = {
        {"format 15", [](VRXPRINTINFO& p) { p.dwImageFormat = 15; }, VRXERR_BADPARAM},
        {"format 102", [](VRXPRINTINFO& p) { p.dwImageFormat = 102; }, VRXERR_BADPARAM},
        {"source type 2", [](VRXPRINTINFO& p) { p.dwSourceType = 2; }, VRXERR_BADPARAM},
        {"no name", [](VRXPRINTINFO& p) { p.pName = nullptr; }, VRXERR_BADPARAM},
        {"empty name", [](VRXPRINTINFO& p) { p.pName = ""; }, VRXERR_BADPARAM},
        {"no copies", [](VRXPRINTINFO& p) { p.dwPrintNum = 0; }, VRXERR_BADPARAM},
        {"1000 copies", [](VRXPRINTINFO& p) { p.dwPrintNum = 1000; }, VRXERR_BADPARAM},
        {"missing file", [](VRXPRINTINFO& p) { p.pName = "/nonexistent/image.jpg"; }, VRXERR_SYSERR},
        {"length past the file", [](VRXPRINTINFO& p) { p.dwDataLength = 1005; }, VRXERR_BADPARAM},
        {"offset past the file", [](VRXPRINTINFO& p) { p.dwDataLength = 0; p.dwOffset = 1004; }, VRXERR_BADPARAM},
        {"offset and length past", [](VRXPRINTINFO& p) { p.dwOffset = 1; }, VRXERR_BADPARAM},
        {"huge offset", [](VRXPRINTINFO& p) { p.dwOffset = 0xFFFFFFFF; }, VRXERR_BADPARAM},
        {"buffer too small", [](VRXPRINTINFO& p) { p.dwSourceType = 0; p.pName = "BUF"; p.dwDataLength = 101; }, VRXERR_BADPARAM},
        {"format 100 fits", [](VRXPRINTINFO& p) { p.dwImageFormat = 100; }, VRXERR_NORMAL},
        {"length 0 is the whole file", [](VRXPRINTINFO& p) { p.dwDataLength = 0; p.dwOffset = 4; }, VRXERR_NORMAL},
        {"buffer just fits", [](VRXPRINTINFO& p) { p.dwSourceType = 0; p.pName = "BUF"; p.dwDataLength = 100; }, VRXERR_NORMAL},
    };
    for (const auto& c : cases) {
        VRXPRINTINFO info = FilePrint();
        c.change(info);
        uint32_t id = 0;
        EXPECT_EQ(c.result, vrxDevPrint(h, order, &id, OnCompletion, &info)) << c.what;
        EXPECT_EQ(c.result == VRXERR_NORMAL, id != 0) << c.what;
    }
    VRXPRINTINFO info = FilePrint();
    uint32_t id = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevPrint(h, order, nullptr, OnCompletion, &info));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevPrint(h, order, &id, OnCompletion, nullptr));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevPrint(h, order + 100, &id, OnCompletion, &info)) << "unknown order";
    ASSERT_EQ(1u, vrxDevEndOrder(h, order));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevPrint(h, order, &id, OnCompletion, &info)) << "ended order";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevEndOrder(h, order)) << "ended twice";
}

TEST_F(PrintFlow, EndedOrderCompletesAfterItsLastPrint) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    uint32_t other = StartOrder(h);
    EXPECT_EQ(order + 1, other) << "order ids increase";
    uint32_t first = Print(h, order);
    uint32_t second = Print(h, order, 2);
    EXPECT_GT(second, first) << "print ids increase";
    ASSERT_TRUE(WaitFinal(second));
    EXPECT_FALSE(HasOrderCompletion(Recorder::Get().Snapshot(), order)) << "not ended yet";
    ASSERT_EQ(1u, vrxDevEndOrder(h, order));
    ASSERT_TRUE(WaitOrder(order));
    auto got = Recorder::Get().Snapshot();
    size_t orderAt = IndexOf(got, [order](const Got& g) { return g.code == COMPLETION_ORDER && g.completion.dwOrderId == order; });
    size_t lastPrint = IndexOf(got, [second](const Got& g) {
        return g.kind == Got::Completion && g.code == 0 && g.completion.dwPrintId == second && g.completion.dwStatus == 0;
    });
    EXPECT_LT(lastPrint, orderAt);
    EXPECT_EQ(static_cast<uint32_t>(RESULT_OK), got[orderAt].completion.dwStatus);
    EXPECT_EQ(h, got[orderAt].completion.hPrinter);

    // An order ended before its prints finish completes after them; an empty one at once.
    uint32_t third = Print(h, other);
    ASSERT_EQ(1u, vrxDevEndOrder(h, other));
    ASSERT_TRUE(WaitOrder(other));
    got = Recorder::Get().Snapshot();
    EXPECT_LT(IndexOf(got, [third](const Got& g) { return g.code == 0 && g.kind == Got::Completion && g.completion.dwPrintId == third && g.completion.dwStatus == 0; }),
              IndexOf(got, [other](const Got& g) { return g.code == COMPLETION_ORDER && g.completion.dwOrderId == other; }));
    uint32_t empty = StartOrder(h);
    ASSERT_EQ(1u, vrxDevEndOrder(h, empty));
    EXPECT_TRUE(WaitOrder(empty));
}

TEST_F(PrintFlow, BlankPrintsCompleteLikePrints) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    VRXBLANKPRINTINFO blank{};
    blank.dwResolution = 300;
    blank.dwPaperWidth = 1270;
    blank.dwPaperLength = 890;
    blank.dwPrintNum = 2;
    uint32_t id = 0;
    ASSERT_EQ(1u, vrxDevBlankPrint(h, order, &id, OnCompletion, &blank));
    ASSERT_TRUE(WaitFinal(id));
    auto seq = Sequence(Recorder::Get().Snapshot(), id);
    EXPECT_EQ((std::pair<int, uint32_t>{31, 2}), seq.front());
    EXPECT_EQ((std::pair<int, uint32_t>{0, 2}), seq.back());
    blank.dwPrintNum = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevBlankPrint(h, order, &id, OnCompletion, &blank));
    blank.dwPrintNum = 1;
    blank.dwPaperWidth = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevBlankPrint(h, order, &id, OnCompletion, &blank));
}

TEST_F(PrintFlow, CancelReportsStatusTwo) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    ASSERT_EQ(1u, vrxDevCtrlPrint(h, 0));  // stopped: prints wait
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_PRNERR), vrxDevIsReady(h));
    uint32_t order = StartOrder(h);
    uint32_t a = Print(h, order), b = Print(h, order), c = Print(h, order);
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT3), vrxDevCloseCheck(h)) << "prints under way";
    EXPECT_EQ(Library::kWaiting, Status(h, a));

    ASSERT_EQ(1u, vrxDevCancelPrintOrder(h, order, b));
    ASSERT_TRUE(WaitFinal(b));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevCancelPrintOrder(h, order, b)) << "already cancelled";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevCancelPrintOrder(h, order, 999)) << "not in this order";
    auto seq = Sequence(Recorder::Get().Snapshot(), b);
    ASSERT_EQ(1u, seq.size());
    EXPECT_EQ((std::pair<int, uint32_t>{2, 0}), seq[0]);
    EXPECT_EQ(Library::kCancelled, Status(h, b));

    ASSERT_EQ(1u, vrxDevCancelPrintOrder(h, order, 0));  // the whole order
    ASSERT_TRUE(WaitOrder(order));
    auto got = Recorder::Get().Snapshot();
    for (uint32_t id : {a, c}) {
        auto s = Sequence(got, id);
        ASSERT_EQ(1u, s.size());
        EXPECT_EQ(2, s[0].first);
    }
    for (const auto& g : got) {
        if (g.code == COMPLETION_ORDER) {
            EXPECT_EQ(static_cast<uint32_t>(RESULT_USER_CANCEL), g.completion.dwStatus);
        }
    }

    uint32_t o1 = StartOrder(h), o2 = StartOrder(h);
    uint32_t p1 = Print(h, o1), p2 = Print(h, o2);
    ASSERT_EQ(1u, vrxDevCancelPrintAll(h));
    ASSERT_TRUE(WaitOrder(o1));
    ASSERT_TRUE(WaitOrder(o2));
    got = Recorder::Get().Snapshot();
    EXPECT_EQ(2, Sequence(got, p1).at(0).first);
    EXPECT_EQ(2, Sequence(got, p2).at(0).first);
    EXPECT_EQ(1u, vrxDevCloseCheck(h));
}

TEST_F(PrintFlow, InterruptHaltsTheOrderUntilRetransmission) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    ASSERT_EQ(1u, vrxDevCtrlPrint(h, 0));
    uint32_t suspended = StartOrder(h);
    uint32_t a = Print(h, suspended), b = Print(h, suspended);
    VRXINTERRUPTORDERINFO info{};
    ASSERT_EQ(1u, vrxDevInterruptPrintOrder(h, suspended, &info));
    EXPECT_EQ(1u, info.wOrderState);
    EXPECT_EQ(0u, info.wMainSideState) << "no print of the order had finished";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevInterruptPrintOrder(h, suspended, &info)) << "already halted";
    uint32_t id = 0;
    VRXPRINTINFO more = FilePrint();
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT3), vrxDevPrint(h, suspended, &id, OnCompletion, &more));

    // Printing goes on past the halted order: a later order's print finishes.
    uint32_t resume = StartOrder(h);
    uint32_t other = StartOrder(h);
    uint32_t passer = Print(h, other);
    ASSERT_EQ(1u, vrxDevCtrlPrint(h, 1));
    ASSERT_TRUE(WaitFinal(passer));
    EXPECT_EQ(Library::kHalted, Status(h, a));
    EXPECT_EQ(Library::kHalted, Status(h, b));
    EXPECT_TRUE(Sequence(Recorder::Get().Snapshot(), a).empty());

    VRXINTERRUPTORDERINFO forged = info;
    forged.byReserved[0] ^= 0xFF;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevStartRetransmission(h, resume, &forged));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevStartRetransmission(h, suspended, &info)) << "onto itself";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevEndRetransmission(h, resume)) << "not started";
    ASSERT_EQ(1u, vrxDevStartRetransmission(h, resume, &info));
    EXPECT_EQ(Library::kCancelled, Status(h, a)) << "left for the console to send again";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevStartRetransmission(h, resume, &info)) << "used once";
    ASSERT_EQ(1u, vrxDevEndRetransmission(h, resume));

    uint32_t again = Print(h, resume);
    ASSERT_EQ(1u, vrxDevEndOrder(h, resume));
    ASSERT_TRUE(WaitOrder(resume));
    EXPECT_TRUE(HasFinal(Recorder::Get().Snapshot(), again));
    EXPECT_FALSE(HasOrderCompletion(Recorder::Get().Snapshot(), suspended));
}

TEST_F(PrintFlow, PaperEndHaltsPrintingUntilItsEventIsReset) {
    Open("[Scenario]\nPaperEndAfterPrints=1\n");
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    uint32_t first = Print(h, order);
    ASSERT_TRUE(WaitFinal(first));
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) {
        return IndexOf(got, [](const Got& g) { return g.kind == Got::Event; }) < got.size();
    }));
    auto got = Recorder::Get().Snapshot();
    const Got on = got[IndexOf(got, [](const Got& g) { return g.kind == Got::Event; })];
    EXPECT_EQ(1u, on.event.dwOnOff);
    EXPECT_EQ(Library::kPaperEndCode, on.event.dwErrCode);
    EXPECT_EQ(h, on.event.hPrinter);
    EXPECT_STREQ("PAPER END", on.event.szStrings[0]);
    EXPECT_NE(0u, on.event.dwErrHandle);

    uint32_t second = Print(h, order);
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_PRNERR), vrxDevIsReady(h));
    EXPECT_EQ(Library::kWaiting, Status(h, second)) << "held while the paper is out";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevResetEvent(h, on.event.dwErrHandle + 1, 1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevResetEvent(h, on.event.dwErrHandle, 5));
    ASSERT_EQ(1u, vrxDevResetEvent(h, on.event.dwErrHandle, 1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevResetEvent(h, on.event.dwErrHandle, 1)) << "already reset";
    ASSERT_TRUE(WaitFinal(second));
    got = Recorder::Get().Snapshot();
    size_t offAt = IndexOf(got, [&on](const Got& g) { return g.kind == Got::Event && g.event.dwOnOff == 0; });
    ASSERT_LT(offAt, got.size());
    EXPECT_EQ(on.event.dwErrHandle, got[offAt].event.dwErrHandle);
    EXPECT_EQ(h, got[offAt].event.hPrinter);
    EXPECT_LT(offAt, IndexOf(got, [second](const Got& g) { return g.kind == Got::Completion && g.completion.dwPrintId == second; }));
}

TEST_F(PrintFlow, OrderSteeringCallsCheckTheirOrder) {
    Open();
    HVRXPRINTER h1 = OpenPrinter(Ip(127, 0, 0, 1));  // no duplex, FAD fitted
    HVRXPRINTER h3 = OpenPrinter(Ip(127, 0, 0, 3));  // duplex, no FAD
    uint32_t o1 = StartOrder(h1), o3 = StartOrder(h3);
    EXPECT_EQ(1u, vrxDevSort(h1, o1));
    EXPECT_EQ(1u, vrxDevExpressOrder(h1, o1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevSort(h1, o3)) << "another printer's order";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_PRNERR), vrxDevStartDuplex(h1, o1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevEndDuplex(h3, o3));
    EXPECT_EQ(1u, vrxDevStartDuplex(h3, o3));
    EXPECT_EQ(1u, vrxDevEndDuplex(h3, o3));
    uint32_t fad = 99;
    EXPECT_EQ(1u, vrxDevStartFAD(h1, o1, "FAD1", &fad, 1, ""));
    EXPECT_EQ(0u, fad);
    // The FAD unit reports working, then idle again.
    EXPECT_TRUE(Recorder::Get().WaitFor([h1](const std::vector<Got>& got) {
        std::vector<std::pair<int, int>> fadChanges;
        for (const auto& g : got) {
            if (g.kind == Got::Unit && g.unit.hPrinter == h1 && g.unit.lUnitId == 0x70000000) {
                fadChanges.emplace_back(g.unit.nPrevStatus, g.unit.nStatus);
            }
        }
        return fadChanges == std::vector<std::pair<int, int>>{{1, 2}, {2, 1}};
    }));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_PRNERR), vrxDevStartFAD(h3, o3, "FAD1", &fad, 0, nullptr));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevStartFAD(h1, o1, "FAD1", &fad, 3, ""));
    EXPECT_EQ(1u, vrxDevAdjustForPrint(h1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevCtrlPrint(h1, 2));
    ASSERT_EQ(1u, vrxDevEndOrder(h1, o1));
    ASSERT_TRUE(WaitOrder(o1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxDevSort(h1, o1)) << "completed order";
}

TEST_F(PrintFlow, CommandOneAnswersInTheCall) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    uint8_t send[4] = {1, 2, 3, 4};
    std::vector<uint8_t> receive(65536, 0xEE);
    uint16_t length = 0xFFFF;
    ASSERT_EQ(1u, vrxDevVrxCommand1(h, 0x6000, 0x0100, 4, send, 0x0101, &length, receive.data(), 30000));
    ASSERT_EQ(32u, length);
    uint16_t head[4];
    memcpy(head, receive.data(), sizeof head);
    EXPECT_EQ(0x0101, head[0]);
    EXPECT_EQ(0x0100, head[1]);
    EXPECT_EQ(4, head[2]);
    EXPECT_EQ(10, head[3]);  // the sum of the bytes sent
    EXPECT_EQ(0xEE, receive[32]) << "nothing past the reply";
    length = 8;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REMAINING_DATA), vrxDevVrxCommand1(h, 0x6000, 0x0100, 4, send, 0x0101, &length, receive.data(), 30000));
    EXPECT_EQ(8u, length);
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevVrxCommand1(h, 0x6000, 0x0100, 4, nullptr, 0x0101, &length, receive.data(), 30000));
}

TEST_F(PrintFlow, CommandTwoAndNoticeAnswerOnlyAfterTheCallReturned) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    // As the console does: its lock is held across the call and the answer
    // callback takes the same lock. A library that answered inside the
    // call, or waited for the answer before returning, would never return.
    static std::mutex consoleLock;
    static std::atomic<bool> returned{false};
    static std::atomic<int> answeredBeforeReturn{0};
    returned = false;
    Recorder::Get().SetHook([](const Got& g) {
        if (g.kind != Got::Reply && g.kind != Got::Notice) return;
        std::lock_guard<std::mutex> lock(consoleLock);
        if (!returned) ++answeredBeforeReturn;
    });
    uint8_t send[4] = {};
    uint16_t length = 0xFFFF;
    {
        std::lock_guard<std::mutex> lock(consoleLock);
        ASSERT_EQ(1u, vrxDevVrxCommand2(h, 0x6000, 0x0100, 4, send, 0x0101, &length, OnReply, 30000));
        ASSERT_EQ(1u, vrxDevVrxNotice(h, 0x6000, 0xF102, OnNotice));
        returned = true;
    }
    EXPECT_EQ(32u, length);
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) {
        bool reply = false, notice = false;
        for (const auto& g : got) {
            reply = reply || g.kind == Got::Reply;
            notice = notice || g.kind == Got::Notice;
        }
        return reply && notice;
    }));
    EXPECT_EQ(0, answeredBeforeReturn.load());
    for (const auto& g : Recorder::Get().Snapshot()) {
        EXPECT_NE(std::this_thread::get_id(), g.thread);
        if (g.kind == Got::Reply) {
            EXPECT_EQ(h, g.values[0]);
            EXPECT_EQ(0x60000101u, g.values[1]);
            EXPECT_EQ(32u, g.values[3]);
        }
        if (g.kind == Got::Notice) {
            EXPECT_EQ(h, g.values[0]);
            EXPECT_EQ(0xF102u, g.values[2]);
        }
    }
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevVrxCommand2(h, 0x6000, 0x0100, 4, send, 0x0101, &length, nullptr, 1));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevVrxNotice(h, 0x6000, 0xF102, nullptr));
}
