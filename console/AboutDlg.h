// The about box: the version and nothing else.
#pragma once

#include "Dialog.h"
#include "resource.h"

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}
};
