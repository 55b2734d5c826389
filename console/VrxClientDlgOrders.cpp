// The main window's handlers for orders: start, end, sort, express, duplex,
// print status, cancel, interrupt and retransmission start.
#include "OrderDialogs.h"
#include "OrderRegistry.h"
#include "VrxClientDlg.h"
#include "resource.h"

void CVrxClientDlg::OnDevStartOrder() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevStartOrderDlg dialog;
    dialog.m_maintenance = m_settings.ReadHidden(vrx::hidden::Maintenance) == 1;
    dialog.m_priority = 0;
    dialog.m_sorterNum = 0;
    if (!RunParameterDialog(dialog)) return;
    const uint32_t priority = CDevStartOrderDlg::PriorityOf(dialog.m_priority);
    uint32_t orderId = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    if (m_traceWnd.vrxDevStartOrderEx(handle, &orderId, &CVrxClientDlg::CompletionProc, priority, dialog.m_sorterNum,
                                      dialog.m_sortFrame, dialog.m_exOptions) != VRXERR_NORMAL)
        return;
    m_lastOrderId = orderId;
    vrx::TheOrderRegistry().Add(
        vrx::OrderEntry(orderId, priority, dialog.m_sorterNum, dialog.m_sortFrame, dialog.m_exOptions));
}

void CVrxClientDlg::CallWithOrderId(int templateId, uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, uint32_t)) {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    COrderIdDlg dialog(templateId);
    dialog.m_orderId = m_lastOrderId;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    (m_traceWnd.*call)(handle, dialog.m_orderId);
}

void CVrxClientDlg::OnDevEndOrder() { CallWithOrderId(IDD_DEV_END_ORDER, &vrx::SdkCallTracer::vrxDevEndOrder); }
void CVrxClientDlg::OnDevSort() { CallWithOrderId(IDD_DEV_SORT, &vrx::SdkCallTracer::vrxDevSort); }
void CVrxClientDlg::OnDevExpressOrder() {
    CallWithOrderId(IDD_DEV_EXPRESS_ORDER, &vrx::SdkCallTracer::vrxDevExpressOrder);
}
void CVrxClientDlg::OnDevStartDuplex() {
    CallWithOrderId(IDD_DEV_START_DUPLEX, &vrx::SdkCallTracer::vrxDevStartDuplex);
}
void CVrxClientDlg::OnDevEndDuplex() { CallWithOrderId(IDD_DEV_END_DUPLEX, &vrx::SdkCallTracer::vrxDevEndDuplex); }

void CVrxClientDlg::OnDevGetPrintStatus() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevGetPrintStatusDlg dialog;
    dialog.m_printId = 1;
    if (!RunParameterDialog(dialog)) return;
    uint32_t status = 0;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevGetPrintStatus(handle, static_cast<uint32_t>(dialog.m_printId), &status);
}

void CVrxClientDlg::OnDevCancelPrintOrder() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevCancelPrintOrderDlg dialog;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    // The registry keeps its prints: completions tell what was cancelled.
    m_traceWnd.vrxDevCancelPrintOrder(handle, dialog.m_orderId, dialog.m_printId);
}

void CVrxClientDlg::OnDevInterruptPrintOrder() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevInterruptPrintOrderDlg dialog;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    // Looked up again: notifications may have removed it while the dialog was open.
    vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(dialog.m_orderId);
    if (!order) return;
    VRXINTERRUPTORDERINFO info{};
    if (m_traceWnd.vrxDevInterruptPrintOrder(handle, order->dwOrderId, &info) != VRXERR_NORMAL) return;
    order->status = vrx::OrderStatus::Interrupted;
    order->interruptInfo = info;
}

void CVrxClientDlg::OnDevStartRetransmission() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    CDevStartRetransmissionDlg dialog;
    dialog.m_resumeOrderId = m_lastOrderId;
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    vrx::OrderRegistry& registry = vrx::TheOrderRegistry();
    vrx::OrderEntry* suspended = registry.Find(dialog.m_suspendOrderId);
    vrx::OrderEntry* resume = registry.Find(dialog.m_resumeOrderId);
    if (!suspended || !resume) return;
    VRXINTERRUPTORDERINFO info = suspended->interruptInfo;
    if (m_traceWnd.vrxDevStartRetransmission(handle, resume->dwOrderId, &info) != VRXERR_NORMAL) return;
    // An order resumed in itself keeps its prints where they are: moving them
    // into the list being emptied would never end.
    if (suspended != resume) registry.MovePrintsAndRemove(suspended, resume);
}
