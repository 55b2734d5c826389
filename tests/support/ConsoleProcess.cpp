#include "ConsoleProcess.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "resource.h"

namespace testing_support {

ConsoleProcess::ConsoleProcess() {
    const std::string from = ThisProgramFolder();
    for (const char* name : {"VrxClient.exe", "ZembrinPrinter.dll"})
        CopyFileA((from + name).c_str(), m_folder.File(name).c_str(), FALSE);
}

ConsoleProcess::~ConsoleProcess() = default;

void ConsoleProcess::WriteFile(const std::string& name, const std::string& content) const {
    WriteFileText(m_folder.File(name), content);
}

bool ConsoleProcess::Start() {
    // Under Wine a GUI program started just as the previous one leaves can
    // find no desktop and end at once; such a start is tried again.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (StartOnce()) return true;
        std::fprintf(stderr, "console start %d failed: %s\n", attempt, m_failure.c_str());
        Sleep(1000);
    }
    return false;
}

bool ConsoleProcess::StartOnce() {
    if (!m_driver.Start(m_folder.Path(), 20000)) {
        m_failure = m_driver.Failure();
        return false;
    }
    // The trace window is created during the main window's initialisation.
    if (!FindWindowByCaption(L"Log", 10000)) {
        m_failure = "no trace window";
        return false;
    }
    return true;
}

HWND ConsoleProcess::FindWindowByCaption(const std::wstring& caption, DWORD timeoutMs) const {
    return m_driver.WaitForWindow(scenario::WideToUtf8(caption), timeoutMs, true);
}

bool ConsoleProcess::Exit() { return m_driver.Exit(); }

std::vector<std::string> ConsoleProcess::Journal(const std::string& entryPoint) const {
    std::vector<std::string> calls;
    const std::string text = ReadFileText(m_folder.File("calls.log"));
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(entryPoint + " ", 0) == 0 || line == entryPoint) calls.push_back(line);
    }
    return calls;
}

bool ConsoleProcess::OpenLibrary(bool logging) const {
    HWND dialog = PressForDialog(IDC_LIB_OPEN, L"vrxLibOpen");
    if (!dialog) return false;
    if (!logging) SetCheck(dialog, IDC_LOG_SWITCH, false);
    return CloseDialog(dialog);
}

bool ConsoleProcess::OpenPrinter(uint8_t a, uint8_t b, uint8_t c, uint8_t d) const {
    HWND dialog = PressForDialog(IDC_DEV_OPEN, L"vrxDevOpen");
    if (!dialog) return false;
    SendDlgItemMessageW(dialog, IDC_IP_ADDRESS, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    return CloseDialog(dialog);
}

void ConsoleProcess::SetCheck(HWND dialog, int id, bool checked) {
    std::string failure;
    scenario::ConsoleDriver::SetCheck(dialog, id, checked, failure);
}

std::string ConsoleProcess::DismissMessageBox(DWORD timeoutMs) const { return m_driver.DismissMessageBox(timeoutMs); }

std::string ConsoleProcess::TextOf(HWND window) { return scenario::TextOf(window); }

void ConsoleProcess::Press(int id) const {
    // Sent: returns once the handler has finished, however long it takes.
    SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

HWND ConsoleProcess::PressForDialog(int id, const std::wstring& caption) const {
    if (!m_driver.Press(id, 20000)) return nullptr;
    // Shown only once its initialisation has returned.
    return m_driver.WaitForWindow(scenario::WideToUtf8(caption), 10000);
}

bool ConsoleProcess::CloseDialog(HWND dialog, int buttonId) const { return m_driver.Click(dialog, buttonId, true, 20000); }

void ConsoleProcess::Sync() const { m_driver.Sync(20000); }

std::string ConsoleProcess::ListText(HWND list, int index) { return scenario::ItemText(list, index); }

std::string ConsoleProcess::ComboText(HWND combo, int index) { return scenario::ItemText(combo, index); }

std::string ConsoleProcess::Narrow(const wchar_t* text) { return scenario::WideToUtf8(text); }

std::vector<std::string> ConsoleProcess::TraceLines() const {
    return scenario::ItemsOf(GetDlgItem(FindWindowByCaption(L"Log", 1000), IDC_LOG_LIST));
}

std::vector<std::string> ConsoleProcess::TraceOf(const std::string& function) const {
    std::vector<std::string> found;
    const std::string field = "] [" + function + "] ";
    for (const std::string& line : TraceLines()) {
        const size_t at = line.find(field);
        // "hh:mm:ss'mmm [tag] [function] message": keep from the tag on.
        if (at != std::string::npos && line.size() > 13) found.push_back(line.substr(13));
    }
    return found;
}

}  // namespace testing_support
