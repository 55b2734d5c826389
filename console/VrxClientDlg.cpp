#include "VrxClientDlg.h"

#include <cstdio>

#include "AboutDlg.h"
#include "RegisteredMessages.h"
#include "SettingKeys.h"
#include "resource.h"

CVrxClientDlg* g_pMainDlg = nullptr;

namespace {

std::string HandleText(HVRXPRINTER handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", handle);
    return text;
}

}  // namespace

CVrxClientDlg::CVrxClientDlg() : ui::Dialog(IDD_VRXCLIENT_DIALOG) {
    m_hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    // The button table. Buttons not listed here do nothing when clicked;
    // "vrxDevPrintKolmXml" has no operation by design.
    static const struct {
        int id;
        void (CVrxClientDlg::*handler)();
    } kButtons[] = {
        {IDC_LIB_OPEN, &CVrxClientDlg::OnLibOpen},
        {IDC_LIB_CLOSE, &CVrxClientDlg::OnLibClose},
        {IDC_SEARCH_PRINTER, &CVrxClientDlg::OnSearchPrinter},
        {IDC_SEARCH_PRINTER2, &CVrxClientDlg::OnSearchPrinter2},
        {IDC_GET_PRINTER, &CVrxClientDlg::OnGetPrinter},
        {IDC_DEV_OPEN, &CVrxClientDlg::OnDevOpen},
        {IDC_DEV_CLOSE, &CVrxClientDlg::OnDevClose},
        {IDC_DEV_RESET_EVENT, &CVrxClientDlg::OnDevResetEvent},
    };
    for (const auto& button : kButtons) Route(button.id, button.handler);
}

CVrxClientDlg::~CVrxClientDlg() {
    if (g_pMainDlg == this) g_pMainDlg = nullptr;
}

BOOL CVrxClientDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_cbPrinter.Attach(Item(IDC_PRINTER_COMBO));
    m_lbEvents.Attach(Item(IDC_EVENT_LIST));

    AddAboutMenuItem();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    g_pMainDlg = this;
    ShowTraceWindow();

    const int none = m_cbPrinter.AddString("<none>");
    m_cbPrinter.SetItemData(none, 0);
    m_cbPrinter.SetCurSel(none);

    m_iniPath = vrx::SettingsPath();
    m_settings.SetPath(m_iniPath);
    ApplyMaintenanceGates(!m_iniPath.empty());
    return TRUE;
}

void CVrxClientDlg::AddAboutMenuItem() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;
    // Wide, so the Japanese item text survives any ANSI code page.
    wchar_t text[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) <= 0 || text[0] == L'\0') return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CVrxClientDlg::ShowTraceWindow() {
    HWND log = m_traceWnd.CreateModeless(Handle());
    if (!log) return;
    // Beside the main window, so neither hides the other.
    RECT main{};
    GetWindowRect(Handle(), &main);
    SetWindowPos(log, nullptr, main.right, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(log, SW_SHOWNOACTIVATE);
}

void CVrxClientDlg::ApplyMaintenanceGates(bool pathKnown) {
    size_t count = 0;
    const vrx::HiddenKey* const* keys = vrx::StartupHiddenKeys(count);
    for (size_t i = 0; i < count; ++i) {
        const int value = pathKnown ? m_settings.ReadHidden(*keys[i]) : 0;
        if (keys[i]->buttonId == 0 || value != 0) continue;
        HWND button = Item(keys[i]->buttonId);
        ShowWindow(button, SW_HIDE);
        EnableWindow(button, FALSE);
    }
}

bool CVrxClientDlg::OnSysCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about;
    about.RunModal(Handle());
    return true;
}

bool CVrxClientDlg::OnPaint() {
    if (!IsIconic(Handle())) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(Handle(), &paint);
    return true;
}

HICON CVrxClientDlg::OnQueryDragIcon() { return m_hIcon; }

void CVrxClientDlg::OnDestroy() {
    m_traceWnd.Destroy();
    // Each pending event owns a heap copy of its event record.
    const int count = m_lbEvents.GetCount();
    for (int i = 0; i < count; ++i) {
        delete reinterpret_cast<VRXEVENTINFO*>(m_lbEvents.GetItemData(i));
        m_lbEvents.SetItemData(i, 0);
    }
}

HVRXPRINTER CVrxClientDlg::GetSelectedPrinterHandle() const {
    const int selected = m_cbPrinter.GetCurSel();
    if (selected < 0) return 0;
    return static_cast<HVRXPRINTER>(m_cbPrinter.GetItemData(selected));
}

void CVrxClientDlg::AddPrinterHandle(HVRXPRINTER handle) {
    // The whole handle: two printers whose handles share their low 16 bits
    // must not look alike.
    m_cbPrinter.AddString(HandleText(handle));
    const int last = m_cbPrinter.GetCount() - 1;
    m_cbPrinter.SetItemData(last, static_cast<LPARAM>(handle));
    m_cbPrinter.SetCurSel(last);
}

void CVrxClientDlg::RemovePrinterHandle(HVRXPRINTER handle) {
    // Matched by the handle itself, never by text, and never "<none>".
    const int count = m_cbPrinter.GetCount();
    for (int i = 1; i < count; ++i) {
        if (static_cast<HVRXPRINTER>(m_cbPrinter.GetItemData(i)) != handle) continue;
        m_cbPrinter.DeleteString(i);
        m_cbPrinter.SetCurSel(m_cbPrinter.GetCount() - 1);
        return;
    }
}

int CVrxClientDlg::ReadSettingInt(const std::string& key, int defaultValue) const {
    return m_settings.ReadInt(key.c_str(), defaultValue);
}

std::string CVrxClientDlg::ReadSettingString(const std::string& key, const std::string& defaultValue) const {
    return m_settings.ReadString(key.c_str(), defaultValue.c_str());
}

void CVrxClientDlg::WriteSettingInt(const std::string& key, int value) const {
    m_settings.WriteInt(key.c_str(), value);
}

void CVrxClientDlg::WriteSettingString(const std::string& key, const std::string& value) const {
    m_settings.WriteString(key.c_str(), value.c_str());
}
