// The four notification traces over records of any bytes. Each record is an
// exactly sized heap block as large as the copy the console makes of it
// (a completion: 52 bytes for a print, 48 for an order, none for another
// code), so a read past the part its form defines is caught.
//
// Input: kind, flags (1: null record), completion code (4), then the record bytes.
#include <cstdint>

#include "FuzzTracer.h"

namespace {

size_t CompletionBytes(uint32_t code) {
    if (code == COMPLETION_PRINT) return VRX_PRINT_COMPLETION_SIZE;
    if (code == COMPLETION_ORDER) return VRX_ORDER_COMPLETION_SIZE;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t kind = in.Take<uint8_t>() % 4;
    const bool null = (in.Take<uint8_t>() & 1) != 0;
    const uint32_t code = in.Take<uint32_t>();
    const std::vector<uint8_t> bytes = in.Rest();

    fuzz::LineTracer tracer;
    size_t expected = null ? 0 : 1;
    switch (kind) {
        case 0: {
            const fuzz::Block record = fuzz::RecordFrom(bytes, sizeof(VRXEVENTINFO), 0);
            tracer.TraceEventInfo(null ? nullptr : record.As<VRXEVENTINFO>());
            break;
        }
        case 1: {
            const fuzz::Block record = fuzz::RecordFrom(bytes, sizeof(VRXUNITSTATUSINFO), 0);
            tracer.TraceUnitStatus(null ? nullptr : record.As<VRXUNITSTATUSINFO>());
            break;
        }
        case 2: {
            const size_t length = CompletionBytes(code);
            const fuzz::Block record = fuzz::RecordFrom(bytes, length, 0);
            tracer.TraceCompletion(code, null ? nullptr : record.As<VRXCOMPLETIONINFO>());
            if (length == 0) expected = 0;
            break;
        }
        case 3: {
            const fuzz::Block record = fuzz::RecordFrom(bytes, sizeof(VRXEVENTEXINFO), 0);
            tracer.TraceEventEx(null ? nullptr : record.As<VRXEVENTEXINFO>());
            break;
        }
    }
    FUZZ_CHECK(tracer.lines.size() == expected);
    FUZZ_CHECK(tracer.Count(">>>") == expected);
    return 0;
}
