// The log file's record text and names derived from paths; no window or
// kernel object needed, so these are tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "SdkTime.h"

enum LogLevel { LOG_FATAL = 0, LOG_WARN = 1, LOG_INFO = 2, LOG_DEBUG = 3 };

namespace vrx {

// Five characters for every level, so the text column lines up. A level
// outside the four is written as "?????" rather than refused.
const char* LogLevelTag(int level);

// "%02d/%02d %02d:%02d:%02d.%03d [%08X] [%08X] [%s] - %s\r\n"
std::string FormatLogRecord(const ClockTime& time, uint32_t processId, uint32_t threadId, int level,
                            const char* text);
// The same record in the caller's buffer (at least 3 bytes), cut to fit but
// still ending in CR LF, for a writer that must not touch the heap. Returns
// its length.
size_t FormatLogRecordInto(char* out, size_t size, const ClockTime& time, uint32_t processId, uint32_t threadId,
                           int level, const char* text);

// One record read back: its time, ids, level tag and text (without CR LF).
struct LogRecord {
    ClockTime time;
    uint32_t processId = 0;
    uint32_t threadId = 0;
    std::string level;  // the five-character tag
    std::string text;
};
// False for a line that is not a whole record of this form (a line of
// another program, one cut short).
bool ParseLogRecord(const std::string& line, LogRecord& record);

// The path with every backslash replaced: a mutex name may hold none.
std::string LogMutexName(const std::string& mainPath);

// Where a rotated log goes. A backup named like the log itself would be
// deleted by the rotation, losing the whole log, so it becomes
// "<name>.old.log" beside it instead.
std::string ResolveBackupPath(const std::string& mainPath, const std::string& backupPath);

// "===== VrxClient Start Version %d.%d.%d.%d ====="
std::string FormatBanner(uint32_t versionMs, uint32_t versionLs);

}  // namespace vrx
