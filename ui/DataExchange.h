// Moves values between a dialog's members and its controls. Loading fills
// the controls; saving reads them back, checks each against its accepted
// range, and stops at the first refused field, which is reported through a
// hook (by default: the range message, focus on the field, its text selected).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "OperatorWatch.h"

namespace ui {

class DataExchange {
public:
    using FailureHook = std::function<void(int id, const std::string& message)>;

    DataExchange(HWND dialog, bool saving, FailureHook onFailure = nullptr);

    bool Saving() const { return m_saving; }
    bool Failed() const { return m_failed; }
    // What a save read back, in exchange order, kept only while an operator
    // watcher is set.
    const std::vector<ConfirmedValue>& Confirmed() const { return m_confirmed; }

    // Decimal edits; the defaults accept every value of the type.
    void Int(int id, int32_t& value, int32_t min = std::numeric_limits<int32_t>::min(),
             int32_t max = std::numeric_limits<int32_t>::max());
    void UInt(int id, uint32_t& value, uint32_t min = 0, uint32_t max = std::numeric_limits<uint32_t>::max());
    void Short(int id, int16_t& value, int16_t min = std::numeric_limits<int16_t>::min(),
               int16_t max = std::numeric_limits<int16_t>::max());
    void Word(int id, uint16_t& value, uint16_t min = 0, uint16_t max = std::numeric_limits<uint16_t>::max());
    // A text edit holding at most `capacity` bytes in the system code page
    // (a double-byte character takes two), so it fits its record field.
    void Text(int id, std::string& text, size_t capacity);
    // A static text; loading only.
    void StaticText(int id, const std::string& text);
    void Check(int id, bool& checked);
    // Selection of a drop-down list, a list box or a list view; -1 for none.
    void ComboIndex(int id, int& index);
    // The same straight into an unsigned record field, which holds all bits
    // set (the -1 of its width) for none.
    template <class Field>
    void ComboIndex(int id, Field& field) {
        static_assert(std::is_unsigned<Field>::value, "a record field of an unsigned type");
        const Field none = static_cast<Field>(~Field{0});
        int index = field == none ? -1 : static_cast<int>(field);
        ComboIndex(id, index);
        field = static_cast<Field>(index);  // -1 keeps all bits set in any width
    }
    void ListIndex(int id, int& index);
    void ListViewIndex(int id, int& index);
    // IP address control, packed as the control packs it (first field highest).
    void IpAddress(int id, uint32_t& packed);

    // Refuses the field: ends the exchange and reports through the hook.
    void Fail(int id, const std::string& message);

private:
    bool Skip() const { return m_failed; }
    void Confirm(int id, ConfirmedValue::Kind kind, std::string value);
    template <class T>
    void Number(int id, T& value, T min, T max);

    HWND m_dialog;
    bool m_saving;
    bool m_failed = false;
    FailureHook m_onFailure;
    bool m_watched;
    std::vector<ConfirmedValue> m_confirmed;
};

// The standard report of a refused field: the message, then focus on the
// control with its text selected.
void ShowExchangeFailure(HWND dialog, int id, const std::string& message);
void FocusAndSelect(HWND dialog, int id);

}  // namespace ui
