#include "Player.h"

#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace scenario {

namespace {

std::string Mismatch(const std::string& what, const std::string& expected, const std::string& actual) {
    return what + "\n    expected: " + expected + "\n    actual:   " + actual;
}

}  // namespace

Player::Player(ConsoleDriver& console, const std::string& runFolder, std::function<void(const std::string&)> report)
    : m_console(console), m_report(std::move(report)) {
    m_captures[kRunFolder] = runFolder;
}

PlayResult Player::Play(const Scenario& scenario) {
    PlayResult result;
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        if (m_starting) m_starting(step);
        const ULONGLONG start = GetTickCount64();
        std::string failure = Run(step);
        // A message box must be expected by a "message" step, this one or one
        // before the next thing the operator does (steps that only read may
        // come between).
        HWND box = m_console.FindMessageBox();
        bool expected = step.kind == StepKind::Message;
        for (size_t next = i + 1; next < scenario.steps.size() && !expected; ++next) {
            expected = scenario.steps[next].kind == StepKind::Message;
            if (scenario.steps[next].needs != StepNeeds::Nothing) break;
        }
        if (failure.empty() && box && !expected)
            failure = "a message box showed: \"" + TextOf(GetDlgItem(box, kMessageText)) + "\"";
        const std::string ended = ConsoleEnded(step);
        if (!ended.empty()) failure = ended;
        const unsigned ms = static_cast<unsigned>(GetTickCount64() - start);
        const std::string time = " (" + std::to_string(ms) + " ms)";
        const std::string head = "line " + std::to_string(step.line) + ": ";
        result.steps.push_back(StepOutcome{step.line, failure.empty(), step.source, ms, failure});
        if (!failure.empty()) {
            m_report(head + "FAIL  " + step.source + time + "\n    " + failure);
            ++result.failed;
            if (ended.empty()) CloseWhatIsOpen();
            break;
        }
        m_report(head + "pass  " + step.source + time);
        ++result.passed;
    }
    m_report(std::to_string(result.passed) + " passed, " + std::to_string(result.failed) + " failed");
    ReadNewLines();
    result.trace = m_trace.Lines();
    return result;
}

std::string Player::Run(const Step& step) {
    if (step.needs == StepNeeds::Dialog && !IsWindow(m_dialog)) return "the dialog is not open";
    std::string failure;
    switch (step.kind) {
        case StepKind::Press: {
            const int id = step.id ? step.id : m_console.ButtonId(step.target);
            if (id == 0) return "the main window has no button \"" + step.target + "\"";
            if (!m_console.Press(id, step.timeoutMs))
                return "the button cannot be pressed: hidden, disabled, or a dialog is open over the main window";
            return std::string();
        }
        case StepKind::Dialog:
            m_dialog = m_console.WaitForWindow(step.target, step.timeoutMs);
            return m_dialog ? std::string() : "no dialog \"" + step.target + "\" opened";
        case StepKind::Set:
            m_console.SetText(m_dialog, step.id, ExpandTypedValue(step.value, m_captures), failure);
            return failure;
        case StepKind::Check: m_console.SetCheck(m_dialog, step.id, step.value == "on", failure); return failure;
        case StepKind::Choose: m_console.Choose(m_dialog, step.id, step.value, failure); return failure;
        case StepKind::Ip: m_console.SetAddress(m_dialog, step.id, step.value, failure); return failure;
        case StepKind::File:
            m_console.ChooseFile(m_dialog, step.id, ExpandTypedValue(step.value, m_captures), step.timeoutMs, failure);
            return failure;
        case StepKind::Ok:
        case StepKind::Cancel: {
            const bool closed = m_console.Click(m_dialog, step.kind == StepKind::Ok ? IDOK : IDCANCEL, true, step.timeoutMs);
            if (!closed && !m_console.FindMessageBox()) return "the dialog stayed open";
            return std::string();
        }
        case StepKind::Button: m_console.Click(m_dialog, step.id, false, step.timeoutMs); return std::string();
        case StepKind::Expect:
        case StepKind::Wait: return ExpectTrace(step);
        case StepKind::None: return ExpectNoTrace(step);
        case StepKind::Key: {
            std::string value;
            const bool held = WaitUntil(
                [&] {
                    value = m_console.SettingsKey(step.target, step.value);
                    return step.expected.Match(value, m_captures);
                },
                step.timeoutMs);
            return held ? std::string()
                        : Mismatch("[" + step.target + "] " + step.value, step.expected.Expanded(m_captures), value);
        }
        case StepKind::Pending: {
            std::vector<std::string> items;
            const bool shown = WaitUntil(
                [&] {
                    items = ItemsOf(GetDlgItem(m_console.Main(), IDC_EVENT_LIST));
                    return std::any_of(items.begin(), items.end(),
                                       [&](const std::string& item) { return step.expected.Match(item, m_captures); });
                },
                step.timeoutMs);
            return shown ? std::string()
                         : Mismatch("no such pending event", step.expected.Expanded(m_captures),
                                    items.empty() ? "(none pending)" : items.back());
        }
        case StepKind::Gone: {
            std::string left;
            const bool gone = WaitUntil(
                [&] {
                    left.clear();
                    for (const std::string& item : ItemsOf(GetDlgItem(m_console.Main(), IDC_EVENT_LIST))) {
                        Captures scratch = m_captures;
                        if (step.expected.Match(item, scratch)) left = item;
                    }
                    return left.empty();
                },
                step.timeoutMs);
            return gone ? std::string() : Mismatch("the event is still pending", "none", left);
        }
        case StepKind::Text: {
            HWND window = IsWindow(m_dialog) ? m_dialog : m_console.Main();
            std::string text;
            bool read = false;
            const bool reads = WaitUntil(
                [&] {
                    failure.clear();
                    read = m_console.ControlText(window, step.id, text, failure);
                    return read && step.expected.Match(text, m_captures);
                },
                step.timeoutMs);
            if (!read) return failure;
            return reads ? std::string() : Mismatch("control " + std::to_string(step.id), step.expected.Expanded(m_captures), text);
        }
        case StepKind::Hidden:
        case StepKind::Shown: {
            const int id = step.id ? step.id : m_console.ButtonId(step.target);
            HWND button = id ? GetDlgItem(m_console.Main(), id) : nullptr;
            if (!button) return "the main window has no button \"" + step.source.substr(step.source.find(' ') + 1) + "\"";
            const bool shown = IsWindowVisible(button) != FALSE;
            if (shown == (step.kind == StepKind::Shown)) return std::string();
            return shown ? "the button is shown" : "the button is hidden";
        }
        case StepKind::Message: return ExpectMessage(step);
        case StepKind::Printer: return ChoosePrinter(step);
    }
    return "unknown step";
}

// A console that ended by itself ended at this step: its last record says
// why when it was a crash ("[!!!] [vrxDevPrint] the console ends: exception
// 0xC0000005 at ... during vrxDevPrint; dump ...").
std::string Player::ConsoleEnded(const Step& step) {
    DWORD exitCode = 0;
    // A window thread that answers nothing is in a long call, or reporting a
    // crash and writing its dump (seconds under Wine): wait for either end.
    constexpr DWORD kLongestReport = 120000;
    if (!m_console.Ended(exitCode) && !m_console.Responding(1000))
        WaitUntil([&] { return m_console.Ended(exitCode) || m_console.Responding(200); }, kLongestReport);
    if (!m_console.Ended(exitCode)) return std::string();
    ReadNewLines();
    const std::string head = "the console ended at line " + std::to_string(step.line) + ": ";
    constexpr char kLast[] = "the console ends: ";
    for (auto line = m_trace.Lines().rbegin(); line != m_trace.Lines().rend(); ++line) {
        const size_t said = line->find(kLast);
        if (line->compare(0, 5, "[!!!]") == 0 && said != std::string::npos) return head + line->substr(said + sizeof kLast - 1);
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(exitCode));
    return head + "exit code " + code + ", no last record";
}

void Player::ReadNewLines() {
    for (std::string& line : m_console.NewTraceLines()) m_trace.Add(std::move(line));
}

std::string Player::ExpectTrace(const Step& step) {
    bool found = false;
    WaitUntil(
        [&] {
            ReadNewLines();
            return found = m_trace.Take(step.expected, step.kind == StepKind::Expect, m_captures);
        },
        step.timeoutMs);
    if (found) return std::string();
    return Mismatch("no such trace line", step.expected.Expanded(m_captures), m_trace.NewestUntaken());
}

// No line after the newest line any step matched, whichever kind.
std::string Player::ExpectNoTrace(const Step& step) {
    ReadNewLines();
    const std::string* there = m_trace.AfterNewest(step.expected, m_captures);
    return there ? Mismatch("a trace line that must not be there", "none", *there) : std::string();
}

std::string Player::ExpectMessage(const Step& step) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = m_console.FindMessageBox()) != nullptr; }, step.timeoutMs);
    if (!box) return Mismatch("no message box", step.expected.Expanded(m_captures), "(none)");
    const std::string text = TextOf(GetDlgItem(box, kMessageText));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); }, step.timeoutMs);
    return step.expected.Match(text, m_captures) ? std::string()
                                                 : Mismatch("another message", step.expected.Expanded(m_captures), text);
}

std::string Player::ChoosePrinter(const Step& step) {
    const std::vector<std::string> items = ItemsOf(GetDlgItem(m_console.Main(), IDC_PRINTER_COMBO));
    for (size_t i = 0; i < items.size(); ++i) {
        if (!step.expected.Match(items[i], m_captures)) continue;
        std::string failure;
        m_console.Choose(m_console.Main(), IDC_PRINTER_COMBO, std::to_string(i), failure);
        return failure;
    }
    std::string listed;
    for (const std::string& item : items) listed += (listed.empty() ? "" : ", ") + item;
    return Mismatch("no such printer handle", step.expected.Expanded(m_captures), listed.empty() ? "(none)" : listed);
}

void Player::CloseWhatIsOpen() {
    for (HWND box; (box = m_console.FindMessageBox()) != nullptr;) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!WaitUntil([&] { return !IsWindow(box); }, 5000)) break;
    }
    if (IsWindow(m_dialog)) m_console.Click(m_dialog, IDCANCEL, true, 5000);
}

}  // namespace scenario
