#include "ConsoleProcess.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "resource.h"

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
    if (m_process.hProcess) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
        m_process = PROCESS_INFORMATION{};
    }
    m_main = nullptr;
    std::string command = "\"" + m_folder.File("VrxClient.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.Path().c_str(), &startup,
                        &m_process)) {
        m_failure = "CreateProcess error " + std::to_string(GetLastError());
        return false;
    }
    const std::wstring caption = L"VRXCLIENT";
    const bool shown = WaitUntil(
        [&] {
            if (!m_main) m_main = FindWindowByCaption(caption, 0);
            return (m_main && IsWindowVisible(m_main)) || WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
        },
        20000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    if (code != STILL_ACTIVE) {
        m_failure = "the console ended at once, exit code " + std::to_string(code);
        return false;
    }
    if (!shown || !m_main) {
        m_failure = (m_main ? "the main window stayed hidden" : "no main window") + std::string("; its windows:") +
                    WindowCaptions();
        return false;
    }
    // The trace window is created during the main window's initialisation.
    if (!FindWindowByCaption(L"Log", 10000)) {
        m_failure = "no trace window";
        return false;
    }
    return true;
}

std::string ConsoleProcess::WindowCaptions() const {
    struct Listing {
        DWORD processId;
        std::string captions;
    } listing{m_process.dwProcessId, std::string()};
    EnumWindows(
        [](HWND window, LPARAM param) CALLBACK -> BOOL {
            auto* l = reinterpret_cast<Listing*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != l->processId) return TRUE;
            wchar_t text[128] = {};
            GetWindowTextW(window, text, 128);
            l->captions += " \"" + Narrow(text) + "\"" + (IsWindowVisible(window) ? "" : "(hidden)");
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listing));
    return listing.captions.empty() ? std::string(" none") : listing.captions;
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
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ConsoleProcess::DismissMessageBox(DWORD timeoutMs) const {
    struct Search {
        DWORD processId;
        HWND found;
    } search{m_process.dwProcessId, nullptr};
    const bool shown = WaitUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM param) CALLBACK -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    // A message box is the window with the message text control.
                    if (owner != s->processId || !IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF)) return TRUE;
                    s->found = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    if (!shown) return std::string();
    const std::string text = TextOf(GetDlgItem(search.found, 0xFFFF));
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND box = search.found;
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    return text;
}

std::string ConsoleProcess::TextOf(HWND window) {
    // GetWindowText does not read another process's controls.
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

}  // namespace testing_support

namespace testing_support {

void ConsoleProcess::Press(int id) const {
    SendMessageA(m_main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

HWND ConsoleProcess::PressForDialog(int id, const std::wstring& caption) const {
    // Posted: a sent click would not return until the dialog closed.
    PostMessageA(m_main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
    HWND dialog = FindWindowByCaption(caption);
    // Shown only once its initialisation has returned.
    if (dialog && !WaitUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }, 5000)) return nullptr;
    return dialog;
}

bool ConsoleProcess::CloseDialog(HWND dialog, int buttonId) const {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
    if (!WaitUntil([dialog] { return !IsWindow(dialog); }, 5000)) return false;
    Sync();
    return true;
}

void ConsoleProcess::Sync() const {
    // A sent message is taken only when the window thread next pumps
    // messages, which is after the running handler has returned.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
}

std::string ConsoleProcess::ListText(HWND list, int index) {
    // Wide: the console's windows are Unicode, and an ANSI request across
    // processes is answered in wide characters, overrunning an ANSI buffer.
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length < 0) return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return Narrow(text.data());
}

std::string ConsoleProcess::ComboText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return Narrow(text.data());
}

std::string ConsoleProcess::Narrow(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], bytes, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(bytes) - 1);
    return narrow;
}

std::vector<std::string> ConsoleProcess::TraceLines() const {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(FindWindowByCaption(L"Log", 1000), 1028);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) lines.push_back(ListText(list, i));
    return lines;
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
