#include "SimTestSupport.h"

namespace simtest {

uint32_t VRXAPI OnEvent(VRXEVENTINFO* info) {
    Got g{Got::Event, {}};
    g.event = *info;
    Recorder::Get().Add(g);
    return 0;
}

uint32_t VRXAPI OnUnit(VRXUNITSTATUSINFO* info) {
    Got g{Got::Unit, {}};
    g.unit = *info;
    Recorder::Get().Add(g);
    return 0;
}

uint32_t VRXAPI OnCompletion(uint32_t code, VRXCOMPLETIONINFO* info) {
    Got g{Got::Completion, {}};
    g.code = code;
    // The order form is 48 bytes: read no further than the form says.
    std::memcpy(&g.completion, info, code == COMPLETION_ORDER ? VRX_ORDER_COMPLETION_SIZE : VRX_PRINT_COMPLETION_SIZE);
    Recorder::Get().Add(g);
    return code;
}

uint32_t VRXAPI OnEventEx(VRXEVENTEXINFO* info) {
    Got g{Got::EventEx, {}};
    g.eventEx = *info;
    Recorder::Get().Add(g);
    return 0;
}

void VRXAPI OnReply(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e) {
    Got g{Got::Reply, {}};
    const uint32_t v[6] = {a, b, c, d, e, 0};
    std::memcpy(g.values, v, sizeof v);
    Recorder::Get().Add(g);
}

void VRXAPI OnNotice(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e, uint32_t f) {
    Got g{Got::Notice, {}};
    const uint32_t v[6] = {a, b, c, d, e, f};
    std::memcpy(g.values, v, sizeof v);
    Recorder::Get().Add(g);
}

std::vector<Got> PrintCompletions(const std::vector<Got>& got, uint32_t printId) {
    std::vector<Got> out;
    for (const auto& g : got) {
        if (g.kind == Got::Completion && g.code == COMPLETION_PRINT && g.completion.dwPrintId == printId) out.push_back(g);
    }
    return out;
}

bool HasFinal(const std::vector<Got>& got, uint32_t printId) {
    for (const auto& g : PrintCompletions(got, printId)) {
        if (g.completion.dwStatus == RESULT_OK || g.completion.dwStatus == RESULT_USER_CANCEL) return true;
    }
    return false;
}

bool HasOrderCompletion(const std::vector<Got>& got, uint32_t orderId) {
    for (const auto& g : got) {
        if (g.kind == Got::Completion && g.code == COMPLETION_ORDER && g.completion.dwOrderId == orderId) return true;
    }
    return false;
}

}  // namespace simtest
