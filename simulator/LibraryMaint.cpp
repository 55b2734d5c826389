// Maintenance calls: adjustment, the raw commands, notices, and the
// notification bursts of the fault settings.
#include <cstring>

#include "Call.h"
#include "Library.h"

namespace vrxsim {

namespace {
constexpr int32_t kInfoPrinter = 0x50000000;
constexpr int32_t kInfoAdvance = 0x54000000;
constexpr uint16_t kReplyLength = 32;

// A printer's answer to a raw command: echoes what was asked, so a test
// can see that the right command reached the printer.
std::vector<uint8_t> MakeReply(HVRXPRINTER h, uint16_t sendCmd, uint16_t recvCmd, uint16_t sendLength, const void* send) {
    std::vector<uint8_t> reply(kReplyLength);
    uint16_t sum = 0;
    for (uint16_t i = 0; i < sendLength; ++i) sum = static_cast<uint16_t>(sum + static_cast<const uint8_t*>(send)[i]);
    const uint16_t head[4] = {recvCmd, sendCmd, sendLength, sum};
    std::memcpy(reply.data(), head, sizeof head);
    std::memcpy(reply.data() + 8, &h, 4);
    for (size_t i = 12; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(i * 7);
    return reply;
}
}  // namespace

uint32_t Library::DevAdjustForPrint(HVRXPRINTER hPrinter) {
    Call call(*this, "vrxDevAdjustForPrint");
    call.Hex("hPrinter", hPrinter);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        Post(s, 0, [this](Session& cur, Outbox& out) { EmitUnit(cur, kInfoAdvance, 1, 3, out); });
        Post(s, m_settings->timing.stepMs * 3, [this](Session& cur, Outbox& out) { EmitUnit(cur, kInfoAdvance, 3, 1, out); });
        if (m_settings->burst.count > 0 && m_settings->burst.trigger == BurstTrigger::Adjust) {
            Post(s, m_settings->burst.delayMs, [this](Session& cur, Outbox&) { StartBurst(cur); });
        }
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                                 void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf,
                                 uint32_t dwTimeOut) {
    Call call(*this, "vrxDevVrxCommand1");
    call.Hex("hPrinter", hPrinter).Hex16("wIfId", wIfId).Hex16("wSendCmdId", wSendCmdId).Dec("wSendBufLen", wSendBufLen)
        .Ptr("lpSendBuf", lpSendBuf).Hex16("wRecvCmdId", wRecvCmdId)
        .Arg("*pwRecvBufLen", pwRecvBufLen ? std::to_string(*pwRecvBufLen) : "(null)").Ptr("lpRecvBuf", lpRecvBuf)
        .Dec("dwTimeOut", dwTimeOut);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pwRecvBufLen || (wSendBufLen > 0 && !lpSendBuf) || (*pwRecvBufLen > 0 && !lpRecvBuf)) return VRXERR_BADPARAM;
        std::vector<uint8_t> reply = MakeReply(s.handle, wSendCmdId, wRecvCmdId, wSendBufLen, lpSendBuf);
        uint16_t n = *pwRecvBufLen < reply.size() ? *pwRecvBufLen : static_cast<uint16_t>(reply.size());
        if (n > 0) std::memcpy(lpRecvBuf, reply.data(), n);
        *pwRecvBufLen = n;
        call.Out("*pwRecvBufLen", std::to_string(n));
        return n < reply.size() ? VRXERR_REMAINING_DATA : VRXERR_NORMAL;
    });
}

uint32_t Library::DevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                                 void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc,
                                 uint32_t dwTimeOut) {
    Call call(*this, "vrxDevVrxCommand2");
    call.Hex("hPrinter", hPrinter).Hex16("wIfId", wIfId).Hex16("wSendCmdId", wSendCmdId).Dec("wSendBufLen", wSendBufLen)
        .Ptr("lpSendBuf", lpSendBuf).Hex16("wRecvCmdId", wRecvCmdId)
        .Arg("*pwRecvBufLen", pwRecvBufLen ? std::to_string(*pwRecvBufLen) : "(null)").Proc("pRecvProc", pRecvProc)
        .Dec("dwTimeOut", dwTimeOut);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pwRecvBufLen || !pRecvProc || (wSendBufLen > 0 && !lpSendBuf)) return VRXERR_BADPARAM;
        std::vector<uint8_t> reply = MakeReply(s.handle, wSendCmdId, wRecvCmdId, wSendBufLen, lpSendBuf);
        uint16_t n = *pwRecvBufLen < reply.size() ? *pwRecvBufLen : static_cast<uint16_t>(reply.size());
        *pwRecvBufLen = n;
        call.Out("*pwRecvBufLen", std::to_string(n));
        uint32_t checksum = 0;
        for (uint16_t i = 0; i < n; ++i) checksum += reply[i];
        const uint32_t values[5] = {s.handle, (uint32_t(wIfId) << 16) | wRecvCmdId, VRXERR_NORMAL, n, checksum};
        HVRXPRINTER h = s.handle;
        uint32_t delay = m_settings->timing.replyMs;
        // The caller may hold its own lock across this call and the reply
        // callback take it: the reply is queued only once the call is over.
        call.AfterReturn([this, h, delay, values, pRecvProc] {
            std::lock_guard<std::mutex> lock(m_mu);
            if (Session* cur = FindSession(h)) {
                Post(*cur, delay, [pRecvProc, values](Session&, Outbox& out) { out.push_back(Notification::ForReply(pRecvProc, values)); });
            }
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc) {
    Call call(*this, "vrxDevVrxNotice");
    call.Hex("hPrinter", hPrinter).Hex16("wIfId", wIfId).Hex16("wCmdId", wCmdId).Proc("pNoticeProc", pNoticeProc);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        if (!pNoticeProc) return VRXERR_BADPARAM;
        const uint32_t values[6] = {s.handle, wIfId, wCmdId, ++s.noticeSeq, static_cast<uint32_t>(s.printerStatus), 0};
        HVRXPRINTER h = s.handle;
        uint32_t delay = m_settings->timing.replyMs;
        call.AfterReturn([this, h, delay, values, pNoticeProc] {
            std::lock_guard<std::mutex> lock(m_mu);
            if (Session* cur = FindSession(h)) {
                Post(*cur, delay, [pNoticeProc, values](Session&, Outbox& out) { out.push_back(Notification::ForNotice(pNoticeProc, values)); });
            }
        });
        return VRXERR_NORMAL;
    });
}

uint32_t Library::DevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx) {
    Call call(*this, "vrxDevVrxNoticeEventProcEx");
    call.Hex("hPrinter", hPrinter).Proc("pEventProcEx", pEventProcEx);
    return Handles(call, hPrinter, [&](Session& s) -> uint32_t {
        s.eventExProc = pEventProcEx;  // null stops the extended events
        return VRXERR_NORMAL;
    });
}

void Library::StartBurst(Session& s) {
    const BurstConfig& burst = m_settings->burst;
    std::vector<Outbox> streams(burst.threads);
    for (unsigned t = 0; t < burst.threads; ++t) {
        uint32_t count = burst.count / burst.threads + (t < burst.count % burst.threads ? 1 : 0);
        Outbox& stream = streams[t];
        stream.reserve(count);
        uint32_t errHandle = 0;
        VRXEVENTINFO event{};
        for (uint32_t seq = 1; seq <= count; ++seq) {
            // Each notification says which thread sent it and where it stands
            // in that thread's stream, so a receiver can check every one.
            switch (burst.kind) {
                case BurstKind::Unit: {
                    if (!s.unitProc) break;
                    VRXUNITSTATUSINFO info{};
                    info.hPrinter = s.handle;
                    info.dwIPAddress = s.printer->address;
                    info.lUnitId = kInfoPrinter;
                    info.nStatus = static_cast<int16_t>(seq & 0x7FFF);
                    info.nPrevStatus = static_cast<int16_t>((seq - 1) & 0x7FFF);
                    info.wPortNo = static_cast<uint16_t>(t + 1);
                    stream.push_back(Notification::ForUnit(s.unitProc, info));
                    break;
                }
                case BurstKind::Event: {
                    if (!s.eventProc) break;
                    // On and off in turn, so a console's pending list stays short.
                    if (seq % 2 == 1) {
                        const int32_t params[4] = {int32_t(t + 1), int32_t(seq), 0, int32_t(burst.count)};
                        const char* const texts[4] = {"BURST", "", "", ""};
                        event = MakeEvent(s, kBurstEventCode, params, texts);
                        errHandle = event.dwErrHandle;
                    } else {
                        event.dwOnOff = 0;
                        event.dwErrHandle = errHandle;
                        event.alParams[1] = int32_t(seq);
                    }
                    stream.push_back(Notification::ForEvent(s.eventProc, event));
                    break;
                }
                case BurstKind::EventEx: {
                    if (!s.eventExProc) break;
                    VRXEVENTEXINFO info{};
                    info.dwPrintId = t + 1;
                    info.dwEventId = seq;
                    info.wEventCodeMain = 0x0B00;
                    stream.push_back(Notification::ForEventEx(s.eventExProc, info));
                    break;
                }
            }
        }
    }
    m_log.Write(LogLevel::Info, "burst of " + std::to_string(burst.count) + " notifications on " +
                                    std::to_string(burst.threads) + " threads for " + Hex32(s.handle));
    s.device->StartBurst(std::move(streams));
}

}  // namespace vrxsim
