// The console's main window: one button per SDK entry point, the list of
// open printer handles and the pending printer events. Its handlers live in
// the files named after it:
//   VrxClientDlg.cpp         the window: start-up, painting, printer list
//   VrxClientDlgButtons.cpp  the button table: id, handler, hidden-section gate
//   VrxClientDlgConnect.cpp  library open and close, discovery, printer open and close
//   VrxClientDlgDevice.cpp   device information, clock, control, profile, blank
//                            print, FAD and the maintenance commands
//   VrxClientDlgOrders.cpp   orders, print status, cancel, interrupt, retransmission
//   VrxClientDlgPrint.cpp    printing, shared-memory image buffers, re-send,
//                            retransmission end
//   VrxClientDlgNotify.cpp   the library's callbacks and the pending events
// Each button handler has the same shape:
//   1. handle = GetSelectedPrinterHandle()        (device calls only)
//   2. preset a parameter dialog; stop unless RunParameterDialog() says OK
//      (RunRememberedDialog() loads remembered values first, saves them after)
//   3. under ConsoleLock::Scope(m_lock): the traced call through m_traceWnd,
//      bookkeeping only on VRXERR_NORMAL (the end of a retransmission
//      re-submits the unfinished prints whatever its call said)
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ConsoleLock.h"
#include "Controls.h"
#include "Dialog.h"
#include "LogDlg.h"
#include "OrderRegistry.h"
#include "SettingsExchange.h"
#include "SettingsFile.h"
#include "VrxSdk.h"

class CVrxClientDlg : public ui::Dialog {
public:
    CVrxClientDlg();
    ~CVrxClientDlg() override;

    // One row per button of the window, in the order of the button table.
    struct Button {
        int id;
        void (CVrxClientDlg::*handler)();  // null: the button does nothing
        const vrx::HiddenKey* gate;        // shown only while this hidden key is not 0
    };
    static const std::vector<Button>& Buttons();

    // Printer-handle list: "<none>" (handle 0) first, then every open printer.
    HVRXPRINTER GetSelectedPrinterHandle() const;
    void AddPrinterHandle(HVRXPRINTER handle);
    void RemovePrinterHandle(HVRXPRINTER handle);

    // The settings file "VrxClient.ini"; it alone holds the file's path.
    const vrx::SettingsFile& Settings() const { return m_settings; }
    vrx::ConsoleLock& Lock() { return m_lock; }
    HANDLE ClosingSignal() const { return m_closing; }
    CLogDlg& TraceWindow() { return m_traceWnd; }
    ui::ComboBox& PrinterList() { return m_cbPrinter; }
    ui::ListBox& EventList() { return m_lbEvents; }

    // Library threads' callbacks (notification routing).
    static uint32_t VRXAPI EventProc(VRXEVENTINFO* pEventInfo);
    static uint32_t VRXAPI UnitProc(VRXUNITSTATUSINFO* pUnitStatusInfo);
    static uint32_t VRXAPI CompletionProc(uint32_t dwCompletionCode, VRXCOMPLETIONINFO* pCompletionInfo);
    static uint32_t VRXAPI EventProcEx(VRXEVENTEXINFO* pEventExInfo);
    static void VRXAPI CommandReplyProc(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
    static void VRXAPI NoticeProc(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Runs a parameter dialog over the main window; true on OK.
    bool RunParameterDialog(ui::Dialog& dialog) { return dialog.RunModal(Handle()) == IDOK; }
    // The same for a dialog that remembers values: `exchange` loads them
    // from the settings file first and saves them after OK.
    bool RunRememberedDialog(ui::Dialog& dialog, const std::function<void(vrx::SettingsExchange&)>& exchange);

private:
    // Library opening and printer connection.
    void OnLibOpen();
    void OnLibClose();
    void OnSearchPrinter();
    void OnSearchPrinter2();
    void SearchPrinters(uint32_t (vrx::SdkCallTracer::*search)(uint16_t*, uint32_t));
    void OnGetPrinter();
    void OnDevOpen();
    void OnDevClose();
    void ProposeLocalAddress(uint8_t (&octets)[4]);

    // Device operations.
    void OnDevIsReady();
    void OnDevCloseCheck();
    void OnDevOccupyCheck();
    void OnDevCancelPrintAll();
    void OnDevAdjustForPrint();
    void OnDevGetUnitInfo();
    void OnDevGetSetUpInfo();
    void OnDevGetPrintNumInfo();
    void OnDevGetMagInfo();
    void OnDevGetAllMagInfo();
    void OnDevGetTransmitTime();
    void OnDevGetTime();
    void OnGetVrxVersion();
    void OnSetCompletionProcMode();
    void OnDevCtrlPrint();
    void OnDevSetTime();
    void OnDevGetProfile();
    void OnDevBlankPrint();
    void OnDevStartFad();
    void OnDevVrxCommand1();
    void OnDevVrxCommand2();
    void OnDevVrxNotice();
    // The shapes most device operations share: the selected printer, the
    // traced call under the lock; records zero-filled and freed afterwards.
    void CallWithHandle(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER));
    template <class Record>
    void QueryRecord(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, Record*));
    template <class Record>
    void QueryMagazines(uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, Record*, uint32_t*));

    // Order operations.
    void OnDevStartOrder();
    void OnDevEndOrder();
    void OnDevSort();
    void OnDevExpressOrder();
    void OnDevStartDuplex();
    void OnDevEndDuplex();
    void OnDevGetPrintStatus();
    void OnDevCancelPrintOrder();
    void OnDevInterruptPrintOrder();
    void OnDevStartRetransmission();
    // An order-id dialog of this template, preset with the last order, then the call.
    void CallWithOrderId(int templateId, uint32_t (vrx::SdkCallTracer::*call)(HVRXPRINTER, uint32_t));

    // Printing.
    void OnDevPrint();
    void OnDevPrintResend();
    void OnDevEndRetransmission();
    // The print routine: mode 0 plain, 1 colour-command (no button starts it).
    void PrintImage(uint32_t mode);
    // The traced print call for a stored or new print; its print id is written in place.
    uint32_t SubmitPrintEntry(HVRXPRINTER handle, vrx::PrintEntry& entry);

    // Notifications posted by the callbacks, handled on the window thread.
    bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam);
    void OnEventNotify(VRXEVENTINFO* copy);
    void OnUnitNotify(VRXUNITSTATUSINFO* copy);
    void OnCompletionNotify(uint32_t code, VRXCOMPLETIONINFO* copy);
    void OnEventExNotify(VRXEVENTEXINFO* copy);
    void OnDevResetEvent();

    // The window itself.
    void AddAboutMenuItem();
    void ShowTraceWindow();
    void ApplyMaintenanceGates(bool pathKnown);
    void OnSysCommand(WPARAM command, bool& handled);
    void OnPaint(bool& handled);

    // Declaration order as the console has always had it; the settings
    // file takes the place of the separate path member.
    ui::ComboBox m_cbPrinter;
    ui::ListBox m_lbEvents;
    HICON m_hIcon = nullptr;
    CLogDlg m_traceWnd;
    int32_t m_printerCount = 0;
    uint32_t m_lastOrderId = 0;
    vrx::SettingsFile m_settings;
    vrx::ConsoleLock m_lock;
    int32_t m_mappingSeq = 0;

    // Set while the library or a printer is being closed: the reply and notice
    // callbacks stop waiting for the lock then, since the close (which holds
    // the lock) may wait for them. Like the lock, never closed.
    HANDLE m_closing = nullptr;
    class ClosingScope;
};

// The main window, for library threads to post to and to lock on; null until
// the main window is initialised.
extern CVrxClientDlg* g_pMainDlg;
