#include "Notification.h"

#include <cstdio>
#include <cstring>

namespace vrxsim {

namespace {
// Wiping with a visible pattern makes a console that keeps the pointer
// past the callback read garbage at once instead of stale good data.
template <typename T>
void Wipe(T& record) {
    std::memset(static_cast<void*>(&record), 0xDD, sizeof record);
}
}  // namespace

Notification Notification::ForEvent(VRXEVENTPROC proc, const VRXEVENTINFO& info) {
    Notification n;
    n.kind = Kind::Event;
    n.eventProc = proc;
    n.event = info;
    return n;
}

Notification Notification::ForUnit(VRXUNITPROC proc, const VRXUNITSTATUSINFO& info) {
    Notification n;
    n.kind = Kind::Unit;
    n.unitProc = proc;
    n.unit = info;
    return n;
}

Notification Notification::ForCompletion(VRXCOMPLETIONPROC proc, uint32_t code, const VRXCOMPLETIONINFO& info) {
    Notification n;
    n.kind = Kind::Completion;
    n.completionProc = proc;
    n.completionCode = code;
    n.completion = info;
    return n;
}

Notification Notification::ForEventEx(VRXEVENTPROCEX proc, const VRXEVENTEXINFO& info) {
    Notification n;
    n.kind = Kind::EventEx;
    n.eventExProc = proc;
    n.eventEx = info;
    return n;
}

Notification Notification::ForReply(VRXRECVPROC proc, const uint32_t (&v)[5]) {
    Notification n;
    n.kind = Kind::Reply;
    n.replyProc = proc;
    std::memcpy(n.values, v, sizeof v);
    return n;
}

Notification Notification::ForNotice(VRXNOTICEPROC proc, const uint32_t (&v)[6]) {
    Notification n;
    n.kind = Kind::Notice;
    n.noticeProc = proc;
    std::memcpy(n.values, v, sizeof v);
    return n;
}

bool Notification::HasReceiver() const {
    switch (kind) {
        case Kind::Event: return eventProc != nullptr;
        case Kind::Unit: return unitProc != nullptr;
        case Kind::Completion: return completionProc != nullptr;
        case Kind::EventEx: return eventExProc != nullptr;
        case Kind::Reply: return replyProc != nullptr;
        case Kind::Notice: return noticeProc != nullptr;
    }
    return false;
}

uint32_t Notification::Deliver() const {
    if (!HasReceiver()) return 0;
    uint32_t result = 0;
    switch (kind) {
        case Kind::Event: {
            VRXEVENTINFO record = event;
            result = eventProc(&record);
            Wipe(record);
            break;
        }
        case Kind::Unit: {
            VRXUNITSTATUSINFO record = unit;
            result = unitProc(&record);
            Wipe(record);
            break;
        }
        case Kind::Completion: {
            VRXCOMPLETIONINFO record = completion;
            if (completionCode == COMPLETION_ORDER) {
                // The order form ends at byte 48.
                std::memset(record.byReserved2, 0, sizeof record.byReserved2);
            }
            result = completionProc(completionCode, &record);
            Wipe(record);
            break;
        }
        case Kind::EventEx: {
            VRXEVENTEXINFO record = eventEx;
            result = eventExProc(&record);
            Wipe(record);
            break;
        }
        case Kind::Reply:
            replyProc(values[0], values[1], values[2], values[3], values[4]);
            break;
        case Kind::Notice:
            noticeProc(values[0], values[1], values[2], values[3], values[4], values[5]);
            break;
    }
    return result;
}

std::string Notification::Describe() const {
    char text[200];
    switch (kind) {
        case Kind::Event:
            std::snprintf(text, sizeof text, "event hPrinter=0x%08X dwErrHandle=0x%08X dwErrCode=%u dwOnOff=%u",
                          event.hPrinter, event.dwErrHandle, event.dwErrCode, event.dwOnOff);
            break;
        case Kind::Unit:
            std::snprintf(text, sizeof text, "unit hPrinter=0x%08X lUnitId=0x%08X Status={ %d -> %d }", unit.hPrinter,
                          static_cast<uint32_t>(unit.lUnitId), unit.nPrevStatus, unit.nStatus);
            break;
        case Kind::Completion:
            std::snprintf(text, sizeof text, "completion code=%u hPrinter=0x%08X id=%u dwStatus=%u dwFinishNum=%u",
                          completionCode, completion.hPrinter, completion.dwPrintId, completion.dwStatus,
                          completionCode == COMPLETION_ORDER ? 0u : completion.dwFinishNum);
            break;
        case Kind::EventEx:
            std::snprintf(text, sizeof text, "eventex dwPrintId=%u dwEventId=%u wEventCodeMain=%u", eventEx.dwPrintId,
                          eventEx.dwEventId, eventEx.wEventCodeMain);
            break;
        case Kind::Reply:
            std::snprintf(text, sizeof text, "reply 0x%08X 0x%08X %u %u %u", values[0], values[1], values[2], values[3],
                          values[4]);
            break;
        case Kind::Notice:
            std::snprintf(text, sizeof text, "notice 0x%08X 0x%04X 0x%04X %u %u %u", values[0], values[1], values[2],
                          values[3], values[4], values[5]);
            break;
    }
    return text;
}

}  // namespace vrxsim
