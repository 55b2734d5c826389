#include "DataExchange.h"

#include <commctrl.h>

#include <vector>

#include "ValueParse.h"

namespace ui {

std::string DataExchange::ReadText(int id) const {
    HWND control = GetDlgItem(m_dialog, id);
    const int length = GetWindowTextLengthA(control);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data());
}

void DataExchange::Fail(int id, const std::string& message) {
    m_failed = true;
    MessageBoxA(m_dialog, message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    HWND control = GetDlgItem(m_dialog, id);
    if (control) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DataExchange::SaveInteger(int id, int64_t min, int64_t max, int64_t& out) {
    const auto value = ParseInRange(ReadText(id), min, max);
    if (!value) {
        Fail(id, RangeMessage(min, max));
        return;
    }
    out = *value;
}

template <class T>
void DataExchange::Number(int id, T& value, T min, T max) {
    if (Skip()) return;
    if (!m_saving) {
        SetDlgItemTextA(m_dialog, id, std::to_string(value).c_str());
        return;
    }
    int64_t parsed = 0;
    SaveInteger(id, min, max, parsed);
    if (!m_failed) value = static_cast<T>(parsed);
}

void DataExchange::Int(int id, int32_t& value, int32_t min, int32_t max) { Number(id, value, min, max); }

void DataExchange::UInt(int id, uint32_t& value, uint32_t min, uint32_t max) { Number(id, value, min, max); }

void DataExchange::Word(int id, uint16_t& value, uint16_t min, uint16_t max) {
    uint32_t wide = value;
    UInt(id, wide, min, max);
    if (!m_failed) value = static_cast<uint16_t>(wide);
}

void DataExchange::Text(int id, std::string& text, size_t maxLength) {
    if (Skip()) return;
    HWND control = GetDlgItem(m_dialog, id);
    if (!m_saving) {
        SendMessageA(control, EM_LIMITTEXT, maxLength, 0);
        SetWindowTextA(control, LimitText(text, maxLength).c_str());
        return;
    }
    text = LimitText(ReadText(id), maxLength);
}

void DataExchange::StaticText(int id, const std::string& text, size_t maxLength) {
    if (Skip() || m_saving) return;
    SetDlgItemTextA(m_dialog, id, LimitText(text, maxLength).c_str());
}

void DataExchange::Check(int id, bool& checked) {
    if (Skip()) return;
    if (!m_saving)
        CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    else
        checked = IsDlgButtonChecked(m_dialog, id) == BST_CHECKED;
}

void DataExchange::ComboIndex(int id, int& index) {
    if (Skip()) return;
    if (!m_saving)
        SendDlgItemMessageA(m_dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else
        index = static_cast<int>(SendDlgItemMessageA(m_dialog, id, CB_GETCURSEL, 0, 0));
}

void DataExchange::ListIndex(int id, int& index) {
    if (Skip()) return;
    if (!m_saving)
        SendDlgItemMessageA(m_dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else
        index = static_cast<int>(SendDlgItemMessageA(m_dialog, id, LB_GETCURSEL, 0, 0));
}

void DataExchange::IpAddress(int id, uint8_t (&octets)[4]) {
    if (Skip()) return;
    if (!m_saving) {
        SendDlgItemMessageA(m_dialog, id, IPM_SETADDRESS, 0,
                            MAKEIPADDRESS(octets[0], octets[1], octets[2], octets[3]));
        return;
    }
    DWORD address = 0;
    SendDlgItemMessageA(m_dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    octets[0] = static_cast<uint8_t>(FIRST_IPADDRESS(address));
    octets[1] = static_cast<uint8_t>(SECOND_IPADDRESS(address));
    octets[2] = static_cast<uint8_t>(THIRD_IPADDRESS(address));
    octets[3] = static_cast<uint8_t>(FOURTH_IPADDRESS(address));
}

}  // namespace ui
