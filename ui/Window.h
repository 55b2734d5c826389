// What every window of the layer shares, dialogs and controls alike: the
// handle and the few things done to any window. Texts cross to the system
// code page here (see Text.h).
#pragma once

#include <windows.h>

#include <string>

#include "OperatorWatch.h"
#include "Text.h"

namespace ui {

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Handle() const { return m_hwnd; }
    Window Parent() const { return Window(GetParent(m_hwnd)); }

    bool IsVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
    bool IsEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    void Show(bool shown) const { ShowWindow(m_hwnd, shown ? SW_SHOW : SW_HIDE); }
    // Shown without taking the focus from the window that has it.
    void ShowInactive() const { ShowWindow(m_hwnd, SW_SHOWNOACTIVATE); }
    void Enable(bool enabled) const { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }
    std::string Text() const { return GetText(m_hwnd); }
    void SetText(const std::string& text) const { ui::SetText(m_hwnd, text); }
    // Suspends repainting while much changes.
    void SetRedraw(bool redraw) const { Send(WM_SETREDRAW, redraw ? TRUE : FALSE); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(m_hwnd, message, wParam, lParam);
    }

    // The system's standard error box, owned by this window.
    void ShowError(const std::string& message) const {
        if (OperatorWatcher* watcher = Watcher()) watcher->MessageShown(m_hwnd, message);
        ShowErrorBox(message);
    }
    // The same, untold to the operator watcher: a refused field, which the
    // watcher hears of as a refusal.
    void ShowErrorBox(const std::string& message) const {
        MessageBoxW(m_hwnd, Widen(message).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    }

protected:
    HWND m_hwnd = nullptr;
};

}  // namespace ui
