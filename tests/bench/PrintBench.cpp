// The shared-memory print's buffer for a large image, against the least
// that fills such a buffer from the file (the floor: Wine fills page-file
// sections far slower than private memory), and against reading the file
// and copying its bytes once; time and peak memory, each side in a fresh
// process of its own so that its peak is its own.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Bench.h"
#include "FileBytes.h"
#include "ImageMapping.h"
#include "TestFolder.h"

namespace bench {

namespace {

void WriteImage(const std::string& path, size_t bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<uint8_t> chunk(1 << 20);
    uint32_t state = 2463534242u;
    for (size_t done = 0; done < bytes; done += chunk.size()) {
        for (auto& byte : chunk) {
            state ^= state << 13, state ^= state >> 17, state ^= state << 5;
            byte = static_cast<uint8_t>(state);
        }
        DWORD written = 0;
        WriteFile(file, chunk.data(), static_cast<DWORD>(std::min(chunk.size(), bytes - done)), &written, nullptr);
    }
    CloseHandle(file);
}

// The buffer holds the file's bytes: compared a piece at a time, so that the
// check adds nothing to the peak already measured.
bool SameBytes(HANDLE mapping, const std::string& path) {
    const auto* view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (!view) return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<uint8_t> piece(1 << 20);
    bool same = file != INVALID_HANDLE_VALUE;
    size_t offset = 0;
    for (DWORD read = 0; same && ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr) &&
                         read > 0;
         offset += read)
        same = std::memcmp(view + offset, piece.data(), read) == 0;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    UnmapViewOfFile(view);
    return same && offset > 0;
}

// The floor: a page-file section of the file's size, filled from the file a
// megabyte at a time through a private buffer (reading straight into the view
// is slower under Wine). None of the console's extras: no name, no callback,
// no checks beyond the handles.
HANDLE SectionFilledFrom(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) return nullptr;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, DWORD(size.QuadPart), nullptr);
    auto* view = mapping ? static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
    std::vector<uint8_t> chunk(1 << 20);
    const size_t length = size_t(size.QuadPart);
    size_t at = 0;
    for (DWORD read = 0; view && at < length &&
                         ReadFile(file, chunk.data(), DWORD(std::min(chunk.size(), length - at)), &read, nullptr) &&
                         read > 0;
         at += read)
        std::memcpy(view + at, chunk.data(), read);
    if (view) UnmapViewOfFile(view);
    CloseHandle(file);
    return mapping;
}

}  // namespace

int ImageBufferChild(const std::string& side, const std::string& path) {
    const Memory start = ThisProcessMemory();
    bool done = false;
    double seconds = 0;
    if (side == "console") {
        Stopwatch watch;
        const ImageMapping buffer = CreateImageMapping("VRXBENCH_MAPPING_" + std::to_string(GetCurrentProcessId()), path);
        seconds = watch.Seconds();
        const Memory end = ThisProcessMemory();
        done = buffer.mapping && SameBytes(buffer.mapping, path);
        std::printf("seconds %.6f\npeak %.0f\n", seconds, end.peakResident - start.resident);
        std::printf("whole %d\n", done ? 1 : 0);
    } else if (side == "floor") {
        Stopwatch watch;
        HANDLE mapping = SectionFilledFrom(path);
        seconds = watch.Seconds();
        const Memory end = ThisProcessMemory();
        done = mapping && SameBytes(mapping, path);
        std::printf("seconds %.6f\npeak %.0f\n", seconds, end.peakResident - start.resident);
        std::printf("whole %d\n", done ? 1 : 0);
    } else {
        Stopwatch watch;
        const FileBytes file = ReadFileBytes(path, UINT64_MAX);
        std::vector<uint8_t> copy(file.bytes.size());
        std::memcpy(copy.data(), file.bytes.data(), copy.size());
        seconds = watch.Seconds();
        const Memory end = ThisProcessMemory();
        done = file.opened && copy.size() == file.length;
        std::printf("seconds %.6f\npeak %.0f\n", seconds, end.peakResident - start.resident);
    }
    return done ? 0 : 1;
}

void ImageBuffer(int megabytes, int rounds) {
    testing_support::TestFolder folder;
    const std::string image = folder.File("large.bmp");
    const double bytes = double(megabytes) * 1000 * 1000;
    WriteImage(image, static_cast<size_t>(bytes));
    const char* const sides[] = {"console", "floor", "raw"};
    constexpr size_t kSides = sizeof sides / sizeof sides[0];
    Samples seconds[kSides], peaks[kSides];
    const std::string program = "\"" + ThisProgram() + "\" --image-buffer-child ";
    for (int round = 0; round < rounds; ++round) {
        // Each round starts with the next side: none always follows the same one.
        for (size_t k = 0; k < kSides; ++k) {
            const size_t side = (round + k) % kSides;
            const std::string output = RunForOutput(program + sides[side] + " \"" + image + "\"", folder.Path());
            const Samples taken = SamplesFrom(output, "seconds"), peak = SamplesFrom(output, "peak");
            // Only the raw side's bytes are not in a section to compare.
            const bool whole = side == 2 || SamplesFrom(output, "whole").Median() == 1;
            if (taken.values.size() != 1 || peak.values.size() != 1 || !whole) {
                PrintNote("Shared-memory print buffer",
                          std::string("not measured: ") + sides[side] + " printed \"" + output + "\"");
                return;
            }
            seconds[side].Add(taken.values[0]);
            peaks[side].Add(peak.values[0] / bytes);
        }
    }
    const double peak = peaks[0].Median();
    char remark[200];
    std::snprintf(remark, sizeof remark, "peak memory %.2f images (%.2f-%.2f), goal <= 2: %s; the floor's %.2f", peak,
                  peaks[0].Min(), peaks[0].Max(), peak <= 2 ? "met" : "missed", peaks[1].Median());
    PrintRow("A shared-memory print of a " + std::to_string(megabytes) + " MB image (CreateImageMapping) | "
                 "the least that fills a page-file section from the file (1 MiB reads copied into its view)",
             seconds[0], seconds[1], 1e3, "ms", 1.2, remark);
    std::snprintf(remark, sizeof remark, "peak memory of the raw work %.2f images", peaks[2].Median());
    PrintRow("The same | reading the file + one copy of its bytes (private memory)", seconds[0], seconds[2], 1e3, "ms", 0,
             remark);
}

}  // namespace bench
