// The main window's handlers for library opening, printer discovery and
// printer connection.
#include <winsock2.h>

#include <memory>
#include <vector>

#include "DeviceDialogs.h"
#include "LibOpenDlg.h"
#include "OrderRegistry.h"
#include "ProgramPath.h"
#include "SdkCallInFlight.h"
#include "VrxClientDlg.h"

// Marks a close in progress for the callbacks that wait for the lock.
class CVrxClientDlg::ClosingScope {
public:
    explicit ClosingScope(HANDLE signal) : m_signal(signal) { SetEvent(m_signal); }
    ~ClosingScope() { ResetEvent(m_signal); }
    ClosingScope(const ClosingScope&) = delete;
    ClosingScope& operator=(const ClosingScope&) = delete;

private:
    HANDLE m_signal;
};

namespace {

constexpr uint32_t kSearchWaitTime = 6000;
constexpr uint32_t kCustomMode = 12;
constexpr uint32_t kCompletionProcMode = 7;

// The remembered address, first octet first.
void ExchangeAddress(vrx::SettingsExchange& sx, CDevOpenDlg& dialog) {
    uint8_t octets[4];
    CDevOpenDlg::UnpackAddress(dialog.m_address, octets);
    sx.Octet(vrx::keys::IPAddress1, octets[0]);
    sx.Octet(vrx::keys::IPAddress2, octets[1]);
    sx.Octet(vrx::keys::IPAddress3, octets[2]);
    sx.Octet(vrx::keys::IPAddress4, octets[3]);
    dialog.m_address = CDevOpenDlg::PackAddress(octets);
}

}  // namespace

void CVrxClientDlg::OnLibOpen() {
    // Held across the dialog too. The lock is re-entrant on this thread, so
    // notifications posted meanwhile are still handled (traced, bookkeeping
    // done) by the dialog's message loop; only the reply and notice callbacks,
    // which wait for the lock on library threads, wait until the open is over.
    vrx::ConsoleLock::Scope lock(m_lock);
    CLibOpenDlg dialog;
    if (!RunParameterDialog(dialog)) return;
    const char* settings = dialog.LoggingSwitch() == 1 ? dialog.SettingsPath().c_str() : nullptr;
    if (m_traceWnd.vrxLibOpen(settings) != VRXERR_NORMAL) return;
    // Untraced, but named in flight like every traced call.
    vrx::CallSdk("vrxSetCustomMode", ::vrxSetCustomMode, kCustomMode);
    const std::string folder = vrx::ProgramFolder();
    vrx::CallSdk("vrxSetTempFolder", ::vrxSetTempFolder, folder.c_str());
    const int connectMode = m_settings.ReadHidden(vrx::hidden::vrxSetConnectMode);
    if (connectMode != 0) vrx::CallSdk("vrxSetConnectMode", ::vrxSetConnectMode, static_cast<uint32_t>(connectMode));
    vrx::CallSdk("vrxSetCompletionProcMode", ::vrxSetCompletionProcMode, kCompletionProcMode);
}

void CVrxClientDlg::OnLibClose() {
    vrx::ConsoleLock::Scope lock(m_lock);
    ClosingScope closing(m_closing);
    m_traceWnd.vrxLibClose();
}

void CVrxClientDlg::SearchPrinters(uint32_t (vrx::SdkCallTracer::*search)(uint16_t*, uint32_t)) {
    vrx::ConsoleLock::Scope lock(m_lock);
    uint16_t count = 0;
    if ((m_traceWnd.*search)(&count, kSearchWaitTime) == VRXERR_NORMAL) m_printerCount = count;
}

void CVrxClientDlg::OnSearchPrinter() { SearchPrinters(&vrx::SdkCallTracer::vrxSearchPrinter); }
void CVrxClientDlg::OnSearchPrinter2() { SearchPrinters(&vrx::SdkCallTracer::vrxSearchPrinter2); }

void CVrxClientDlg::OnGetPrinter() {
    CGetPrinterDlg dialog;
    dialog.m_bufferNum = m_printerCount;
    if (!RunParameterDialog(dialog)) return;
    const uint16_t count = static_cast<uint16_t>(dialog.m_bufferNum);
    std::vector<VRXPRINTERINFO> records(count);  // zero-filled
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxGetPrinter(count, count ? records.data() : nullptr);
}

void CVrxClientDlg::ProposeLocalAddress(uint8_t (&octets)[4]) {
    // The local host's address: its loopback name looked up, then the
    // official name of that answer looked up again.
    const hostent* first = gethostbyname("localhost");
    const hostent* second = first && first->h_name ? gethostbyname(first->h_name) : nullptr;
    const int error = second ? 0 : WSAGetLastError();
    if (second && second->h_addrtype == AF_INET && second->h_length == 4 && second->h_addr_list &&
        second->h_addr_list[0]) {
        for (int i = 0; i < 4; ++i) octets[i] = static_cast<uint8_t>(second->h_addr_list[0][i]);
        return;
    }
    // Never silently: say why, and propose the loopback address instead.
    octets[0] = 127;
    octets[1] = 0;
    octets[2] = 0;
    octets[3] = 1;
    if (error != 0)
        m_traceWnd.Trace("gethostbyname", "!!!", "local host lookup failed (error %d); proposing 127.0.0.1", error);
    else
        m_traceWnd.Trace("gethostbyname", "!!!", "local host lookup gave no IPv4 address; proposing 127.0.0.1");
}

void CVrxClientDlg::OnDevOpen() {
    uint8_t octets[4] = {};
    ProposeLocalAddress(octets);  // the defaults of the remembered address
    CDevOpenDlg dialog;
    dialog.m_address = CDevOpenDlg::PackAddress(octets);
    if (!RunRememberedDialog(dialog, [&](vrx::SettingsExchange& sx) { ExchangeAddress(sx, dialog); })) return;
    CDevOpenDlg::UnpackAddress(dialog.m_address, octets);

    // The library's address: first octet in the lowest byte.
    const uint32_t address = octets[0] | (octets[1] << 8) | (octets[2] << 16) | (static_cast<uint32_t>(octets[3]) << 24);
    vrx::ConsoleLock::Scope lock(m_lock);
    HVRXPRINTER handle = 0;
    if (m_traceWnd.vrxDevOpen(address, &handle, &CVrxClientDlg::EventProc, &CVrxClientDlg::UnitProc) != VRXERR_NORMAL)
        return;
    AddPrinterHandle(handle);
    m_traceWnd.vrxDevVrxNoticeEventProcEx(handle, &CVrxClientDlg::EventProcEx);
    vrx::TheOrderRegistry().Clear();
}

void CVrxClientDlg::OnDevClose() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    vrx::ConsoleLock::Scope lock(m_lock);
    ClosingScope closing(m_closing);
    if (m_traceWnd.vrxDevClose(handle) != VRXERR_NORMAL) return;
    vrx::TheOrderRegistry().Clear();
    RemovePrinterHandle(handle);
}
