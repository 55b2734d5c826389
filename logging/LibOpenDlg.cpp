#include "LibOpenDlg.h"

#include <commctrl.h>

#include "Controls.h"
#include "DataExchange.h"
#include "FileChooser.h"
#include "ProgramPath.h"
#include "resource.h"

namespace {

constexpr uint32_t kMinLines = 100;
constexpr uint32_t kMaxLines = 3000;
constexpr uint32_t kDefaultLines = 1000;
constexpr size_t kLoggerLength = 31;
constexpr size_t kPathLength = MAX_PATH - 1;

// The controls "Log" shows and hides; the settings path stays in view.
const int kLogGroup[] = {IDC_LOG_GROUP, IDC_LOGGER_LABEL, IDC_MAXLINE_LABEL, IDC_FILENAME_LABEL,
                         IDC_LOGGER,    IDC_MAXLINE,      IDC_MAXLINE_SPIN,  IDC_LOG_FILENAME,
                         IDC_LOG_FIND,  IDC_LEVEL_FATAL,  IDC_LEVEL_WARN,    IDC_LEVEL_INFO,
                         IDC_LEVEL_DEBUG};

// A checked level box writes "0", an unchecked one "1".
const char* LevelValue(bool checked) { return checked ? "0" : "1"; }

}  // namespace

CLibOpenDlg::CLibOpenDlg() : ui::Dialog(IDD_LIB_OPEN) {
    Route(IDC_LOG_SWITCH, &CLibOpenDlg::OnLogSwitch);
    Route(IDC_LOG_FIND, &CLibOpenDlg::OnFind);
}

void CLibOpenDlg::Exchange(ui::DataExchange& dx) {
    dx.UInt(IDC_MAXLINE, m_maxLines, kMinLines, kMaxLines);
    dx.Text(IDC_LOGGER, m_logger, kLoggerLength);
    dx.Text(IDC_LOG_FILENAME, m_fileName, kPathLength);
    dx.Check(IDC_LOG_SWITCH, m_logOn);
    dx.Check(IDC_LEVEL_FATAL, m_levelFatal);
    dx.Check(IDC_LEVEL_WARN, m_levelWarn);
    dx.Check(IDC_LEVEL_INFO, m_levelInfo);
    dx.Check(IDC_LEVEL_DEBUG, m_levelDebug);
}

BOOL CLibOpenDlg::OnInitDialog() {
    // The same defaults every time: nothing is read back from the file.
    m_loggingSwitch = 0;
    m_logOn = true;
    m_logger = "ZembrinPrinter.dll";
    m_maxLines = kDefaultLines;
    m_levelFatal = m_levelWarn = m_levelInfo = m_levelDebug = true;
    m_fileName = vrx::ProgramFile("ZembrinPrinter", "log");
    m_settingsPath = vrx::ProgramFile("ZembrinPrinter", "ini");
    ui::Dialog::OnInitDialog();
    ui::UpDown spin(Item(IDC_MAXLINE_SPIN));
    spin.SetRange(kMinLines, kMaxLines);
    spin.SetPos(kDefaultLines);
    ui::Window(Item(IDC_LOG_SETTINGS_PATH)).SetText(m_settingsPath);
    return TRUE;
}

void CLibOpenDlg::OnLogSwitch() {
    const bool shown = IsDlgButtonChecked(Handle(), IDC_LOG_SWITCH) == BST_CHECKED;
    for (int id : kLogGroup) ui::Window(Item(id)).Show(shown);
}

void CLibOpenDlg::OnFind() {
    static const ui::FileChoice kLogFiles{L"log file\0*.log\0all files\0*.*\0", nullptr,
                                         OFN_HIDEREADONLY | OFN_LONGNAMES};
    const ui::Window field(Item(IDC_LOG_FILENAME));
    std::string file = field.Text();
    if (ui::ChooseFileToSave(Handle(), kLogFiles, file)) field.SetText(file);
}

void CLibOpenDlg::OnOK() {
    // Validated first, so a refused value is never written to the file.
    if (!UpdateData(true)) return;
    if (m_logOn) {
        m_loggingSwitch = 1;
        WriteSettings();
    }
    Close(IDOK);
}

void CLibOpenDlg::WriteSettings() const {
    if (m_settingsPath.empty()) return;
    const char* file = m_settingsPath.c_str();
    WritePrivateProfileStringA("log", "logger", m_logger.c_str(), file);
    WritePrivateProfileStringA("log", "maxline", std::to_string(m_maxLines).c_str(), file);
    WritePrivateProfileStringA("log", "filename", m_fileName.c_str(), file);
    WritePrivateProfileStringA("log", "levelfatal", LevelValue(m_levelFatal), file);
    WritePrivateProfileStringA("log", "levelwarn", LevelValue(m_levelWarn), file);
    WritePrivateProfileStringA("log", "levelinfo", LevelValue(m_levelInfo), file);
    WritePrivateProfileStringA("log", "leveldebug", LevelValue(m_levelDebug), file);
}
