// The shared-memory print's buffer for a large image, against reading the
// file and copying its bytes once; time and peak memory, each side in a
// fresh process of its own so that its peak is its own.
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
    Samples console, raw, consolePeak, rawPeak;
    const std::string program = "\"" + ThisProgram() + "\" --image-buffer-child ";
    for (int round = 0; round < rounds; ++round) {
        for (const char* side : {"console", "raw"}) {
            const std::string output = RunForOutput(program + side + " \"" + image + "\"", folder.Path());
            const Samples seconds = SamplesFrom(output, "seconds"), peak = SamplesFrom(output, "peak");
            const bool whole = side != std::string("console") || SamplesFrom(output, "whole").Median() == 1;
            if (seconds.values.size() != 1 || peak.values.size() != 1 || !whole) {
                PrintNote("Shared-memory print buffer", std::string("not measured: ") + side + " printed \"" + output + "\"");
                return;
            }
            (side == std::string("console") ? console : raw).Add(seconds.values[0]);
            (side == std::string("console") ? consolePeak : rawPeak).Add(peak.values[0] / bytes);
        }
    }
    char remark[160];
    std::snprintf(remark, sizeof remark, "peak memory %.2f images (%.2f-%.2f), raw %.2f; goal <= 2", consolePeak.Median(),
                  consolePeak.Min(), consolePeak.Max(), rawPeak.Median());
    PrintRow("A shared-memory print of a " + std::to_string(megabytes) + " MB image (CreateImageMapping) | "
                 "reading the file + one copy of its bytes",
             console, raw, 1e3, "ms", 1.3, remark);
}

}  // namespace bench
