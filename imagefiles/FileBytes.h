// Reading an image file whole or in part, with the system's own words for
// a failure, for the print dialog's probe and the shared-memory buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FileBytes {
    bool opened = false;
    uint64_t length = 0;         // the file's whole length
    std::vector<uint8_t> bytes;  // its first bytes, as many as were asked for
    std::string error;           // the system's message when not opened or not read
};

// Reads at most maxBytes from the start of the file at path (system code page).
FileBytes ReadFileBytes(const std::string& path, uint64_t maxBytes);

struct FileRead {
    bool opened = false;
    uint64_t length = 0;  // the file's whole length
    size_t read = 0;      // bytes placed
    std::string error;    // the system's message when not opened or not read
};
// Reads at most maxBytes from the start of the file into the memory `place`
// gives for that many bytes once the length is known (null: read nothing), so
// a caller's own buffer needs no second copy of the whole file. With
// chunkBytes, the bytes pass through a private buffer of that size on their
// way: for a shared view, which Wine fills far slower by reading into it.
FileRead ReadFileInto(const std::string& path, uint64_t maxBytes, const std::function<uint8_t*(size_t)>& place,
                      size_t chunkBytes = 0);

// "Cannot open the image file "C:\x.jpg": The system cannot find the file specified."
std::string FileErrorMessage(const std::string& path, const std::string& error);
