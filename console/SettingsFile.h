// The console's settings file, read and written only through the platform's
// private-profile functions. Failures read as defaults and lose writes
// silently: the console runs on with the values it has.
#pragma once

#include <string>

#include "SettingKeys.h"

namespace vrx {

class SettingsFile {
public:
    explicit SettingsFile(std::string path = std::string()) : m_path(std::move(path)) {}
    void SetPath(std::string path) { m_path = std::move(path); }
    // Empty when the program's folder could not be found: nothing is read or
    // written then.
    const std::string& Path() const { return m_path; }

    // Section "Setting". Strings read back are cut at 255 bytes.
    int ReadSettingInt(const char* key, int defaultValue) const;
    std::string ReadSettingString(const char* key, const char* defaultValue) const;
    void WriteSettingInt(const char* key, int value) const;
    void WriteSettingString(const char* key, const char* value) const;

    // The same, with the key's own default from the key table.
    int Read(const SettingKey& key) const { return ReadSettingInt(key.name, key.intDefault); }
    std::string ReadText(const SettingKey& key) const { return ReadSettingString(key.name, key.textDefault); }

    // The hidden section; an absent key or file reads 0.
    int ReadHidden(const HiddenKey& key) const;

private:
    std::string m_path;
};

// The settings file "VrxClient.ini" in the program's folder; empty if unknown.
std::string SettingsPath();

}  // namespace vrx
