// Text to the clipboard, as Unicode so any code page's text survives.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// Replaces the clipboard's content with the text (system code page); false
// when the clipboard could not be had.
bool CopyToClipboard(HWND owner, const std::string& text);

}  // namespace ui
