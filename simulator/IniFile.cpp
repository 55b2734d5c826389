#include "IniFile.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vrxsim {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::string Trim(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

IniFile IniFile::Parse(const std::string& text) {
    IniFile ini;
    Section* current = nullptr;
    std::istringstream in(text);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF &&
            static_cast<unsigned char>(line[1]) == 0xBB && static_cast<unsigned char>(line[2]) == 0xBF) {
            line.erase(0, 3);  // a UTF-8 mark written by some editors
        }
        first = false;
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t[0] == '[') {
            size_t close = t.find(']');
            std::string name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            current = nullptr;
            for (auto& s : ini.m_sections) {
                if (EqualsNoCase(s.name, name)) current = &s;
            }
            if (!current) {
                ini.m_sections.push_back(Section{name, {}});
                current = &ini.m_sections.back();
            }
            continue;
        }
        size_t eq = t.find('=');
        if (!current || eq == std::string::npos) continue;
        std::string key = Trim(t.substr(0, eq));
        std::string value = Trim(t.substr(eq + 1));
        if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''))) {
            value = value.substr(1, value.size() - 2);
        }
        bool known = false;
        for (auto& e : current->entries) {
            if (EqualsNoCase(e.first, key)) known = true;
        }
        if (!known && !key.empty()) current->entries.emplace_back(key, value);
    }
    return ini;
}

bool IniFile::Load(const std::string& path, IniFile& out) {
    out = IniFile();
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::ostringstream text;
    text << f.rdbuf();
    if (f.bad()) return false;
    out = Parse(text.str());
    return true;
}

const IniFile::Section* IniFile::Find(const std::string& section) const {
    for (const auto& s : m_sections) {
        if (EqualsNoCase(s.name, section)) return &s;
    }
    return nullptr;
}

bool IniFile::HasSection(const std::string& section) const { return Find(section) != nullptr; }

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const {
    const Section* s = Find(section);
    if (!s) return std::nullopt;
    for (const auto& e : s->entries) {
        if (EqualsNoCase(e.first, key)) return e.second;
    }
    return std::nullopt;
}

std::string IniFile::GetString(const std::string& section, const std::string& key, const std::string& fallback) const {
    auto v = Get(section, key);
    return v ? *v : fallback;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = Find(section)) {
        for (const auto& e : s->entries) keys.push_back(e.first);
    }
    return keys;
}

std::optional<long long> ParseInteger(const std::string& text) {
    std::string t = Trim(text);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') {
        negative = t[i] == '-';
        ++i;
    }
    int base = 10;
    if (t.size() > i + 1 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return std::nullopt;
    unsigned long long value = 0;
    for (; i < t.size(); ++i) {
        int c = static_cast<unsigned char>(t[i]);
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && std::isxdigit(c)) digit = std::tolower(c) - 'a' + 10;
        else return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFFFull) return std::nullopt;  // far beyond any 32-bit setting
    }
    long long v = static_cast<long long>(value);
    return negative ? -v : v;
}

std::optional<double> ParseNumber(const std::string& text) {
    std::string t = Trim(text);
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (errno != 0 || end != t.c_str() + t.size()) return std::nullopt;
    return v;
}

}  // namespace vrxsim
