// The main window's handlers for printing: the print routine with its
// shared-memory image buffers, re-send, and the end of a retransmission,
// which re-submits the prints the interrupted order had not finished.
#include <windows.h>

#include <cstdio>

#include "ImageMapping.h"
#include "OrderDialogs.h"
#include "OrderRegistry.h"
#include "PrintDialogs.h"
#include "VrxClientDlg.h"
#include "resource.h"

namespace {

constexpr uint32_t kMaintenanceFormat100 = 15;  // list index of image format 100
constexpr uint32_t kMaintenanceFormat101 = 16;  // list index of image format 101

// The remembered values of the print request, in the order they are read and saved.
void ExchangePrintSettings(vrx::SettingsExchange& sx, PrintRequest& r) {
    namespace keys = vrx::keys;
    VRXPRINTINFO& info = r.info;
    sx.Int(keys::ImageFormat, info.dwImageFormat);
    sx.Int(keys::SourceType, info.dwSourceType);
    sx.Int(keys::DataLength, info.dwDataLength);
    sx.Text(keys::Name, r.imageName);
    sx.Int(keys::Offset, info.dwOffset);
    sx.Int(keys::ImgWidth, info.dwImgWidth);
    sx.Int(keys::ImgHeight, info.dwImgHeight);
    sx.Int(keys::Resolution, info.dwResolution);
    sx.Int(keys::PaperWidth, info.dwPaperWidth);
    sx.Int(keys::PaperLength, info.dwPaperLength);
    sx.Int(keys::Feed, info.dwFeed);
    sx.Int(keys::Surface, info.dwSurface);
    sx.Int(keys::Cms, info.wCMS);
    sx.Int(keys::Angle, info.wAngle);
    sx.Int(keys::Fitting, info.wPaperFitting);
    sx.Int(keys::Edge, info.wEdgeEnhancement);
    sx.Int(keys::WbTop, info.wWithBorderTop);
    sx.Int(keys::WbBottom, info.wWithBorderBottom);
    sx.Int(keys::WbLeft, info.wWithBorderLeft);
    sx.Int(keys::WbRight, info.wWithBorderRight);
    sx.Text(keys::PaperName, info.szPaperName);
    sx.Int(keys::ColorSpace, info.dwColorSpace);
    sx.Int(keys::PrintQuality, info.wPrintQuality);
    if (r.mode == 1) {
        uint16_t priority = static_cast<uint16_t>(r.priority);
        sx.Int(keys::Priority, priority);
        r.priority = static_cast<int16_t>(priority);
        sx.Text(keys::KolmCmdFilePath, r.colorCommandPath);
    }
}

// The values no key remembers.
void SetFixedPrintValues(VRXPRINTINFO& info) {
    info.dwCvpPrintSize = 0;
    info.dwPrintNum = 1;
    info.dwPaperPresence = 0;
    info.nEspc = 0;
    info.byWithBorderColor[0] = info.byWithBorderColor[1] = info.byWithBorderColor[2] = 255;
    info.nPcfms = 0;
    info.byImageEnlargeType = 0;
}

uint32_t ImageFormatOf(uint32_t listIndex) {
    if (listIndex == kMaintenanceFormat100) return 100;
    if (listIndex == kMaintenanceFormat101) return 101;
    return listIndex;
}

std::string MappingName(int32_t sequence) {
    char name[40];
    std::snprintf(name, sizeof name, "VRXCLIENT_MAPPING_%03d", static_cast<int>(sequence));
    return name;
}

}  // namespace

uint32_t CVrxClientDlg::SubmitPrintEntry(HVRXPRINTER handle, vrx::PrintEntry& entry) {
    // The colour-command mode has no print call of its own.
    if (entry.mode == vrx::PrintMode::ColourCommand) return 0;
    return m_traceWnd.vrxDevPrint(handle, entry.orderId, &entry.printId, &CVrxClientDlg::CompletionProc,
                                  &entry.PrintInfo());
}

void CVrxClientDlg::PrintImage(uint32_t mode) {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    PrintRequest request;
    request.orderId = m_lastOrderId;
    request.repeatCount = 1;
    request.mode = mode;
    SetFixedPrintValues(request.info);

    CDevPrintDlg dialog;
    dialog.m_repeatCount = request.repeatCount;
    dialog.m_mode = request.mode;
    dialog.m_block = &request;
    dialog.m_maintenance = m_settings.ReadHidden(vrx::hidden::Maintenance) == 1;
    // Saved as the list index, before it becomes a format.
    if (!RunRememberedDialog(dialog, [&](vrx::SettingsExchange& sx) { ExchangePrintSettings(sx, request); })) return;
    request.repeatCount = dialog.m_repeatCount;
    request.info.dwImageFormat = ImageFormatOf(request.info.dwImageFormat);

    std::string failure;
    {
        vrx::ConsoleLock::Scope lock(m_lock);
        for (uint32_t i = 0; i < request.repeatCount; ++i) {
            std::string name = request.imageName;
            if (request.info.dwSourceType == 0) {
                name = MappingName(++m_mappingSeq);
                const ImageMapping buffer = CreateImageMapping(name, request.imageName);
                if (!buffer.error.empty()) {
                    failure = buffer.error;  // this repetition and the rest are not submitted
                    break;
                }
            }
            request.info.pName = name.c_str();
            vrx::PrintEntry entry(request.orderId, request.info);
            entry.mode = static_cast<vrx::PrintMode>(request.mode);
            entry.priority = static_cast<uint16_t>(request.priority);
            entry.SetColorCommandPath(request.colorCommandPath.c_str());
            if (SubmitPrintEntry(handle, entry) != VRXERR_NORMAL) continue;
            // Only the orders this console started are followed.
            if (vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(entry.orderId)) order->AddPrint(entry);
        }
    }
    if (!failure.empty()) ShowError(failure);
}

void CVrxClientDlg::OnDevPrint() { PrintImage(0); }

void CVrxClientDlg::OnDevPrintResend() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevResendDlg dialog;
    dialog.m_orderId = m_lastOrderId;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(m_lastOrderId);
    if (!order) return;
    // Finished prints only; each takes the new print id and stays done.
    for (int i = 0; i < order->PrintCount(); ++i) {
        vrx::PrintEntry& print = *order->PrintAt(i);
        if (print.done) SubmitPrintEntry(handle, print);
    }
}

void CVrxClientDlg::OnDevEndRetransmission() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    COrderIdDlg dialog(IDD_DEV_END_RETRANSMISSION);
    dialog.m_orderId = m_lastOrderId;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(dialog.m_orderId);
    if (!order) return;
    m_traceWnd.vrxDevEndRetransmission(handle, order->dwOrderId);
    // Whatever the call said: the unfinished prints go out again.
    for (int i = 0; i < order->PrintCount(); ++i) {
        vrx::PrintEntry& print = *order->PrintAt(i);
        if (!print.done) SubmitPrintEntry(handle, print);
    }
}
