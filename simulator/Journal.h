// The call journal and the library's own log file: two append-only text
// files, one line per record, flushed at once so that another process can
// read them while the library runs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

namespace vrxsim {

// Text forms shared by the journal and the log.
std::string Hex32(uint32_t value);                // 0x0000001A
std::string PointerText(const void* pointer);     // 0x00000000 or all digits
std::string QuotedText(const char* text);         // "..." escaped, or (null)
std::string FieldText(const char* field, size_t size);  // bounded by the field
std::string Escape(const std::string& text);

class Journal {
public:
    ~Journal() { Close(); }
    // Empty path: no journal. Reopening the same path keeps appending.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const;
    void Write(const std::string& line);

private:
    mutable std::mutex m_mu;
    std::FILE* m_file = nullptr;
    std::string m_path;
};

enum class LogLevel { Fatal = 0, Warn = 1, Info = 2, Debug = 3 };

// The log file kept as section "log" of the file given to vrxLibOpen says:
// "filename" (default ZembrinPrinter.log beside that file), "logger" (the
// name in every line), "maxline" (lines before the file is moved to .1),
// and the four level keys, where "0" switches a level on.
class LibLog {
public:
    ~LibLog() { Close(); }
    bool Open(const std::string& settingsPath);
    void Close();
    bool IsOpen() const;
    bool Enabled(LogLevel level) const;
    void Write(LogLevel level, const std::string& text);
    std::string FilePath() const;

private:
    mutable std::mutex m_mu;
    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_logger;
    unsigned m_maxLines = 1000;
    unsigned m_lines = 0;
    bool m_levels[4] = {true, true, true, true};
};

}  // namespace vrxsim
