#include "DataExchange.h"

#include <commctrl.h>

#include "Controls.h"
#include "Text.h"
#include "ValueParse.h"

namespace ui {

DataExchange::DataExchange(HWND dialog, bool saving, FailureHook onFailure)
    : m_dialog(dialog), m_saving(saving), m_onFailure(std::move(onFailure)), m_watched(saving && Watcher()) {}

void DataExchange::Confirm(int id, ConfirmedValue::Kind kind, std::string value) {
    if (m_watched) m_confirmed.push_back(ConfirmedValue{id, GetDlgItem(m_dialog, id), kind, std::move(value)});
}

void FocusAndSelect(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

void ShowExchangeFailure(HWND dialog, int id, const std::string& message) {
    Window(dialog).ShowErrorBox(message);
    FocusAndSelect(dialog, id);
}

void DataExchange::Fail(int id, const std::string& message) {
    m_failed = true;
    if (m_onFailure)
        m_onFailure(id, message);
    else
        ShowExchangeFailure(m_dialog, id, message);
}

template <class T>
void DataExchange::Number(int id, T& value, T min, T max) {
    if (Skip()) return;
    if (!m_saving) {
        SetText(GetDlgItem(m_dialog, id), std::to_string(value));
        return;
    }
    const auto parsed = ParseInRange(GetText(GetDlgItem(m_dialog, id)), min, max);
    if (!parsed) {
        Fail(id, RangeMessage(min, max));
        return;
    }
    value = static_cast<T>(*parsed);
    Confirm(id, ConfirmedValue::Kind::Number, std::to_string(value));
}

void DataExchange::Int(int id, int32_t& value, int32_t min, int32_t max) { Number(id, value, min, max); }
void DataExchange::UInt(int id, uint32_t& value, uint32_t min, uint32_t max) { Number(id, value, min, max); }
void DataExchange::Short(int id, int16_t& value, int16_t min, int16_t max) { Number(id, value, min, max); }
void DataExchange::Word(int id, uint16_t& value, uint16_t min, uint16_t max) { Number(id, value, min, max); }

void DataExchange::Text(int id, std::string& text, size_t capacity) {
    if (Skip()) return;
    HWND control = GetDlgItem(m_dialog, id);
    if (!m_saving) {
        // Characters, not bytes: the byte count is checked when saving.
        SendMessageW(control, EM_LIMITTEXT, capacity, 0);
        SetText(control, text);
        return;
    }
    std::string typed = GetText(control);
    if (typed.size() > capacity) {
        Fail(id, TextTooLongMessage(capacity));
        return;
    }
    text = std::move(typed);
    Confirm(id, ConfirmedValue::Kind::Text, std::string());
}

void DataExchange::StaticText(int id, const std::string& text) {
    if (Skip() || m_saving) return;
    SetText(GetDlgItem(m_dialog, id), text);
}

void DataExchange::Check(int id, bool& checked) {
    if (Skip()) return;
    if (!m_saving)
        CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    else {
        checked = IsDlgButtonChecked(m_dialog, id) == BST_CHECKED;
        Confirm(id, ConfirmedValue::Kind::Check, checked ? "on" : "off");
    }
}

void DataExchange::ComboIndex(int id, int& index) {
    if (Skip()) return;
    ComboBox combo(GetDlgItem(m_dialog, id));
    if (!m_saving)
        combo.SetCurSel(index);
    else {
        index = combo.GetCurSel();
        if (index >= 0) Confirm(id, ConfirmedValue::Kind::Choice, std::to_string(index));
    }
}

void DataExchange::ListIndex(int id, int& index) {
    if (Skip()) return;
    ListBox list(GetDlgItem(m_dialog, id));
    if (!m_saving)
        list.SetCurSel(index);
    else {
        index = list.GetCurSel();
        if (index >= 0) Confirm(id, ConfirmedValue::Kind::Choice, std::to_string(index));
    }
}

void DataExchange::ListViewIndex(int id, int& index) {
    if (Skip()) return;
    ListView view(GetDlgItem(m_dialog, id));
    if (!m_saving) {
        if (index >= 0) view.Select(index);
    } else {
        index = view.GetSelectedIndex();
        if (index >= 0) Confirm(id, ConfirmedValue::Kind::ListViewChoice, std::to_string(index));
    }
}

void DataExchange::IpAddress(int id, uint32_t& packed) {
    if (Skip()) return;
    ui::IpAddress control(GetDlgItem(m_dialog, id));
    if (!m_saving)
        control.SetAddress(packed);
    else {
        packed = control.GetAddress();
        Confirm(id, ConfirmedValue::Kind::Address,
                std::to_string(packed >> 24) + "." + std::to_string((packed >> 16) & 0xFF) + "." +
                    std::to_string((packed >> 8) & 0xFF) + "." + std::to_string(packed & 0xFF));
    }
}

}  // namespace ui
