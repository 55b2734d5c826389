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
}  // namespace

Library::Library(std::shared_ptr<Platform> platform) : m_platform(std::move(platform)) {}

Library::~Library() {
    std::map<HVRXPRINTER, std::unique_ptr<Session>> sessions;
    std::unique_ptr<Device> late;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        sessions.swap(m_sessions);
        late = std::move(m_late);
    }
    for (auto& entry : sessions) entry.second->device->Stop();
    if (late) late->Stop();
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
    return m_late && m_late->IsDeviceThread();
}

std::unique_ptr<Device> Library::MakeDevice() {
    return std::make_unique<Device>(
        [this](const Action& action, Outbox& out) {
            std::lock_guard<std::mutex> runLock(m_mu);
            action(out);
        },
        [this](const Notification& n) {
            if (m_log.Enabled(LogLevel::Debug)) m_log.Write(LogLevel::Debug, "callback " + n.Describe());
        });
}

void Library::EnterCall(const std::string& name, const FaultConfig& faults) {
    const bool slow = name == faults.slowCall, crash = name == faults.crashCall;
    if (faults.leakBytes == 0 && faults.leakHandles == 0 && !slow && !crash) return;
    std::shared_ptr<Platform> platform;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        platform = m_platform;
    }
    if (platform && faults.leakBytes > 0) platform->LeakMemory(faults.leakBytes);
    for (uint32_t i = 0; platform && i < faults.leakHandles; ++i) platform->LeakHandle();
    // About the caller's patience, so real time whatever the time scale.
    if (slow) std::this_thread::sleep_for(std::chrono::milliseconds(faults.slowCallMs));
    if (crash && platform) {
        // The call's own line is never written; this one says why.
        m_journal.Write("# fault: access violation in " + name);
        platform->Crash();
    }
}

void Library::DeliverHere(const Outbox& out) {
    for (const auto& n : out) {
        if (m_log.Enabled(LogLevel::Debug)) m_log.Write(LogLevel::Debug, "callback " + n.Describe());
        n.Deliver();
    }
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
    std::unique_ptr<Device> late;
    Outbox farewells;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_open) return call.Finish(VRXERR_REJECT2);
        // Closing from inside a callback would wait for that very callback.
        if (OnAnyDeviceThread()) return call.Finish(VRXERR_REJECT3);
        if (call.Settings().faults.lateNotifications) {
            for (auto& entry : m_sessions) EmitFarewell(*entry.second, farewells);
        }
        sessions.swap(m_sessions);
        late = std::move(m_late);
        m_open = false;
        m_orders.clear();
        m_jobs.clear();
        m_found.clear();
        m_searched = false;
    }
    for (auto& entry : sessions) entry.second->device->Stop();
    if (late) late->Stop();  // what a closed printer still owed is dropped
    if (!farewells.empty()) {
        // From a library thread the close waits for, as a library whose
        // threads say goodbye while it shuts down.
        std::thread goodbye([this, &farewells] { DeliverHere(farewells); });
        goodbye.join();
    }
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

// What a printer says as its connection goes: it stops and is offline. The
// event never goes off again.
void Library::EmitFarewell(Session& s, Outbox& out) {
    EmitUnit(s, kInfoPrinter, s.printerStatus, kStopped, out);
    const int32_t params[4] = {0, 0, 0, 0};
    const char* const texts[4] = {"PRINTER OFFLINE", "", s.printer->model.c_str(), "CONNECTION CLOSED"};
    EmitEvent(s, MakeEvent(s, kOfflineCode, params, texts), out);
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
