// For tests that run a window in process while another thread plays the
// operator: finding and answering the windows a thread shows.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A visible top-level window of that thread whose caption is `caption`;
// null after the timeout.
HWND WaitForThreadWindow(DWORD threadId, const std::wstring& caption, DWORD timeoutMs = 5000);

// Waits for a message box of that thread, closes it with OK and returns its
// text (UTF-8); "" when none showed.
std::string DismissThreadMessageBox(DWORD threadId, DWORD timeoutMs = 5000);

}  // namespace testing_support
