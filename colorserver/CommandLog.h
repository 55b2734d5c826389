// The stand-in server's record of what it received, one line per call, and
// the command texts that ask it to fail.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

// Appends lines, UTF-8 with CRLF, to a file that others may read or delete
// at any time: the file is opened for each line and closed again.
class CommandLog {
public:
    explicit CommandLog(std::wstring path) : m_path(std::move(path)) {}
    bool Append(const std::wstring& line) const;

private:
    std::wstring m_path;
};

// "command <value> \"<text>\"", or "command <value> null" for a null text.
// Quotes, backslashes and control characters are escaped so that every
// command stays on one line.
std::wstring FormatCommand(LONG value, const wchar_t* text, UINT length);

// True for "FAIL:<number>" (decimal or 0x hexadecimal, 32 bits); result is
// then that number as an HRESULT.
bool ParseFailRequest(const wchar_t* text, UINT length, HRESULT& result);
