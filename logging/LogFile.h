// Appends records to the log file beside the program, one open-write-close
// per record under a machine-wide mutex named after the file (readers that
// let writers in, such as log viewers, never block it), rotating the
// file once it grows past its limit. Logging is on only when the log (or its
// backup) already exists when the writer is created.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "LogFormat.h"

class CLogFile {
public:
    // Files in the program's own folder: base name + ".log".
    CLogFile(const char* baseName, const char* backupBaseName, uint32_t maxSize, uint32_t capacity);
    // Files in the given folder (ending in a backslash).
    CLogFile(const std::string& folder, const char* baseName, const char* backupBaseName, uint32_t maxSize,
             uint32_t capacity);
    virtual ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    void Write(LogLevel level, const char* sourceFile, int sourceLine, const char* text);
    // The last record of a process that is about to end (a crash): built on
    // the stack and appended without the heap or a rotation, since a damaged
    // heap may be what ends it. A record past kLastRecordBytes is cut.
    void WriteLast(LogLevel level, const char* text);
    static constexpr size_t kLastRecordBytes = 2048;

    bool IsEnabled() const { return m_enabled != FALSE; }
    const std::string& MainPath() const { return m_mainPath; }
    const std::string& BackupPath() const { return m_backupPath; }

    // A holder of the mutex is waited for at most this long; then the record
    // is written anyway (appends of whole records never mix).
    static constexpr DWORD kLockTimeoutMs = 5000;
    // A file held by a program that refuses writers is tried again for at
    // most this long before the record is dropped.
    static constexpr DWORD kOpenRetryMs = 100;

private:
    void Construct(const std::string& folder, const char* baseName, const char* backupBaseName);
    HANDLE OpenForAppend() const;
    void Flush(const std::string& record);
    bool Lock();
    void Unlock(bool owned);

    BOOL m_enabled = FALSE;
    std::string m_mainPath;
    char* m_buffer = nullptr;
    uint32_t m_used = 0;
    uint32_t m_capacity = 0;
    HANDLE m_mutex = nullptr;
    uint32_t m_maxSize = 0;
    std::string m_backupPath;
};
