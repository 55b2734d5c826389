#include "Library.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Call.h"
#include "Records.h"

namespace vrxsim {

namespace {
constexpr uint16_t kLibraryVersion = 0x0312;
constexpr int32_t kInfoPrinter = 0x50000000;
constexpr int32_t kInfoAccept = 0x61000000;
}  // namespace

Library::Library(std::shared_ptr<Platform> platform) : m_platform(std::move(platform)) {}

Library::~Library() {
    std::map<HVRXPRINTER, std::unique_ptr<Session>> sessions;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        sessions.swap(m_sessions);
    }
    for (auto& entry : sessions) entry.second->device->Stop();
}

void Library::SetPlatform(std::shared_ptr<Platform> platform) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_open) m_platform = std::move(platform);
}

std::shared_ptr<const SimSettings> Library::Settings() {
    std::shared_ptr<const SimSettings> settings;
    std::shared_ptr<Platform> platform;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (m_settings) return m_settings;
        platform = m_platform;
    }
    // First call of the run, before any vrxLibOpen: the journal and the
    // forced results must already apply to it.
    settings = std::make_shared<SimSettings>(SimSettings::Load(platform ? platform->SettingsPath() : std::string()));
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_settings) {
        m_settings = settings;
        m_journal.Open(settings->journalPath);
        for (const auto& w : settings->warnings) m_journal.Write("# warning: " + w);
    }
    return m_settings;
}

bool Library::IsOpen() const { return m_open; }

uint32_t Library::Scaled(uint32_t ms) const {
    double scaled = std::floor(ms * m_settings->timing.timeScale + 0.5);
    return scaled > 3600000.0 ? 3600000u : static_cast<uint32_t>(scaled);
}

Library::Session* Library::FindSession(HVRXPRINTER h) {
    auto it = m_sessions.find(h);
    return it == m_sessions.end() ? nullptr : it->second.get();
}

Library::PrinterState& Library::StateOf(const Session& s) { return m_printers[s.printer->address]; }

bool Library::OnAnyDeviceThread() {
    for (auto& entry : m_sessions) {
        if (entry.second->device->IsDeviceThread()) return true;
    }
    return false;
}

void Library::Post(Session& s, uint32_t delayMs, std::function<void(Session&, Outbox&)> action) {
    HVRXPRINTER h = s.handle;
    s.device->Post(Scaled(delayMs), [this, h, action](Outbox& out) {
        // The runner holds m_mu; the session may have been closed meanwhile.
        if (Session* current = FindSession(h)) action(*current, out);
    });
}

uint32_t Library::Handles(Call& call, HVRXPRINTER h, const std::function<uint32_t(Session&)>& body) {
    if (auto forced = call.Forced()) return call.Finish(*forced);
    uint32_t result;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) result = VRXERR_REJECT2;
        else if (Session* s = FindSession(h)) result = body(*s);
        else result = VRXERR_BADPARAM;
    }
    return call.Finish(result);
}

uint32_t Library::OrderCall(Call& call, HVRXPRINTER h, uint32_t orderId,
                            const std::function<uint32_t(Session&, Order&)>& body) {
    return Handles(call, h, [&](Session& s) -> uint32_t {
        auto it = m_orders.find(orderId);
        if (it == m_orders.end() || it->second.handle != h) return VRXERR_BADPARAM;
        return body(s, it->second);
    });
}

// ---- Library set-up ----------------------------------------------------

uint32_t Library::LibOpen(const char* lpLogFileName) {
    bool alreadyOpen;
    std::shared_ptr<Platform> platform;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        alreadyOpen = m_open;
        platform = m_platform;
    }
    if (!alreadyOpen) {
        // Every open reads the settings afresh, so a test can change them
        // between runs of the same process.
        auto settings = std::make_shared<SimSettings>(SimSettings::Load(platform ? platform->SettingsPath() : ""));
        std::lock_guard<std::mutex> lock(m_mu);
        m_settings = settings;
        m_journal.Open(settings->journalPath);
        for (const auto& w : settings->warnings) m_journal.Write("# warning: " + w);
    }
    Call call(*this, "vrxLibOpen");
    call.Arg("lpLogFileName", QuotedText(lpLogFileName));
    if (auto forced = call.Forced()) return call.Finish(*forced);
    if (alreadyOpen) return call.Finish(VRXERR_REJECT2);

    std::string logPath = lpLogFileName ? lpLogFileName : "";
    m_log.Close();
    if (!logPath.empty() && !m_log.Open(logPath)) {
        // An unreadable settings file or log file leaves the library without
        // a log, as a library whose log cannot be written would run on.
        m_journal.Write("# warning: library log not opened from " + QuotedText(lpLogFileName));
    }
    {
        std::lock_guard<std::mutex> lock(m_mu);
        m_open = true;
        m_searched = false;
        m_found.clear();
        m_completionMode = 7;
        m_customMode = m_connectMode = 0;
        m_tempFolder.clear();
        m_nextOrderId = m_nextPrintId = 1;
        m_nextErrHandle = 0x1001;
        m_nextEventId = 1;
        m_printers.clear();
        for (const auto& p : m_settings->printers) m_printers[p.address].clock = PrinterClock(p.clockOffsetMinutes);
        for (const auto& w : m_settings->warnings) m_log.Write(LogLevel::Warn, "settings: " + w);
        m_log.Write(LogLevel::Info, "simulator settings " +
                                        (m_settings->sourcePath.empty() ? std::string("(built-in)") : m_settings->sourcePath) +
                                        ", " + std::to_string(m_settings->printers.size()) + " printers");
    }
    return call.Finish(VRXERR_NORMAL);
}

uint32_t Library::LibClose() {
    Call call(*this, "vrxLibClose");
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::map<HVRXPRINTER, std::unique_ptr<Session>> sessions;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) return call.Finish(VRXERR_REJECT2);
        // Closing from inside a callback would wait for that very callback.
        if (OnAnyDeviceThread()) return call.Finish(VRXERR_REJECT3);
        sessions.swap(m_sessions);
        m_open = false;
        m_orders.clear();
        m_jobs.clear();
        m_found.clear();
        m_searched = false;
    }
    for (auto& entry : sessions) entry.second->device->Stop();
    uint32_t result = call.Finish(VRXERR_NORMAL);
    m_log.Close();
    return result;
}

uint32_t Library::GetVrxVersion(uint16_t* pVrxVersion) {
    Call call(*this, "vrxGetVrxVersion");
    call.Ptr("pVrxVersion", pVrxVersion);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_open) return call.Finish(VRXERR_REJECT2);
    if (!pVrxVersion) return call.Finish(VRXERR_BADPARAM);
    *pVrxVersion = kLibraryVersion;
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", kLibraryVersion);
    call.Out("*pVrxVersion", text);
    return call.Finish(VRXERR_NORMAL);
}

uint32_t Library::SetCompletionProcMode(uint32_t dwMode) {
    Call call(*this, "vrxSetCompletionProcMode");
    call.Hex("dwMode", dwMode);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_open) return call.Finish(VRXERR_REJECT2);
    m_completionMode = dwMode;
    return call.Finish(VRXERR_NORMAL);
}

void Library::SetCustomMode(uint32_t dwMode) {
    Call call(*this, "vrxSetCustomMode");
    call.Dec("dwMode", dwMode);
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (m_open) m_customMode = dwMode;
    }
    call.Finish(VRXERR_NORMAL);
}

void Library::SetTempFolder(const char* lpFolder) {
    Call call(*this, "vrxSetTempFolder");
    call.Arg("lpFolder", QuotedText(lpFolder));
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (m_open) m_tempFolder = lpFolder ? lpFolder : "";
    }
    call.Finish(VRXERR_NORMAL);
}

void Library::SetConnectMode(uint32_t dwMode) {
    Call call(*this, "vrxSetConnectMode");
    call.Dec("dwMode", dwMode);
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (m_open) m_connectMode = dwMode;
    }
    call.Finish(VRXERR_NORMAL);
}

// ---- Discovery -----------------------------------------------------------

uint32_t Library::Search(Call& call, uint16_t* pPrinterNum, uint32_t dwWaitTime, bool second) {
    call.Ptr("pPrinterNum", pPrinterNum).Dec("dwWaitTime", dwWaitTime);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    uint32_t waitMs;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) return call.Finish(VRXERR_REJECT2);
        if (!pPrinterNum) return call.Finish(VRXERR_BADPARAM);
        waitMs = std::min(dwWaitTime, Scaled(m_settings->timing.searchMs));
    }
    // Answers come in while the search waits; the simulated ones take this long.
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_open) return call.Finish(VRXERR_REJECT2);
    m_found.clear();
    for (const auto& p : m_settings->printers) {
        if (second || !p.hidden) m_found.push_back(&p);
    }
    m_searched = true;
    *pPrinterNum = static_cast<uint16_t>(m_found.size());
    call.Out("*pPrinterNum", std::to_string(m_found.size()));
    return call.Finish(VRXERR_NORMAL);
}

uint32_t Library::SearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    Call call(*this, "vrxSearchPrinter");
    return Search(call, pPrinterNum, dwWaitTime, false);
}

uint32_t Library::SearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    Call call(*this, "vrxSearchPrinter2");
    return Search(call, pPrinterNum, dwWaitTime, true);
}

uint32_t Library::GetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) {
    Call call(*this, "vrxGetPrinter");
    call.Dec("wBufferNum", wBufferNum).Ptr("pPrinterInfo", pPrinterInfo);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_open || !m_searched) return call.Finish(VRXERR_REJECT2);
    if (wBufferNum > 0 && !pPrinterInfo) return call.Finish(VRXERR_BADPARAM);
    size_t n = std::min<size_t>(wBufferNum, m_found.size());
    for (size_t i = 0; i < n; ++i) {
        FillPrinterInfo(*m_found[i], m_settings->faults.unterminatedText, pPrinterInfo[i]);
        call.Out(("pPrinterInfo[" + std::to_string(i + 1) + "].dwIPAddress").c_str(), IpText(m_found[i]->address));
    }
    return call.Finish(n < m_found.size() ? VRXERR_REMAINING_DATA : VRXERR_NORMAL);
}

// ---- Devices -------------------------------------------------------------

uint32_t Library::DevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc,
                          VRXUNITPROC pUnitProc) {
    Call call(*this, "vrxDevOpen");
    call.Arg("dwIPAddress", IpText(dwIPAddress)).Ptr("phPrinter", phPrinter).Proc("pEventProc", pEventProc)
        .Proc("pUnitProc", pUnitProc);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::lock_guard<std::mutex> lock(m_mu);
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
    session->device = std::make_unique<Device>(
        [this](const Action& action, Outbox& out) {
            std::lock_guard<std::mutex> runLock(m_mu);
            action(out);
        },
        [this](const Notification& n) {
            if (m_log.Enabled(LogLevel::Debug)) m_log.Write(LogLevel::Debug, "callback " + n.Describe());
        });
    Session& s = *session;
    m_sessions[handle] = std::move(session);
    *phPrinter = handle;

    Post(s, 0, [this](Session& cur, Outbox& out) {
        EmitUnit(cur, kInfoAccept, 0, 1, out);
        EmitUnit(cur, kInfoPrinter, 0, kReady, out);
    });
    if (m_settings->scenario.eventAtOpen) {
        Post(s, m_settings->timing.stepMs, [this](Session& cur, Outbox& out) { RaiseScenarioEvent(cur, kDoorOpenCode, false, out); });
    }
    if (m_settings->burst.count > 0 && m_settings->burst.trigger == BurstTrigger::Open) {
        Post(s, m_settings->burst.delayMs, [this](Session& cur, Outbox&) { StartBurst(cur); });
    }
    call.Out("*phPrinter", Hex32(handle));
    return call.Finish(VRXERR_NORMAL);
}

uint32_t Library::DevClose(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevClose");
    call.Hex("hPrinter", hPrinter);
    if (auto forced = call.Forced()) return call.Finish(*forced);
    std::unique_ptr<Session> session;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) return call.Finish(VRXERR_REJECT2);
        auto it = m_sessions.find(hPrinter);
        if (it == m_sessions.end()) return call.Finish(VRXERR_BADPARAM);
        if (it->second->device->IsDeviceThread()) return call.Finish(VRXERR_REJECT3);
        session = std::move(it->second);
        m_sessions.erase(it);
        for (auto o = m_orders.begin(); o != m_orders.end();) o = o->second.handle == hPrinter ? m_orders.erase(o) : std::next(o);
        for (auto j = m_jobs.begin(); j != m_jobs.end();) j = j->second.handle == hPrinter ? m_jobs.erase(j) : std::next(j);
    }
    session->device->Stop();
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
    call.Hex("hPrinter", hPrinter).Arg("lpFileName", QuotedText(lpFileName)).Arg("pPaperInfo", PaperInfoText(pPaperInfo));
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

// ---- Notification records --------------------------------------------------

void Library::FillBase(const Session& s, VRXCOMPLETIONINFO& info) {
    info.hPrinter = s.handle;
    info.dwIPAddress = s.printer->address;
    StateOf(s).clock.Fill(info.sysTime);
}

void Library::EmitUnit(Session& s, int32_t unitId, int16_t prev, int16_t now, Outbox& out) {
    VRXUNITSTATUSINFO info{};
    info.hPrinter = s.handle;
    info.dwIPAddress = s.printer->address;
    info.lUnitId = unitId;
    info.nStatus = now;
    info.nPrevStatus = prev;
    info.wPortNo = s.printer->port;
    if (s.unitProc) out.push_back(Notification::ForUnit(s.unitProc, info));
}

void Library::SetPrinterStatus(Session& s, int16_t status, Outbox& out) {
    if (s.printerStatus == status) return;
    EmitUnit(s, kInfoPrinter, s.printerStatus, status, out);
    s.printerStatus = status;
}

void Library::EmitEvent(Session& s, const VRXEVENTINFO& info, Outbox& out) {
    if (s.eventProc) out.push_back(Notification::ForEvent(s.eventProc, info));
}

VRXEVENTINFO Library::MakeEvent(Session& s, uint32_t code, const int32_t (&params)[4], const char* const (&texts)[4]) {
    VRXEVENTINFO info{};
    info.hPrinter = s.handle;
    info.dwIPAddress = s.printer->address;
    info.dwErrHandle = m_nextErrHandle++;
    StateOf(s).clock.Fill(info.sysTime);
    info.dwErrCode = code;
    info.dwOnOff = 1;
    for (int i = 0; i < 4; ++i) {
        info.alParams[i] = params[i];
        PutText(info.szStrings[i], sizeof info.szStrings[i], texts[i], m_settings->faults.unterminatedText);
    }
    return info;
}

void Library::RaiseScenarioEvent(Session& s, uint32_t code, bool halts, Outbox& out) {
    ActiveEvent event;
    event.haltsPrinting = halts;
    if (code == kPaperEndCode) {
        const int32_t params[4] = {1, 0, static_cast<int32_t>(StateOf(s).printed), 0};
        const char* const texts[4] = {"PAPER END", "MAGAZINE 1", s.printer->model.c_str(), "LOAD PAPER"};
        event.info = MakeEvent(s, code, params, texts);
    } else {
        const int32_t params[4] = {1, 0, 0, 0};
        const char* const texts[4] = {"FRONT DOOR OPEN", "DOOR 1", s.printer->model.c_str(), "CLOSE DOOR"};
        event.info = MakeEvent(s, code, params, texts);
    }
    s.events[event.info.dwErrHandle] = event;
    EmitEvent(s, event.info, out);
    if (halts) SetPrinterStatus(s, kError, out);
}

}  // namespace vrxsim
