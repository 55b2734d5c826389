// The console's main window: one button per SDK entry point, the list of
// open printer handles and the pending printer events. Each button handler
// has the same shape:
//   1. handle = GetSelectedPrinterHandle()        (device calls only)
//   2. preset a parameter dialog; stop unless RunParameterDialog() says OK
//   3. save the confirmed values to the settings file
//   4. under ConsoleLock::Scope(m_lock): the traced call through m_traceWnd,
//      bookkeeping only on VRXERR_NORMAL
#pragma once

#include <cstdint>
#include <string>

#include "ConsoleLock.h"
#include "Controls.h"
#include "Dialog.h"
#include "LogDlg.h"
#include "SettingsFile.h"
#include "VrxSdk.h"

class CVrxClientDlg : public ui::Dialog {
public:
    CVrxClientDlg();
    ~CVrxClientDlg() override;

    // Printer-handle list: "<none>" (handle 0) first, then every open printer.
    HVRXPRINTER GetSelectedPrinterHandle() const;
    void AddPrinterHandle(HVRXPRINTER handle);
    void RemovePrinterHandle(HVRXPRINTER handle);

    // Section "Setting" of the console's settings file.
    int ReadSettingInt(const std::string& key, int defaultValue) const;
    std::string ReadSettingString(const std::string& key, const std::string& defaultValue) const;
    void WriteSettingInt(const std::string& key, int value) const;
    void WriteSettingString(const std::string& key, const std::string& value) const;
    const vrx::SettingsFile& Settings() const { return m_settings; }

    vrx::ConsoleLock& Lock() { return m_lock; }
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
    bool OnSysCommand(WPARAM command, LPARAM lParam) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    void OnDestroy() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Runs a parameter dialog over the main window; true on OK.
    bool RunParameterDialog(ui::Dialog& dialog) { return dialog.RunModal(Handle()) == IDOK; }

private:
    // Library opening and printer connection.
    void OnLibOpen();
    void OnLibClose();
    void OnSearchPrinter();
    void OnSearchPrinter2();
    void OnGetPrinter();
    void OnDevOpen();
    void OnDevClose();
    void ProposeLocalAddress(uint8_t (&octets)[4]);

    // Notifications posted by the callbacks, handled on the window thread.
    void OnEventNotify(VRXEVENTINFO* copy);
    void OnUnitNotify(VRXUNITSTATUSINFO* copy);
    void OnCompletionNotify(uint32_t code, VRXCOMPLETIONINFO* copy);
    void OnEventExNotify(VRXEVENTEXINFO* copy);
    void OnDevResetEvent();

    void AddAboutMenuItem();
    void ShowTraceWindow();
    void ApplyMaintenanceGates(bool pathKnown);

    // Declaration order as the console has always had it.
    ui::ComboBox m_cbPrinter;
    ui::ListBox m_lbEvents;
    HICON m_hIcon = nullptr;
    CLogDlg m_traceWnd;
    int32_t m_printerCount = 0;
    uint32_t m_lastOrderId = 0;
    std::string m_iniPath;
    vrx::ConsoleLock m_lock;
    int32_t m_mappingSeq = 0;

    vrx::SettingsFile m_settings;
};

// The main window, for library threads to post to and to lock on; null until
// the main window is initialised.
extern CVrxClientDlg* g_pMainDlg;
