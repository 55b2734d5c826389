#include "Dialog.h"

#include <exception>

#include "DataExchange.h"

namespace ui {

Dialog::Dialog(int templateId) : m_templateId(templateId) {}

Dialog::~Dialog() {
    if (m_hwnd && !m_modal) DestroyWindow(m_hwnd);
}

INT_PTR Dialog::RunModal(HWND parent) {
    m_modal = true;
    // Unicode windows keep the templates' Japanese texts whatever the
    // system's ANSI code page.
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent, &Dialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HWND parent) {
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent, &Dialog::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::Destroy() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void Dialog::Close(INT_PTR result) {
    if (!m_hwnd) return;
    if (m_modal)
        EndDialog(m_hwnd, result);
    else
        DestroyWindow(m_hwnd);
}

bool Dialog::UpdateData(bool save) {
    DataExchange dx(m_hwnd, save);
    Exchange(dx);
    return !dx.Failed();
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true)) Close(IDOK);
}

void Dialog::OnCancel() { Close(IDCANCEL); }

void Dialog::Route(int id, std::function<void()> handler, int code) {
    m_routes.push_back(CommandRoute{id, code, std::move(handler)});
}

bool Dialog::DispatchCommand(int id, int code) {
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

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        handled = DispatchCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        handled = false;
        return 0;
    case WM_DESTROY:
        OnDestroy();
        handled = false;
        return 0;
    case WM_SYSCOMMAND:
        handled = OnSysCommand(wParam, lParam);
        return 0;
    case WM_PAINT:
        handled = OnPaint();
        return 0;
    case WM_QUERYDRAGICON: {
        HICON icon = OnQueryDragIcon();
        handled = icon != nullptr;
        return reinterpret_cast<INT_PTR>(icon);
    }
    default:
        handled = false;
        return OnMessage(message, wParam, lParam, handled);
    }
}

void Dialog::ReportException(const char* what) {
    MessageBoxA(m_hwnd, what, "VrxClient", MB_OK | MB_ICONERROR);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
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
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->m_hwnd = nullptr;
    }
    if (!handled) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
        return result;
    default:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

}  // namespace ui
