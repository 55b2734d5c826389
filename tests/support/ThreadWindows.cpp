#include "ThreadWindows.h"

#include <commctrl.h>

#include <atomic>
#include <thread>

#include "ConsoleDriver.h"

namespace testing_support {

namespace {

// Every program that runs windows in process: the common control classes its
// dialogs use, registered before any test.
const bool kCommonControls = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
}();

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
    HWND box = WaitForWindow(threadId, timeoutMs, scenario::IsMessageBox, stop);
    if (!box) return std::string();
    const std::string text = scenario::TextOf(GetDlgItem(box, scenario::kMessageText));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return text;
}

}  // namespace

HWND WaitForThreadWindow(DWORD threadId, const std::wstring& caption, DWORD timeoutMs) {
    const std::string wanted = scenario::WideToUtf8(caption);
    return WaitForWindow(threadId, timeoutMs, [&](HWND window) { return scenario::TextOf(window) == wanted; });
}

std::string DismissThreadMessageBox(DWORD threadId, DWORD timeoutMs) { return DismissBox(threadId, timeoutMs, nullptr); }

HWND FindField(HWND dialog, int id) { return scenario::FindControl(dialog, id); }

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
