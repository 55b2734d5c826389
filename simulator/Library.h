// One instance of the simulated printer library: the state behind the 46
// entry points. Every method has the entry point's name without the "vrx"
// prefix and its arguments, writes one journal line, and may be called
// from any thread. Callbacks run on the threads of the open printers
// (Device), never while the library's state is locked.
//
// Result codes: 1 success; 4 (REJECT2) a call in the wrong state (library
// not open, order already ended, nothing to end); 5 (BADPARAM) a bad
// argument or an unknown handle, order or print; 6 (SYSERR) a file or
// shared-memory buffer that cannot be opened or written; 7 (PRNERR) the
// printer cannot do it (error pending, unit not fitted); 10 (REJECT3) not
// allowed now (close from a callback, printer busy); 15 (REMAINING_DATA) a
// buffer too small for all records; 16 (TIMEOUT) no printer at an address.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Device.h"
#include "Journal.h"
#include "Platform.h"
#include "SimClock.h"
#include "SimSettings.h"
#include "VrxSdk.h"

namespace vrxsim {

class Call;

class Library {
public:
    explicit Library(std::shared_ptr<Platform> platform);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Replaces the platform; only between a close and the next open.
    void SetPlatform(std::shared_ptr<Platform> platform);

    // The entry points, declared from their one list without the "vrx" prefix.
#define VRX_DECLARE_METHOD(ret, name, params, args, method) ret method params;
    VRX_ENTRY_POINTS(VRX_DECLARE_METHOD)
#undef VRX_DECLARE_METHOD

    // Print status values of DevGetPrintStatus.
    enum PrintStatus : uint32_t { kWaiting = 0, kPrinting = 1, kFinished = 2, kCancelled = 3, kHalted = 4 };
    // Unit status of INFO_PRINTER (0x50000000) and dwPrinterStatus.
    enum PrinterStatus : int16_t { kReady = 1, kError = 2, kBusy = 3, kStopped = 4 };
    // Error code of the paper-end event of the scenario.
    static constexpr uint32_t kPaperEndCode = 3101;
    static constexpr uint32_t kDoorOpenCode = 1203;
    static constexpr uint32_t kBurstEventCode = 9000;
    // The event a printer sends as its connection goes (LateNotifications).
    static constexpr uint32_t kOfflineCode = 9100;

private:
    friend class Call;
    struct Step {
        bool eventEx;
        uint32_t status;
        uint32_t finishNum;
    };
    enum class JobState { Queued, Active, Done, Cancelled, Dropped };
    struct Job {
        uint32_t id = 0;
        uint32_t orderId = 0;
        HVRXPRINTER handle = 0;
        bool blank = false;
        uint32_t copies = 1;
        VRXCOMPLETIONPROC proc = nullptr;
        std::deque<Step> steps;
        JobState state = JobState::Queued;
        uint32_t printed = 0;
        uint32_t transmitMs = 0;
    };
    struct Order {
        uint32_t id = 0;
        HVRXPRINTER handle = 0;
        VRXCOMPLETIONPROC proc = nullptr;
        uint32_t priority = 0;
        bool ended = false, completed = false, cancelled = false, interrupted = false, retransmitted = false;
        bool retransmitting = false, sorted = false, express = false, duplex = false;
        std::vector<uint32_t> jobs;
    };
    struct ActiveEvent {
        VRXEVENTINFO info{};
        bool haltsPrinting = false;
    };
    struct Session {
        HVRXPRINTER handle = 0;
        const PrinterConfig* printer = nullptr;  // points into m_settings
        VRXEVENTPROC eventProc = nullptr;
        VRXUNITPROC unitProc = nullptr;
        VRXEVENTPROCEX eventExProc = nullptr;
        std::unique_ptr<Device> device;
        std::deque<uint32_t> queue;  // job ids in printing order
        bool paused = false;
        bool tickPending = false;
        bool fadBusy = false;
        int16_t printerStatus = kReady;
        std::map<uint32_t, ActiveEvent> events;  // by dwErrHandle
        uint32_t printsSinceEvent = 0;
        uint32_t lastOrderId = 0, lastPrintId = 0, lastTransmitMs = 0;
        uint32_t noticeSeq = 0;
        unsigned heldByCaller = 0;  // steps wait while a call delivers on its own thread
    };
    struct PrinterState {
        PrinterClock clock;
        uint32_t printed = 0;
        unsigned opens = 0;
    };

    std::shared_ptr<const SimSettings> Settings();
    void ApplySettings(std::shared_ptr<const SimSettings> settings);  // journal and warnings
    bool IsOpen() const;
    uint32_t Scaled(uint32_t ms) const;   // m_mu held
    Session* FindSession(HVRXPRINTER h);  // m_mu held
    PrinterState& StateOf(const Session& s);
    bool OnAnyDeviceThread();  // m_mu held
    std::unique_ptr<Device> MakeDevice();
    void Post(Session& s, uint32_t delayMs, std::function<void(Session&, Outbox&)> action);
    // The faults a call meets on its way in (Call's constructor; m_mu free).
    void EnterCall(const std::string& name, const FaultConfig& faults);
    // Delivers on the calling thread, m_mu free, so a callback may call in.
    void DeliverHere(const Outbox& out);
    uint32_t Search(Call& call, uint16_t* pPrinterNum, uint32_t dwWaitTime, bool second);
    uint32_t Handles(Call& call, HVRXPRINTER h, const std::function<uint32_t(Session&)>& body);
    uint32_t OrderCall(Call& call, HVRXPRINTER h, uint32_t orderId, const std::function<uint32_t(Session&, Order&)>& body);

    // Notification records (m_mu held).
    void FillBase(const Session& s, VRXCOMPLETIONINFO& info);
    void EmitUnit(Session& s, int32_t unitId, int16_t prev, int16_t now, Outbox& out);
    void SetPrinterStatus(Session& s, int16_t status, Outbox& out);
    void EmitEvent(Session& s, const VRXEVENTINFO& info, Outbox& out);
    void EmitPrintCompletion(Session& s, const Job& job, uint32_t status, uint32_t finishNum, Outbox& out);
    VRXEVENTINFO MakeEvent(Session& s, uint32_t code, const int32_t (&params)[4], const char* const (&texts)[4]);
    void EmitFarewell(Session& s, Outbox& out);
    void PostAfterOpen(Session& s);

    // Print progress (m_mu held).
    std::deque<Step> PlanSteps(uint32_t copies) const;
    Job* NextRunnable(Session& s);
    void ScheduleTick(Session& s);
    void Tick(Session& s, Outbox& out);
    void TakeStep(Session& s, Job& job, Outbox& out);
    void FinishJob(Session& s, Job& job, Outbox& out);
    void CheckOrder(Session& s, Order& order, Outbox& out);
    void CancelJobs(Session& s, const std::vector<uint32_t>& ids);
    void RaiseScenarioEvent(Session& s, uint32_t code, bool halts, Outbox& out);
    void StartBurst(Session& s);
    uint32_t AcceptJob(Call& call, Session& s, Order& order, Job job, uint32_t* pPrintID);

    std::mutex m_mu;
    std::shared_ptr<Platform> m_platform;
    std::shared_ptr<const SimSettings> m_settings;
    Journal m_journal;
    LibLog m_log;
    bool m_open = false;
    bool m_searched = false;
    std::vector<const PrinterConfig*> m_found;
    uint32_t m_completionMode = 7;
    uint32_t m_customMode = 0, m_connectMode = 0;
    std::string m_tempFolder;
    uint32_t m_nextOrderId = 1, m_nextPrintId = 1, m_nextErrHandle = 0x1001, m_nextEventId = 1;
    std::map<HVRXPRINTER, std::unique_ptr<Session>> m_sessions;
    std::map<uint32_t, PrinterState> m_printers;  // by address
    std::map<uint32_t, Order> m_orders;
    std::map<uint32_t, Job> m_jobs;
    std::unique_ptr<Device> m_late;  // delivers what comes after a vrxDevClose
};

// The instance behind the exported entry points (EntryPoints.cpp).
Library& Instance();
// Gives the instance another platform; for tests of the entry points.
void SetInstancePlatform(std::shared_ptr<Platform> platform);

}  // namespace vrxsim
