// The driver's reading of the console's log, as it grows and rotates.
#include "ConsoleDriver.h"

#include "LogFormat.h"

namespace scenario {

namespace {

// The bytes of a file from `offset` on, and which file it is (a rotation
// renames the log and starts another under its name).
bool ReadFrom(const std::string& path, uint64_t offset, std::string& bytes, uint64_t& identity, uint64_t& size) {
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION information{};
    GetFileInformationByHandle(file, &information);
    identity = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    LARGE_INTEGER length{};
    GetFileSizeEx(file, &length);
    size = static_cast<uint64_t>(length.QuadPart);
    bytes.clear();
    if (size > offset) {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        bytes.resize(static_cast<size_t>(size - offset));
        DWORD read = 0;
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
    }
    CloseHandle(file);
    return true;
}

}  // namespace

std::vector<std::string> ConsoleDriver::NewTraceLines() {
    std::vector<std::string> lines;
    std::string bytes;
    uint64_t identity = 0, size = 0;
    if (!ReadFrom(m_folder + "VrxClient.log", m_logOffset, bytes, identity, size)) return lines;
    // Where the system names no file index, a shorter file tells it.
    const bool rotated = m_logIdentity != 0 ? identity != m_logIdentity : size < m_logOffset;
    if (rotated) {
        // What the old file got after it was read comes first, from where it
        // was left (it is VrxClient.old.log now).
        std::string rest;
        uint64_t kept = 0, keptSize = 0;
        if (ReadFrom(m_folder + "VrxClient.old.log", m_logOffset, rest, kept, keptSize) && kept == m_logIdentity)
            m_partialLine += rest;
        m_logOffset = 0;
        ReadFrom(m_folder + "VrxClient.log", 0, bytes, identity, size);
    }
    m_logIdentity = identity;
    m_logOffset += bytes.size();
    m_partialLine += bytes;
    size_t start = 0;
    for (size_t end; (end = m_partialLine.find("\r\n", start)) != std::string::npos; start = end + 2) {
        vrx::LogRecord parsed;
        if (!vrx::ParseLogRecord(m_partialLine.substr(start, end - start), parsed)) continue;
        // "hh:mm:ss'mmm [tag] ...": from the tag on.
        std::string& record = parsed.text;
        if (record.size() > 13 && record[8] == '\'' && record[12] == ' ') record.erase(0, 13);
        // The log keeps the system code page.
        const int length = MultiByteToWideChar(CP_ACP, 0, record.data(), static_cast<int>(record.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        if (length > 0)
            MultiByteToWideChar(CP_ACP, 0, record.data(), static_cast<int>(record.size()), &wide[0], length);
        lines.push_back(WideToUtf8(wide));
    }
    m_partialLine.erase(0, start);
    return lines;
}

}  // namespace scenario
