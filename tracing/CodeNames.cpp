#include "CodeNames.h"

#include <cstdio>

namespace vrx {
namespace {

struct CodeName {
    uint32_t value;
    const char* name;
};

constexpr CodeName kResults[] = {
    {1, "VRXERR_NORMAL"},   {4, "VRXERR_REJECT2"},          {5, "VRXERR_BADPARAM"}, {6, "VRXERR_SYSERR"},
    {7, "VRXERR_PRNERR"},   {10, "VRXERR_REJECT3"},         {15, "VRXERR_REMAINING_DATA"},
    {16, "VRXERR_TIMEOUT"},
};

constexpr CodeName kCompletionStatuses[] = {
    {0, "RESULT_OK"},        {1, "RESULT_NG"},         {2, "RESULT_USER_CANCEL"},   {4, "RESULT_TRANSFER"},
    {11, "RESULT_PRINT"},    {20, "RESULT_OK_REPEAT"}, {21, "RESULT_PRINT_REPEAT"},
};

constexpr CodeName kUnitIds[] = {
    {0x50000000, "INFO_PRINTER"},     {0x54000000, "INFO_ADVANCE"},       {0x55300000, "INFO_LASER"},
    {0x56000000, "INFO_DEVELOPMENT"}, {0x56100000, "INFO_PROCESSOR"},     {0x56300000, "INFO_REPLENISHER"},
    {0x56360000, "INFO_REPLACECARTRIDGE"},                                {0x61000000, "INFO_ACCEPT"},
    {0x62000000, "INFO_POSSESSION"},  {0x63000000, "INFO_INSTMAG"},       {0x64000000, "INFO_INFOMAG"},
    {0x65000000, "INFO_STARTCHECK"},  {0x66000000, "INFO_REFILLWATER"},   {0x67000000, "INFO_DAILYSETUP"},
    {0x68000000, "INFO_CNTRSTRP"},    {0x69000000, "INFO_MNTNNC"},        {0x70000000, "INFO_FAD"},
};

template <size_t N>
const char* Find(const CodeName (&table)[N], uint32_t value) {
    for (const CodeName& entry : table) {
        if (entry.value == value) return entry.name;
    }
    return nullptr;
}

}  // namespace

std::string FormatResult(uint32_t result) {
    if (const char* name = Find(kResults, result)) return name;
    char text[32];
    std::snprintf(text, sizeof text, "UNKNOWN(%d)", static_cast<int32_t>(result));
    return text;
}

std::string FormatCompletionStatus(uint32_t status) {
    const char* name = Find(kCompletionStatuses, status);
    char text[48];
    std::snprintf(text, sizeof text, "%s(%u)", name ? name : "UNKNOWN", status);
    return text;
}

std::string FormatUnitId(uint32_t unitId) {
    const char* name = Find(kUnitIds, unitId);
    char text[48];
    std::snprintf(text, sizeof text, "%s(0x%08X)", name ? name : "UNKNOWN", unitId);
    return text;
}

std::string FormatIpAddress(uint32_t address) {
    char text[20];
    std::snprintf(text, sizeof text, "%u,%u,%u,%u", address & 0xFFu, (address >> 8) & 0xFFu, (address >> 16) & 0xFFu,
                  (address >> 24) & 0xFFu);
    return text;
}

}  // namespace vrx
