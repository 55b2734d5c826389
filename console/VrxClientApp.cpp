// Process start-up: the application object runs the main window modally and
// the process ends with it.
#include <windows.h>
#include <commctrl.h>

#include "VrxClientDlg.h"

class CVrxClientApp {
public:
    // Returns false: no message loop runs after the main window has closed.
    bool InitInstance() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES |
                                                           ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        CVrxClientDlg dialog;
        dialog.RunModal(nullptr);
        return false;
    }
};

static CVrxClientApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApp.InitInstance();
    return 0;
}
