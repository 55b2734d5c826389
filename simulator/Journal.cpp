#include "Journal.h"

#include <cinttypes>
#include <cstring>

#include "IniFile.h"
#include "SimClock.h"
#include "SimSettings.h"

namespace vrxsim {

std::string Hex32(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string PointerText(const void* pointer) {
    char text[24];
    std::snprintf(text, sizeof text, sizeof(void*) > 4 ? "0x%016" PRIXPTR : "0x%08" PRIXPTR,
                  reinterpret_cast<uintptr_t>(pointer));
    return text;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string QuotedText(const char* text) {
    if (!text) return "(null)";
    return "\"" + Escape(text) + "\"";
}

std::string FieldText(const char* field, size_t size) {
    size_t n = 0;
    while (n < size && field[n] != '\0') ++n;
    return "\"" + Escape(std::string(field, n)) + "\"";
}

bool Journal::Open(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_file && path == m_path) return true;
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_path = path;
    if (path.empty()) return true;
    m_file = std::fopen(path.c_str(), "ab");
    return m_file != nullptr;
}

void Journal::Close() {
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_path.clear();
}

bool Journal::IsOpen() const {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_file != nullptr;
}

void Journal::Write(const std::string& line) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_file) return;
    std::fputs(line.c_str(), m_file);
    std::fputs("\n", m_file);
    std::fflush(m_file);
}

bool LibLog::Open(const std::string& settingsPath) {
    Close();
    IniFile ini;
    if (!IniFile::Load(settingsPath, ini)) return false;
    std::lock_guard<std::mutex> lock(m_mu);
    m_logger = ini.GetString("log", "logger", "ZembrinPrinter.dll");
    std::string file = ini.GetString("log", "filename", "");
    m_path = file.empty() ? JoinPath(FolderOf(settingsPath), "ZembrinPrinter.log") : JoinPath(FolderOf(settingsPath), file);
    auto maxLines = ParseInteger(ini.GetString("log", "maxline", "1000"));
    m_maxLines = maxLines && *maxLines >= 1 && *maxLines <= 10000000 ? static_cast<unsigned>(*maxLines) : 1000;
    static const char* const kLevelKeys[] = {"levelfatal", "levelwarn", "levelinfo", "leveldebug"};
    for (int i = 0; i < 4; ++i) m_levels[i] = Trim(ini.GetString("log", kLevelKeys[i], "0")) == "0";
    m_lines = 0;
    m_file = std::fopen(m_path.c_str(), "ab");
    return m_file != nullptr;
}

void LibLog::Close() {
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

bool LibLog::IsOpen() const {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_file != nullptr;
}

bool LibLog::Enabled(LogLevel level) const {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_file && m_levels[static_cast<int>(level)];
}

std::string LibLog::FilePath() const {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_path;
}

void LibLog::Write(LogLevel level, const std::string& text) {
    static const char* const kTags[] = {"FATAL", "WARN", "INFO", "DEBUG"};
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_file || !m_levels[static_cast<int>(level)]) return;
    if (m_lines >= m_maxLines) {
        // Keep one previous generation so the log never grows without bound.
        std::fclose(m_file);
        std::string old = m_path + ".1";
        std::remove(old.c_str());
        std::rename(m_path.c_str(), old.c_str());
        m_file = std::fopen(m_path.c_str(), "ab");
        m_lines = 0;
        if (!m_file) return;
    }
    CivilTime t = CivilFromMs(HostLocalMs());
    std::fprintf(m_file, "%04d/%02d/%02d %02d:%02d:%02d.%03d [%-5s] [%s] %s\n", t.year, t.month, t.day, t.hour, t.minute,
                 t.second, t.millisecond, kTags[static_cast<int>(level)], m_logger.c_str(), text.c_str());
    std::fflush(m_file);
    ++m_lines;
}

}  // namespace vrxsim
