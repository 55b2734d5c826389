// Width and height of the image file the print dialog offers, read from its
// bytes. Kept apart from the dialog and free of windows.h so that the parsing
// of untrusted files is tested natively under the sanitizers. The dialog reads
// BytesNeeded(kind) leading bytes (fewer when the file is shorter) and passes
// them to ProbeImageBytes. Every read stays inside the given buffer: a short or
// malformed file gives zeros or nullopt, never a read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vrx {

struct ImageSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

inline bool operator==(const ImageSize& a, const ImageSize& b) {
    return a.width == b.width && a.height == b.height;
}
inline bool operator!=(const ImageSize& a, const ImageSize& b) { return !(a == b); }

// data[q]*256 + data[q+1] when q + 2 < length, otherwise 0. The bound is
// deliberately strict: a value in the buffer's last two bytes reads as 0.
uint16_t ReadBigEndian16(const uint8_t* data, size_t length, size_t q);

// The height and width of the first baseline (0xFFC0) frame. Application
// segments (0xFFE0..0xFFEF) are skipped by their length so bytes inside them
// are never taken for a marker; a progressive (0xFFC2) frame is not
// recognised. A segment whose length runs past the end ends the search.
std::optional<ImageSize> FindJpegFrameSize(const uint8_t* data, size_t length);

// Width and height of the information header after the 14-byte file header,
// as absolute values (a top-down bitmap has a negative height). nullopt when
// fewer than 54 bytes are given; nothing else is checked.
std::optional<ImageSize> ReadBitmapSize(const uint8_t* data, size_t length);

enum class ImageKind { Bitmap, Jpeg, Other };

// By the file name's extension, ignoring case: ".bmp" Bitmap, ".jpg" Jpeg,
// anything else (".jpeg" too) Other. '/' and '\\' both separate folders.
ImageKind KindOfImagePath(const std::string& path);

// Leading bytes the probe of that kind looks at: Bitmap 54, Jpeg the whole
// file (SIZE_MAX), Other none.
size_t BytesNeeded(ImageKind kind);

// The size from the bytes read for that kind; zeros when none is found.
ImageSize ProbeImageBytes(ImageKind kind, const uint8_t* data, size_t length);

}  // namespace vrx
