#include "ConsoleDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "resource.h"

namespace scenario {

namespace {

// The visible (or every) top-level windows of a process that `accept` takes,
// first one.
HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& accept, bool hiddenToo = false) {
    struct Search {
        DWORD processId;
        const std::function<bool(HWND)>* accept;
        bool hiddenToo;
        HWND found;
    } search{processId, &accept, hiddenToo, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !(s->hiddenToo || IsWindowVisible(window)) || !(*s->accept)(window))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control the dialog holds, or a failure naming it.
HWND ControlOf(HWND dialog, int id, std::string& failure) {
    HWND found = FindControl(dialog, id);
    if (!found) failure = "the dialog has no control " + std::to_string(id);
    return found;
}

// The dialog (or page) holding the control hears of a change as it hears of
// an operator's.
void Notify(int id, HWND control, UINT code) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND FindControl(HWND dialog, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, GetDlgItem(dialog, id)};
    if (!search.found) {
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM param) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                if (GetDlgCtrlID(child) != s->id) return TRUE;
                s->found = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

bool IsMessageBox(HWND window) {
    // The icon's id is 0x440 under Wine, 0x14 on Windows. A dialog's unnamed
    // labels have the text's id too, so the icon tells the two apart.
    auto isStatic = [window](int id) { return GetDlgItem(window, id) && ClassOf(GetDlgItem(window, id)) == L"Static"; };
    return isStatic(kMessageText) && (isStatic(0x440) || isStatic(0x14));
}

ConsoleDriver::~ConsoleDriver() { End(); }

void ConsoleDriver::End() {
    if (!m_process.hProcess) return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        // Its files can be removed once it is gone.
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    Release();
    m_main = nullptr;
}

bool ConsoleDriver::Start(const std::string& folder, DWORD timeoutMs) {
    End();
    m_folder = folder;
    std::wstring command = L"\"" + Utf8ToWide(folder + "VrxClient.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, Utf8ToWide(folder).c_str(), &startup,
                        &m_process)) {
        m_failure = "cannot start " + folder + "VrxClient.exe: error " + std::to_string(GetLastError());
        return false;
    }
    const bool shown = WaitUntil(
        [&] {
            m_main = FindTopLevel(m_process.dwProcessId, [](HWND w) { return TextOf(w) == "VRXCLIENT"; });
            return m_main != nullptr || WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    DWORD exitCode = 0;
    if (Ended(exitCode)) m_failure = "the console ended at once, exit code " + std::to_string(exitCode);
    else if (!shown || !m_main) m_failure = "the console showed no main window";
    else return true;
    return false;
}

bool ConsoleDriver::Exit() {
    if (!m_process.hProcess || !m_main) return false;
    PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (WaitForSingleObject(m_process.hProcess, 20000) == WAIT_OBJECT_0) return true;
    TerminateProcess(m_process.hProcess, 1);
    return false;
}

void ConsoleDriver::Release() {
    if (!m_process.hProcess) return;
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
    m_process = PROCESS_INFORMATION{};
}

int ConsoleDriver::ButtonId(const std::string& caption) const {
    struct Search {
        std::string caption;
        int id;
    } search{caption, 0};
    EnumChildWindows(
        m_main,
        [](HWND child, LPARAM param) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (ClassOf(child) != L"Button" || TextOf(child) != s->caption) return TRUE;
            s->id = GetDlgCtrlID(child);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.id;
}

void ConsoleDriver::Sync(DWORD timeoutMs) const {
    // A sent message is taken when the window thread next pumps messages:
    // after the running handler has returned, or inside its modal dialog.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
}

bool ConsoleDriver::Press(int id, DWORD timeoutMs) const {
    HWND button = GetDlgItem(m_main, id);
    // A disabled main window has a dialog open over it: no operator's click
    // would reach the button.
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button) || !IsWindowEnabled(m_main)) return false;
    // Posted: a sent click would not return until a dialog it opens closed.
    PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Sync(timeoutMs);
    return true;
}

HWND ConsoleDriver::WaitForWindow(const std::string& caption, DWORD timeoutMs, bool hiddenToo) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel(
                m_process.dwProcessId, [&](HWND w) { return w != m_main && TextOf(w) == caption; }, hiddenToo);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND ConsoleDriver::FindMessageBox() const { return FindTopLevel(m_process.dwProcessId, IsMessageBox); }

std::string ConsoleDriver::DismissMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox()) != nullptr; }, timeoutMs)) return std::string();
    const std::string text = TextOf(GetDlgItem(box, kMessageText));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    return text;
}

bool ConsoleDriver::Click(HWND dialog, int id, bool closes, DWORD timeoutMs) const {
    std::string missing;
    HWND button = ControlOf(dialog, id, missing);
    PostMessageW(button ? GetParent(button) : dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    if (!closes) {
        Sync(timeoutMs);
        return true;
    }
    WaitUntil([&] { return !IsWindow(dialog) || FindMessageBox() != nullptr; }, timeoutMs);
    if (IsWindow(dialog)) return false;
    Sync(timeoutMs);
    return true;
}

bool ConsoleDriver::SetText(HWND dialog, int id, const std::string& text, std::string& failure) {
    HWND control = ControlOf(dialog, id, failure);
    if (!control) return false;
    // An edit tells its dialog of the change itself (EN_CHANGE).
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
    return true;
}

bool ConsoleDriver::SetCheck(HWND dialog, int id, bool checked, std::string& failure) {
    HWND control = ControlOf(dialog, id, failure);
    if (!control) return false;
    // BM_CLICK across processes crashes Wine's user32: the box, then the dialog.
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Notify(id, control, BN_CLICKED);
    return true;
}

bool ConsoleDriver::Choose(HWND dialog, int id, const std::string& item, std::string& failure) const {
    HWND control = ControlOf(dialog, id, failure);
    if (!control) return false;
    if (ClassOf(control) == WC_LISTVIEWW) return SelectListViewItems(control, item, failure);
    const bool combo = ClassOf(control) == L"ComboBox";
    if (!combo && ClassOf(control) != L"ListBox") {
        failure = "control " + std::to_string(id) + " is not a combo box, a list box or a list view";
        return false;
    }
    const std::vector<std::string> items = ItemsOf(control);
    int index = -1;
    for (size_t i = 0; i < items.size() && index < 0; ++i) {
        if (items[i] == item) index = static_cast<int>(i);
    }
    if (index < 0 && !item.empty() && item.find_first_not_of("0123456789") == std::string::npos &&
        item.size() < 6 && std::stoi(item) < static_cast<int>(items.size()))
        index = std::stoi(item);
    if (index < 0) {
        failure = "no item \"" + item + "\" in control " + std::to_string(id) + " (" +
                  std::to_string(items.size()) + " items)";
        return false;
    }
    SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    Notify(id, control, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
    return true;
}

bool ConsoleDriver::SelectListViewItems(HWND view, const std::string& indexes, std::string& failure) const {
    const int count = static_cast<int>(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0));
    std::vector<bool> chosen(static_cast<size_t>(count > 0 ? count : 0), false);
    for (size_t at = 0; at <= indexes.size();) {
        const size_t comma = std::min(indexes.find(',', at), indexes.size());
        const std::string index = indexes.substr(at, comma - at);
        const bool number = !index.empty() && index.size() < 6 && index.find_first_not_of("0123456789") == std::string::npos;
        if (!number || std::stoi(index) >= count) {
            failure = "\"" + index + "\" is not an item of the list (0 to " + std::to_string(count - 1) +
                      "; a list view's items are chosen by index, several as 0,2)";
            return false;
        }
        chosen[static_cast<size_t>(std::stoi(index))] = true;
        at = comma + 1;
    }
    // The item state travels by pointer: it must lie in the console's memory.
    void* remote = VirtualAllocEx(m_process.hProcess, nullptr, sizeof(LVITEMW), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) {
        failure = "cannot reach the list's items (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    for (int i = 0; i < count; ++i) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = chosen[static_cast<size_t>(i)] ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        WriteProcessMemory(m_process.hProcess, remote, &state, sizeof state, nullptr);
        // The list tells its dialog itself (LVN_ITEMCHANGED), as for a click.
        SendMessageW(view, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(remote));
    }
    VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
    return true;
}

bool ConsoleDriver::SetAddress(HWND dialog, int id, const std::string& address, std::string& failure) {
    HWND control = ControlOf(dialog, id, failure);
    if (!control) return false;
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(address.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
    SendMessageW(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    return true;
}

bool ConsoleDriver::ChooseFile(HWND dialog, int id, const std::string& path, DWORD timeoutMs, std::string& failure) {
    HWND button = ControlOf(dialog, id, failure);
    if (!button) return false;
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return TakeChooser(dialog, path, timeoutMs, failure);
}

bool ConsoleDriver::TakeChooser(HWND opener, const std::string& path, DWORD timeoutMs, std::string& failure) {
    // The chooser: a new dialog of the console with a file name field
    // (cmb13, 0x47C, in the explorer style; edt1, 0x480, in the old one).
    HWND chooser = nullptr;
    HWND name = nullptr;
    WaitUntil(
        [&] {
            chooser = FindTopLevel(m_process.dwProcessId, [&](HWND w) {
                return w != opener && w != m_main && (GetDlgItem(w, 0x47C) || GetDlgItem(w, 0x480));
            });
            if (chooser) name = GetDlgItem(chooser, 0x47C) ? GetDlgItem(chooser, 0x47C) : GetDlgItem(chooser, 0x480);
            return chooser != nullptr;
        },
        timeoutMs);
    if (!chooser) {
        failure = "no file chooser opened";
        return false;
    }
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(path).c_str()));
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitUntil([&] { return !IsWindow(chooser); }, timeoutMs)) {
        failure = "the file chooser did not take \"" + path + "\"";
        return false;
    }
    Sync(timeoutMs);
    return true;
}

bool ConsoleDriver::ControlText(HWND dialog, int id, std::string& text, std::string& failure) const {
    HWND control = ControlOf(dialog, id, failure);
    if (control) text = TextOf(control);
    return control != nullptr;
}

HWND ConsoleDriver::LogWindow() const {
    return FindTopLevel(m_process.dwProcessId, [](HWND w) { return TextOf(w).compare(0, 3, "Log") == 0; });
}

bool ConsoleDriver::StartRecording(const std::string& path, DWORD timeoutMs, std::string& failure) {
    HWND log = LogWindow();
    if (!log) {
        failure = "the console has no Log window";
        return false;
    }
    // The command its context menu sends.
    PostMessageW(log, WM_COMMAND, MAKEWPARAM(ID_LOG_RECORD, 0), 0);
    if (!TakeChooser(log, path, timeoutMs, failure)) return false;
    if (TextOf(log).find("recording") == std::string::npos) failure = "the Log window does not say it is recording";
    return failure.empty();
}

void ConsoleDriver::StopRecording(DWORD timeoutMs) {
    if (HWND log = LogWindow()) SendMessageTimeoutW(log, WM_COMMAND, MAKEWPARAM(ID_LOG_STOP_RECORDING, 0), 0,
                                                    SMTO_NORMAL, timeoutMs, nullptr);
}

bool ConsoleDriver::Ended(DWORD& exitCode) const {
    exitCode = 0;
    if (!m_process.hProcess || WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(m_process.hProcess, &exitCode);
    return true;
}

bool ConsoleDriver::Responding(DWORD timeoutMs) const {
    DWORD_PTR result = 0;
    return m_main && SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

std::string ConsoleDriver::SettingsKey(const std::string& section, const std::string& key) const {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(), L"", value, 1024,
                             Utf8ToWide(m_folder + "VrxClient.ini").c_str());
    return WideToUtf8(value);
}

}  // namespace scenario
