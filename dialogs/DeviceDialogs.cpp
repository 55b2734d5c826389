#include "DeviceDialogs.h"

#include <commctrl.h>

#include "DataExchange.h"
#include "resource.h"

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
