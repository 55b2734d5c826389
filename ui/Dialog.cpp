#include "Dialog.h"

#include <algorithm>
#include <exception>

#include "Controls.h"
#include "DataExchange.h"
#include "OperatorWatch.h"
#include "Text.h"

namespace ui {

Dialog::Dialog(int templateId) : m_templateId(templateId) {}

Dialog::~Dialog() {
    if (m_hwnd && !m_modal) DestroyWindow(m_hwnd);
}

INT_PTR Dialog::RunModal(HWND parent) {
    m_modal = true;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent, &Dialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

namespace {

// Top-level modeless dialogs of this thread. The console's only message loop
// is the main window's modal one, which knows nothing of them: a message
// filter hook lets them handle Tab, Enter and Esc all the same. The hook is
// there only while such a dialog is: under Wine every message of the loop
// pays a round trip to the server for it.
thread_local std::vector<HWND> t_modeless;
thread_local HHOOK t_filterHook = nullptr;

LRESULT CALLBACK ModelessKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        for (HWND dialog : t_modeless)
            if ((msg->hwnd == dialog || IsChild(dialog, msg->hwnd)) && IsDialogMessageW(dialog, msg)) return TRUE;
    }
    return CallNextHookEx(t_filterHook, code, wParam, lParam);
}

void RegisterModeless(HWND dialog) {
    if (!dialog || (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD)) return;
    if (!t_filterHook) t_filterHook = SetWindowsHookExW(WH_MSGFILTER, &ModelessKeyboard, nullptr, GetCurrentThreadId());
    t_modeless.push_back(dialog);
}

void UnregisterModeless(HWND dialog) {
    t_modeless.erase(std::remove(t_modeless.begin(), t_modeless.end(), dialog), t_modeless.end());
    if (t_modeless.empty() && t_filterHook) {
        UnhookWindowsHookEx(t_filterHook);
        t_filterHook = nullptr;
    }
}

}  // namespace

HWND Dialog::CreateModeless(HWND parent) {
    m_modal = false;
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                                     &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (WantsDialogKeys()) RegisterModeless(dialog);
    return dialog;
}

void Dialog::Destroy() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void Dialog::Close(INT_PTR result) {
    if (!m_hwnd) return;
    if (m_modal) {
        if (OperatorWatcher* watcher = Watcher()) watcher->DialogClosing(m_hwnd, result);
        EndDialog(m_hwnd, result);
    }
    else
        DestroyWindow(m_hwnd);
}

bool Dialog::UpdateData(bool save) {
    DataExchange dx(m_hwnd, save, [this](int id, const std::string& message) { OnExchangeFailure(id, message); });
    Exchange(dx);
    if (OperatorWatcher* watcher = save ? Watcher() : nullptr) {
        if (dx.Failed())
            watcher->ValuesRefused(m_hwnd);
        else
            watcher->ValuesConfirmed(m_hwnd, dx.Confirmed());
    }
    return !dx.Failed();
}

void Dialog::OnExchangeFailure(int id, const std::string& message) { ShowExchangeFailure(m_hwnd, id, message); }

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true)) Close(IDOK);
}

void Dialog::OnCancel() { Close(IDCANCEL); }

void Dialog::FillList(int id, std::initializer_list<const char*> entries) const {
    ComboBox(Item(id)).AddStrings(entries);
}

void Dialog::Route(int id, std::function<void()> handler, int code) {
    m_routes.push_back(CommandRoute{id, code, std::move(handler)});
}

void Dialog::RouteNotify(int id, UINT code, NotifyHandler handler) {
    m_notifyRoutes.push_back(NotifyRoute{id, code, std::move(handler)});
}

bool Dialog::DispatchCommand(int id, int code, HWND control) {
    // Told first, so that what the command leads to follows it.
    if (OperatorWatcher* watcher = control ? Watcher() : nullptr) watcher->Command(m_hwnd, control, id, code);
    for (const CommandRoute& route : m_routes) {
        if (route.id == id && route.code == code) {
            route.handler();
            return true;
        }
    }
    if (OnCommand(id, code)) return true;
    if (code == BN_CLICKED || code == 0) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

bool Dialog::DispatchNotify(const NMHDR& header, LRESULT& result) {
    for (const NotifyRoute& route : m_notifyRoutes) {
        if (route.id == static_cast<int>(header.idFrom) && route.code == header.code) {
            result = route.handler(header);
            return true;
        }
    }
    return false;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_INITDIALOG: {
        const BOOL focusSet = OnInitDialog();
        if (OperatorWatcher* watcher = m_modal ? Watcher() : nullptr) watcher->DialogOpened(m_hwnd);
        return focusSet;
    }
    case WM_COMMAND:
        handled = DispatchCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        handled = header && DispatchNotify(*header, result);
        return result;
    }
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        handled = false;
        return 0;
    case WM_DESTROY:
        OnDestroy();
        handled = false;
        return 0;
    default:
        handled = false;
        return OnMessage(message, wParam, lParam, handled);
    }
}

void Dialog::ReportException(const std::string& what) {
    MessageBoxW(m_hwnd, Widen(what).c_str(), L"VrxClient", MB_OK | MB_ICONERROR);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;

    bool handled = false;
    INT_PTR result = 0;
    // An exception must not cross the system's window procedure: report it
    // and carry on with the window intact.
    try {
        result = self->Dispatch(message, wParam, lParam, handled);
    } catch (const std::exception& e) {
        self->ReportException(e.what());
        handled = true;
    } catch (...) {
        self->ReportException("Unexpected error");
        handled = true;
    }
    if (message == WM_NCDESTROY) {
        UnregisterModeless(hwnd);
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hwnd = nullptr;
    }
    if (!handled) return FALSE;
    // These answer through the dialog procedure's own return value.
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return result;
    default:
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

}  // namespace ui
