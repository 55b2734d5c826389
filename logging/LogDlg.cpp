#include "LogDlg.h"

#include <vector>

#include "LogFormat.h"
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

}  // namespace

CLogDlg::CLogDlg() : ui::Dialog(IDD_LOG_DIALOG) {}

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
    m_log.reset();
    m_initialised = FALSE;
}

void CLogDlg::AddLine(const char* line) {
    if (!line) line = "(null)";
    if (m_log) m_log->Write(LOG_INFO, "LogDlg", __LINE__, line);
    if (!m_list.Handle()) return;
    if (m_list.GetCount() >= kMaxLines) {
        m_list.DeleteString(0);
        m_widths.PopFront();
    }
    const int index = m_list.AddString(line);
    m_list.SetCurSel(index);
    // The extent follows the widest line held: measured once per line, the
    // widest kept as lines leave, the same result as re-measuring them all.
    m_widths.PushBack(m_list.TextWidth(line));
    m_list.SetHorizontalExtent(m_widths.Widest() + 5);
}
