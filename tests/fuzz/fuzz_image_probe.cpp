// The image probes over any file bytes, each given exactly the leading bytes
// the print dialog reads for its kind, and the kind of any path.
//
// Input: the file bytes; the same bytes also serve as the path and, from the
// first eight, as the offset of a big-endian read.
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "ImageProbe.h"

namespace {

bool EndsWithNoCase(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        const char c = text[text.size() - n + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != tail[i]) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Block file(data, size);

    const auto jpeg = vrx::FindJpegFrameSize(file.data(), file.size());
    const auto bitmap = vrx::ReadBitmapSize(file.data(), file.size());
    FUZZ_CHECK(bitmap.has_value() == (size >= 54));

    for (vrx::ImageKind kind : {vrx::ImageKind::Bitmap, vrx::ImageKind::Jpeg, vrx::ImageKind::Other}) {
        // What the dialog reads: the kind's leading bytes, fewer when the file is shorter.
        const fuzz::Block head(file.data(), std::min(vrx::BytesNeeded(kind), size));
        const vrx::ImageSize probed = vrx::ProbeImageBytes(kind, head.data(), head.size());
        if (kind == vrx::ImageKind::Bitmap) FUZZ_CHECK(probed == bitmap.value_or(vrx::ImageSize{}));
        if (kind == vrx::ImageKind::Jpeg) FUZZ_CHECK(probed == jpeg.value_or(vrx::ImageSize{}));
        if (kind == vrx::ImageKind::Other) FUZZ_CHECK(probed == vrx::ImageSize{});
    }

    size_t q = 0;
    std::memcpy(&q, file.data(), std::min(sizeof q, size));
    const uint16_t word = vrx::ReadBigEndian16(file.data(), size, q);
    if (q >= size || size - q <= 2) FUZZ_CHECK(word == 0);

    const std::string path(reinterpret_cast<const char*>(file.data()), size);
    const vrx::ImageKind kind = vrx::KindOfImagePath(path);
    if (kind == vrx::ImageKind::Bitmap) FUZZ_CHECK(EndsWithNoCase(path, ".bmp"));
    if (kind == vrx::ImageKind::Jpeg) FUZZ_CHECK(EndsWithNoCase(path, ".jpg"));
    if (EndsWithNoCase(path, ".jpg")) FUZZ_CHECK(kind == vrx::ImageKind::Jpeg);
    return 0;
}
