#include "LogDlg.h"

#include <algorithm>
#include <vector>

#include <windowsx.h>

#include "Clipboard.h"
#include "FileChooser.h"
#include "LogFormat.h"
#include "ProgramPath.h"
#include "Text.h"
#include "resource.h"

namespace {

constexpr uint32_t kLogMaxSize = 5242880;  // 0x500000
constexpr uint32_t kLogCapacity = 65535;   // 0xFFFF

// File version of the running program from its version resource; 0.0.0.0
// when it cannot be read.
void ReadFileVersion(uint32_t& ms, uint32_t& ls) {
    ms = ls = 0;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    if (!info) return;
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!data || size == 0) return;
    // The version functions want a writable copy of the block.
    std::vector<char> copy(static_cast<const char*>(data), static_cast<const char*>(data) + size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed &&
        fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        ms = fixed->dwFileVersionMS;
        ls = fixed->dwFileVersionLS;
    }
}

// The context menu, in its order; 0 is a separator.
const struct {
    int id;
    const wchar_t* text;
} kMenu[] = {
    {ID_LOG_COPY, L"&Copy\tCtrl+C"}, {ID_LOG_COPY_ALL, L"Copy &all"}, {ID_LOG_SAVE_AS, L"&Save as..."},
    {0, nullptr},                     {ID_LOG_FIND, L"&Find...\tCtrl+F"}, {0, nullptr},
    {ID_LOG_CLEAR, L"C&lear"},        {ID_LOG_PAUSE, L"&Pause following"}, {0, nullptr},
    {ID_LOG_RECORD, L"&Record scenario..."}, {ID_LOG_STOP_RECORDING, L"S&top recording"},
};

}  // namespace

CLogDlg::CLogDlg() : ui::Dialog(IDD_LOG_DIALOG) {
    // Menu commands arrive with notification code 0.
    Route(ID_LOG_COPY, [this] { CopySelected(); }, 0);
    Route(ID_LOG_COPY_ALL, [this] { CopyAll(); }, 0);
    Route(ID_LOG_SAVE_AS, [this] { OnSaveAs(); }, 0);
    Route(ID_LOG_FIND, [this] { OnFind(); }, 0);
    Route(ID_LOG_CLEAR, [this] { Clear(); }, 0);
    Route(ID_LOG_PAUSE, [this] { SetFollowing(!m_following); }, 0);
    Route(ID_LOG_RECORD, [this] { OnRecord(); }, 0);
    Route(ID_LOG_STOP_RECORDING, [this] { StopRecording(); }, 0);
}

CLogDlg::~CLogDlg() = default;

BOOL CLogDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_list.Attach(Item(IDC_LOG_LIST));
    m_log = std::make_unique<CLogFile>("VrxClient", "VrxClient", kLogMaxSize, kLogCapacity);
    uint32_t ms = 0, ls = 0;
    ReadFileVersion(ms, ls);
    m_log->Write(LOG_INFO, "LogDlg", __LINE__, vrx::FormatBanner(ms, ls).c_str());
    m_initialised = TRUE;
    return TRUE;
}

void CLogDlg::OnSize(UINT type, int cx, int cy) {
    if (!m_initialised || !m_list.Handle()) return;
    MoveWindow(m_list.Handle(), 0, 0, cx, cy, TRUE);
}

void CLogDlg::OnDestroy() {
    KillTimer(Handle(), kRepaintTimer);
    if (m_measureDC) DeleteDC(m_measureDC);
    m_measureDC = nullptr;
    if (m_find) m_find->Destroy();
    m_find.reset();
    StopRecording();
    m_log.reset();
    m_initialised = FALSE;
}

INT_PTR CLogDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (message == WM_TIMER && wParam == kRepaintTimer) {
        ReleaseRepaint();
        handled = true;
        return 0;
    }
    if (message == WM_CONTEXTMENU) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard: at the list's corner
            at = POINT{0, 0};
            ClientToScreen(m_list.Handle(), &at);
        }
        ShowMenu(at);
        handled = true;
        return 0;
    }
    if (message == WM_VKEYTOITEM && reinterpret_cast<HWND>(lParam) == m_list.Handle()) {
        handled = true;
        const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (control && LOWORD(wParam) == 'C') {
            CopySelected();
            return -2;  // done: the list does nothing more
        }
        if (control && LOWORD(wParam) == 'F') {
            OnFind();
            return -2;
        }
        return -1;  // the list's own handling
    }
    return 0;
}

void CLogDlg::ShowMenu(POINT at) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const bool any = m_list.GetCount() > 0;
    for (const auto& item : kMenu) {
        if (item.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.id == ID_LOG_PAUSE && !m_following) flags |= MF_CHECKED;
        if (item.id == ID_LOG_COPY && m_list.GetCurSel() < 0) flags |= MF_GRAYED;
        if ((item.id == ID_LOG_COPY_ALL || item.id == ID_LOG_SAVE_AS) && !any) flags |= MF_GRAYED;
        if ((item.id == ID_LOG_RECORD && m_recorder) || (item.id == ID_LOG_STOP_RECORDING && !m_recorder))
            flags |= MF_GRAYED;
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.id), item.text);
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
}

void CLogDlg::CopySelected() {
    const int selected = m_list.GetCurSel();
    if (selected >= 0) ui::CopyToClipboard(Handle(), m_list.GetText(selected));
}

std::string CLogDlg::AllLines() const {
    std::string text;
    for (int i = 0; i < m_list.GetCount(); ++i) text += m_list.GetText(i) + "\r\n";
    return text;
}

void CLogDlg::CopyAll() { ui::CopyToClipboard(Handle(), AllLines()); }

bool CLogDlg::SaveLines(const std::string& path, std::string& error) const {
    const std::string text = AllLines();
    HANDLE file = CreateFileW(ui::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool saved = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size();
    const DWORD code = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!saved) error = "Cannot write \"" + path + "\" (error " + std::to_string(code) + ").";
    return saved;
}

void CLogDlg::OnSaveAs() {
    static const ui::FileChoice kTextFiles{L"Text (*.txt)\0*.txt\0Log (*.log)\0*.log\0All Files (*.*)\0*.*\0",
                                           L"txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST};
    std::string path;
    if (!ui::ChooseFileToSave(Handle(), kTextFiles, path)) return;
    std::string error;
    if (!SaveLines(path, error)) ShowError(error);
}

void CLogDlg::OnFind() {
    // Searching means reading older lines: new ones must not move the view.
    SetFollowing(false);
    if (!m_find) {
        m_find = std::make_unique<CLogFindDlg>(m_list);
        m_find->CreateModeless(Handle());
    }
    m_find->Show(true);
    SetFocus(m_find->Item(IDC_FIND_TEXT));
}

void CLogDlg::Clear() {
    // The log file is not touched: it keeps every line as always.
    ReleaseRepaint();
    m_list.ResetContent();
    m_widths = vrx::WidthTracker();
    SetExtent(0);
}

void CLogDlg::SetFollowing(bool following) {
    // A list hidden for a storm's sake is shown at once for the operator.
    if (!following) ReleaseRepaint();
    m_following = following;
    ShowState();
    if (following && m_list.GetCount() > 0) m_list.SetCurSel(m_list.GetCount() - 1);
}

void CLogDlg::ShowState() {
    SetText(std::string(m_following ? "Log" : "Log (paused)") + (m_recorder ? " - recording" : ""));
}

void CLogDlg::OnRecord() {
    static const ui::FileChoice kScenarioFiles{L"Scenario (*.scenario)\0*.scenario\0All Files (*.*)\0*.*\0",
                                               L"scenario", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST};
    std::string path;
    if (m_recorder || !ui::ChooseFileToSave(Handle(), kScenarioFiles, path)) return;
    std::string error;
    m_recorder = scenario::ScenarioRecorder::Start(path, GetWindow(Handle(), GW_OWNER), vrx::ProgramFolder(), error);
    if (!m_recorder) ShowError(error);
    ShowState();
}

void CLogDlg::StopRecording() {
    m_recorder.reset();
    if (Handle()) ShowState();
}

void CLogDlg::AddLine(const char* line) {
    if (!line) line = "(null)";
    if (m_log) m_log->Write(LOG_INFO, "LogDlg", __LINE__, line);
    if (m_recorder) m_recorder->TraceLine(line);
    if (!m_list.Handle()) return;
    // Paused, the operator's selection and view stay on the same lines.
    int selected = m_following ? -1 : m_list.GetCurSel();
    int top = m_following ? 0 : m_list.GetTopIndex();
    if (m_list.GetCount() >= kMaxLines) {
        m_list.DeleteString(0);
        m_widths.PopFront();
        --selected;
        --top;
    }
    const int index = m_list.AddString(line);
    if (m_following) {
        m_list.SetCurSel(index);
    } else {
        m_list.SetCurSel(selected >= 0 ? selected : -1);
        m_list.SetTopIndex(top > 0 ? top : 0);
    }
    // The extent follows the widest line held: measured once per line, the
    // widest kept as lines leave, the same result as re-measuring them all.
    m_widths.PushBack(MeasureLine(line));
    SetExtent(m_widths.Widest() + 5);
    PaceRepaint();
}

void CLogDlg::AddLastLine(const char* line) {
    if (m_log) m_log->WriteLast(LOG_INFO, line);
    HWND list = m_list.Handle();
    if (list && GetWindowThreadProcessId(list, nullptr) == GetCurrentThreadId()) m_list.AddString(line);
}

// Sent only when it changes: the list updates its scroll bar even for the
// same extent, a cost at every line of a storm.
void CLogDlg::SetExtent(int extent) {
    if (extent == m_extent) return;
    m_list.SetHorizontalExtent(extent);
    m_extent = extent;
}

// Measured in a memory context holding the list's font, made once: taking
// the visible window's own context for every line costs the display a round
// trip each time.
int CLogDlg::MeasureLine(const char* line) {
    if (!m_measureDC) {
        m_measureDC = CreateCompatibleDC(nullptr);
        HFONT font = reinterpret_cast<HFONT>(m_list.Send(WM_GETFONT));
        if (m_measureDC && font) SelectObject(m_measureDC, font);
    }
    if (!m_measureDC) return m_list.TextWidth(line);
    const std::wstring wide = ui::Widen(line);
    SIZE size{0, 0};
    GetTextExtentPoint32W(m_measureDC, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

// Repainting the list for every line of a storm costs far more than adding
// the lines: after a line was shown, the list is shown again at most every
// m_repaintMs while lines keep coming, and once more when they stop (the
// timer's message comes only when the queue is empty). The interval grows
// with what a repaint costs on this display, so that repainting takes at
// most a twentieth of a storm's time.
void CLogDlg::PaceRepaint() {
    const ULONGLONG now = GetTickCount64();
    if (!m_repaintHeld) {
        if (now - m_lastRepaint >= m_repaintMs) {
            m_lastRepaint = now;  // this line shows at once
            return;
        }
        HoldRepaint();
        SetTimer(Handle(), kRepaintTimer, static_cast<UINT>(kRepaintMs), nullptr);
        return;
    }
    if (now - m_lastRepaint >= m_repaintMs) {
        Repaint();
        HoldRepaint();
    }
}

// While following, the list is also marked hidden, as the system's own
// handling of the message does: a list that only stops drawing still
// scrolls its window for every line added at the bottom, and that costs
// the display a round trip each time. Paused, nothing scrolls, and the list
// stays visible so the operator can click and scroll it during a storm.
void CLogDlg::HoldRepaint() {
    m_list.SetRedraw(false);
    const LONG_PTR style = GetWindowLongPtrW(m_list.Handle(), GWL_STYLE);
    m_listWasVisible = m_following && (style & WS_VISIBLE) != 0;
    if (m_listWasVisible) SetWindowLongPtrW(m_list.Handle(), GWL_STYLE, style & ~WS_VISIBLE);
    m_repaintHeld = true;
}

void CLogDlg::Repaint() {
    const ULONGLONG begin = GetTickCount64();
    // Still hidden as drawing resumes, the list sets its scroll bars without
    // drawing them; the one redraw below draws them with everything else.
    m_list.SetRedraw(true);
    if (m_listWasVisible)
        SetWindowLongPtrW(m_list.Handle(), GWL_STYLE, GetWindowLongPtrW(m_list.Handle(), GWL_STYLE) | WS_VISIBLE);
    RedrawWindow(m_list.Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    m_lastRepaint = GetTickCount64();
    m_repaintMs = std::max<ULONGLONG>(kRepaintMs, 20 * (m_lastRepaint - begin));
}

void CLogDlg::ReleaseRepaint() {
    if (!m_repaintHeld) return;
    KillTimer(Handle(), kRepaintTimer);
    m_repaintHeld = false;
    Repaint();
}
