// The "Log" trace window: shows every trace line, newest selected, and
// hands each line to the log file. The traced SDK calls are its operations.
// Its context menu copies, saves, finds and clears lines, and pauses the
// following of new lines so an older one can be read during a storm, and
// records what the operator does as a scenario.
#pragma once

#include <memory>

#include "Controls.h"
#include "Dialog.h"
#include "LogFile.h"
#include "LogFindDlg.h"
#include "ScenarioRecorder.h"
#include "SdkCallTracer.h"
#include "WidthTracker.h"

class CLogDlg : public ui::Dialog, public vrx::SdkCallTracer {
public:
    CLogDlg();
    ~CLogDlg() override;

    void AddLine(const char* line) override;
    // The line a crash report ends the trace with, for a process about to
    // end: logged without the heap, and added to the list only on the list's
    // own thread (another thread could wait forever for a window thread that
    // has stopped). No scenario recording, no repaint.
    void AddLastLine(const char* line);

    // The list keeps at most this many lines; the oldest go first.
    static constexpr int kMaxLines = 1001;

    ui::ListBox& List() { return m_list; }
    // Shows the list now if a storm of lines has held its repaint back.
    void ReleaseRepaint();
    bool RepaintHeld() const { return m_repaintHeld; }
    CLogFile* LogFile() const { return m_log.get(); }

    // The operator's commands (context menu and keys).
    void CopySelected();
    void CopyAll();
    // Writes the list's lines with CR LF; false (with the system's message
    // in `error`) when the file cannot be written.
    bool SaveLines(const std::string& path, std::string& error) const;
    void Clear();
    // Following: each new line is selected and scrolled into view. Paused,
    // lines are still added, but the selection and view stay put.
    void SetFollowing(bool following);
    bool IsFollowing() const { return m_following; }
    CLogFindDlg* FindBox() const { return m_find.get(); }
    // Recording a scenario: asks for its file; stopping closes it.
    void OnRecord();
    void StopRecording();
    bool IsRecording() const { return m_recorder != nullptr; }

protected:
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    // The window has no buttons; Enter and Esc must not close it.
    void OnOK() override {}
    void OnCancel() override {}
    // The list takes its own keys (Ctrl+C and Ctrl+F come through it).
    bool WantsDialogKeys() const override { return false; }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    std::string AllLines() const;  // each ending in CR LF
    int MeasureLine(const char* line);
    void SetExtent(int extent);
    void PaceRepaint();
    void HoldRepaint();
    void Repaint();
    void ShowMenu(POINT at);
    void OnSaveAs();
    void OnFind();
    void ShowState();  // the caption: paused, recording

    ui::ListBox m_list;
    BOOL m_initialised = FALSE;
    std::unique_ptr<CLogFile> m_log;
    vrx::WidthTracker m_widths;
    int m_extent = 0;
    bool m_following = true;
    static constexpr UINT_PTR kRepaintTimer = 1;
    static constexpr ULONGLONG kRepaintMs = 50;
    ULONGLONG m_repaintMs = kRepaintMs;
    bool m_repaintHeld = false;
    bool m_listWasVisible = false;
    HDC m_measureDC = nullptr;
    ULONGLONG m_lastRepaint = 0;
    std::unique_ptr<CLogFindDlg> m_find;
    std::unique_ptr<scenario::ScenarioRecorder> m_recorder;
};
