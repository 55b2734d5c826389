#include "ImageMapping.h"

#include <cstdint>

#include "FileBytes.h"

ImageMapping CreateImageMapping(const std::string& bufferName, const std::string& imagePath) {
    ImageMapping result;
    HANDLE mapping = nullptr;
    void* view = nullptr;
    // The file goes into the buffer a megabyte at a time: one image in
    // memory, not a read copy and the buffer.
    constexpr size_t kChunk = 1 << 20;
    const FileRead file = ReadFileInto(imagePath, UINT32_MAX + uint64_t{1}, [&](size_t size) -> uint8_t* {
        if (size == 0 || size > UINT32_MAX) return nullptr;
        mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                     bufferName.c_str());
        if (!mapping) return nullptr;
        view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size);
        return static_cast<uint8_t*>(view);
    }, kChunk);
    const bool whole = file.opened && file.length > 0 && file.length <= UINT32_MAX && file.read == file.length;
    const bool unmapped = !view || UnmapViewOfFile(view);
    if (!file.opened) result.error = FileErrorMessage(imagePath, file.error);
    if (whole && view && unmapped) {
        result.mapping = mapping;
    } else if (mapping) {
        CloseHandle(mapping);
    }
    return result;
}
