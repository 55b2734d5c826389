#include "ScenarioRecorder.h"

#include <commctrl.h>

#include <algorithm>
#include <ctime>

#include "ScenarioFile.h"
#include "resource.h"
#include "WindowText.h"

namespace scenario {

namespace {

constexpr size_t kCommentColumn = 36;

std::string FromCodePage(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return WideToUtf8(wide);
}

bool IsPushButton(HWND control) {
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return ClassOf(control) == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// What an operator reads beside a control: a check box's own text, else the
// static text before it in the dialog's order. Without '&' and a closing ':'.
std::string LabelOf(HWND control) {
    HWND before = GetWindow(control, GW_HWNDPREV);
    std::string label = ClassOf(control) == L"Button" ? TextOf(control)
                        : before && ClassOf(before) == L"Static" ? TextOf(before)
                                                                  : std::string();
    label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
    std::replace(label.begin(), label.end(), '\n', ' ');
    while (!label.empty() && (label.back() == ':' || label.back() == ' ' || label.back() == '\r')) label.pop_back();
    return label;
}

std::string WithComment(std::string step, const std::string& comment) {
    if (comment.empty()) return step;
    step.resize(std::max(step.size() + 1, kCommentColumn), ' ');
    return step + "# " + comment;
}

// Every line of every section of an ini file, as `step` lines.
std::string IniSteps(const char* step, const std::string& path) {
    const std::wstring file = Utf8ToWide(path);
    std::vector<wchar_t> names(65536, L'\0');
    GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), file.c_str());
    std::string steps;
    for (const wchar_t* name = names.data(); *name; name += wcslen(name) + 1) {
        std::vector<wchar_t> lines(65536, L'\0');
        GetPrivateProfileSectionW(name, lines.data(), static_cast<DWORD>(lines.size()), file.c_str());
        for (const wchar_t* line = lines.data(); *line; line += wcslen(line) + 1) {
            const std::wstring entry = line;
            const size_t equals = entry.find(L'=');
            if (equals == std::wstring::npos || equals == 0) continue;
            steps += std::string(step) + " " + QuoteWord(WideToUtf8(name)) + " " + QuoteWord(WideToUtf8(entry.substr(0, equals))) +
                     " " + QuoteWord(WideToUtf8(entry.substr(equals + 1))) + "\r\n";
        }
    }
    return steps;
}

// The files beside the console that a replay may need (an image, a profile
// the steps name as "{run}..."), as fixture lines; not its logs and settings,
// which the replay makes itself. A file a scenario line cannot hold is named
// in a comment, for the operator to put beside the console.
std::string FixtureSteps(const std::string& folder, const std::string& recording) {
    constexpr LONGLONG kLargest = 64 * 1024;
    std::string steps;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Utf8ToWide(folder + "*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found) != 0) {
        const std::string name = WideToUtf8(found.cFileName);
        const std::string path = folder + name;
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const bool made = lower.size() > 4 && (lower.rfind(".log") == lower.size() - 4 || lower.rfind(".ini") == lower.size() - 4);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || made || !IsFixtureName(name) ||
            lstrcmpiW(Utf8ToWide(path).c_str(), Utf8ToWide(recording).c_str()) == 0)
            continue;
        const LONGLONG size = (static_cast<LONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        std::string bytes;
        if (size <= kLargest) {
            HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            bytes.resize(static_cast<size_t>(size));
            DWORD read = 0;
            const bool whole = file != INVALID_HANDLE_VALUE &&
                               (size == 0 || ReadFile(file, &bytes[0], static_cast<DWORD>(size), &read, nullptr)) &&
                               read == static_cast<DWORD>(size);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            if (!whole) bytes.assign(1, '\0');
        }
        if (size > kLargest || bytes.find('\0') != std::string::npos)
            steps += "# not recorded: " + name + " (larger than 64 KiB, or not text): put it beside the console\r\n";
        else
            steps += "fixture " + QuoteWord(name) + " " + QuoteWord(bytes) + "\r\n";
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return steps;
}

}  // namespace

std::unique_ptr<ScenarioRecorder> ScenarioRecorder::Start(const std::string& path, HWND main,
                                                          const std::string& programFolder, std::string& error) {
    std::wstring name(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0)), L'\0');
    if (!name.empty()) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &name[0], static_cast<int>(name.size()));
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "Cannot write \"" + path + "\" (error " + std::to_string(GetLastError()) + ").";
        return nullptr;
    }
    const std::string folder = FromCodePage(programFolder);  // UTF-8 from here on
    std::unique_ptr<ScenarioRecorder> recorder(new ScenarioRecorder(file, main, folder));
    char date[32] = {};
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", std::localtime(&now));
    recorder->Write(std::string("# Recorded in VrxClient on ") + date +
                    ".\r\n# The settings of the stand-in library and of the console, and the files beside it, "
                    "when recording began:\r\n" +
                    IniSteps("sim", folder + "ZembrinSim.ini") + IniSteps("setting", folder + "VrxClient.ini") +
                    FixtureSteps(folder, FromCodePage(path)) + "\r\n");
    ui::SetOperatorWatcher(recorder.get());
    return recorder;
}

ScenarioRecorder::ScenarioRecorder(HANDLE file, HWND main, const std::string& programFolder)
    : m_file(file), m_main(main), m_generaliser(programFolder) {}

ScenarioRecorder::~ScenarioRecorder() {
    if (ui::Watcher() == this) ui::SetOperatorWatcher(nullptr);
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    Emit(std::string());
    CloseHandle(m_file);
}

void ScenarioRecorder::Write(const std::string& text) {
    DWORD written = 0;
    WriteFile(m_file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ScenarioRecorder::Emit(std::string step, int buttonId) {
    if (!m_pending.empty()) Write(m_pending + "\r\n");
    m_pending = std::move(step);
    m_pendingButton = buttonId;
}

bool ScenarioRecorder::InOpenDialog(HWND window) const {
    return !m_dialogs.empty() && (window == m_dialogs.back() || IsChild(m_dialogs.back(), window));
}

void ScenarioRecorder::TraceLine(const char* line) {
    std::string text = line ? line : "";
    // "hh:mm:ss'mmm [tag] ...": from the tag on; separators are not traced calls.
    const size_t tag = text.find(" [");
    if (tag == std::string::npos || text.compare(0, 1, "[") == 0 || text.find('\'') > tag) return;
    text.erase(0, tag + 1);
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    const bool notification = text.compare(0, 5, "[>>>]") == 0;
    Emit((notification ? "wait " : "expect ") + QuoteWord(m_generaliser.Expectation(FromCodePage(text))));
}

void ScenarioRecorder::DialogOpened(HWND dialog) {
    if (dialog == m_main) return;
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    m_dialogs.push_back(dialog);
    m_held.clear();
    Emit("dialog " + QuoteWord(TextOf(dialog)));
}

void ScenarioRecorder::Command(HWND dialog, HWND control, int id, int code) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (dialog == m_main && m_dialogs.empty()) {
        // "Exit" ends the console, and with it the recording: not a step to replay.
        if (code == BN_CLICKED && id != IDCANCEL && IsPushButton(control)) Emit("press " + QuoteWord(TextOf(control)));
        if (id == IDC_PRINTER_COMBO && code == CBN_SELCHANGE) {
            const int chosen = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            if (chosen >= 0) Emit("printer " + QuoteWord(m_generaliser.PrinterHandle(ItemText(control, chosen))));
        }
        return;
    }
    // OK and Cancel are written as the dialog closes, after its values.
    if (code == BN_CLICKED && InOpenDialog(dialog) && id != IDOK && id != IDCANCEL && IsPushButton(control))
        Emit("button " + std::to_string(id), id);
}

std::string ScenarioRecorder::ValueStep(const ui::ConfirmedValue& value) const {
    const std::string id = std::to_string(value.id);
    const std::string label = LabelOf(value.control);
    switch (value.kind) {
        case ui::ConfirmedValue::Kind::Text:
            return WithComment("set " + id + " " + QuoteWord(m_generaliser.TypedText(TextOf(value.control))), label);
        case ui::ConfirmedValue::Kind::Number: {
            // An order or print id typed as the library numbered it types, in
            // a replay, what the library numbers it then.
            const std::string reference = m_generaliser.TypedReference(label, value.value);
            return WithComment("set " + id + " " + (reference.empty() ? value.value : reference), label);
        }
        case ui::ConfirmedValue::Kind::Check: return WithComment("check " + id + " " + value.value, label);
        case ui::ConfirmedValue::Kind::Address: return WithComment("ip " + id + " " + value.value, label);
        case ui::ConfirmedValue::Kind::ListViewChoice: return WithComment("choose " + id + " " + value.value, label);
        case ui::ConfirmedValue::Kind::Choice:
            // By its text, which says what was meant and survives a reordered list.
            return WithComment("choose " + id + " " + QuoteWord(ItemText(value.control, std::stoi(value.value))), label);
    }
    return std::string();
}

void ScenarioRecorder::ValuesConfirmed(HWND dialog, const std::vector<ui::ConfirmedValue>& values) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (!InOpenDialog(dialog)) return;  // e.g. a dialog saving as it is destroyed
    std::vector<std::string> steps;
    for (const ui::ConfirmedValue& value : values) steps.push_back(ValueStep(value));
    const auto page = std::find_if(m_held.begin(), m_held.end(), [&](const auto& held) { return held.first == dialog; });
    if (page != m_held.end())
        page->second = std::move(steps);
    else
        m_held.emplace_back(dialog, std::move(steps));
}

void ScenarioRecorder::ValuesRefused(HWND dialog) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    // A button whose handler refused did nothing an operator would repeat.
    if (m_pendingButton == 0 || !InOpenDialog(dialog)) return;
    m_pending.clear();
    m_pendingButton = 0;
}

void ScenarioRecorder::FileChosen(HWND owner, const std::string* path) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (m_pendingButton == 0 || !InOpenDialog(owner)) return;
    if (!path) {
        m_pending.clear();
        m_pendingButton = 0;
        return;
    }
    m_pending = "file " + std::to_string(m_pendingButton) + " " + QuoteWord(m_generaliser.TypedText(FromCodePage(*path)));
    m_pendingButton = 0;
}

void ScenarioRecorder::ColourChosen(HWND owner, long colour) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (m_pendingButton == 0 || !InOpenDialog(owner)) return;
    // No step drives the system's colour chooser: the replay keeps the
    // dialog's colour, and the comment says which was chosen.
    const std::string chosen = colour < 0 ? "cancelled"
                                          : "chose " + std::to_string(colour & 0xFF) + "," +
                                                std::to_string((colour >> 8) & 0xFF) + "," +
                                                std::to_string((colour >> 16) & 0xFF);
    m_pending = "# the colour chooser of button " + std::to_string(m_pendingButton) + ": " + chosen +
                " (not replayed)";
    m_pendingButton = 0;
}

void ScenarioRecorder::MessageShown(HWND owner, const std::string& text) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    Emit("message " + QuoteWord(m_generaliser.TypedText(FromCodePage(text))));
}

void ScenarioRecorder::WriteHeldValues(HWND dialog) {
    std::vector<std::string> steps;
    for (const auto& page : m_held) steps.insert(steps.end(), page.second.begin(), page.second.end());
    // Lists picked from directly, without an exchange: their chosen items.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != WC_LISTVIEWW || !IsWindowVisible(child)) continue;
        const std::string id = std::to_string(GetDlgCtrlID(child));
        if (std::any_of(steps.begin(), steps.end(), [&](const std::string& s) { return s.rfind("choose " + id + " ", 0) == 0; }))
            continue;
        std::string chosen;
        for (int i = -1; (i = static_cast<int>(SendMessageW(child, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
            chosen += (chosen.empty() ? "" : ",") + std::to_string(i);
        if (!chosen.empty()) steps.push_back(WithComment("choose " + id + " " + chosen, LabelOf(child)));
    }
    m_held.clear();
    for (std::string& step : steps) Emit(std::move(step));
}

void ScenarioRecorder::DialogClosing(HWND dialog, INT_PTR result) {
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (m_dialogs.empty() || dialog != m_dialogs.back()) return;
    if (m_pendingButton != 0) {
        // A button of the dialog closed it: its values go before the click.
        const std::string click = m_pending;
        m_pending.clear();
        m_pendingButton = 0;
        if (result == IDCANCEL)
            m_held.clear();
        else
            WriteHeldValues(dialog);
        Emit(click);
    } else if (result == IDCANCEL) {
        m_held.clear();
        Emit("cancel");
    } else {
        WriteHeldValues(dialog);
        Emit(result == IDOK ? "ok" : "button " + std::to_string(result));
    }
    m_dialogs.pop_back();
    // The steps after this act in the dialog beneath again.
    if (!m_dialogs.empty()) Emit("dialog " + QuoteWord(TextOf(m_dialogs.back())));
}

}  // namespace scenario
