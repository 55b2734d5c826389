#include "LogFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vrx {

const char* LogLevelTag(int level) {
    static const char* const kTags[] = {"FATAL", "WARN ", "INFO ", "DEBUG"};
    if (level < LOG_FATAL || level > LOG_DEBUG) return "?????";
    return kTags[level];
}

namespace {

void FormatHead(char (&head)[80], const ClockTime& time, uint32_t processId, uint32_t threadId, int level) {
    std::snprintf(head, sizeof head, "%02d/%02d %02d:%02d:%02d.%03d [%08X] [%08X] [%s] - ", time.month, time.day,
                  time.hour, time.minute, time.second, time.millisecond, processId, threadId, LogLevelTag(level));
}

}  // namespace

std::string FormatLogRecord(const ClockTime& time, uint32_t processId, uint32_t threadId, int level,
                            const char* text) {
    char head[80];
    FormatHead(head, time, processId, threadId, level);
    std::string record(head);
    record += text ? text : "(null)";
    record += "\r\n";
    return record;
}

size_t FormatLogRecordInto(char* out, size_t size, const ClockTime& time, uint32_t processId, uint32_t threadId,
                           int level, const char* text) {
    if (size < 3) return 0;
    char head[80];
    FormatHead(head, time, processId, threadId, level);
    // Room is kept for the line end: a cut record still ends its line.
    const int n = std::snprintf(out, size - 2, "%s%s", head, text ? text : "(null)");
    size_t length = n < 0 ? 0 : std::min(static_cast<size_t>(n), size - 3);
    out[length++] = '\r';
    out[length++] = '\n';
    out[length] = '\0';
    return length;
}

bool ParseLogRecord(const std::string& line, LogRecord& record) {
    // "mm/dd hh:mm:ss.mmm [pid] [tid] [LEVEL] - text": the head is of fixed
    // width, so a line of another shape is refused rather than misread.
    constexpr int kBeforeSpace = 50;
    char level[6] = {};
    int used = 0;
    ClockTime& t = record.time;
    unsigned processId = 0, threadId = 0;
    if (std::sscanf(line.c_str(), "%2d/%2d %2d:%2d:%2d.%3d [%8X] [%8X] [%5c] -%n", &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &t.millisecond, &processId, &threadId, level, &used) != 9 ||
        used != kBeforeSpace || line.size() <= static_cast<size_t>(used) || line[static_cast<size_t>(used)] != ' ')
        return false;
    record.processId = processId;
    record.threadId = threadId;
    record.level = level;
    size_t end = line.size();
    while (end > kBeforeSpace + 1u && (line[end - 1] == '\r' || line[end - 1] == '\n')) --end;
    record.text = line.substr(kBeforeSpace + 1, end - kBeforeSpace - 1);
    return true;
}

std::string LogMutexName(const std::string& mainPath) {
    std::string name = mainPath;
    std::replace(name.begin(), name.end(), '\\', '_');
    return name;
}

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string ResolveBackupPath(const std::string& mainPath, const std::string& backupPath) {
    if (backupPath.empty() || Lower(backupPath) != Lower(mainPath)) return backupPath;
    const size_t dot = mainPath.find_last_of('.');
    const size_t slash = mainPath.find_last_of("\\/");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? mainPath.substr(0, dot) : mainPath;
    const std::string extension = hasExtension ? mainPath.substr(dot) : std::string(".log");
    return stem + ".old" + extension;
}

std::string FormatBanner(uint32_t versionMs, uint32_t versionLs) {
    char banner[96];
    std::snprintf(banner, sizeof banner, "===== VrxClient Start Version %d.%d.%d.%d =====",
                  static_cast<int>(versionMs >> 16), static_cast<int>(versionMs & 0xFFFF),
                  static_cast<int>(versionLs >> 16), static_cast<int>(versionLs & 0xFFFF));
    return banner;
}

}  // namespace vrx
