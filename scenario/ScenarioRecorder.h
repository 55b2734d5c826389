// Writes what the operator does in the console as a scenario, while it
// happens: each main-window button pressed, each dialog with the values it
// accepted (in its exchange order, the picked list items after them) and how
// it was closed, each file chosen, each message shown, and each trace line as
// an expectation ("wait" for a notification) with its run-specific parts as
// placeholders. It only watches: nothing the console traces, logs or sends
// changes while it records.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "OperatorWatch.h"
#include "TraceGeneraliser.h"

namespace scenario {

class ScenarioRecorder : public ui::OperatorWatcher {
public:
    // Starts recording into `path` (system code page, as a chooser gives it)
    // over the console's main window. The settings of the console and of the
    // stand-in library in `programFolder` at this moment open the scenario.
    // Null, with the reason in `error`, when the file cannot be written.
    static std::unique_ptr<ScenarioRecorder> Start(const std::string& path, HWND main,
                                                   const std::string& programFolder, std::string& error);
    ~ScenarioRecorder() override;  // ends the recording
    ScenarioRecorder(const ScenarioRecorder&) = delete;
    ScenarioRecorder& operator=(const ScenarioRecorder&) = delete;

    // A line as the trace window adds it (time stamp first).
    void TraceLine(const char* line);
    void DialogOpened(HWND dialog) override;
    void Command(HWND dialog, HWND control, int id, int code) override;
    void ValuesConfirmed(HWND dialog, const std::vector<ui::ConfirmedValue>& values) override;
    void ValuesRefused(HWND dialog) override;
    void FileChosen(HWND owner, const std::string* path) override;
    void ColourChosen(HWND owner, long colour) override;
    void MessageShown(HWND owner, const std::string& text) override;
    void DialogClosing(HWND dialog, INT_PTR result) override;

private:
    ScenarioRecorder(HANDLE file, HWND main, const std::string& programFolder);
    // Steps go out one behind, so that a button click can still become the
    // file chooser it opened, or be dropped when it was refused.
    void Emit(std::string step, int buttonId = 0);
    void Write(const std::string& text);
    std::string ValueStep(const ui::ConfirmedValue& value) const;
    void WriteHeldValues(HWND dialog);
    bool InOpenDialog(HWND window) const;

    std::recursive_mutex m_lock;  // trace lines may come from the library's threads
    HANDLE m_file;
    HWND m_main;
    TraceGeneraliser m_generaliser;
    std::vector<HWND> m_dialogs;  // modal dialogs open over the main window, innermost last
    std::vector<std::pair<HWND, std::vector<std::string>>> m_held;  // accepted values not yet written, per page
    std::string m_pending;
    int m_pendingButton = 0;  // the control id when the pending step is a dialog button
};

}  // namespace scenario
