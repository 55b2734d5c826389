#include "ValueParse.h"

#include <cctype>
#include <limits>

namespace ui {

std::optional<int64_t> ParseInteger(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t firstDigit = i;
    // Accumulate as a negative number so that the lowest value fits too.
    int64_t value = 0;
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
        const int digit = text[i] - '0';
        if (value < (kMin + digit) / 10) return std::nullopt;  // would overflow
        value = value * 10 - digit;
        ++i;
    }
    if (i == firstDigit) return std::nullopt;
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i != n) return std::nullopt;
    if (negative) return value;
    if (value == kMin) return std::nullopt;
    return -value;
}

std::optional<int64_t> ParseInRange(const std::string& text, int64_t min, int64_t max) {
    const auto value = ParseInteger(text);
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
}

std::string RangeMessage(int64_t min, int64_t max) {
    return "Enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
}

std::string TextTooLongMessage(size_t capacity) {
    return "Enter no more than " + std::to_string(capacity) + " bytes (a double-byte character takes two).";
}

}  // namespace ui
