#include "SettingsExchange.h"

namespace vrx {

void SettingsExchange::Int(const SettingKey& key, int32_t& value) {
    if (Loading())
        value = m_file.Read(key);
    else
        m_file.WriteSettingInt(key.name, value);
}

void SettingsExchange::Int(const SettingKey& key, uint32_t& value) {
    int32_t bits = static_cast<int32_t>(value);
    Int(key, bits);
    value = static_cast<uint32_t>(bits);
}

void SettingsExchange::Int(const SettingKey& key, uint16_t& value) {
    if (!Loading()) {
        m_file.WriteSettingInt(key.name, value);
        return;
    }
    // The field keeps the number's low 16 bits, -1 as 65535: the dialog's own
    // checks then refuse what it cannot take, rather than a quiet default.
    value = static_cast<uint16_t>(static_cast<uint32_t>(m_file.Read(key)));
}

void SettingsExchange::Octet(const SettingKey& key, uint8_t& value) {
    if (!Loading()) {
        m_file.WriteSettingInt(key.name, value);
        return;
    }
    const int stored = m_file.ReadSettingInt(key.name, value);
    if (stored >= 0 && stored <= 255) value = static_cast<uint8_t>(stored);
}

void SettingsExchange::CopyToField(const std::string& text, char* field, size_t size) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}

void SettingsExchange::Text(const SettingKey& key, std::string& value) {
    if (Loading())
        value = m_file.ReadText(key);
    else
        m_file.WriteSettingString(key.name, value.c_str());
}

}  // namespace vrx
