// Prints the screen rectangle of a control of a top-level window, found by
// the window's caption and the control's id: "x y width height". A script
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
    HWND control = top ? GetDlgItem(top, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : nullptr;
    RECT rect{};
    if (!control || !GetWindowRect(control, &rect)) {
        std::fprintf(stderr, "vrx_control_rect: no control %ls in a window \"%ls\"\n", argv[2], argv[1]);
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
