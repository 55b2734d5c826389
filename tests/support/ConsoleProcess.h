// The real console, started in a folder of its own beside the stand-in
// library, and driven from outside through its window as an operator would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
    // Presses "Exit" and waits for the process to end.
    bool Exit();

    HWND MainWindow() const { return m_main; }
    HWND Control(int id) const { return GetDlgItem(m_main, id); }
    // A top-level window of the console's process with this caption.
    HWND FindWindowByCaption(const std::wstring& caption, DWORD timeoutMs = 5000) const;

    static std::string TextOf(HWND window);

private:
    TestFolder m_folder;
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

}  // namespace testing_support
