// Moves the values a dialog remembers between the settings file and the
// variables that preset it. The same exchange function serves both
// directions, so each dialog's keys and their order are written once:
//     sx.Int(keys::PaperWidth, block.dwPaperWidth);
// loads before the dialog and saves after OK.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "SettingsFile.h"

namespace vrx {

class SettingsExchange {
public:
    enum class Direction { Load, Save };

    SettingsExchange(const SettingsFile& file, Direction direction) : m_file(file), m_direction(direction) {}
    bool Loading() const { return m_direction == Direction::Load; }

    // Integers are stored as "%d"; an unsigned value keeps its bits.
    void Int(const SettingKey& key, int32_t& value);
    void Int(const SettingKey& key, uint32_t& value);
    // A 16-bit field is stored as its unsigned value and reads back the low
    // 16 bits of the stored number.
    void Int(const SettingKey& key, uint16_t& value);
    // For keys whose default is only known at run time: the value held when
    // loading is the default, and a stored value outside 0 to 255 keeps it.
    void Octet(const SettingKey& key, uint8_t& value);
    void Text(const SettingKey& key, std::string& value);
    // A record's text field: loading cuts the text to fit with its terminator.
    template <size_t N>
    void Text(const SettingKey& key, char (&field)[N]) {
        std::string text(field, strnlen(field, N));
        Text(key, text);
        if (Loading()) CopyToField(text, field, N);
    }

private:
    static void CopyToField(const std::string& text, char* field, size_t size);

    const SettingsFile& m_file;
    Direction m_direction;
};

}  // namespace vrx
