// One callback the library owes the console, with a copy of its record.
// The record handed to the callback lives on the delivering thread's stack
// and is wiped when the callback returns: it is valid only during the call.
#pragma once

#include <cstdint>
#include <string>

#include "VrxSdk.h"

namespace vrxsim {

struct Notification {
    enum class Kind { Event, Unit, Completion, EventEx, Reply, Notice };
    Kind kind = Kind::Unit;
    VRXEVENTPROC eventProc = nullptr;
    VRXUNITPROC unitProc = nullptr;
    VRXCOMPLETIONPROC completionProc = nullptr;
    VRXEVENTPROCEX eventExProc = nullptr;
    VRXRECVPROC replyProc = nullptr;
    VRXNOTICEPROC noticeProc = nullptr;
    uint32_t completionCode = 0;
    VRXEVENTINFO event{};
    VRXUNITSTATUSINFO unit{};
    VRXCOMPLETIONINFO completion{};
    VRXEVENTEXINFO eventEx{};
    uint32_t values[6] = {};

    static Notification ForEvent(VRXEVENTPROC proc, const VRXEVENTINFO& info);
    static Notification ForUnit(VRXUNITPROC proc, const VRXUNITSTATUSINFO& info);
    static Notification ForCompletion(VRXCOMPLETIONPROC proc, uint32_t code, const VRXCOMPLETIONINFO& info);
    static Notification ForEventEx(VRXEVENTPROCEX proc, const VRXEVENTEXINFO& info);
    static Notification ForReply(VRXRECVPROC proc, const uint32_t (&v)[5]);
    static Notification ForNotice(VRXNOTICEPROC proc, const uint32_t (&v)[6]);

    bool HasReceiver() const;
    // Calls the callback; returns what it returned (0 for the void kinds).
    uint32_t Deliver() const;
    // One line for the library's debug log.
    std::string Describe() const;
};

}  // namespace vrxsim
