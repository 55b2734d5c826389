// Orders and prints: acceptance checks, the steps a print goes through on
// the printer's thread, cancelling, interrupting and retransmission.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "Call.h"
#include "Library.h"
#include "Records.h"

namespace vrxsim {

namespace {
// Completion mode bits (vrxSetCompletionProcMode): which progress
// completions a print reports besides its last transfer and its result.
constexpr uint32_t kModeLoadingCount = 0x1;
constexpr uint32_t kModePrintedCount = 0x2;
constexpr uint32_t kModeTransferSteps = 0x4;
constexpr uint32_t kMaxCopies = 999;

// FNV-1a over the image bytes a print would send.
uint32_t Fnv1a(const uint8_t* data, size_t length) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; ++i) hash = (hash ^ data[i]) * 16777619u;
    return hash;
}
constexpr uint16_t kEventCodePrinted = 0x0A01;
// Marks interrupt records this library filled, in their untraced tail.
constexpr uint8_t kInterruptMagic[4] = {'Z', 'S', 'I', 'M'};

// At most eight progress points, the last one the whole count.
std::vector<uint32_t> Checkpoints(uint32_t copies) {
    std::vector<uint32_t> points;
    uint32_t steps = std::min<uint32_t>(copies, 8);
    for (uint32_t i = 1; i <= steps; ++i) points.push_back(static_cast<uint32_t>((uint64_t(i) * copies + steps - 1) / steps));
    return points;
}

bool IsExpressPriority(uint32_t priority) { return priority == 1 || priority >= 0xFFFFFFFCu; }
}  // namespace

std::deque<Library::Step> Library::PlanSteps(uint32_t copies) const {
    std::deque<Step> steps;
    std::vector<uint32_t> points = Checkpoints(copies);
    if (m_completionMode & kModeLoadingCount) steps.push_back({false, RESULT_LOADING_COUNT, copies});
    if (m_completionMode & kModeTransferSteps) {
        for (size_t i = 0; i + 1 < points.size(); ++i) steps.push_back({false, RESULT_TRANSFER, points[i]});
    }
    steps.push_back({false, RESULT_TRANSFER, copies});
    steps.push_back({true, 0, 0});
    if (m_completionMode & kModePrintedCount) {
        for (uint32_t k : points) steps.push_back({false, RESULT_PRINTED_COUNT, k});
    }
    steps.push_back({false, RESULT_OK, copies});
    return steps;
}

Library::Job* Library::NextRunnable(Session& s) {
    while (!s.queue.empty()) {
        auto it = m_jobs.find(s.queue.front());
        if (it != m_jobs.end() && (it->second.state == JobState::Queued || it->second.state == JobState::Active)) break;
        s.queue.pop_front();  // finished, cancelled or dropped
    }
    for (uint32_t id : s.queue) {
        auto it = m_jobs.find(id);
        if (it == m_jobs.end()) continue;
        Job& job = it->second;
        if (job.state != JobState::Queued && job.state != JobState::Active) continue;
        auto order = m_orders.find(job.orderId);
        if (order != m_orders.end() && order->second.interrupted) continue;  // halted until retransmitted
        return &job;
    }
    return nullptr;
}

void Library::ScheduleTick(Session& s) {
    if (s.tickPending || s.paused || s.heldByCaller > 0) return;
    for (const auto& e : s.events) {
        if (e.second.haltsPrinting) return;
    }
    if (!NextRunnable(s)) return;
    s.tickPending = true;
    Post(s, m_settings->timing.stepMs, [this](Session& cur, Outbox& out) { Tick(cur, out); });
}

void Library::EmitPrintCompletion(Session& s, const Job& job, uint32_t status, uint32_t finishNum, Outbox& out) {
    if (!job.proc) return;
    VRXCOMPLETIONINFO info{};
    FillBase(s, info);
    info.dwPrintId = job.id;
    info.dwStatus = status;
    info.dwFinishNum = finishNum;
    out.push_back(Notification::ForCompletion(job.proc, COMPLETION_PRINT, info));
}

void Library::Tick(Session& s, Outbox& out) {
    s.tickPending = false;
    if (s.paused || s.heldByCaller > 0) return;
    for (const auto& e : s.events) {
        if (e.second.haltsPrinting) return;
    }
    Job* job = NextRunnable(s);
    if (!job) {
        SetPrinterStatus(s, kReady, out);
        return;
    }
    if (job->state == JobState::Queued) {
        job->state = JobState::Active;
        SetPrinterStatus(s, kBusy, out);
    }
    TakeStep(s, *job, out);
    ScheduleTick(s);
    if (!s.tickPending && !NextRunnable(s)) {
        bool halted = false;
        for (const auto& e : s.events) halted = halted || e.second.haltsPrinting;
        if (!halted) SetPrinterStatus(s, kReady, out);
    }
}

void Library::TakeStep(Session& s, Job& job, Outbox& out) {
    Step step = job.steps.front();
    job.steps.pop_front();
    if (step.eventEx) {
        if (s.eventExProc) {
            VRXEVENTEXINFO info{};
            info.dwPrintId = job.id;
            info.dwEventId = m_nextEventId++;
            info.wEventCodeMain = kEventCodePrinted;
            out.push_back(Notification::ForEventEx(s.eventExProc, info));
        }
    } else {
        if (step.status == RESULT_PRINTED_COUNT) job.printed = step.finishNum;
        if (step.status == RESULT_TRANSFER && step.finishNum == job.copies) {
            s.lastOrderId = job.orderId;
            s.lastPrintId = job.id;
            s.lastTransmitMs = job.transmitMs;
        }
        EmitPrintCompletion(s, job, step.status, step.finishNum, out);
    }
    if (job.steps.empty()) FinishJob(s, job, out);
}

void Library::FinishJob(Session& s, Job& job, Outbox& out) {
    job.state = JobState::Done;
    job.printed = job.copies;
    StateOf(s).printed += job.copies;
    for (uint32_t code : m_settings->faults.extraCompletionCodes) {
        if (!job.proc) break;
        VRXCOMPLETIONINFO info{};
        FillBase(s, info);
        info.dwPrintId = job.id;
        info.dwStatus = RESULT_OK;
        info.dwFinishNum = job.copies;
        out.push_back(Notification::ForCompletion(job.proc, code, info));
    }
    uint32_t after = m_settings->scenario.paperEndAfterPrints;
    if (after > 0 && ++s.printsSinceEvent >= after) {
        s.printsSinceEvent = 0;
        RaiseScenarioEvent(s, kPaperEndCode, true, out);
    }
    auto order = m_orders.find(job.orderId);
    if (order != m_orders.end()) CheckOrder(s, order->second, out);
}

void Library::CheckOrder(Session& s, Order& order, Outbox& out) {
    if (order.completed || !order.ended || order.interrupted) return;
    for (uint32_t id : order.jobs) {
        auto it = m_jobs.find(id);
        if (it != m_jobs.end() && (it->second.state == JobState::Queued || it->second.state == JobState::Active)) return;
    }
    order.completed = true;
    if (!order.proc) return;
    VRXCOMPLETIONINFO info{};
    FillBase(s, info);
    info.dwOrderId = order.id;
    info.dwStatus = order.cancelled ? RESULT_USER_CANCEL : RESULT_OK;
    out.push_back(Notification::ForCompletion(order.proc, COMPLETION_ORDER, info));
}

void Library::CancelJobs(Session& s, const std::vector<uint32_t>& ids) {
    std::set<uint32_t> orders;
    for (uint32_t id : ids) {
        auto it = m_jobs.find(id);
        if (it == m_jobs.end()) continue;
        it->second.state = JobState::Cancelled;
        it->second.steps.clear();
        orders.insert(it->second.orderId);
    }
    // Reported from the printer's thread, after whatever it already said
    // about these prints.
    Post(s, 0, [this, ids, orders](Session& cur, Outbox& out) {
        for (uint32_t id : ids) {
            auto it = m_jobs.find(id);
            if (it != m_jobs.end()) EmitPrintCompletion(cur, it->second, RESULT_USER_CANCEL, it->second.printed, out);
        }
        for (uint32_t orderId : orders) {
            auto it = m_orders.find(orderId);
            if (it != m_orders.end()) CheckOrder(cur, it->second, out);
        }
        ScheduleTick(cur);
    });
}

uint32_t Library::AcceptJob(Call& call, Session& s, Order& order, Job job, uint32_t* pPrintID) {
    job.id = m_nextPrintId++;
    job.orderId = order.id;
    job.handle = s.handle;
    job.steps = PlanSteps(job.copies);
    *pPrintID = job.id;
    uint32_t id = job.id;
    m_jobs[id] = std::move(job);
    order.jobs.push_back(id);
    auto pos = s.queue.end();
    if (order.express) {
        // Ahead of every waiting print of an ordinary order.
        pos = std::find_if(s.queue.begin(), s.queue.end(), [this](uint32_t other) {
            auto it = m_jobs.find(other);
            if (it == m_jobs.end() || it->second.state != JobState::Queued) return false;
            auto o = m_orders.find(it->second.orderId);
            return o == m_orders.end() || !o->second.express;
        });
    }
    s.queue.insert(pos, id);
    if (call.Settings().faults.callerThreadCallbacks) {
        // The print's first step (its first completion) from inside the
        // call; the printer goes on only once it has been delivered.
        Outbox first;
        TakeStep(s, m_jobs[id], first);
        ++s.heldByCaller;
        HVRXPRINTER h = s.handle;
        call.AfterReturn([this, first, h] {
            DeliverHere(first);
            std::lock_guard<std::mutex> lock(m_mu);
            if (Session* cur = FindSession(h)) {
                --cur->heldByCaller;
                ScheduleTick(*cur);
            }
        });
    }
    ScheduleTick(s);
    return VRXERR_NORMAL;
}

// ---- Entry points ----------------------------------------------------------

uint32_t Library::DevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc,
                                  uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions) {
    Call call(*this, "vrxDevStartOrderEx");
    call.Hex("hPrinter", hPrinter).Ptr("pdwOrderId", pdwOrderId).Proc("pEventProc", pEventProc)
        .Dec("dwPriority", dwPriority).Dec("dwSorterNum", dwSorterNum).Dec("dwSortFrame", dwSortFrame)
        .Dec("dwExOptions", dwExOptions);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pdwOrderId) return VRXERR_BADPARAM;
        Order order;
        order.id = m_nextOrderId++;
        order.handle = s.handle;
        order.proc = pEventProc;
        order.priority = dwPriority;
        order.express = IsExpressPriority(dwPriority);
        m_orders[order.id] = order;
        *pdwOrderId = order.id;
        call.Out("*pdwOrderId", Hex32(order.id));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevEndOrder");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (order.ended || order.completed) return VRXERR_REJECT2;
        order.ended = true;
        uint32_t id = order.id;
        Post(s, 0, [this, id](Session& cur, Outbox& out) {
            auto it = m_orders.find(id);
            if (it != m_orders.end()) CheckOrder(cur, it->second, out);
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,
                           VRXPRINTINFO* pPrintInfo) {
    Call call(*this, "vrxDevPrint");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Ptr("pPrintID", pPrintID).Proc("pEventProc", pEventProc)
        .Arg("pPrintInfo", RecordText(vrx::kPrintInfoRecord, pPrintInfo));
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (!pPrintID || !pPrintInfo) return VRXERR_BADPARAM;
        if (order.ended || order.completed) return VRXERR_REJECT2;
        if (order.interrupted) return VRXERR_REJECT3;
        const VRXPRINTINFO& info = *pPrintInfo;
        if (!IsKnownImageFormat(info.dwImageFormat) || info.dwSourceType > 1) return VRXERR_BADPARAM;
        if (!info.pName || !*info.pName) return VRXERR_BADPARAM;
        if (info.dwPrintNum == 0 || info.dwPrintNum > kMaxCopies) return VRXERR_BADPARAM;
        std::vector<uint8_t> image;
        if (info.dwSourceType == 1) {
            std::ifstream file(info.pName, std::ios::binary);
            if (!file) return VRXERR_SYSERR;
            image.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        } else if (!m_platform || !m_platform->ReadImageBuffer(info.pName, image)) {
            return VRXERR_SYSERR;
        }
        const uint64_t size = image.size();
        // Length 0 means the rest of the image after the offset.
        uint64_t length = info.dwDataLength != 0 ? info.dwDataLength : (size > info.dwOffset ? size - info.dwOffset : 0);
        if (length == 0 || uint64_t(info.dwOffset) + length > size) return VRXERR_BADPARAM;
        // What the printer would receive, for a caller to compare with its file.
        call.Out("imageBytes", std::to_string(length))
            .Out("imageSum", Hex32(Fnv1a(image.data() + info.dwOffset, static_cast<size_t>(length))));
        Job job;
        job.copies = info.dwPrintNum;
        job.proc = pEventProc;
        job.transmitMs = static_cast<uint32_t>(std::max<uint64_t>(1, length / 10000));  // about 10 MB/s
        uint32_t result = AcceptJob(call, s, order, std::move(job), pPrintID);
        call.Out("*pPrintID", std::to_string(*pPrintID));
        return result;
    });
}

uint32_t Library::DevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                                VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo) {
    Call call(*this, "vrxDevBlankPrint");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Ptr("pPrintID", pPrintID).Proc("pEventProc", pEventProc)
        .Arg("pBlankPrintInfo", RecordText(vrx::kBlankPrintInfoRecord, pBlankPrintInfo));
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (!pPrintID || !pBlankPrintInfo) return VRXERR_BADPARAM;
        if (order.ended || order.completed) return VRXERR_REJECT2;
        if (order.interrupted) return VRXERR_REJECT3;
        const VRXBLANKPRINTINFO& info = *pBlankPrintInfo;
        if (info.dwPrintNum == 0 || info.dwPrintNum > kMaxCopies || info.dwResolution == 0 || info.dwPaperWidth == 0 ||
            info.dwPaperLength == 0) {
            return VRXERR_BADPARAM;
        }
        Job job;
        job.blank = true;
        job.copies = info.dwPrintNum;
        job.proc = pEventProc;
        job.transmitMs = 1;
        uint32_t result = AcceptJob(call, s, order, std::move(job), pPrintID);
        call.Out("*pPrintID", std::to_string(*pPrintID));
        return result;
    });
}

uint32_t Library::DevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevSort");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session&, Order& order) -> uint32_t {
        if (order.completed) return VRXERR_REJECT2;
        order.sorted = true;
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevExpressOrder");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (order.completed) return VRXERR_REJECT2;
        order.express = true;
        // Its waiting prints move ahead of every other waiting print.
        std::stable_partition(s.queue.begin(), s.queue.end(), [this, &order](uint32_t id) {
            auto it = m_jobs.find(id);
            if (it == m_jobs.end()) return false;
            return it->second.state == JobState::Active ||
                   (it->second.state == JobState::Queued && it->second.orderId == order.id);
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevStartDuplex");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (!s.printer->duplex) return VRXERR_PRNERR;
        if (order.completed || order.duplex) return VRXERR_REJECT2;
        order.duplex = true;
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevEndDuplex");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session&, Order& order) -> uint32_t {
        if (!order.duplex) return VRXERR_REJECT2;
        order.duplex = false;
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID) {
    Call call(*this, "vrxDevCancelPrintOrder");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Dec("dwPrintID", dwPrintID);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (order.completed) return VRXERR_REJECT2;
        std::vector<uint32_t> ids;
        for (uint32_t id : order.jobs) {
            const Job& job = m_jobs[id];
            bool open = job.state == JobState::Queued || job.state == JobState::Active;
            if (dwPrintID == 0 ? open : id == dwPrintID) {
                if (!open) return VRXERR_REJECT2;  // that print is already over
                ids.push_back(id);
            }
        }
        if (dwPrintID != 0 && ids.empty()) return VRXERR_BADPARAM;  // not a print of this order
        if (dwPrintID == 0) {
            // Print id 0 cancels the whole order, which then completes.
            order.cancelled = true;
            order.ended = true;
            order.interrupted = false;
        }
        CancelJobs(s, ids);
        call.Out("cancelled", std::to_string(ids.size()));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevCancelPrintAll(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevCancelPrintAll");
    call.Hex("hPrinter", hPrinter);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        std::vector<uint32_t> ids;
        for (auto& entry : m_orders) {
            Order& order = entry.second;
            if (order.handle != s.handle || order.completed) continue;
            order.cancelled = true;
            order.ended = true;
            order.interrupted = false;
            for (uint32_t id : order.jobs) {
                const Job& job = m_jobs[id];
                if (job.state == JobState::Queued || job.state == JobState::Active) ids.push_back(id);
            }
        }
        CancelJobs(s, ids);
        call.Out("cancelled", std::to_string(ids.size()));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus) {
    Call call(*this, "vrxDevGetPrintStatus");
    call.Hex("hPrinter", hPrinter).Dec("dwPrintID", dwPrintID).Ptr("pPrintStatus", pPrintStatus);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pPrintStatus) return VRXERR_BADPARAM;
        auto it = m_jobs.find(dwPrintID);
        if (it == m_jobs.end() || it->second.handle != s.handle) return VRXERR_BADPARAM;
        const Job& job = it->second;
        auto order = m_orders.find(job.orderId);
        bool halted = order != m_orders.end() && order->second.interrupted;
        uint32_t status = kWaiting;
        switch (job.state) {
            case JobState::Queued: status = halted ? kHalted : kWaiting; break;
            case JobState::Active: status = halted ? kHalted : kPrinting; break;
            case JobState::Done: status = kFinished; break;
            case JobState::Cancelled:
            case JobState::Dropped: status = kCancelled; break;
        }
        *pPrintStatus = status;
        call.Out("*pPrintStatus", std::to_string(status));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInfo) {
    Call call(*this, "vrxDevInterruptPrintOrder");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Ptr("pInterruptOrderInfo", pInfo);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (!pInfo) return VRXERR_BADPARAM;
        if (order.completed || order.interrupted) return VRXERR_REJECT2;
        order.interrupted = true;
        uint16_t finished = 0;
        for (uint32_t id : order.jobs) finished += m_jobs[id].state == JobState::Done ? 1 : 0;
        std::memset(pInfo, 0, sizeof *pInfo);
        pInfo->wOrderState = 1;  // interrupted
        pInfo->wMainSideState = finished;
        pInfo->wBackSideState = order.duplex ? 1 : 0;
        pInfo->wPrintSide = 0;
        std::memcpy(pInfo->byReserved, kInterruptMagic, 4);
        std::memcpy(pInfo->byReserved + 4, &order.id, 4);
        std::memcpy(pInfo->byReserved + 8, &s.handle, 4);
        call.Out("pInterruptOrderInfo", RecordText(vrx::kInterruptOrderRecord, pInfo));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInfo) {
    Call call(*this, "vrxDevStartRetransmission");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Arg("pInterruptOrderInfo", RecordText(vrx::kInterruptOrderRecord, pInfo));
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& resume) -> uint32_t {
        if (!pInfo || std::memcmp(pInfo->byReserved, kInterruptMagic, 4) != 0 || pInfo->wOrderState != 1) {
            return VRXERR_BADPARAM;  // not a record this library filled
        }
        uint32_t suspendedId;
        std::memcpy(&suspendedId, pInfo->byReserved + 4, 4);
        call.Out("suspendedOrderId", Hex32(suspendedId));
        auto it = m_orders.find(suspendedId);
        if (it == m_orders.end() || it->second.handle != s.handle || !it->second.interrupted) return VRXERR_BADPARAM;
        if (suspendedId == resume.id) return VRXERR_BADPARAM;
        if (resume.ended || resume.completed || resume.interrupted) return VRXERR_REJECT2;
        Order& suspended = it->second;
        // Its unfinished prints are dropped without completions: the console
        // sends them again to the resuming order.
        for (uint32_t id : suspended.jobs) {
            Job& job = m_jobs[id];
            if (job.state == JobState::Queued || job.state == JobState::Active) {
                job.state = JobState::Dropped;
                job.steps.clear();
            }
        }
        suspended.interrupted = false;
        suspended.retransmitted = true;
        suspended.completed = true;
        resume.retransmitting = true;
        ScheduleTick(s);
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    Call call(*this, "vrxDevEndRetransmission");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId);
    return OrderCall(call, hPrinter, dwOrderId, [&](Session&, Order& order) -> uint32_t {
        if (!order.retransmitting) return VRXERR_REJECT2;
        order.retransmitting = false;
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult,
                              uint16_t wFadOut, const char* lpFadFileName) {
    Call call(*this, "vrxDevStartFAD");
    call.Hex("hPrinter", hPrinter).Hex("dwOrderId", dwOrderId).Arg("lpOrderKey", QuotedText(lpOrderKey))
        .Ptr("lpdwResult", lpdwResult).Dec("wFadOut", wFadOut).Arg("lpFadFileName", QuotedText(lpFadFileName));
    return OrderCall(call, hPrinter, dwOrderId, [&](Session& s, Order& order) -> uint32_t {
        if (!lpdwResult || !lpOrderKey || wFadOut > 2) return VRXERR_BADPARAM;
        if (!s.printer->fad) {
            *lpdwResult = 0x00000101;  // no FAD unit fitted
            call.Out("*lpdwResult", Hex32(*lpdwResult));
            return VRXERR_PRNERR;
        }
        if (order.completed) return VRXERR_REJECT2;
        if (s.fadBusy) return VRXERR_REJECT3;
        s.fadBusy = true;
        *lpdwResult = 0;
        call.Out("*lpdwResult", Hex32(*lpdwResult));
        constexpr int32_t kInfoFad = 0x70000000;
        Post(s, 0, [this](Session& cur, Outbox& out) { EmitUnit(cur, kInfoFad, 1, 2, out); });
        Post(s, m_settings->timing.stepMs * 4, [this](Session& cur, Outbox& out) {
            cur.fadBusy = false;
            EmitUnit(cur, kInfoFad, 2, 1, out);
        });
        return VRXERR_NORMAL;
    });
}

}  // namespace vrxsim
