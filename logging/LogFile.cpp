#include "LogFile.h"

#include "ProgramPath.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CLogFile::CLogFile(const char* baseName, const char* backupBaseName, uint32_t maxSize, uint32_t capacity)
    : CLogFile(vrx::ProgramFolder(), baseName, backupBaseName, maxSize, capacity) {}

CLogFile::CLogFile(const std::string& folder, const char* baseName, const char* backupBaseName, uint32_t maxSize,
                   uint32_t capacity)
    : m_capacity(capacity), m_maxSize(maxSize) {
    m_buffer = new (std::nothrow) char[capacity > 0 ? capacity : 1];
    if (capacity == 0) {
        delete[] m_buffer;
        m_buffer = nullptr;
    }
    Construct(folder, baseName, backupBaseName);
}

void CLogFile::Construct(const std::string& folder, const char* baseName, const char* backupBaseName) {
    if (folder.empty() || !baseName) return;
    if (backupBaseName) m_backupPath = folder + backupBaseName + ".log";
    m_mainPath = folder + baseName + ".log";
    m_backupPath = vrx::ResolveBackupPath(m_mainPath, m_backupPath);

    // A null DACL lets processes of any account share the lock.
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return;
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};
    m_mutex = CreateMutexA(&attributes, FALSE, vrx::LogMutexName(m_mainPath).c_str());

    if (FileExists(m_mainPath) || (!m_backupPath.empty() && FileExists(m_backupPath))) m_enabled = TRUE;
}

CLogFile::~CLogFile() {
    delete[] m_buffer;
    if (m_mutex) CloseHandle(m_mutex);
}

bool CLogFile::Lock() {
    if (!m_mutex) return false;
    const DWORD wait = WaitForSingleObject(m_mutex, kLockTimeoutMs);
    // An abandoned mutex is ours now: its holder died, the file is intact.
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

void CLogFile::Unlock(bool owned) {
    if (owned) ReleaseMutex(m_mutex);
}

void CLogFile::Write(LogLevel level, const char* sourceFile, int sourceLine, const char* text) {
    if (!m_enabled) return;
    const bool owned = Lock();
    Flush(vrx::FormatLogRecord(vrx::LocalNow(), GetCurrentProcessId(), GetCurrentThreadId(), level, text));
    Unlock(owned);
}

void CLogFile::WriteLast(LogLevel level, const char* text) {
    if (!m_enabled) return;
    char record[kLastRecordBytes];
    const bool owned = Lock();
    const size_t length = vrx::FormatLogRecordInto(record, sizeof record, vrx::LocalNow(), GetCurrentProcessId(),
                                                   GetCurrentThreadId(), level, text);
    HANDLE file = OpenForAppend();
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        SetFilePointer(file, 0, nullptr, FILE_END);
        WriteFile(file, record, static_cast<DWORD>(length), &written, nullptr);
        CloseHandle(file);
    }
    Unlock(owned);
}

// Read sharing lets an operator's viewer keep the file open while we write;
// a program that refuses writers is usually brief (a copy, a scan), so it is
// waited for a little before the record is given up.
HANDLE CLogFile::OpenForAppend() const {
    const DWORD start = GetTickCount();
    for (;;) {
        // The clock is read before the attempt, so the last attempt comes
        // after the wait is over: a stall on a busy machine after a failed
        // attempt cannot give the record up without trying once more.
        const bool last = GetTickCount() - start >= kOpenRetryMs;
        HANDLE file = CreateFileA(m_mainPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || last) return file;
        Sleep(5);
    }
}

void CLogFile::Flush(const std::string& record) {
    if (!m_enabled || !m_buffer) return;
    HANDLE file = OpenForAppend();
    if (file == INVALID_HANDLE_VALUE) return;
    if (SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        CloseHandle(file);
        return;
    }
    // The record passes through the buffer in pieces of its capacity, so a
    // record longer than the buffer is still written whole.
    for (size_t offset = 0; offset < record.size();) {
        const size_t piece = std::min<size_t>(m_capacity, record.size() - offset);
        std::memcpy(m_buffer, record.data() + offset, piece);
        m_used = static_cast<uint32_t>(piece);
        DWORD written = 0;
        const BOOL ok = WriteFile(file, m_buffer, m_used, &written, nullptr);
        m_used = 0;
        if (!ok || written != piece) {
            CloseHandle(file);
            return;
        }
        offset += piece;
    }
    DWORD sizeHigh = 0;
    const DWORD sizeLow = GetFileSize(file, &sizeHigh);
    const bool sizeKnown = !(sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR);
    const bool rotate = sizeKnown && (sizeHigh != 0 || sizeLow > m_maxSize);
    if (!CloseHandle(file) || !rotate || m_backupPath.empty()) return;
    // One step: while a viewer keeps the log open the move fails and the
    // older generation stays; the next record tries again.
    MoveFileExA(m_mainPath.c_str(), m_backupPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}
