#include "LogFindDlg.h"

#include "DataExchange.h"
#include "Text.h"
#include "resource.h"

namespace {

constexpr size_t kFindCapacity = 255;

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

CLogFindDlg::CLogFindDlg(ui::ListBox& list) : ui::Dialog(IDD_LOG_FIND), m_list(list) {
    Route(IDC_FIND_NEXT, [this] {
        if (UpdateData(true)) Find(true);
    });
    Route(IDC_FIND_PREVIOUS, [this] {
        if (UpdateData(true)) Find(false);
    });
}

BOOL CLogFindDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    ShowCount();
    return TRUE;
}

void CLogFindDlg::Exchange(ui::DataExchange& dx) {
    dx.Text(IDC_FIND_TEXT, m_text, kFindCapacity);
    dx.Check(IDC_FIND_MATCH_CASE, m_matchCase);
}

void CLogFindDlg::OnOK() {
    if (UpdateData(true)) Find(true);
}

void CLogFindDlg::OnCancel() { Show(false); }

bool CLogFindDlg::Holds(const std::string& line) const {
    if (m_text.empty()) return false;
    // Compared as wide text, so a double-byte character is never split.
    const std::wstring text = ui::Widen(line), wanted = ui::Widen(m_text);
    return m_matchCase ? text.find(wanted) != std::wstring::npos
                       : Upper(text).find(Upper(wanted)) != std::wstring::npos;
}

int CLogFindDlg::CountMatches() const {
    int count = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) count += Holds(m_list.GetText(i)) ? 1 : 0;
    return count;
}

void CLogFindDlg::ShowCount() {
    if (!Handle()) return;
    const int count = CountMatches();
    ui::Window(Item(IDC_FIND_COUNT)).SetText(std::to_string(count) + (count == 1 ? " line" : " lines"));
}

int CLogFindDlg::Find(bool forward) {
    ShowCount();
    const int count = m_list.GetCount();
    if (count == 0) return -1;
    const int from = m_list.GetCurSel();
    for (int step = 1; step <= count; ++step) {
        const int start = from < 0 ? (forward ? -1 : count) : from;
        const int index = ((start + (forward ? step : -step)) % count + count) % count;
        if (!Holds(m_list.GetText(index))) continue;
        m_list.SetCurSel(index);
        return index;
    }
    return -1;
}
