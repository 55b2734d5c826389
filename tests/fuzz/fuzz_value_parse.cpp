// The dialogs' integer parsing against the C library's reading of the same
// text, and the range check against the parsed value, with any bounds.
//
// Input: min (8), max (8), then the text.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "ValueParse.h"

namespace {

// strtoll takes the same leading blanks and sign; trailing blanks are ours to allow.
std::optional<int64_t> Reference(const std::string& text) {
    if (text.find('\0') != std::string::npos) return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE) return std::nullopt;
    while (std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end != '\0') return std::nullopt;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const int64_t min = in.Take<int64_t>();
    const int64_t max = in.Take<int64_t>();
    const std::string text = in.RestText();

    const std::optional<int64_t> value = ui::ParseInteger(text);
    FUZZ_CHECK(value == Reference(text));
    if (value) FUZZ_CHECK(ui::ParseInteger(std::to_string(*value)) == value);

    const std::optional<int64_t> inRange = ui::ParseInRange(text, min, max);
    FUZZ_CHECK(inRange == (value && *value >= min && *value <= max ? value : std::nullopt));

    FUZZ_CHECK(!ui::RangeMessage(min, max).empty());
    FUZZ_CHECK(!ui::TextTooLongMessage(static_cast<size_t>(max)).empty());
    return 0;
}
