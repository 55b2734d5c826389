// Image probes on well-formed, truncated and hostile bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ImageProbe.h"

using vrx::ImageKind;
using vrx::ImageSize;
using Bytes = std::vector<uint8_t>;

namespace {

// An exactly sized heap copy, so the sanitizer flags any read past the end
// (a vector's spare capacity would hide it).
template <class Probe>
auto OnExactBuffer(const Bytes& bytes, Probe probe) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return probe(copy.get(), bytes.size());
}

std::string Text(const ImageSize& s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

Bytes Bitmap(size_t length, int32_t width, int32_t height) {
    Bytes b(length, 0);
    for (int i = 0; i < 4 && 25 < length; ++i) {
        b[18 + i] = uint8_t(uint32_t(width) >> (8 * i));
        b[22 + i] = uint8_t(uint32_t(height) >> (8 * i));
    }
    return b;
}

// SOI, then APP0 of length 16 hiding a false 1x2 frame and, where a skip two
// bytes short would land, a marker whose size bytes are wrong; then 640x480.
const Bytes kBaseline = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x01, 0x00, 0x02, 0,
                         0, 0, 0xFF, 0xC0, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01, 0xE0, 0x02, 0x80, 0xFF, 0xD9};
const std::optional<ImageSize> kNone;

}  // namespace

TEST(ImageProbe, FrameAndBitmapSizes) {
    using Probe = std::optional<ImageSize> (*)(const uint8_t*, size_t);
    const Probe jpeg = vrx::FindJpegFrameSize, bmp = vrx::ReadBitmapSize;
    const struct { const char* name; Probe probe; Bytes bytes; std::optional<ImageSize> size; } cases[] = {
        {"application segment skipped whole", jpeg, kBaseline, ImageSize{640, 480}},
        {"progressive frame only", jpeg, {0xFF, 0xD8, 0xFF, 0xC2, 0x00, 0x11, 0x08, 0x01, 0xE0, 0x02, 0x80}, kNone},
        {"ends in 0xFF", jpeg, {0xFF, 0xD8, 0x00, 0xFF}, kNone},
        {"just 0xFF", jpeg, {0xFF}, kNone},
        {"segment runs past the end", jpeg, {0xFF, 0xE1, 0x7F, 0xFF, 0xFF, 0xC0, 0, 0, 0, 0, 1, 0, 2, 0}, kNone},
        {"width in the last two bytes", jpeg, {0xFF, 0xC0, 0, 0x11, 8, 0x01, 0xE0, 0x02, 0x80}, ImageSize{0, 480}},
        {"frame marker at the end", jpeg, {0x00, 0xFF, 0xC0}, ImageSize{0, 0}},
        {"empty jpeg", jpeg, {}, kNone},
        {"bitmap", bmp, Bitmap(1000, 640, 480), ImageSize{640, 480}},
        {"top-down bitmap", bmp, Bitmap(54, 640, -480), ImageSize{640, 480}},
        {"exactly 54 bytes", bmp, Bitmap(54, 0x01020304, 0x7FFFFFFF), ImageSize{0x01020304, 0x7FFFFFFF}},
        {"most negative width", bmp, Bitmap(54, INT32_MIN, -1), ImageSize{0x80000000u, 1}},
        {"53 bytes", bmp, Bitmap(53, 640, 480), kNone},
    };
    for (const auto& c : cases) {
        const auto found = OnExactBuffer(c.bytes, c.probe);
        EXPECT_TRUE(found == c.size) << c.name << ": " << (found ? Text(*found) : "none");
    }
}

TEST(ImageProbe, ReadBigEndian16StopsShortOfTheLastTwoBytes) {
    const auto at = [](size_t q) {
        return OnExactBuffer({0x12, 0x34, 0x56}, [q](const uint8_t* d, size_t n) {
            return vrx::ReadBigEndian16(d, n, q);
        });
    };
    EXPECT_EQ(at(0), 0x1234);
    for (size_t q : {size_t(1), size_t(2), size_t(3), SIZE_MAX, SIZE_MAX - 1}) EXPECT_EQ(at(q), 0) << q;
    EXPECT_EQ(vrx::ReadBigEndian16(nullptr, 0, 0), 0);
}

TEST(ImageProbe, KindByExtensionOfTheFileName) {
    const struct { const char* path; ImageKind kind; } cases[] = {
        {"C:\\x\\A.BMP", ImageKind::Bitmap}, {"a.tar.bmp", ImageKind::Bitmap},    {"a.jpg", ImageKind::Jpeg},
        {"a.JPG", ImageKind::Jpeg},          {"a.jpeg", ImageKind::Other},       {"a.raw", ImageKind::Other},
        {"noext", ImageKind::Other},         {"a.bm", ImageKind::Other},         {"a.jpgx", ImageKind::Other},
        {"dir.bmp\\file", ImageKind::Other}, {"dir.jpg/file", ImageKind::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(vrx::KindOfImagePath(c.path), c.kind) << c.path;
}

// What the dialog does: read BytesNeeded leading bytes (or the whole shorter file), then probe them.
TEST(ImageProbe, ProbingTheLeadingBytesTheKindNeedsGivesTheSize) {
    Bytes longJpeg = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 200};  // frame well past a bitmap's 54 bytes
    longJpeg.resize(204);
    longJpeg.insert(longJpeg.end(), kBaseline.begin() + 2, kBaseline.end());
    const struct { ImageKind kind; Bytes file; ImageSize size; } cases[] = {
        {ImageKind::Bitmap, Bitmap(4096, 1800, -1200), {1800, 1200}},
        {ImageKind::Jpeg, longJpeg, {640, 480}},
        {ImageKind::Jpeg, Bitmap(4096, 1800, 1200), {0, 0}},
    };
    for (const auto& c : cases) {
        const Bytes read(c.file.begin(), c.file.begin() + std::min(c.file.size(), vrx::BytesNeeded(c.kind)));
        const ImageSize size =
            OnExactBuffer(read, [&](const uint8_t* d, size_t n) { return vrx::ProbeImageBytes(c.kind, d, n); });
        EXPECT_TRUE(size == c.size) << int(c.kind) << ": " << Text(size);
    }
    // Other probes nothing, even when handed a whole JPEG.
    const auto other = [](const uint8_t* d, size_t n) { return vrx::ProbeImageBytes(ImageKind::Other, d, n); };
    EXPECT_TRUE(OnExactBuffer(kBaseline, other) == ImageSize{});
}
