// A small INI reader with the rules of the Windows profile functions:
// names are case-insensitive, the first section and key of a name win,
// values are trimmed and lose one pair of surrounding quotes.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vrxsim {

class IniFile {
public:
    static IniFile Parse(const std::string& text);
    // False when the file cannot be read; out is then left empty.
    static bool Load(const std::string& path, IniFile& out);

    bool HasSection(const std::string& section) const;
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    std::string GetString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Keys of a section in file order (first occurrence only).
    std::vector<std::string> Keys(const std::string& section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* Find(const std::string& section) const;
    std::vector<Section> m_sections;
};

// Whole-text integer: optional sign, decimal or 0x hex. Nothing else may
// follow, so "12abc" is refused rather than read as 12.
std::optional<long long> ParseInteger(const std::string& text);
std::optional<double> ParseNumber(const std::string& text);
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);

}  // namespace vrxsim
