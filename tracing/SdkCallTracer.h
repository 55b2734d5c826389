// Every SDK call of the console, traced: one wrapper per entry point, with the
// entry point's own name and arguments. A wrapper writes the call line, the
// records the call takes or fills, and the return line, and hands back the
// result unchanged and unexamined. The trace window derives from this class
// and provides the line sink; the same code builds and is tested natively.
//
// Every wrapper enters the library through CallSdk, which names the entry
// point in flight for a crash report. The three setters (vrxSetCustomMode,
// vrxSetTempFolder, vrxSetConnectMode) have no wrapper: the console calls
// them through CallSdk itself.
#pragma once

#include <cstdint>
#include <string>

#include "RecordLines.h"
#include "Tracer.h"
#include "VrxSdk.h"

namespace vrx {

class SdkCallTracer : public Tracer {
public:
    // Code names.
    static std::string FormatResult(uint32_t result);
    static std::string FormatCompletionStatus(uint32_t status);
    static std::string FormatUnitId(uint32_t unitId);
    static std::string FormatIpAddress(uint32_t address);

    // One wrapper per entry point that returns a result, declared from the
    // entry-point list: the same name, parameters and result. Each hands the
    // result back unchanged; vrxGetVrxVersion and vrxDevGetTime clear what
    // they are given first, so a failed call shows 0, not stale memory.
#define VRX_WRAPPER_OF_uint32_t(name, params) uint32_t name params;
#define VRX_WRAPPER_OF_void(name, params)
#define VRX_DECLARE_WRAPPER(ret, name, params, args, method) VRX_WRAPPER_OF_##ret(name, params)
    VRX_ENTRY_POINTS(VRX_DECLARE_WRAPPER)
#undef VRX_DECLARE_WRAPPER
#undef VRX_WRAPPER_OF_void
#undef VRX_WRAPPER_OF_uint32_t

    // Notifications, one ">>>" line each, from the window thread's copy of the
    // record. TraceCompletion reads only the bytes of the form its code names
    // (52 for a print, 48 for an order) and writes nothing for other codes.
    void TraceEventInfo(const VRXEVENTINFO* pEventInfo);
    void TraceUnitStatus(const VRXUNITSTATUSINFO* pUnitStatusInfo);
    void TraceCompletion(uint32_t dwCompletionCode, const VRXCOMPLETIONINFO* pCompletionInfo);
    void TraceEventEx(const VRXEVENTEXINFO* pEventExInfo);

private:
    typedef uint32_t(VRXAPI* HandleCall)(HVRXPRINTER);
    typedef uint32_t(VRXAPI* OrderCall)(HVRXPRINTER, uint32_t);
    typedef uint32_t(VRXAPI* SearchCall)(uint16_t*, uint32_t);

    uint32_t TraceHandleCall(const char* function, HandleCall call, HVRXPRINTER hPrinter);
    uint32_t TraceOrderCall(const char* function, OrderCall call, HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t TraceSearch(const char* function, SearchCall call, uint16_t* pPrinterNum, uint32_t dwWaitTime);

    // Record lines, tag "===". A null record has no lines.
    void TraceRecord(const char* function, const RecordDesc& record, const void* data, int index = 0);
    // Lines of the records a filled buffer holds: as many as the library's
    // byte count names, never more than the buffer's. Returns that count.
    uint32_t TraceRecordBuffer(const char* function, const RecordDesc& record, const void* buffer,
                               uint32_t bufferBytes, uint32_t filledBytes);
    void TraceNotice(const char* function, const RecordDesc& record, const void* data);
    uint32_t TraceReturn(const char* function, uint32_t result);
    void AddSeparator(size_t width);
};

}  // namespace vrx
