// The trace lines of an SDK record: one walker over the record's table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RecordFields.h"

namespace vrx {

// The messages of a record's lines, read from size bytes at data. index is
// the 1-based position of an array element, for lines that show one.
std::vector<std::string> FormatRecordLines(const RecordDesc& record, const void* data, int index = 0);

}  // namespace vrx
