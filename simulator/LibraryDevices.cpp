// Device calls: opening and closing a printer, its information records,
// clock, profile, events and print control.
#include "Library.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Call.h"
#include "Records.h"

namespace vrxsim {

namespace {
constexpr int32_t kInfoPrinter = 0x50000000;
constexpr int32_t kInfoAccept = 0x61000000;
// How long after a vrxDevClose its late notifications come (LateNotifications).
constexpr uint32_t kLateNotificationMs = 50;
}  // namespace

uint32_t Library::DevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc,
                          VRXUNITPROC pUnitProc) {
    Call call(*this, "vrxDevOpen");
    call.Arg("dwIPAddress", IpText(dwIPAddress)).Ptr("phPrinter", phPrinter).Proc("pEventProc", pEventProc)
        .Proc("pUnitProc", pUnitProc);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::unique_lock<std::mutex> lock(m_mu);
    if (!m_open) return call.Finish(VRXERR_REJECT2);
    if (!phPrinter) return call.Finish(VRXERR_BADPARAM);
    const PrinterConfig* printer = m_settings->FindPrinter(dwIPAddress);
    if (!printer) return call.Finish(VRXERR_TIMEOUT);  // nobody answers there

    // Later opens of the same printer keep the low 16 bits and step the top
    // byte, so handles stay distinct and the console sees shared low halves.
    PrinterState& state = m_printers[printer->address];
    HVRXPRINTER handle = 0;
    for (unsigned tries = 0; tries < 0x100 && handle == 0; ++tries) {
        HVRXPRINTER candidate = printer->handleBase + (state.opens++) * 0x01000000u;
        if (candidate != 0 && !m_sessions.count(candidate)) handle = candidate;
    }
    if (handle == 0) return call.Finish(VRXERR_REJECT3);

    auto session = std::make_unique<Session>();
    session->handle = handle;
    session->printer = printer;
    session->eventProc = pEventProc;
    session->unitProc = pUnitProc;
    session->device = MakeDevice();
    Session& s = *session;
    m_sessions[handle] = std::move(session);
    *phPrinter = handle;

    auto greet = [this](Session& cur, Outbox& out) {
        EmitUnit(cur, kInfoAccept, 0, 1, out);
        EmitUnit(cur, kInfoPrinter, 0, kReady, out);
    };
    const bool here = call.Settings().faults.callerThreadCallbacks;
    if (here) {
        // The greeting from inside the call; what follows it only after it.
        Outbox greeting;
        greet(s, greeting);
        call.AfterReturn([this, greeting, handle] {
            DeliverHere(greeting);
            std::lock_guard<std::mutex> again(m_mu);
            if (Session* cur = FindSession(handle)) PostAfterOpen(*cur);
        });
    } else {
        Post(s, 0, greet);
        PostAfterOpen(s);
    }
    call.Out("*phPrinter", Hex32(handle));
    // Unlocked only when the call delivers itself: a callback may call in.
    if (here) lock.unlock();
    return call.Finish(VRXERR_NORMAL);
}

void Library::PostAfterOpen(Session& s) {
    if (m_settings->scenario.eventAtOpen) {
        Post(s, m_settings->timing.stepMs, [this](Session& cur, Outbox& out) { RaiseScenarioEvent(cur, kDoorOpenCode, false, out); });
    }
    if (m_settings->burst.count > 0 && m_settings->burst.trigger == BurstTrigger::Open) {
        Post(s, m_settings->burst.delayMs, [this](Session& cur, Outbox&) { StartBurst(cur); });
    }
}

uint32_t Library::DevClose(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevClose");
    call.Hex("hPrinter", hPrinter);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::unique_ptr<Session> session;
    Outbox late;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) return call.Finish(VRXERR_REJECT2);
        auto it = m_sessions.find(hPrinter);
        if (it == m_sessions.end()) return call.Finish(VRXERR_BADPARAM);
        if (it->second->device->IsDeviceThread()) return call.Finish(VRXERR_REJECT3);
        if (call.Settings().faults.lateNotifications) EmitFarewell(*it->second, late);
        session = std::move(it->second);
        m_sessions.erase(it);
        for (auto o = m_orders.begin(); o != m_orders.end();) o = o->second.handle == hPrinter ? m_orders.erase(o) : std::next(o);
        for (auto j = m_jobs.begin(); j != m_jobs.end();) j = j->second.handle == hPrinter ? m_jobs.erase(j) : std::next(j);
    }
    session->device->Stop();
    if (!late.empty()) {
        // Sent once the call is over, with the handle the caller has just
        // given up, from a library thread of its own.
        call.AfterReturn([this, late] {
            std::lock_guard<std::mutex> lock(m_mu);
            if (!m_open) return;
            if (!m_late) m_late = MakeDevice();
            m_late->Post(Scaled(kLateNotificationMs), [late](Outbox& out) { out = late; });
        });
    }
    return call.Finish(VRXERR_NORMAL);
}

uint32_t Library::DevCloseCheck(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevCloseCheck");
    call.Hex("hPrinter", hPrinter);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        for (uint32_t id : s.queue) {
            auto it = m_jobs.find(id);
            if (it != m_jobs.end() && (it->second.state == JobState::Queued || it->second.state == JobState::Active)) {
                return VRXERR_REJECT3;  // prints still under way
            }
        }
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevIsReady(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevIsReady");
    call.Hex("hPrinter", hPrinter);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (s.paused) return VRXERR_PRNERR;
        for (const auto& e : s.events) {
            if (e.second.haltsPrinting) return VRXERR_PRNERR;
        }
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevOccupyCheck(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevOccupyCheck");
    call.Hex("hPrinter", hPrinter);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        for (const auto& entry : m_sessions) {
            if (entry.first != s.handle && entry.second->printer == s.printer) return VRXERR_REJECT3;
        }
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo) {
    Call call(*this, "vrxDevGetUnitInfo");
    call.Hex("hPrinter", hPrinter).Ptr("pUnitInfo", pUnitInfo);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pUnitInfo) return VRXERR_BADPARAM;
        FillUnitInfo(*s.printer, static_cast<uint32_t>(s.printerStatus), s.fadBusy, *pUnitInfo);
        call.Out("dwPrinterStatus", std::to_string(pUnitInfo->dwPrinterStatus));
        return VRXERR_NORMAL;
    });
}

namespace {
// Shared walk of the two magazine queries: as many whole records as the
// buffer holds, *pdwSize the bytes written (or, as a fault, more).
template <typename Record, typename FillFn>
uint32_t FillMagazines(Call& call, const PrinterConfig& printer, Record* buffer, uint32_t* pdwSize,
                       const SimSettings& settings, FillFn fill) {
    if (!pdwSize) return VRXERR_BADPARAM;
    uint32_t given = *pdwSize;
    if (given > 0 && !buffer) return VRXERR_BADPARAM;
    size_t fits = given / sizeof(Record);
    size_t n = std::min<size_t>(fits, printer.magazines);
    for (size_t i = 0; i < n; ++i) fill(printer, static_cast<unsigned>(i), settings.faults.unterminatedText, buffer[i]);
    uint32_t written = static_cast<uint32_t>(n * sizeof(Record));
    *pdwSize = settings.faults.sizeOverstate > 0 ? given + settings.faults.sizeOverstate : written;
    call.Out("*pdwSize", std::to_string(*pdwSize)).Out("records", std::to_string(n));
    return n < printer.magazines ? VRXERR_REMAINING_DATA : VRXERR_NORMAL;
}
}  // namespace

uint32_t Library::DevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize) {
    Call call(*this, "vrxDevGetMagInfo");
    call.Hex("hPrinter", hPrinter).Ptr("pMagInfo", pMagInfo).Arg("*pdwSize", pdwSize ? std::to_string(*pdwSize) : "(null)");
    return Handles(call, hPrinter, [&](Session& s) {
        return FillMagazines(call, *s.printer, pMagInfo, pdwSize, *m_settings, FillMagInfo);
    });
}

uint32_t Library::DevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize) {
    Call call(*this, "vrxDevGetAllMagInfo");
    call.Hex("hPrinter", hPrinter).Ptr("pMagDetailInfo", pMagDetailInfo)
        .Arg("*pdwSize", pdwSize ? std::to_string(*pdwSize) : "(null)");
    return Handles(call, hPrinter, [&](Session& s) {
        return FillMagazines(call, *s.printer, pMagDetailInfo, pdwSize, *m_settings, FillMagDetailInfo);
    });
}

uint32_t Library::DevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo) {
    Call call(*this, "vrxDevGetSetUpInfo");
    call.Hex("hPrinter", hPrinter).Ptr("pSetUpInfo", pSetUpInfo);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pSetUpInfo) return VRXERR_BADPARAM;
        FillSetUpInfo(*s.printer, StateOf(s).clock, m_settings->faults.unterminatedText, *pSetUpInfo);
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo) {
    Call call(*this, "vrxDevGetPrintNumInfo");
    call.Hex("hPrinter", hPrinter).Ptr("pPrintNumInfo", pPrintNumInfo);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pPrintNumInfo) return VRXERR_BADPARAM;
        FillPrintNumInfo(*s.printer, StateOf(s).printed, *pPrintNumInfo);
        call.Out("dwPrtNumber", std::to_string(pPrintNumInfo->dwPrtNumber));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    Call call(*this, "vrxDevSetTime");
    call.Hex("hPrinter", hPrinter).Arg("pTime", TimeInfoText(pTime));
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pTime) return VRXERR_BADPARAM;
        return StateOf(s).clock.Set(*pTime) ? VRXERR_NORMAL : VRXERR_BADPARAM;
    });
}

uint32_t Library::DevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    Call call(*this, "vrxDevGetTime");
    call.Hex("hPrinter", hPrinter).Ptr("pTime", pTime);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pTime) return VRXERR_BADPARAM;
        StateOf(s).clock.Fill(*pTime);
        call.Out("*pTime", TimeInfoText(pTime));
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo) {
    Call call(*this, "vrxDevGetProfile");
    call.Hex("hPrinter", hPrinter).Arg("lpFileName", QuotedText(lpFileName)).Arg("pPaperInfo", RecordText(vrx::kPaperInfoRecord, pPaperInfo));
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!lpFileName || !*lpFileName || !pPaperInfo || pPaperInfo->dwWidth == 0) return VRXERR_BADPARAM;
        std::FILE* f = std::fopen(lpFileName, "wb");
        if (!f) return VRXERR_SYSERR;
        VRXTIMEINFO now{};
        StateOf(s).clock.Fill(now);
        size_t nameLength = 0;
        while (nameLength < sizeof pPaperInfo->szPaperName && pPaperInfo->szPaperName[nameLength]) ++nameLength;
        std::string paper(pPaperInfo->szPaperName, nameLength);
        int written = std::fprintf(f,
                                   "ZembrinSim colour profile\r\nprinter=%s serial=%s\r\n"
                                   "paper=\"%s\" width=%u surface=%u feed=%u\r\ncreated=%04u/%02u/%02u %02u:%02u:%02u\r\n",
                                   s.printer->model.c_str(), s.printer->serial.c_str(), Escape(paper).c_str(),
                                   pPaperInfo->dwWidth, pPaperInfo->dwSurface, pPaperInfo->dwFeed, now.dwYear, now.dwMonth,
                                   now.dwDay, now.dwHour, now.dwMinute, now.dwSecond);
        bool ok = written > 0 && std::fclose(f) == 0;
        return ok ? VRXERR_NORMAL : VRXERR_SYSERR;
    });
}

uint32_t Library::DevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId) {
    Call call(*this, "vrxDevResetEvent");
    call.Hex("hPrinter", hPrinter).Hex("dwErrHandle", dwErrHandle).Dec("dwActionId", dwActionId);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (dwActionId < 1 || dwActionId > 4) return VRXERR_BADPARAM;
        auto it = s.events.find(dwErrHandle);
        if (it == s.events.end()) return VRXERR_BADPARAM;
        ActiveEvent event = it->second;
        s.events.erase(it);
        if (event.haltsPrinting) s.printsSinceEvent = 0;
        Post(s, 0, [this, event](Session& cur, Outbox& out) {
            VRXEVENTINFO off = event.info;
            off.dwOnOff = 0;
            StateOf(cur).clock.Fill(off.sysTime);
            EmitEvent(cur, off, out);
            bool halted = false;
            for (const auto& e : cur.events) halted = halted || e.second.haltsPrinting;
            if (event.haltsPrinting && !halted && !cur.paused) SetPrinterStatus(cur, kReady, out);
            ScheduleTick(cur);
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl) {
    Call call(*this, "vrxDevCtrlPrint");
    call.Hex("hPrinter", hPrinter).Dec("dwCtrl", dwCtrl);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (dwCtrl > 1) return VRXERR_BADPARAM;
        s.paused = dwCtrl == 0;
        Post(s, 0, [this](Session& cur, Outbox& out) {
            if (cur.paused) {
                SetPrinterStatus(cur, kStopped, out);
                return;
            }
            bool halted = false;
            for (const auto& e : cur.events) halted = halted || e.second.haltsPrinting;
            SetPrinterStatus(cur, halted ? kError : kReady, out);
            ScheduleTick(cur);
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime) {
    Call call(*this, "vrxDevGetTransmitTime");
    call.Hex("hPrinter", hPrinter).Ptr("pOrderId", pOrderId).Ptr("pPrintID", pPrintID).Ptr("pTime", pTime);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pOrderId || !pPrintID || !pTime) return VRXERR_BADPARAM;
        *pOrderId = s.lastOrderId;
        *pPrintID = s.lastPrintId;
        *pTime = s.lastTransmitMs;
        call.Out("*pOrderId", Hex32(*pOrderId)).Out("*pPrintID", std::to_string(*pPrintID)).Out("*pTime", std::to_string(*pTime));
        return VRXERR_NORMAL;
    });
}

}  // namespace vrxsim
