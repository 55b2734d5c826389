#include "ImageProbe.h"

#include <cstdint>

namespace vrx {

namespace {

// The bytes may come from any file: a missing buffer reads as an empty one.
size_t UsableLength(const uint8_t* data, size_t length) { return data ? length : 0; }

// Magnitude of a little-endian 32-bit signed value, taken on the unsigned bits
// so that INT32_MIN gives 2^31 instead of overflowing.
uint32_t AbsoluteLE32(const uint8_t* p) {
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return (bits & 0x80000000u) ? 0u - bits : bits;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

uint16_t ReadBigEndian16(const uint8_t* data, size_t length, size_t q) {
    length = UsableLength(data, length);
    // q + 2 < length, written so that a q near SIZE_MAX cannot wrap around.
    if (q >= length || length - q <= 2) return 0;
    return uint16_t(data[q] << 8 | data[q + 1]);
}

std::optional<ImageSize> FindJpegFrameSize(const uint8_t* data, size_t length) {
    length = UsableLength(data, length);
    size_t p = 0;
    while (p < length) {
        if (data[p] == 0xFF && p + 1 < length) {
            const uint8_t marker = data[p + 1];
            if (marker >= 0xE0 && marker <= 0xEF) {
                const size_t segment = ReadBigEndian16(data, length, p + 2);
                // p + 2 <= length here; a segment reaching the end leaves no marker to find.
                if (segment >= length - p - 2) return std::nullopt;
                p += 2 + segment;
                continue;
            }
            if (marker == 0xC0) {
                ImageSize size;
                size.height = ReadBigEndian16(data, length, p + 5);
                size.width = ReadBigEndian16(data, length, p + 7);
                return size;
            }
            ++p;
        }
        ++p;
    }
    return std::nullopt;
}

std::optional<ImageSize> ReadBitmapSize(const uint8_t* data, size_t length) {
    constexpr size_t kFileHeader = 14;
    if (UsableLength(data, length) < kFileHeader + 40) return std::nullopt;
    ImageSize size;
    size.width = AbsoluteLE32(data + kFileHeader + 4);
    size.height = AbsoluteLE32(data + kFileHeader + 8);
    return size;
}

ImageKind KindOfImagePath(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return ImageKind::Other;
    const std::string extension = path.substr(dot);
    if (EqualsIgnoringCase(extension, ".bmp")) return ImageKind::Bitmap;
    if (EqualsIgnoringCase(extension, ".jpg")) return ImageKind::Jpeg;
    return ImageKind::Other;
}

size_t BytesNeeded(ImageKind kind) {
    switch (kind) {
    case ImageKind::Bitmap:
        return 54;
    case ImageKind::Jpeg:
        return SIZE_MAX;
    case ImageKind::Other:
        break;
    }
    return 0;
}

ImageSize ProbeImageBytes(ImageKind kind, const uint8_t* data, size_t length) {
    std::optional<ImageSize> size;
    if (kind == ImageKind::Bitmap) size = ReadBitmapSize(data, length);
    if (kind == ImageKind::Jpeg) size = FindJpegFrameSize(data, length);
    return size.value_or(ImageSize{});
}

}  // namespace vrx
