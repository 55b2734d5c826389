#include "CommandLog.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>

bool CommandLog::Append(const std::wstring& line) const
{
    const std::wstring withEnd = line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, withEnd.data(), static_cast<int>(withEnd.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) {
        return false;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, withEnd.data(), static_cast<int>(withEnd.size()), &bytes[0], size, nullptr,
                        nullptr);
    HANDLE file = CreateFileW(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::wstring FormatCommand(LONG value, const wchar_t* text, UINT length)
{
    std::wstring line = L"command " + std::to_wstring(value) + L" ";
    if (text == nullptr) {
        return line + L"null";
    }
    line += L'"';
    for (UINT i = 0; i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'"' || c == L'\\') {
            line += L'\\';
            line += c;
        } else if (c < 0x20 || c == 0x7F) {
            wchar_t escaped[8];
            std::swprintf(escaped, 8, L"\\x%02X", static_cast<unsigned>(c));
            line += escaped;
        } else {
            line += c;
        }
    }
    line += L'"';
    return line;
}

bool ParseFailRequest(const wchar_t* text, UINT length, HRESULT& result)
{
    static const wchar_t kPrefix[] = L"FAIL:";
    const UINT prefixLength = 5;
    if (text == nullptr || length <= prefixLength || std::wcsncmp(text, kPrefix, prefixLength) != 0) {
        return false;
    }
    const std::wstring number(text + prefixLength, length - prefixLength);
    if (!(number[0] >= L'0' && number[0] <= L'9')) {
        return false;  // no sign, no blanks
    }
    wchar_t* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::wcstoull(number.c_str(), &end, 0);
    if (errno == ERANGE || end != number.c_str() + number.size() || parsed > 0xFFFFFFFFull) {
        return false;
    }
    result = static_cast<HRESULT>(static_cast<unsigned long>(parsed));
    return true;
}
