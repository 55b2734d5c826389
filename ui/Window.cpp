#include "Window.h"

#include "Text.h"

namespace ui {

std::string Window::Text() const { return GetText(m_hwnd); }

void Window::SetText(const std::string& text) const { ui::SetText(m_hwnd, text); }

void Window::ShowError(const std::string& message) const {
    MessageBoxW(m_hwnd, Widen(message).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace ui
