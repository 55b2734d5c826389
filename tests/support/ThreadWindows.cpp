#include "ThreadWindows.h"

#include <commctrl.h>

#include <atomic>
#include <thread>
#include <vector>

namespace testing_support {

namespace {

// Every program that runs windows in process: the common control classes its
// dialogs use, registered before any test.
const bool kCommonControls = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
}();

std::string Utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string narrow(static_cast<size_t>(bytes) - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

// Polls until a window matches, the time runs out or `stop` is set.
template <class Match>
HWND WaitForWindow(DWORD threadId, DWORD timeoutMs, Match match, const std::atomic<bool>* stop = nullptr) {
    struct Search {
        Match* match;
        HWND found;
    } search{&match, nullptr};
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    for (;;) {
        EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM param) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                if (!IsWindowVisible(window) || !(*s->match)(window)) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount64() > until || (stop && *stop)) return search.found;
        Sleep(20);
    }
}

std::string DismissBox(DWORD threadId, DWORD timeoutMs, const std::atomic<bool>* stop) {
    // A message box is the window with the message text control.
    HWND box = WaitForWindow(threadId, timeoutMs, [](HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }, stop);
    if (!box) return std::string();
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return Utf8(text);
}

}  // namespace

HWND WaitForThreadWindow(DWORD threadId, const std::wstring& caption, DWORD timeoutMs) {
    return WaitForWindow(threadId, timeoutMs, [&](HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return caption == text;
    });
}

std::string DismissThreadMessageBox(DWORD threadId, DWORD timeoutMs) { return DismissBox(threadId, timeoutMs, nullptr); }

HWND FindField(HWND dialog, int id) {
    if (HWND own = GetDlgItem(dialog, id)) return own;
    for (HWND page = FindWindowExW(dialog, nullptr, nullptr, nullptr); page;
         page = FindWindowExW(dialog, page, nullptr, nullptr))
        if (HWND field = GetDlgItem(page, id)) return field;
    return nullptr;
}

std::string PressAnsweringMessageBox(HWND window, int buttonId) {
    std::atomic<bool> returned{false};
    std::string text;
    const DWORD self = GetCurrentThreadId();
    std::thread answer([&] { text = DismissBox(self, 60000, &returned); });
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    returned = true;
    answer.join();
    return text;
}

}  // namespace testing_support
