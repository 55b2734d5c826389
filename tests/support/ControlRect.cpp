// Prints the screen rectangle of a control of a top-level window, found by
// the window's caption and the visible control's id: "x y width height". A script
// driving a real mouse on an X display clicks there (under Wine's X11
// driver, screen and X root coordinates are the same).
//   vrx_control_rect <caption> <control id>
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vrx_control_rect <caption> <control id>\n");
        return 2;
    }
    HWND top = FindWindowW(nullptr, argv[1]);
    struct Search {
        int id;
        HWND found;
    } search{static_cast<int>(std::wcstol(argv[2], nullptr, 10)), nullptr};
    if (top) search.found = GetDlgItem(top, search.id);
    // Else a control of a page inside the window (the print dialog's tabs).
    if (top && !(search.found && IsWindowVisible(search.found)))
        EnumChildWindows(
            top,
            [](HWND child, LPARAM param) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                if (GetDlgCtrlID(child) != s->id || !IsWindowVisible(child)) return TRUE;
                s->found = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    HWND control = search.found;
    RECT rect{};
    if (!control || !GetWindowRect(control, &rect)) {
        std::fprintf(stderr, "vrx_control_rect: no control %ls in a window \"%ls\"\n", argv[2], argv[1]);
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
