// The trace window's find box: a modeless dialog that searches the trace
// list for a text, forward or back, with or without matching case, and
// shows how many lines hold it.
#pragma once

#include <string>

#include "Controls.h"
#include "Dialog.h"

class CLogFindDlg : public ui::Dialog {
public:
    // Searches `list`; the found line is selected, which scrolls it into view.
    explicit CLogFindDlg(ui::ListBox& list);

    // The next or previous line holding the text, from the selected line,
    // wrapping at either end; -1 when no line holds it. Shows the count.
    int Find(bool forward);
    // How many lines hold the text.
    int CountMatches() const;

    std::string m_text;
    bool m_matchCase = false;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;
    void OnOK() override;      // Enter: find next
    void OnCancel() override;  // Esc: the box goes away, the search stays

private:
    bool Holds(const std::string& line) const;
    void ShowCount();

    ui::ListBox& m_list;
};
