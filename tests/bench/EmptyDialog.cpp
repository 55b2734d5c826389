// An empty dialog program: the floor any Win32 dialog program's start-up
// stands on under the same Wine (built twice: plain, and with the console's
// manifest, which brings the common controls 6).
#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, EmptyProc, 0));
}
