// Parsing and range checks behind the dialogs' data exchange; no window needed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

// A decimal integer with optional sign and surrounding blanks; nothing else.
std::optional<int64_t> ParseInteger(const std::string& text);

// The value when it parses and lies in [min, max]; nothing otherwise.
std::optional<int64_t> ParseInRange(const std::string& text, int64_t min, int64_t max);

// "Enter an integer between 1 and 10000."
std::string RangeMessage(int64_t min, int64_t max);

// "Enter no more than 31 bytes (a double-byte character takes two)."
std::string TextTooLongMessage(size_t capacity);

}  // namespace ui
