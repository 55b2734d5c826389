// The "Log" trace window: shows every trace line, newest selected, and
// hands each line to the log file. The traced SDK calls are its operations.
#pragma once

#include <memory>

#include "Controls.h"
#include "Dialog.h"
#include "LogFile.h"
#include "SdkCallTracer.h"
#include "WidthTracker.h"

class CLogDlg : public ui::Dialog, public vrx::SdkCallTracer {
public:
    CLogDlg();
    ~CLogDlg() override;

    void AddLine(const char* line) override;

    // The list keeps at most this many lines; the oldest go first.
    static constexpr int kMaxLines = 1001;

    ui::ListBox& List() { return m_list; }
    CLogFile* LogFile() const { return m_log.get(); }

protected:
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    // The window has no buttons; Enter and Esc must not close it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    ui::ListBox m_list;
    BOOL m_initialised = FALSE;
    std::unique_ptr<CLogFile> m_log;
    vrx::WidthTracker m_widths;
};
