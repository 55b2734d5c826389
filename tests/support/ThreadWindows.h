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

// The control `id` of a dialog or of one of its child pages (the print
// dialog's); works across processes.
HWND FindField(HWND dialog, int id);

// Clicks a button of a window of this thread, answers with OK the message
// box the click brings, if any, and returns its text ("" when none showed).
std::string PressAnsweringMessageBox(HWND window, int buttonId = IDOK);

}  // namespace testing_support
