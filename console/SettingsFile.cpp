#include "SettingsFile.h"

#include <windows.h>

#include "ProgramPath.h"

namespace vrx {

namespace {
constexpr DWORD kTextBuffer = 256;  // 255 characters and the terminator
}

int SettingsFile::ReadSettingInt(const char* key, int defaultValue) const {
    if (m_path.empty()) return defaultValue;
    // The platform reads "-5" as -5 and a non-number as 0.
    return static_cast<int>(GetPrivateProfileIntA(kSettingSection, key, defaultValue, m_path.c_str()));
}

std::string SettingsFile::ReadSettingString(const char* key, const char* defaultValue) const {
    if (m_path.empty()) return defaultValue ? defaultValue : "";
    char buffer[kTextBuffer] = {};
    GetPrivateProfileStringA(kSettingSection, key, defaultValue ? defaultValue : "", buffer, kTextBuffer,
                             m_path.c_str());
    return std::string(buffer);
}

void SettingsFile::WriteSettingInt(const char* key, int value) const {
    if (m_path.empty()) return;
    WritePrivateProfileStringA(kSettingSection, key, std::to_string(value).c_str(), m_path.c_str());
}

void SettingsFile::WriteSettingString(const char* key, const char* value) const {
    if (m_path.empty()) return;
    WritePrivateProfileStringA(kSettingSection, key, value ? value : "", m_path.c_str());
}

int SettingsFile::ReadHidden(const HiddenKey& key) const {
    if (m_path.empty()) return 0;
    return static_cast<int>(GetPrivateProfileIntA(kHiddenSection, key.name, 0, m_path.c_str()));
}

std::string SettingsPath() { return ProgramFile("VrxClient", "ini"); }

}  // namespace vrx
