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

    uint32_t LibOpen(const char* lpLogFileName);
    uint32_t LibClose();
    uint32_t GetVrxVersion(uint16_t* pVrxVersion);
    uint32_t SetCompletionProcMode(uint32_t dwMode);
    void SetCustomMode(uint32_t dwMode);
    void SetTempFolder(const char* lpFolder);
    void SetConnectMode(uint32_t dwMode);

    uint32_t SearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime);
    uint32_t SearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime);
    uint32_t GetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo);

    uint32_t DevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc, VRXUNITPROC pUnitProc);
    uint32_t DevClose(HVRXPRINTER hPrinter);
    uint32_t DevCloseCheck(HVRXPRINTER hPrinter);
    uint32_t DevIsReady(HVRXPRINTER hPrinter);
    uint32_t DevOccupyCheck(HVRXPRINTER hPrinter);
    uint32_t DevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo);
    uint32_t DevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize);
    uint32_t DevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize);
    uint32_t DevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo);
    uint32_t DevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo);
    uint32_t DevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime);
    uint32_t DevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime);
    uint32_t DevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo);
    uint32_t DevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId);
    uint32_t DevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl);
    uint32_t DevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime);

    uint32_t DevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc,
                             uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions);
    uint32_t DevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,
                      VRXPRINTINFO* pPrintInfo);
    uint32_t DevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,
                           VRXBLANKPRINTINFO* pBlankPrintInfo);
    uint32_t DevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID);
    uint32_t DevCancelPrintAll(HVRXPRINTER hPrinter);
    uint32_t DevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus);
    uint32_t DevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInfo);
    uint32_t DevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInfo);
    uint32_t DevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t DevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult,
                         uint16_t wFadOut, const char* lpFadFileName);

    uint32_t DevAdjustForPrint(HVRXPRINTER hPrinter);
    uint32_t DevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                            void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf,
                            uint32_t dwTimeOut);
    uint32_t DevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                            void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc,
                            uint32_t dwTimeOut);
    uint32_t DevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc);
    uint32_t DevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx);

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
