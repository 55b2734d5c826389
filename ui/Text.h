// The boundary between the wide controls and the console's texts. Texts
// stay in the system code page everywhere else (settings file, records,
// trace), byte for byte what an ANSI program would keep; only the controls
// speak UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// A window's text, converted at the boundary.
std::string GetText(HWND window);
void SetText(HWND window, const std::string& text);

}  // namespace ui
