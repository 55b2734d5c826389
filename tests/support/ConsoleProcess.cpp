#include "ConsoleProcess.h"

#include <vector>

namespace testing_support {

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (*search->caption != text) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

ConsoleProcess::ConsoleProcess() {
    const std::string from = ThisProgramFolder();
    for (const char* name : {"VrxClient.exe", "ZembrinPrinter.dll"})
        CopyFileA((from + name).c_str(), m_folder.File(name).c_str(), FALSE);
}

ConsoleProcess::~ConsoleProcess() {
    if (m_process.hProcess) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, 5000);
        }
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
}

void ConsoleProcess::WriteFile(const std::string& name, const std::string& content) const {
    WriteFileText(m_folder.File(name), content);
}

bool ConsoleProcess::Start() {
    std::string command = "\"" + m_folder.File("VrxClient.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.Path().c_str(), &startup,
                        &m_process))
        return false;
    m_main = FindWindowByCaption(L"VRXCLIENT", 20000);
    if (!m_main) return false;
    // The dialog shows itself only once its initialisation has returned.
    for (int i = 0; i < 1000 && !IsWindowVisible(m_main); ++i) Sleep(10);
    return IsWindowVisible(m_main) && FindWindowByCaption(L"Log", 10000) != nullptr;
}

HWND ConsoleProcess::FindWindowByCaption(const std::wstring& caption, DWORD timeoutMs) const {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    for (;;) {
        WindowSearch search{m_process.dwProcessId, &caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount64() > until) return nullptr;
        Sleep(20);
    }
}

bool ConsoleProcess::Exit() {
    if (!m_main) return false;
    PostMessageA(m_main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitForSingleObject(m_process.hProcess, 20000) == WAIT_OBJECT_0;
}

std::string ConsoleProcess::TextOf(HWND window) {
    // GetWindowText does not read another process's controls.
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace testing_support
