// Scenario files, reports and the texts crossing to the console's windows
// are UTF-8; the system's calls take UTF-16. The texts of windows are read
// with messages, which work on another process's windows too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scenario {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

std::string TextOf(HWND window);
std::wstring ClassOf(HWND window);
// An item of a combo box or a list box ("" when there is none), and all.
std::string ItemText(HWND control, int index);
std::vector<std::string> ItemsOf(HWND control);

}  // namespace scenario
