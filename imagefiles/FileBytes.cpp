#include "FileBytes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

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

FileRead ReadFileInto(const std::string& path, uint64_t maxBytes, const std::function<uint8_t*(size_t)>& place,
                      size_t chunkBytes) {
    FileRead result;
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
    const uint64_t wanted = std::min<uint64_t>({result.length, maxBytes, SIZE_MAX});
    uint8_t* into = place(static_cast<size_t>(wanted));
    const size_t room = into ? static_cast<size_t>(wanted) : 0;
    std::vector<uint8_t> passing(chunkBytes ? std::min(chunkBytes, room) : 0);
    while (result.read < room) {
        const size_t most = passing.empty() ? size_t{1} << 30 : passing.size();
        const DWORD chunk = static_cast<DWORD>(std::min(room - result.read, most));
        uint8_t* target = passing.empty() ? into + result.read : passing.data();
        DWORD read = 0;
        if (!ReadFile(file, target, chunk, &read, nullptr)) {
            result.error = SystemErrorText(GetLastError());
            result.opened = false;
            break;
        }
        if (read == 0) break;  // shorter than it said: keep what is there
        if (!passing.empty()) std::memcpy(into + result.read, passing.data(), read);
        result.read += read;
    }
    CloseHandle(file);
    return result;
}

FileBytes ReadFileBytes(const std::string& path, uint64_t maxBytes) {
    FileBytes result;
    const FileRead read = ReadFileInto(path, maxBytes, [&result](size_t size) {
        result.bytes.resize(size);
        return result.bytes.data();
    });
    result.bytes.resize(read.read);
    result.opened = read.opened;
    result.length = read.length;
    result.error = read.error;
    return result;
}

std::string FileErrorMessage(const std::string& path, const std::string& error) {
    return "Cannot read the image file \"" + path + "\": " + error;
}
