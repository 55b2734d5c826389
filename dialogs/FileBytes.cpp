#include "FileBytes.h"

#include <windows.h>

#include <algorithm>

#include "Text.h"

namespace {

std::string SystemErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"error " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    return ui::Narrow(message);
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path, uint64_t maxBytes) {
    FileBytes result;
    HANDLE file = CreateFileW(ui::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        result.error = SystemErrorText(GetLastError());
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        result.error = SystemErrorText(GetLastError());
        CloseHandle(file);
        return result;
    }
    result.opened = true;
    result.length = static_cast<uint64_t>(size.QuadPart);
    const uint64_t wanted = result.length < maxBytes ? result.length : maxBytes;
    result.bytes.resize(static_cast<size_t>(wanted));
    size_t done = 0;
    while (done < result.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file, result.bytes.data() + done, chunk, &read, nullptr)) {
            result.error = SystemErrorText(GetLastError());
            result.opened = false;
            break;
        }
        if (read == 0) break;  // shorter than it said: keep what is there
        done += read;
    }
    result.bytes.resize(done);
    CloseHandle(file);
    return result;
}

std::string FileErrorMessage(const std::string& path, const std::string& error) {
    return "Cannot read the image file \"" + path + "\": " + error;
}
