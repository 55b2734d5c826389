// Names of the SDK's result codes, completion statuses and unit ids, and the
// text of an IPv4 address, as every trace line shows them.
#pragma once

#include <cstdint>
#include <string>

namespace vrx {

// "VRXERR_NORMAL", or "UNKNOWN(%d)" with the code as signed decimal.
std::string FormatResult(uint32_t result);

// "RESULT_TRANSFER(4)", or "UNKNOWN(%u)".
std::string FormatCompletionStatus(uint32_t status);

// "INFO_ACCEPT(0x61000000)", or "UNKNOWN(0x%08X)"; only exact values are named.
std::string FormatUnitId(uint32_t unitId);

// "192,168,0,1": the lowest byte holds the first octet.
std::string FormatIpAddress(uint32_t address);

}  // namespace vrx
