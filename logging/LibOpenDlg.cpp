#include "LibOpenDlg.h"

#include <commctrl.h>
#include <commdlg.h>

#include "DataExchange.h"
#include "ProgramPath.h"
#include "resource.h"

namespace {

constexpr uint32_t kMinLines = 100;
constexpr uint32_t kMaxLines = 3000;
constexpr uint32_t kDefaultLines = 1000;
constexpr size_t kLoggerLength = 31;

// The controls "Log" shows and hides; the settings path stays in view.
const int kLogGroup[] = {IDC_LOG_GROUP, IDC_LOGGER_LABEL, IDC_MAXLINE_LABEL, IDC_FILENAME_LABEL,
                         IDC_LOGGER,    IDC_MAXLINE,      IDC_MAXLINE_SPIN,  IDC_LOG_FILENAME,
                         IDC_LOG_FIND,  IDC_LEVEL_FATAL,  IDC_LEVEL_WARN,    IDC_LEVEL_INFO,
                         IDC_LEVEL_DEBUG};
const int kLevelBoxes[] = {IDC_LEVEL_FATAL, IDC_LEVEL_WARN, IDC_LEVEL_INFO, IDC_LEVEL_DEBUG};

std::string ControlText(HWND dialog, int id) {
    char text[MAX_PATH + 1] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Values of the library's settings file, as the dialog writes them.
struct LibLogSettings {
    std::string logger;
    std::string maxLine;
    std::string fileName;
    bool levelFatal = true;
    bool levelWarn = true;
    bool levelInfo = true;
    bool levelDebug = true;
};

// A checked level box writes "0", an unchecked one "1".
void WriteLibLogSettings(const std::string& path, const LibLogSettings& s) {
    const char* file = path.c_str();
    WritePrivateProfileStringA("log", "logger", s.logger.c_str(), file);
    WritePrivateProfileStringA("log", "maxline", s.maxLine.c_str(), file);
    WritePrivateProfileStringA("log", "filename", s.fileName.c_str(), file);
    WritePrivateProfileStringA("log", "levelfatal", s.levelFatal ? "0" : "1", file);
    WritePrivateProfileStringA("log", "levelwarn", s.levelWarn ? "0" : "1", file);
    WritePrivateProfileStringA("log", "levelinfo", s.levelInfo ? "0" : "1", file);
    WritePrivateProfileStringA("log", "leveldebug", s.levelDebug ? "0" : "1", file);
}

}  // namespace

CLibOpenDlg::CLibOpenDlg() : ui::Dialog(IDD_LIB_OPEN) {
    Route(IDC_LOG_SWITCH, &CLibOpenDlg::OnLogSwitch);
    Route(IDC_LOG_FIND, &CLibOpenDlg::OnFind);
}

void CLibOpenDlg::Exchange(ui::DataExchange& dx) {
    dx.UInt(IDC_MAXLINE, m_maxLines, kMinLines, kMaxLines);
    dx.Text(IDC_LOGGER, m_logger, kLoggerLength);
}

BOOL CLibOpenDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_loggingSwitch = 0;
    CheckDlgButton(Handle(), IDC_LOG_SWITCH, BST_CHECKED);
    SetDlgItemTextA(Handle(), IDC_LOGGER, "ZembrinPrinter.dll");
    SendDlgItemMessageA(Handle(), IDC_MAXLINE_SPIN, UDM_SETRANGE32, kMinLines, kMaxLines);
    SendDlgItemMessageA(Handle(), IDC_MAXLINE_SPIN, UDM_SETPOS32, 0, kDefaultLines);
    for (int id : kLevelBoxes) CheckDlgButton(Handle(), id, BST_CHECKED);
    SetDlgItemTextA(Handle(), IDC_LOG_FILENAME, vrx::ProgramFile("ZembrinPrinter", "log").c_str());
    m_settingsPath = vrx::ProgramFile("ZembrinPrinter", "ini");
    SetDlgItemTextA(Handle(), IDC_LOG_SETTINGS_PATH, m_settingsPath.c_str());
    return TRUE;
}

void CLibOpenDlg::OnLogSwitch() {
    const int show = IsDlgButtonChecked(Handle(), IDC_LOG_SWITCH) == BST_CHECKED ? SW_SHOW : SW_HIDE;
    for (int id : kLogGroup) ShowWindow(Item(id), show);
}

void CLibOpenDlg::OnFind() {
    char file[MAX_PATH] = {};
    GetDlgItemTextA(Handle(), IDC_LOG_FILENAME, file, sizeof file);
    OPENFILENAMEA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = Handle();
    chooser.lpstrFilter = "log file\0*.log\0all files\0*.*\0\0";
    chooser.lpstrFile = file;
    chooser.nMaxFile = sizeof file;
    chooser.Flags = OFN_HIDEREADONLY | OFN_LONGNAMES;
    if (GetSaveFileNameA(&chooser)) SetDlgItemTextA(Handle(), IDC_LOG_FILENAME, file);
}

void CLibOpenDlg::OnOK() {
    // Validated first, so a refused value is never written to the file.
    if (!UpdateData(true)) return;
    if (IsDlgButtonChecked(Handle(), IDC_LOG_SWITCH) == BST_CHECKED) {
        m_loggingSwitch = 1;
        WriteSettings();
    }
    Close(IDOK);
}

void CLibOpenDlg::WriteSettings() const {
    LibLogSettings settings;
    settings.logger = ControlText(Handle(), IDC_LOGGER);
    settings.maxLine = ControlText(Handle(), IDC_MAXLINE);
    settings.fileName = ControlText(Handle(), IDC_LOG_FILENAME);
    settings.levelFatal = IsDlgButtonChecked(Handle(), IDC_LEVEL_FATAL) == BST_CHECKED;
    settings.levelWarn = IsDlgButtonChecked(Handle(), IDC_LEVEL_WARN) == BST_CHECKED;
    settings.levelInfo = IsDlgButtonChecked(Handle(), IDC_LEVEL_INFO) == BST_CHECKED;
    settings.levelDebug = IsDlgButtonChecked(Handle(), IDC_LEVEL_DEBUG) == BST_CHECKED;
    if (!m_settingsPath.empty()) WriteLibLogSettings(m_settingsPath, settings);
}
