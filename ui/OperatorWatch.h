// What the operator does in the console's dialogs, told as it happens to one
// watcher (the scenario recorder): which dialog opened, which buttons were
// clicked, which values a dialog accepted, which file was chosen, how the
// dialog closed. Nothing is told while no watcher is set, and a watcher
// changes nothing of what the dialogs do.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// One field a dialog's data exchange read back and accepted.
struct ConfirmedValue {
    enum class Kind { Text, Number, Check, Choice, ListViewChoice, Address };
    int id = 0;
    HWND control = nullptr;
    Kind kind = Kind::Text;
    std::string value;  // Number: decimal; Check: "on"/"off"; Choice: index; Address: a.b.c.d; Text: ""
};

class OperatorWatcher {
public:
    virtual ~OperatorWatcher() = default;
    // A modal dialog (the main window among them) has been set up.
    virtual void DialogOpened(HWND dialog) = 0;
    // A control's command reached its dialog (a click, a list's new choice).
    virtual void Command(HWND dialog, HWND control, int id, int code) = 0;
    // A save of a dialog's fields accepted all of them, in exchange order.
    virtual void ValuesConfirmed(HWND dialog, const std::vector<ConfirmedValue>& values) = 0;
    // A save refused a field; its message is on the screen.
    virtual void ValuesRefused(HWND dialog) = 0;
    // A file chooser over `owner` ended: the path, or null when cancelled.
    virtual void FileChosen(HWND owner, const std::string* path) = 0;
    // The colour chooser ended (the colour, or -1 when cancelled).
    virtual void ColourChosen(HWND owner, long colour) = 0;
    // A message box is about to show over `owner` (its text in the system
    // code page); a refused field's message is not told, the refusal is.
    virtual void MessageShown(HWND owner, const std::string& text) = 0;
    // A modal dialog is about to end with this result; its controls still stand.
    virtual void DialogClosing(HWND dialog, INT_PTR result) = 0;
};

// The one watcher of the window thread, or null.
void SetOperatorWatcher(OperatorWatcher* watcher);
OperatorWatcher* Watcher();

}  // namespace ui
