// Moves values between a dialog's members and its controls. Loading fills
// the controls; saving reads them back, checks ranges, and stops at the
// first bad field with the standard range message and focus on that field.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ui {

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}

    bool Saving() const { return m_saving; }
    bool Failed() const { return m_failed; }

    // Signed decimal edit, accepted in [min, max].
    void Int(int id, int32_t& value, int32_t min, int32_t max);
    // Unsigned decimal edit, accepted in [min, max].
    void UInt(int id, uint32_t& value, uint32_t min, uint32_t max);
    // 16-bit fields shown as decimals.
    void Word(int id, uint16_t& value, uint16_t min, uint16_t max);
    // Text edit limited to maxLength characters.
    void Text(int id, std::string& text, size_t maxLength);
    // Text shown in a static control, cut to maxLength characters.
    void StaticText(int id, const std::string& text, size_t maxLength);
    void Check(int id, bool& checked);
    // Selection index of a combo box (drop-down list); -1 for none.
    void ComboIndex(int id, int& index);
    void ListIndex(int id, int& index);
    // IP address control: four octets, first octet first.
    void IpAddress(int id, uint8_t (&octets)[4]);

    // Reports a bad field: message box, focus and selection on the control.
    void Fail(int id, const std::string& message);

private:
    bool Skip() const { return m_failed; }
    std::string ReadText(int id) const;
    void SaveInteger(int id, int64_t min, int64_t max, int64_t& out);
    template <class T>
    void Number(int id, T& value, T min, T max);

    HWND m_dialog;
    bool m_saving;
    bool m_failed = false;
};

}  // namespace ui
