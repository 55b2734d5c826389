// Process start-up: the application object runs the main window modally and
// the process ends with it, or with a crash report.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include "CrashReport.h"
#include "VrxClientDlg.h"

class CVrxClientApp {
public:
    // Returns false: no message loop runs after the main window has closed.
    bool InitInstance() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES |
                                                           ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        // Started once for the whole run: the printer-open dialog looks up
        // the local host, which fails without it.
        WSADATA winsock;
        WSAStartup(MAKEWORD(2, 2), &winsock);
        CVrxClientDlg dialog;
        // A crash (in the printer library, most likely) ends the console
        // with a last trace line and a dump, never silently.
        const vrx::CrashReport crashReport(dialog.TraceWindow());
        dialog.RunModal(nullptr);
        return false;
    }
};

static CVrxClientApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApp.InitInstance();
    return 0;
}
