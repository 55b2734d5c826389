// The real console, started in a folder of its own beside the stand-in
// library, and driven from outside through its window as an operator would:
// the console driver with the tests' conveniences.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ConsoleDriver.h"
#include "TestFolder.h"

namespace testing_support {

class ConsoleProcess {
public:
    // Copies the console and the library into a fresh folder.
    ConsoleProcess();
    ~ConsoleProcess();

    // A file beside the console, written before Start.
    void WriteFile(const std::string& name, const std::string& content) const;
    const TestFolder& Folder() const { return m_folder; }

    // Starts the console and waits for its main window; false on failure.
    bool Start();
    // One start, no second try; Failure() says why it failed.
    bool StartOnce();
    const std::string& Failure() const { return m_failure; }
    // Presses "Exit" and waits for the process to end.
    bool Exit();

    HWND MainWindow() const { return m_driver.Main(); }
    HWND Control(int id) const { return GetDlgItem(MainWindow(), id); }
    // A top-level window of the console's process with this caption, shown
    // or not.
    HWND FindWindowByCaption(const std::wstring& caption, DWORD timeoutMs = 5000) const;

    // Texts of another process's controls, as UTF-8.
    static std::string TextOf(HWND window);
    static std::string ListText(HWND list, int index);
    static std::string ComboText(HWND combo, int index);
    static std::string Narrow(const wchar_t* text);

    // Clicks a button that makes its call at once; returns when its handler
    // has finished.
    void Press(int id) const;
    // Clicks a button that opens a dialog; returns the dialog, or null.
    HWND PressForDialog(int id, const std::wstring& caption) const;
    // Clicks a button of an open dialog, waits for the dialog to close and
    // for the handler that ran it to finish. False if it stays open.
    bool CloseDialog(HWND dialog, int buttonId = IDOK) const;
    // Lets the console's window thread finish what it is doing.
    void Sync() const;

    // The stand-in library's call journal, when its settings name "calls.log":
    // the lines of one entry point, in call order.
    std::vector<std::string> Journal(const std::string& entryPoint) const;
    // "vrxLibOpen" confirmed, with "Log" switched off if asked.
    bool OpenLibrary(bool logging = true) const;
    // "vrxDevOpen" confirmed with this address typed in.
    bool OpenPrinter(uint8_t a, uint8_t b, uint8_t c, uint8_t d) const;
    // A check box changed as an operator's click would change it: the box,
    // then the dialog hears of it. (BM_CLICK across processes crashes Wine.)
    static void SetCheck(HWND dialog, int id, bool checked);
    // Waits for a message box of the console, closes it with OK and returns
    // its text; "" when none showed.
    std::string DismissMessageBox(DWORD timeoutMs = 5000) const;

    // The trace window's lines, oldest first.
    std::vector<std::string> TraceLines() const;
    // Trace lines whose function field is this name, time stamps cut off.
    std::vector<std::string> TraceOf(const std::string& function) const;
    // Polls until the predicate holds or the time runs out.
    template <class Predicate>
    static bool WaitUntil(Predicate done, DWORD timeoutMs = 10000) {
        return scenario::WaitUntil(done, timeoutMs);
    }

private:
    TestFolder m_folder;
    std::string m_failure;
    scenario::ConsoleDriver m_driver;  // ends the console before its folder goes
};

}  // namespace testing_support
