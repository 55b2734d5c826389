// Threads: no callback after close, calls from two threads at once, and a
// close that would wait on itself.
#include "SimTestSupport.h"

using namespace simtest;

namespace {

class Threading : public SimTest {};

}  // namespace

TEST_F(Threading, NoCallbackRunsAfterLibClose) {
    Open("[Burst]\nCount=50000\nThreads=4\nTrigger=open\nDelayMs=0\n");
    HVRXPRINTER h1 = OpenPrinter(Ip(127, 0, 0, 1));
    HVRXPRINTER h2 = OpenPrinter(Ip(127, 0, 0, 2));
    for (HVRXPRINTER h : {h1, h2}) {
        uint32_t order = StartOrder(h);
        for (int i = 0; i < 20; ++i) Print(h, order, 5);
    }
    // Close while callbacks are still streaming in from six threads.
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) { return got.size() > 1000; }));
    ASSERT_EQ(1u, vrxLibClose());
    Recorder::Get().SetSilent();
    size_t atClose = Recorder::Get().Snapshot().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(0, Recorder::Get().Violations());
    EXPECT_EQ(atClose, Recorder::Get().Snapshot().size());
}

TEST_F(Threading, NoCallbackRunsAfterDevClose) {
    Open("[Burst]\nCount=50000\nThreads=2\nTrigger=open\nDelayMs=0\n");
    HVRXPRINTER h = OpenPrinter();
    uint32_t order = StartOrder(h);
    for (int i = 0; i < 10; ++i) Print(h, order, 3);
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>& got) { return got.size() > 500; }));
    ASSERT_EQ(1u, vrxDevClose(h));
    Recorder::Get().SetSilent();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(0, Recorder::Get().Violations());
    uint32_t status = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevGetPrintStatus(h, 1, &status));
}

TEST_F(Threading, TwoThreadsPrintAtOnce) {
    Open();
    constexpr int kPrints = 25;
    std::vector<uint32_t> ids[2];
    uint32_t orders[2] = {};
    HVRXPRINTER handles[2] = {};
    VRXPRINTINFO info = FilePrint(2);
    auto work = [&](int t) {
        HVRXPRINTER h = 0;
        ASSERT_EQ(1u, vrxDevOpen(Ip(127, 0, 0, 1 + t), &h, OnEvent, OnUnit));
        handles[t] = h;
        uint32_t order = 0;
        ASSERT_EQ(1u, vrxDevStartOrderEx(h, &order, OnCompletion, 0, 0, 0, 0));
        orders[t] = order;
        for (int i = 0; i < kPrints; ++i) {
            VRXPRINTINFO mine = info;
            uint32_t id = 0;
            ASSERT_EQ(1u, vrxDevPrint(h, order, &id, OnCompletion, &mine));
            ids[t].push_back(id);
            VRXUNITINFO unit{};
            ASSERT_EQ(1u, vrxDevGetUnitInfo(h, &unit));
        }
        ASSERT_EQ(1u, vrxDevEndOrder(h, order));
    };
    std::thread a(work, 0), b(work, 1);
    a.join();
    b.join();
    ASSERT_NE(orders[0], orders[1]);
    ASSERT_TRUE(WaitOrder(orders[0]));
    ASSERT_TRUE(WaitOrder(orders[1]));

    auto got = Recorder::Get().Snapshot();
    std::set<uint32_t> all(ids[0].begin(), ids[0].end());
    all.insert(ids[1].begin(), ids[1].end());
    EXPECT_EQ(2u * kPrints, all.size()) << "print ids are unique across threads";
    for (int t = 0; t < 2; ++t) {
        // A printer prints in order: each print's reports come before the next one's.
        std::vector<uint32_t> seen;
        std::thread::id deliverer;
        for (const auto& g : got) {
            if (g.kind != Got::Completion || g.completion.hPrinter != handles[t] || g.code != COMPLETION_PRINT) continue;
            if (seen.empty() || seen.back() != g.completion.dwPrintId) seen.push_back(g.completion.dwPrintId);
            if (deliverer == std::thread::id()) deliverer = g.thread;
            EXPECT_EQ(deliverer, g.thread) << "one printer's completions come from one thread";
        }
        EXPECT_EQ(ids[t], seen);
        for (uint32_t id : ids[t]) {
            int finals = 0;
            for (const auto& g : PrintCompletions(got, id)) finals += g.completion.dwStatus == RESULT_OK ? 1 : 0;
            EXPECT_EQ(1, finals) << "print " << id;
        }
    }
}

TEST_F(Threading, CloseFromInsideACallbackIsRefused) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    static std::atomic<uint32_t> devClose{0}, libClose{0};
    static HVRXPRINTER handle;
    handle = h;
    devClose = libClose = 0;
    Recorder::Get().SetHook([](const Got& g) {
        if (g.kind == Got::Completion && g.code == COMPLETION_ORDER && devClose == 0) {
            devClose = vrxDevClose(handle);
            libClose = vrxLibClose();
        }
    });
    uint32_t order = StartOrder(h);
    ASSERT_EQ(1u, vrxDevEndOrder(h, order));
    ASSERT_TRUE(WaitOrder(order));
    ASSERT_TRUE(Recorder::Get().WaitFor([](const std::vector<Got>&) { return devClose != 0 && libClose != 0; }));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT3), devClose.load());
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT3), libClose.load());
    EXPECT_EQ(1u, vrxDevClose(h));
}
