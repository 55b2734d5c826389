#include "VrxClientDlg.h"

#include <algorithm>
#include <cstdio>

#include "AboutDlg.h"
#include "NotificationCopies.h"
#include "TracePlacement.h"
#include "resource.h"

CVrxClientDlg* g_pMainDlg = nullptr;

namespace {

std::string HandleText(HVRXPRINTER handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", handle);
    return text;
}

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

CVrxClientDlg::CVrxClientDlg() : ui::Dialog(IDD_VRXCLIENT_DIALOG) {
    m_closing = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    for (const Button& button : Buttons())
        if (button.handler) Route(button.id, button.handler);
}

CVrxClientDlg::~CVrxClientDlg() {
    if (g_pMainDlg == this) g_pMainDlg = nullptr;
}

BOOL CVrxClientDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_cbPrinter.Attach(Item(IDC_PRINTER_COMBO));
    m_lbEvents.Attach(Item(IDC_EVENT_LIST));

    AddAboutMenuItem();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    g_pMainDlg = this;
    ShowTraceWindow();

    const int none = m_cbPrinter.AddString("<none>");
    m_cbPrinter.SetItemData(none, 0);
    m_cbPrinter.SetCurSel(none);

    m_settings.SetPath(vrx::SettingsPath());
    ApplyMaintenanceGates(!m_settings.Path().empty());
    return TRUE;
}

void CVrxClientDlg::AddAboutMenuItem() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;
    wchar_t text[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) <= 0 || text[0] == L'\0') return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CVrxClientDlg::ShowTraceWindow() {
    HWND log = m_traceWnd.CreateModeless(Handle());
    if (!log) return;
    // Beside the main window, so neither hides the other, and wholly on the
    // main window's monitor: at a high DPI setting there may be no room beside it.
    RECT main{}, logRect{};
    GetWindowRect(Handle(), &main);
    GetWindowRect(log, &logRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        monitor.rcWork = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const auto toRect = [](const RECT& r) { return vrx::Rect{r.left, r.top, r.right, r.bottom}; };
    const vrx::Rect at = vrx::PlaceBeside(toRect(monitor.rcWork), toRect(main), logRect.right - logRect.left,
                                          logRect.bottom - logRect.top);
    SetWindowPos(log, nullptr, at.left, at.top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_traceWnd.ShowInactive();
}

void CVrxClientDlg::ApplyMaintenanceGates(bool pathKnown) {
    // The gated buttons form the maintenance group; its slots are where the
    // template puts them, top to bottom.
    std::vector<HWND> group;
    std::vector<HWND> shown;
    for (const Button& button : Buttons()) {
        if (!button.gate) continue;
        HWND control = Item(button.id);
        group.push_back(control);
        if (pathKnown && m_settings.ReadHidden(*button.gate) != 0) {
            shown.push_back(control);
        } else {
            ui::Window(control).Show(false);
            ui::Window(control).Enable(false);
        }
    }
    const auto above = [](HWND a, HWND b) { return RectInParent(a).top < RectInParent(b).top; };
    std::sort(group.begin(), group.end(), above);
    std::sort(shown.begin(), shown.end(), above);
    // The enabled buttons move up into the first slots: no gap in the group.
    std::vector<RECT> slots;
    for (HWND control : group) slots.push_back(RectInParent(control));
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT& slot = slots[i];
        MoveWindow(shown[i], slot.left, slot.top, slot.right - slot.left, slot.bottom - slot.top, FALSE);
    }
    ui::Window(Item(IDC_MAINTENANCE_HEADING)).Show(!shown.empty());
}

INT_PTR CVrxClientDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(wParam, handled);
        return 0;
    case WM_PAINT:
        OnPaint(handled);
        return 0;
    case WM_QUERYDRAGICON:
        handled = true;
        return reinterpret_cast<INT_PTR>(m_hIcon);
    default:
        handled = OnNotification(message, wParam, lParam);
        return 0;
    }
}

void CVrxClientDlg::OnSysCommand(WPARAM command, bool& handled) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return;
    handled = true;
    CAboutDlg about;
    about.RunModal(Handle());
}

void CVrxClientDlg::OnPaint(bool& handled) {
    if (!IsIconic(Handle())) return;
    handled = true;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(Handle(), &paint);
}

void CVrxClientDlg::OnDestroy() {
    m_traceWnd.Destroy();
    // Each pending event owns a heap copy of its event record.
    const int count = m_lbEvents.GetCount();
    for (int i = 0; i < count; ++i) {
        vrx::FreeCopy(reinterpret_cast<VRXEVENTINFO*>(m_lbEvents.GetItemData(i)));
        m_lbEvents.SetItemData(i, 0);
    }
}

bool CVrxClientDlg::RunRememberedDialog(ui::Dialog& dialog,
                                        const std::function<void(vrx::SettingsExchange&)>& exchange) {
    vrx::SettingsExchange load(m_settings, vrx::SettingsExchange::Direction::Load);
    exchange(load);
    if (!RunParameterDialog(dialog)) return false;
    vrx::SettingsExchange save(m_settings, vrx::SettingsExchange::Direction::Save);
    exchange(save);
    return true;
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
