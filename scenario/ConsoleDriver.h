// The real console, started in a run folder of its own, driven from outside
// through its windows as an operator's clicks and keys would: every value
// goes through the dialog's own checks. Texts cross as UTF-8.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "WindowText.h"

namespace scenario {

class ConsoleDriver {
public:
    ~ConsoleDriver();

    // Starts the VrxClient.exe of folder (which keeps its files beside it),
    // ending one started before; false with Failure() when its main window
    // does not show.
    bool Start(const std::string& folder, DWORD timeoutMs);
    // Presses "Exit" and waits for the process to end; ends it otherwise.
    // True when it ended by itself.
    bool Exit();
    // Leaves the console running for the operator.
    void Release();
    const std::string& Failure() const { return m_failure; }

    // A main-window button by its caption; 0 when there is none.
    int ButtonId(const std::string& caption) const;
    // Clicks a main-window button and returns once its handler returned or
    // ran a dialog of its own; false when no operator could click it.
    bool Press(int id, DWORD timeoutMs) const;
    // A visible top-level window of the console with this caption (hidden
    // ones too if asked: a dialog is shown once its initialisation returned).
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs, bool hiddenToo = false) const;
    // A message box of the console, or null.
    HWND FindMessageBox() const;
    // Waits for a message box, answers it with OK and returns its text; ""
    // when none showed.
    std::string DismissMessageBox(DWORD timeoutMs) const;
    // Posts a click of a dialog's button; for a closing one, waits until the
    // dialog is gone or a message box refuses. True when the dialog closed.
    bool Click(HWND dialog, int id, bool closes, DWORD timeoutMs) const;
    // Returns once the window thread has finished what it was doing, or has
    // entered a dialog's loop.
    void Sync(DWORD timeoutMs) const;

    // Control values, as an operator would type or choose them.
    static bool SetText(HWND dialog, int id, const std::string& text, std::string& failure);
    static bool SetCheck(HWND dialog, int id, bool checked, std::string& failure);
    bool Choose(HWND dialog, int id, const std::string& item, std::string& failure) const;
    static bool SetAddress(HWND dialog, int id, const std::string& address, std::string& failure);
    // The file chooser opened by a dialog's button: path typed in, OK.
    bool ChooseFile(HWND dialog, int id, const std::string& path, DWORD timeoutMs, std::string& failure);

    // Recording through the Log window's "Record scenario..." (its file
    // chooser given `path`) and "Stop recording".
    bool StartRecording(const std::string& path, DWORD timeoutMs, std::string& failure);
    void StopRecording(DWORD timeoutMs);

    // The text of a dialog's control (a page's too); false when it has none.
    bool ControlText(HWND dialog, int id, std::string& text, std::string& failure) const;
    HWND Main() const { return m_main; }
    HANDLE Process() const { return m_process.hProcess; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The console's process has ended (its exit code then), by "Exit" or not.
    bool Ended(DWORD& exitCode) const;
    // Its window thread takes a message within the time.
    bool Responding(DWORD timeoutMs) const;

    // New trace lines from the log file since the last call ("[tag] ..."),
    // the log's time stamps cut off (ConsoleLog.cpp).
    std::vector<std::string> NewTraceLines();
    // A key of VrxClient.ini in the run folder, or "" when it is not there.
    std::string SettingsKey(const std::string& section, const std::string& key) const;

private:
    // Ends the process if it still runs and lets go of it.
    void End();
    HWND LogWindow() const;
    // Types `path` into the file chooser that opens over `opener`, then its OK.
    bool TakeChooser(HWND opener, const std::string& path, DWORD timeoutMs, std::string& failure);
    // Exactly the items of a list view given as "0" or "0,2" are selected.
    bool SelectListViewItems(HWND view, const std::string& indexes, std::string& failure) const;

    std::string m_folder;
    std::string m_failure;
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    uint64_t m_logOffset = 0;
    uint64_t m_logIdentity = 0;  // the file read last, to tell a rotation
    std::string m_partialLine;
};

constexpr int kMessageText = 0xFFFF;  // the text of a message box

// A message box: its text and its icon, both statics.
bool IsMessageBox(HWND window);
// A control of a dialog or of one of its pages (a tabbed dialog's pages are
// child dialogs); null when there is none.
HWND FindControl(HWND dialog, int id);

// Polls until done() holds or the time runs out; false then.
template <class Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs) {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > until) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace scenario
