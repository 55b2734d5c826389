// The main window's handlers for device information, the printer clock,
// print control, profile output, blank print, FAD and the maintenance
// commands.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "DeviceDialogs.h"
#include "SdkTime.h"
#include "VrxClientDlg.h"

namespace {

// Fixed arguments of the maintenance commands.
constexpr uint16_t kMaintenanceInterface = 0x6000;
constexpr uint16_t kSendCommand = 0x0100;
constexpr uint16_t kReceiveCommand = 0x0101;
constexpr uint16_t kNoticeCommand = 0xF102;
constexpr uint16_t kSendLength = 4;
constexpr uint16_t kReceiveLength = 0xFFFF;
constexpr size_t kReceiveBufferBytes = 65536;
constexpr uint32_t kCommandTimeout = 30000;
// The profile record passes at most this many bytes of the paper name.
constexpr size_t kProfileNameBytes = 32;

// The first bytes of a text, never ending inside a double-byte character.
void CopyTextPrefix(const std::string& text, size_t maxBytes, char* field) {
    size_t n = 0;
    while (n < text.size()) {
        const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size() ? 2 : 1;
        if (n + step > maxBytes) break;
        n += step;
    }
    std::memcpy(field, text.data(), n);
}

void ExchangeProfile(vrx::SettingsExchange& sx, CDevGetProfileDlg& d) {
    sx.Int(vrx::keys::ProfFeed, d.m_feed);
    sx.Int(vrx::keys::ProfPaperWidth, d.m_paperWidth);
    sx.Int(vrx::keys::ProfSurface, d.m_surface);
    sx.Text(vrx::keys::ProfName, d.m_paperName);
    sx.Text(vrx::keys::ProfPath, d.m_filePath);
}

// Shared with the print dialog, which offers what was confirmed here.
void ExchangeBlankPrint(vrx::SettingsExchange& sx, CDevBlankPrintDlg& d) {
    sx.Int(vrx::keys::Resolution, d.m_resolution);
    sx.Int(vrx::keys::PaperWidth, d.m_paperWidth);
    sx.Int(vrx::keys::PaperLength, d.m_paperLength);
    sx.Text(vrx::keys::PaperName, d.m_paperName);
    sx.Int(vrx::keys::Feed, d.m_feed);
    sx.Int(vrx::keys::Surface, d.m_surface);
    sx.Int(vrx::keys::ClearInk, d.m_clearInk);
    sx.Int(vrx::keys::PrintQuality, d.m_printQuality);
}

}  // namespace

void CVrxClientDlg::CallWithHandle(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER)) {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    vrx::ConsoleLock::Scope lock(m_lock);
    (m_traceWnd.*call)(handle);
}

template <class Record>
void CVrxClientDlg::QueryRecord(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, Record*)) {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    auto record = std::make_unique<Record>();  // zero-filled
    vrx::ConsoleLock::Scope lock(m_lock);
    (m_traceWnd.*call)(handle, record.get());
}

template <class Record>
void CVrxClientDlg::QueryMagazines(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, Record*, uint32_t*)) {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevGetMagInfoDlg dialog;
    dialog.m_infoNum = 1;
    if (!RunParameterDialog(dialog)) return;
    std::vector<Record> records(static_cast<size_t>(dialog.m_infoNum));  // zero-filled; 0 to 1000
    uint32_t size = static_cast<uint32_t>(records.size() * sizeof(Record));
    vrx::ConsoleLock::Scope lock(m_lock);
    (m_traceWnd.*call)(handle, records.empty() ? nullptr : records.data(), &size);
}

void CVrxClientDlg::OnDevIsReady() { CallWithHandle(&vrx::SdkCallTracer::vrxDevIsReady); }
void CVrxClientDlg::OnDevCloseCheck() { CallWithHandle(&vrx::SdkCallTracer::vrxDevCloseCheck); }
void CVrxClientDlg::OnDevOccupyCheck() { CallWithHandle(&vrx::SdkCallTracer::vrxDevOccupyCheck); }
void CVrxClientDlg::OnDevCancelPrintAll() { CallWithHandle(&vrx::SdkCallTracer::vrxDevCancelPrintAll); }
void CVrxClientDlg::OnDevAdjustForPrint() { CallWithHandle(&vrx::SdkCallTracer::vrxDevAdjustForPrint); }

void CVrxClientDlg::OnDevGetUnitInfo() { QueryRecord(&vrx::SdkCallTracer::vrxDevGetUnitInfo); }
void CVrxClientDlg::OnDevGetSetUpInfo() { QueryRecord(&vrx::SdkCallTracer::vrxDevGetSetUpInfo); }
void CVrxClientDlg::OnDevGetPrintNumInfo() { QueryRecord(&vrx::SdkCallTracer::vrxDevGetPrintNumInfo); }
// Zero-filled like every other record: a failed call then shows zeros, not
// whatever the memory held.
void CVrxClientDlg::OnDevGetTime() { QueryRecord(&vrx::SdkCallTracer::vrxDevGetTime); }

void CVrxClientDlg::OnDevGetMagInfo() { QueryMagazines(&vrx::SdkCallTracer::vrxDevGetMagInfo); }
void CVrxClientDlg::OnDevGetAllMagInfo() { QueryMagazines(&vrx::SdkCallTracer::vrxDevGetAllMagInfo); }

void CVrxClientDlg::OnDevGetTransmitTime() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    uint32_t orderId = 0, printId = 0, time = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevGetTransmitTime(handle, &orderId, &printId, &time);
}

void CVrxClientDlg::OnGetVrxVersion() {
    uint16_t version = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxGetVrxVersion(&version);
}

void CVrxClientDlg::OnSetCompletionProcMode() {
    CSetCompletionProcModeDlg dialog;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxSetCompletionProcMode(dialog.m_mode);
}

void CVrxClientDlg::OnDevCtrlPrint() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevCtrlPrintDlg dialog;
    dialog.m_ctrl = 0;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevCtrlPrint(handle, dialog.m_ctrl);
}

void CVrxClientDlg::OnDevSetTime() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    const vrx::CivilTime now = vrx::LocalNow();
    CDevSetTimeDlg dialog;
    dialog.m_year = now.year;
    dialog.m_month = now.month;
    dialog.m_day = now.day;
    dialog.m_dayOfWeek = now.dayOfWeek;
    dialog.m_hour = now.hour;
    dialog.m_minute = now.minute;
    dialog.m_second = now.second;
    if (!RunParameterDialog(dialog)) return;
    // Every field checked non-negative by the dialog.
    VRXTIMEINFO time = vrx::ToTimeInfo({dialog.m_year, dialog.m_month, dialog.m_day, dialog.m_dayOfWeek, dialog.m_hour,
                                        dialog.m_minute, dialog.m_second});
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevSetTime(handle, &time);
}

void CVrxClientDlg::OnDevGetProfile() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevGetProfileDlg dialog;
    if (!RunRememberedDialog(dialog, [&](vrx::SettingsExchange& sx) { ExchangeProfile(sx, dialog); })) return;

    // The record's unsigned fields keep the bits of the signed values.
    VRXPAPERINFO paper{};
    paper.dwWidth = dialog.m_paperWidth;
    paper.dwSurface = dialog.m_surface;
    paper.dwFeed = dialog.m_feed;
    // The key keeps the whole name; the record takes its first 32 bytes.
    CopyTextPrefix(dialog.m_paperName, kProfileNameBytes, paper.szPaperName);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevGetProfile(handle, dialog.m_filePath.c_str(), &paper);
}

void CVrxClientDlg::OnDevBlankPrint() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevBlankPrintDlg dialog;
    dialog.m_orderId = m_lastOrderId;
    dialog.m_printNum = 1;  // not remembered
    dialog.m_paperPresence = 0;
    if (!RunRememberedDialog(dialog, [&](vrx::SettingsExchange& sx) { ExchangeBlankPrint(sx, dialog); })) return;

    // Unsigned fields keep the bits of the signed values, wPrintQuality the low 16.
    VRXBLANKPRINTINFO blank{};
    blank.dwResolution = dialog.m_resolution;
    blank.dwPaperWidth = dialog.m_paperWidth;
    blank.dwPaperLength = dialog.m_paperLength;
    blank.dwPrintNum = dialog.m_printNum;
    blank.dwFeed = dialog.m_feed;
    blank.dwSurface = dialog.m_surface;
    blank.dwPaperPresence = dialog.m_paperPresence;
    // The dialog refused anything longer, so the terminator stays inside.
    CopyTextPrefix(dialog.m_paperName, sizeof blank.szPaperName - 1, blank.szPaperName);
    blank.dwClearInk = dialog.m_clearInk;
    blank.wPrintQuality = dialog.m_printQuality;
    uint32_t printId = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    // Not an order's print: the registry does not keep it.
    m_traceWnd.vrxDevBlankPrint(handle, dialog.m_orderId, &printId, &CVrxClientDlg::CompletionProc, &blank);
}

void CVrxClientDlg::OnDevStartFad() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevStartFadDlg dialog;
    dialog.m_orderId = m_lastOrderId;
    char key[32];
    std::snprintf(key, sizeof key, "FAD%d", static_cast<int>(m_lastOrderId));
    dialog.m_orderKey = key;
    dialog.m_fadOut = 0;
    if (!RunParameterDialog(dialog)) return;
    uint32_t result = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevStartFAD(handle, dialog.m_orderId, dialog.m_orderKey.c_str(), &result,
                              dialog.m_fadOut, dialog.m_fadFileName.c_str());
}

void CVrxClientDlg::OnDevVrxCommand1() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    uint8_t send[kSendLength] = {};
    uint16_t receiveLength = kReceiveLength;
    std::vector<uint8_t> receive(kReceiveBufferBytes);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevVrxCommand1(handle, kMaintenanceInterface, kSendCommand, kSendLength, send, kReceiveCommand,
                                 &receiveLength, receive.data(), kCommandTimeout);
}

void CVrxClientDlg::OnDevVrxCommand2() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    uint8_t send[kSendLength] = {};
    uint16_t receiveLength = kReceiveLength;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevVrxCommand2(handle, kMaintenanceInterface, kSendCommand, kSendLength, send, kReceiveCommand,
                                 &receiveLength, &CVrxClientDlg::CommandReplyProc, kCommandTimeout);
}

void CVrxClientDlg::OnDevVrxNotice() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevVrxNotice(handle, kMaintenanceInterface, kNoticeCommand, &CVrxClientDlg::NoticeProc);
}
