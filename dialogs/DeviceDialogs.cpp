#include "DeviceDialogs.h"

#include <commctrl.h>

#include "Controls.h"
#include "DataExchange.h"
#include "FileChooser.h"
#include "resource.h"

namespace {

// Paths and texts without a record field of their own: as much as the
// settings file gives back.
constexpr size_t kTextCapacity = 255;

const std::initializer_list<const char*> kFeeds = {"0 : ROLL", "1 : SHEET"};

// "icc", not "*.icc": the chooser appends the extension text as it stands.
const ui::FileChoice kProfileFiles{L"ICC Files (*.icc;*.icm)\0*.icc;*.icm\0All Files (*.*)\0*.*\0", L"icc",
                                   OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST};
const ui::FileChoice kAnyFile{L"All Files (*.*)\0*.*\0"};

}  // namespace

CDevOpenDlg::CDevOpenDlg() : ui::Dialog(IDD_DEV_OPEN) {}

uint32_t CDevOpenDlg::PackAddress(const uint8_t (&octets)[4]) {
    return MAKEIPADDRESS(octets[0], octets[1], octets[2], octets[3]);
}

void CDevOpenDlg::UnpackAddress(uint32_t address, uint8_t (&octets)[4]) {
    octets[0] = static_cast<uint8_t>(FIRST_IPADDRESS(address));
    octets[1] = static_cast<uint8_t>(SECOND_IPADDRESS(address));
    octets[2] = static_cast<uint8_t>(THIRD_IPADDRESS(address));
    octets[3] = static_cast<uint8_t>(FOURTH_IPADDRESS(address));
}

void CDevOpenDlg::Exchange(ui::DataExchange& dx) { dx.IpAddress(IDC_IP_ADDRESS, m_address); }

void CDevOpenDlg::OnDestroy() { UpdateData(true); }

CGetPrinterDlg::CGetPrinterDlg() : ui::Dialog(IDD_GET_PRINTER) {}

void CGetPrinterDlg::Exchange(ui::DataExchange& dx) { dx.Int(IDC_BUFFER_NUM, m_bufferNum, 0, 1000); }

CDevResetEventDlg::CDevResetEventDlg() : ui::Dialog(IDD_DEV_RESET_EVENT) {
    Route(IDC_RESET_ACTION1, [this] { Choose(1); });
    Route(IDC_RESET_ACTION2, [this] { Choose(2); });
    Route(IDC_RESET_ACTION3, [this] { Choose(3); });
    Route(IDC_RESET_ACTION4, [this] { Choose(4); });
}

void CDevResetEventDlg::Exchange(ui::DataExchange& dx) { dx.StaticText(IDC_EVENT_TEXT, m_text); }

void CDevResetEventDlg::Choose(int32_t action) {
    m_action = action;
    OnOK();  // the normal OK path, data exchange first
}

CDevGetMagInfoDlg::CDevGetMagInfoDlg() : ui::Dialog(IDD_DEV_GET_MAG_INFO) {}

void CDevGetMagInfoDlg::Exchange(ui::DataExchange& dx) { dx.Int(IDC_INFO_NUM, m_infoNum, 0, 1000); }

CSetCompletionProcModeDlg::CSetCompletionProcModeDlg() : ui::Dialog(IDD_SET_COMPLETION_PROC_MODE) {}

void CSetCompletionProcModeDlg::Exchange(ui::DataExchange& dx) { dx.UInt(IDC_COMPLETION_MODE, m_mode); }

CDevCtrlPrintDlg::CDevCtrlPrintDlg() : ui::Dialog(IDD_DEV_CTRL_PRINT) {}

BOOL CDevCtrlPrintDlg::OnInitDialog() {
    FillList(IDC_CTRL, {"0 : STOP", "1 : RESTART"});
    return ui::Dialog::OnInitDialog();
}

void CDevCtrlPrintDlg::Exchange(ui::DataExchange& dx) { dx.ComboIndex(IDC_CTRL, m_ctrl); }

CDevSetTimeDlg::CDevSetTimeDlg() : ui::Dialog(IDD_DEV_SET_TIME) {}

void CDevSetTimeDlg::Exchange(ui::DataExchange& dx) {
    dx.Int(IDC_TIME_DAY, m_day, 1, 31);
    dx.Int(IDC_TIME_DAY_OF_WEEK, m_dayOfWeek, 0, 6);
    dx.Int(IDC_TIME_HOUR, m_hour, 0, 23);
    dx.Int(IDC_TIME_MINUTE, m_minute, 0, 59);
    dx.Int(IDC_TIME_MONTH, m_month, 1, 12);
    dx.Int(IDC_TIME_SECOND, m_second, 0, 59);
    dx.Int(IDC_TIME_YEAR, m_year, 1980, 2079);
}

CDevGetProfileDlg::CDevGetProfileDlg() : ui::Dialog(IDD_DEV_GET_PROFILE) {
    Route(IDC_PROF_CHOOSE, &CDevGetProfileDlg::OnChooseFile);
}

BOOL CDevGetProfileDlg::OnInitDialog() {
    FillList(IDC_PROF_FEED, kFeeds);
    return ui::Dialog::OnInitDialog();
}

void CDevGetProfileDlg::Exchange(ui::DataExchange& dx) {
    dx.ComboIndex(IDC_PROF_FEED, m_feed);
    dx.Int(IDC_PROF_PAPER_WIDTH, m_paperWidth);
    dx.Int(IDC_PROF_SURFACE, m_surface);
    dx.Text(IDC_PROF_FILE_PATH, m_filePath, kTextCapacity);
    dx.Text(IDC_PROF_PAPER_NAME, m_paperName, kTextCapacity);
}

void CDevGetProfileDlg::OnChooseFile() {
    if (!UpdateData(true)) return;
    if (ui::ChooseFileToOpen(Handle(), kProfileFiles, m_filePath)) UpdateData(false);
}

CDevBlankPrintDlg::CDevBlankPrintDlg() : ui::Dialog(IDD_DEV_BLANK_PRINT) {}

BOOL CDevBlankPrintDlg::OnInitDialog() {
    FillList(IDC_BLANK_FEED, kFeeds);
    FillList(IDC_BLANK_CLEAR_INK, {"0 : Not Print", "1 : Print"});
    FillList(IDC_BLANK_PRINT_QUALITY,
             {"0 : PROC_PRNQLT_PRINTER", "1 : PROC_PRNQLT_NORMAL", "2 : PROC_PRNQLT_QUALITY1"});
    return ui::Dialog::OnInitDialog();
}

void CDevBlankPrintDlg::Exchange(ui::DataExchange& dx) {
    dx.UInt(IDC_BLANK_ORDER_ID, m_orderId);
    dx.Int(IDC_BLANK_PAPER_LENGTH, m_paperLength);
    dx.Text(IDC_BLANK_PAPER_NAME, m_paperName, kPaperNameCapacity);
    dx.Int(IDC_BLANK_PAPER_PRESENCE, m_paperPresence);
    dx.Int(IDC_BLANK_PAPER_WIDTH, m_paperWidth);
    dx.Int(IDC_BLANK_PRINT_NUM, m_printNum);
    dx.Int(IDC_BLANK_RESOLUTION, m_resolution);
    dx.Int(IDC_BLANK_SURFACE, m_surface);
    dx.ComboIndex(IDC_BLANK_FEED, m_feed);
    dx.ComboIndex(IDC_BLANK_CLEAR_INK, m_clearInk);
    dx.ComboIndex(IDC_BLANK_PRINT_QUALITY, m_printQuality);
}

CDevStartFadDlg::CDevStartFadDlg() : ui::Dialog(IDD_DEV_START_FAD) {
    Route(IDC_FAD_CHOOSE, &CDevStartFadDlg::OnChooseFile);
}

BOOL CDevStartFadDlg::OnInitDialog() {
    FillList(IDC_FAD_OUT, {"0 : PRINTER", "1 : FAD", "2 : TRASH"});
    return ui::Dialog::OnInitDialog();
}

void CDevStartFadDlg::Exchange(ui::DataExchange& dx) {
    dx.UInt(IDC_FAD_ORDER_ID, m_orderId);
    dx.ComboIndex(IDC_FAD_OUT, m_fadOut);
    dx.Text(IDC_FAD_FILE_NAME, m_fadFileName, kTextCapacity);
    dx.Text(IDC_FAD_ORDER_KEY, m_orderKey, kTextCapacity);
}

void CDevStartFadDlg::OnChooseFile() {
    if (!UpdateData(true)) return;
    if (ui::ChooseFileToOpen(Handle(), kAnyFile, m_fadFileName)) UpdateData(false);
}
