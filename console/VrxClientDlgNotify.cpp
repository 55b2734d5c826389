// The main window's notification handling. Notifications come from the
// library's threads: each callback copies its record
// and posts it to the window thread, which traces it under the console lock,
// keeps the pending-event list and the order registry, and frees the copy.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "DeviceDialogs.h"
#include "NotificationCopies.h"
#include "OrderRegistry.h"
#include "RegisteredMessages.h"
#include "VrxClientDlg.h"

namespace {

// Posts a heap copy to the main window; the window thread owns it from then
// on. A copy whose post fails is freed here, since nobody else will.
template <class Record>
uint32_t PostCopy(UINT message, Record* copy, WPARAM wParam, LPARAM lParam) {
    CVrxClientDlg* main = g_pMainDlg;
    const BOOL posted = main && copy ? PostMessageA(main->Handle(), message, wParam, lParam) : FALSE;
    if (!posted) vrx::FreeCopy(copy);
    return static_cast<uint32_t>(posted);
}

template <class Record>
using Owned = std::unique_ptr<Record, vrx::CopyDeleter>;

std::string PendingEventText(const VRXEVENTINFO& e) {
    char text[160];
    std::snprintf(text, sizeof text, "hPrinter( 0x%08X ) dwErrCode( %d ) alParams( %d, %d, %d, %d )", e.hPrinter,
                  static_cast<int>(e.dwErrCode), e.alParams[0], e.alParams[1], e.alParams[2], e.alParams[3]);
    return text;
}

std::string ResetEventText(const VRXEVENTINFO& e) {
    char text[400];
    const VRXSYSTEMTIME& t = e.sysTime;
    std::snprintf(text, sizeof text,
                  "hPrinter( 0x%08X ) dwErrHandle( 0x%08X )\nsysTime( %d/%d/%d %02d:%02d:%02d.%03d )\n"
                  "dwErrCode( %d ) dwOnOff( %d ) alParams( %d, %d, %d, %d )",
                  e.hPrinter, e.dwErrHandle, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                  t.wMilliseconds, static_cast<int>(e.dwErrCode), static_cast<int>(e.dwOnOff), e.alParams[0],
                  e.alParams[1], e.alParams[2], e.alParams[3]);
    return text;
}

}  // namespace

namespace vrx {
std::atomic<long> g_copiesMade{0};
std::atomic<long> g_copiesFreed{0};
}  // namespace vrx

// --- Library threads: copy and post, nothing else.

uint32_t VRXAPI CVrxClientDlg::EventProc(VRXEVENTINFO* pEventInfo) {
    VRXEVENTINFO* copy = vrx::NewCopy(pEventInfo);
    return PostCopy(vrx::g_msgEvent, copy, reinterpret_cast<WPARAM>(copy), 0);
}

uint32_t VRXAPI CVrxClientDlg::UnitProc(VRXUNITSTATUSINFO* pUnitStatusInfo) {
    VRXUNITSTATUSINFO* copy = vrx::NewCopy(pUnitStatusInfo);
    return PostCopy(vrx::g_msgUnit, copy, reinterpret_cast<WPARAM>(copy), 0);
}

uint32_t VRXAPI CVrxClientDlg::CompletionProc(uint32_t dwCompletionCode, VRXCOMPLETIONINFO* pCompletionInfo) {
    if (dwCompletionCode != COMPLETION_PRINT && dwCompletionCode != COMPLETION_ORDER) return dwCompletionCode;
    // An order completion is only 48 bytes long: never read past them.
    const size_t bytes = dwCompletionCode == COMPLETION_PRINT ? VRX_PRINT_COMPLETION_SIZE : VRX_ORDER_COMPLETION_SIZE;
    VRXCOMPLETIONINFO* copy = vrx::NewCopy(pCompletionInfo, bytes);
    return PostCopy(vrx::g_msgCompletion, copy, dwCompletionCode, reinterpret_cast<LPARAM>(copy));
}

uint32_t VRXAPI CVrxClientDlg::EventProcEx(VRXEVENTEXINFO* pEventExInfo) {
    VRXEVENTEXINFO* copy = vrx::NewCopy(pEventExInfo);
    return PostCopy(vrx::g_msgEventEx, copy, reinterpret_cast<WPARAM>(copy), 0);
}

// These two only wait until the window thread has left the lock. The library
// never calls them while the console is still inside the call that handed
// them over, so they cannot wait on themselves. A close, though, holds the
// lock and may wait for a callback in progress: they give up then.
namespace {

void WaitForConsoleLock() {
    CVrxClientDlg* main = g_pMainDlg;
    if (!main) return;
    main->Lock().WaitUntilFree(main->ClosingSignal());
}

}  // namespace

void VRXAPI CVrxClientDlg::CommandReplyProc(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) { WaitForConsoleLock(); }

void VRXAPI CVrxClientDlg::NoticeProc(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) { WaitForConsoleLock(); }

// --- Window thread.

bool CVrxClientDlg::OnNotification(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == vrx::g_msgEvent)
        OnEventNotify(reinterpret_cast<VRXEVENTINFO*>(wParam));
    else if (message == vrx::g_msgUnit)
        OnUnitNotify(reinterpret_cast<VRXUNITSTATUSINFO*>(wParam));
    else if (message == vrx::g_msgCompletion)
        OnCompletionNotify(static_cast<uint32_t>(wParam), reinterpret_cast<VRXCOMPLETIONINFO*>(lParam));
    else if (message == vrx::g_msgEventEx)
        OnEventExNotify(reinterpret_cast<VRXEVENTEXINFO*>(wParam));
    else
        return false;
    return true;
}

void CVrxClientDlg::OnEventNotify(VRXEVENTINFO* copy) {
    Owned<VRXEVENTINFO> event(copy);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.TraceEventInfo(event.get());
    if (!event) return;
    if (event->dwOnOff == 1) {
        // The list keeps a copy of its own for each pending event.
        Owned<VRXEVENTINFO> pending(vrx::NewCopy(event.get()));
        if (!pending) return;
        const int index = m_lbEvents.AddString(PendingEventText(*pending));
        if (index < 0) return;
        m_lbEvents.SetItemData(index, reinterpret_cast<LPARAM>(pending.release()));
        m_lbEvents.SetCurSel(index);
    } else if (event->dwOnOff == 0) {
        const int count = m_lbEvents.GetCount();
        for (int i = 0; i < count; ++i) {
            auto* pending = reinterpret_cast<VRXEVENTINFO*>(m_lbEvents.GetItemData(i));
            if (!pending || pending->hPrinter != event->hPrinter || pending->dwErrHandle != event->dwErrHandle)
                continue;
            m_lbEvents.DeleteString(i);
            vrx::FreeCopy(pending);
            break;
        }
    }
}

void CVrxClientDlg::OnUnitNotify(VRXUNITSTATUSINFO* copy) {
    Owned<VRXUNITSTATUSINFO> unit(copy);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.TraceUnitStatus(unit.get());
}

void CVrxClientDlg::OnCompletionNotify(uint32_t code, VRXCOMPLETIONINFO* copy) {
    Owned<VRXCOMPLETIONINFO> completion(copy);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.TraceCompletion(code, completion.get());
    if (!completion) return;
    vrx::OrderRegistry& registry = vrx::TheOrderRegistry();
    if (code == COMPLETION_PRINT) {
        vrx::PrintEntry* print = registry.FindPrint(completion->dwPrintId);
        if (!print) return;
        VRXPRINTINFO& info = print->PrintInfo();
        switch (completion->dwStatus) {
        case RESULT_TRANSFER:
            if (info.dwPrintNum <= completion->dwFinishNum) print->done = true;
            break;
        case RESULT_LOADING_COUNT:
            info.wLoadingCount = static_cast<uint16_t>(completion->dwFinishNum);
            break;
        case RESULT_PRINTED_COUNT:
            info.wPrintedCount = static_cast<uint16_t>(completion->dwFinishNum);
            break;
        default:
            break;
        }
    } else if (code == COMPLETION_ORDER) {
        vrx::OrderEntry* order = registry.Find(completion->dwOrderId);
        if (order && order->status == vrx::OrderStatus::Started) registry.Remove(order);
    }
}

void CVrxClientDlg::OnEventExNotify(VRXEVENTEXINFO* copy) {
    Owned<VRXEVENTEXINFO> eventEx(copy);
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.TraceEventEx(eventEx.get());
    if (!eventEx) return;
    vrx::PrintEntry* print = vrx::TheOrderRegistry().FindPrint(eventEx->dwPrintId);
    if (!print) return;
    print->PrintInfo().dwEventId = eventEx->dwEventId;
    print->PrintInfo().wEventCodeMain = eventEx->wEventCodeMain;
}

void CVrxClientDlg::OnDevResetEvent() {
    const HVRXPRINTER handle = GetSelectedPrinterHandle();
    const int selected = m_lbEvents.GetCurSel();
    if (selected < 0) return;
    const auto* pending = reinterpret_cast<const VRXEVENTINFO*>(m_lbEvents.GetItemData(selected));
    if (!pending || pending->dwErrHandle == 0) return;
    // Notifications may remove the entry while the dialog is open: only the
    // values read now are used afterwards.
    const uint32_t errHandle = pending->dwErrHandle;
    CDevResetEventDlg dialog;
    dialog.m_text = ResetEventText(*pending);
    if (!RunParameterDialog(dialog)) return;
    vrx::ConsoleLock::Scope lock(m_lock);
    m_traceWnd.vrxDevResetEvent(handle, errHandle, static_cast<uint32_t>(dialog.m_action));
}
