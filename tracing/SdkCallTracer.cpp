#include "SdkCallTracer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CodeNames.h"
#include "SdkCallInFlight.h"
#include "SdkTime.h"
#include "TraceFormat.h"

namespace vrx {
namespace {

constexpr const char* kCall = "<==";
constexpr const char* kRecord = "===";
constexpr const char* kReturn = "==>";
constexpr const char* kNotice = ">>>";

// Out values as the return lines show them. The console always passes its
// variables; a null pointer reads (null) rather than being followed.
std::string Decimal(const uint32_t* value) { return value ? std::to_string(*value) : "(null)"; }
std::string Decimal(const uint16_t* value) { return value ? std::to_string(*value) : "(null)"; }
std::string Hex(const uint32_t* value) {
    if (!value) return "(null)";
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", *value);
    return text;
}

// A record shown inside a call line: its one line, or (null) for none.
std::string InlineRecord(const RecordDesc& record, const void* data, const char* name) {
    if (!data) return std::string(name) + "=(null)";
    return FormatRecordLines(record, data).front();
}

}  // namespace

// --- Code names

std::string SdkCallTracer::FormatResult(uint32_t result) { return vrx::FormatResult(result); }
std::string SdkCallTracer::FormatCompletionStatus(uint32_t status) { return vrx::FormatCompletionStatus(status); }
std::string SdkCallTracer::FormatUnitId(uint32_t unitId) { return vrx::FormatUnitId(unitId); }
std::string SdkCallTracer::FormatIpAddress(uint32_t address) { return vrx::FormatIpAddress(address); }

// --- The shape every wrapper shares

void SdkCallTracer::TraceRecord(const char* function, const RecordDesc& record, const void* data, int index) {
    if (!data) return;
    for (const std::string& line : FormatRecordLines(record, data, index)) Trace(function, kRecord, "%s", line.c_str());
}

uint32_t SdkCallTracer::TraceRecordBuffer(const char* function, const RecordDesc& record, const void* buffer,
                                          uint32_t bufferBytes, uint32_t filledBytes) {
    if (!buffer) return 0;
    const uint32_t count = std::min(bufferBytes, filledBytes) / static_cast<uint32_t>(record.size);
    const auto* first = static_cast<const unsigned char*>(buffer);
    for (uint32_t i = 0; i < count; ++i) TraceRecord(function, record, first + i * record.size, static_cast<int>(i + 1));
    return count;
}

void SdkCallTracer::TraceNotice(const char* function, const RecordDesc& record, const void* data) {
    if (!data) return;
    Trace(function, kNotice, "%s", FormatRecordLines(record, data).front().c_str());
}

uint32_t SdkCallTracer::TraceReturn(const char* function, uint32_t result) {
    Trace(function, kReturn, "return=%s", vrx::FormatResult(result).c_str());
    return result;
}

void SdkCallTracer::AddSeparator(size_t width) { AddLine(std::string(width, '-').c_str()); }

uint32_t SdkCallTracer::TraceHandleCall(const char* function, HandleCall call, HVRXPRINTER hPrinter) {
    Trace(function, kCall, "hPrinter=0x%08X", hPrinter);
    return TraceReturn(function, CallSdk(function, call, hPrinter));
}

uint32_t SdkCallTracer::TraceOrderCall(const char* function, OrderCall call, HVRXPRINTER hPrinter,
                                       uint32_t dwOrderId) {
    Trace(function, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X", hPrinter, dwOrderId);
    return TraceReturn(function, CallSdk(function, call, hPrinter, dwOrderId));
}

uint32_t SdkCallTracer::TraceSearch(const char* function, SearchCall call, uint16_t* pPrinterNum,
                                    uint32_t dwWaitTime) {
    Trace(function, kCall, "pPrinterNum=%s, dwWaitTime=%u", PointerText(pPrinterNum).c_str(), dwWaitTime);
    const uint32_t result = CallSdk(function, call, pPrinterNum, dwWaitTime);
    Trace(function, kReturn, "return=%s, *pPrinterNum=%s", vrx::FormatResult(result).c_str(),
          Decimal(pPrinterNum).c_str());
    return result;
}

// --- Library, discovery, device information and maintenance

uint32_t SdkCallTracer::vrxLibOpen(const char* lpLogFileName) {
    const char* const fn = "vrxLibOpen";
    AddSeparator(80);
    Trace(fn, kCall, "lpLogFileName=\"%s\"", TextOrNull(lpLogFileName).c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxLibOpen, lpLogFileName));
}

uint32_t SdkCallTracer::vrxLibClose() {
    const char* const fn = "vrxLibClose";
    Trace(fn, kCall, "%s", "");
    const uint32_t result = TraceReturn(fn, CallSdk(fn, ::vrxLibClose));
    AddSeparator(80);
    return result;
}

uint32_t SdkCallTracer::vrxGetVrxVersion(uint16_t* pVrxVersion) {
    const char* const fn = "vrxGetVrxVersion";
    if (pVrxVersion) *pVrxVersion = 0;
    Trace(fn, kCall, "pVrxVersion=%s", std::to_string(reinterpret_cast<uintptr_t>(pVrxVersion)).c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxGetVrxVersion, pVrxVersion));
}

uint32_t SdkCallTracer::vrxSetCompletionProcMode(uint32_t dwMode) {
    const char* const fn = "vrxSetCompletionProcMode";
    Trace(fn, kCall, "dwMode=0x%08X", dwMode);
    return TraceReturn(fn, CallSdk(fn, ::vrxSetCompletionProcMode, dwMode));
}

uint32_t SdkCallTracer::vrxSearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    return TraceSearch("vrxSearchPrinter", ::vrxSearchPrinter, pPrinterNum, dwWaitTime);
}

uint32_t SdkCallTracer::vrxSearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    return TraceSearch("vrxSearchPrinter2", ::vrxSearchPrinter2, pPrinterNum, dwWaitTime);
}

uint32_t SdkCallTracer::vrxGetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) {
    const char* const fn = "vrxGetPrinter";
    Trace(fn, kCall, "wBufferNum=%u, pPrinterInfo=%s", wBufferNum, PointerText(pPrinterInfo).c_str());
    const uint32_t result = CallSdk(fn, ::vrxGetPrinter, wBufferNum, pPrinterInfo);
    // Every record of the buffer, however many printers the library found.
    const uint32_t bytes = wBufferNum * static_cast<uint32_t>(sizeof(VRXPRINTERINFO));
    TraceRecordBuffer(fn, kPrinterInfoRecord, pPrinterInfo, bytes, bytes);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc,
                                   VRXUNITPROC pUnitProc) {
    const char* const fn = "vrxDevOpen";
    AddSeparator(40);
    Trace(fn, kCall, "dwIPAddress=%s, phPrinter=%s, pEventProc=%s, pUnitProc=%s",
          vrx::FormatIpAddress(dwIPAddress).c_str(), PointerText(phPrinter).c_str(), PointerText(pEventProc).c_str(),
          PointerText(pUnitProc).c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxDevOpen, dwIPAddress, phPrinter, pEventProc, pUnitProc));
}

uint32_t SdkCallTracer::vrxDevClose(HVRXPRINTER hPrinter) {
    const uint32_t result = TraceHandleCall("vrxDevClose", ::vrxDevClose, hPrinter);
    AddSeparator(40);
    return result;
}

uint32_t SdkCallTracer::vrxDevCloseCheck(HVRXPRINTER hPrinter) {
    return TraceHandleCall("vrxDevCloseCheck", ::vrxDevCloseCheck, hPrinter);
}

uint32_t SdkCallTracer::vrxDevIsReady(HVRXPRINTER hPrinter) {
    return TraceHandleCall("vrxDevIsReady", ::vrxDevIsReady, hPrinter);
}

uint32_t SdkCallTracer::vrxDevOccupyCheck(HVRXPRINTER hPrinter) {
    return TraceHandleCall("vrxDevOccupyCheck", ::vrxDevOccupyCheck, hPrinter);
}

uint32_t SdkCallTracer::vrxDevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo) {
    const char* const fn = "vrxDevGetUnitInfo";
    Trace(fn, kCall, "hPrinter=0x%08X, pUnitInfo=%s", hPrinter, PointerText(pUnitInfo).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetUnitInfo, hPrinter, pUnitInfo);
    TraceRecord(fn, kUnitInfoRecord, pUnitInfo);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize) {
    const char* const fn = "vrxDevGetMagInfo";
    const uint32_t bufferBytes = pdwSize ? *pdwSize : 0;
    Trace(fn, kCall, "hPrinter=0x%08X, pMagInfo(size:%d)=%s, *pdwSize=%s", hPrinter,
          static_cast<int>(sizeof(VRXMAGINFO)), PointerText(pMagInfo).c_str(), Decimal(pdwSize).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetMagInfo, hPrinter, pMagInfo, pdwSize);
    const uint32_t shown =
        TraceRecordBuffer(fn, kMagInfoRecord, pMagInfo, bufferBytes, pdwSize ? *pdwSize : 0);
    Trace(fn, kReturn, "return=%s, *pdwSize=%s(%d)", vrx::FormatResult(result).c_str(), Decimal(pdwSize).c_str(),
          static_cast<int>(shown));
    return result;
}

uint32_t SdkCallTracer::vrxDevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo,
                                            uint32_t* pdwSize) {
    const char* const fn = "vrxDevGetAllMagInfo";
    const uint32_t bufferBytes = pdwSize ? *pdwSize : 0;
    Trace(fn, kCall, "hPrinter=0x%08X, pMagDetailInfo(size:%d)=%s, *pdwSize=%s", hPrinter,
          static_cast<int>(sizeof(VRXMAGDETAILINFO)), PointerText(pMagDetailInfo).c_str(), Decimal(pdwSize).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetAllMagInfo, hPrinter, pMagDetailInfo, pdwSize);
    TraceRecordBuffer(fn, kMagDetailInfoRecord, pMagDetailInfo, bufferBytes, pdwSize ? *pdwSize : 0);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo) {
    const char* const fn = "vrxDevGetSetUpInfo";
    Trace(fn, kCall, "hPrinter=0x%08X, pSetUpInfo=%s", hPrinter, PointerText(pSetUpInfo).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetSetUpInfo, hPrinter, pSetUpInfo);
    TraceRecord(fn, kSetUpInfoRecord, pSetUpInfo);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo) {
    const char* const fn = "vrxDevGetPrintNumInfo";
    Trace(fn, kCall, "hPrinter=0x%08X, pPrintNumInfo=%s", hPrinter, PointerText(pPrintNumInfo).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetPrintNumInfo, hPrinter, pPrintNumInfo);
    TraceRecord(fn, kPrintNumInfoRecord, pPrintNumInfo);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    const char* const fn = "vrxDevSetTime";
    Trace(fn, kCall, "hPrinter=0x%08X, pTime=%s", hPrinter, pTime ? FormatTimeInfo(*pTime).c_str() : "(null)");
    return TraceReturn(fn, CallSdk(fn, ::vrxDevSetTime, hPrinter, pTime));
}

uint32_t SdkCallTracer::vrxDevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    const char* const fn = "vrxDevGetTime";
    if (pTime) std::memset(pTime, 0, sizeof *pTime);
    Trace(fn, kCall, "hPrinter=0x%08X, pTime=%s", hPrinter, PointerText(pTime).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetTime, hPrinter, pTime);
    Trace(fn, kReturn, "return=%s, *pTime=%s", vrx::FormatResult(result).c_str(),
          pTime ? FormatTimeInfo(*pTime).c_str() : "(null)");
    return result;
}

uint32_t SdkCallTracer::vrxDevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo) {
    const char* const fn = "vrxDevGetProfile";
    Trace(fn, kCall, "hPrinter=0x%08X, lpFileName=\"%s\", %s", hPrinter, TextOrNull(lpFileName).c_str(),
          InlineRecord(kPaperInfoRecord, pPaperInfo, "pPaperInfo").c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxDevGetProfile, hPrinter, lpFileName, pPaperInfo));
}

uint32_t SdkCallTracer::vrxDevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId) {
    const char* const fn = "vrxDevResetEvent";
    Trace(fn, kCall, "hPrinter=0x%08X, dwErrHandle=%u, dwActionId=%u", hPrinter, dwErrHandle, dwActionId);
    return TraceReturn(fn, CallSdk(fn, ::vrxDevResetEvent, hPrinter, dwErrHandle, dwActionId));
}

uint32_t SdkCallTracer::vrxDevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl) {
    const char* const fn = "vrxDevCtrlPrint";
    Trace(fn, kCall, "hPrinter=0x%08X, dwCtrl=%u", hPrinter, dwCtrl);
    return TraceReturn(fn, CallSdk(fn, ::vrxDevCtrlPrint, hPrinter, dwCtrl));
}

uint32_t SdkCallTracer::vrxDevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID,
                                              uint32_t* pTime) {
    const char* const fn = "vrxDevGetTransmitTime";
    Trace(fn, kCall, "hPrinter=0x%08X, pOrderId=%s, pPrintID=%s, pTime=%s", hPrinter, PointerText(pOrderId).c_str(),
          PointerText(pPrintID).c_str(), PointerText(pTime).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetTransmitTime, hPrinter, pOrderId, pPrintID, pTime);
    Trace(fn, kReturn, "return=%s, *pPrintID=%s, *pTime=%s", vrx::FormatResult(result).c_str(),
          Decimal(pPrintID).c_str(), Decimal(pTime).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevAdjustForPrint(HVRXPRINTER hPrinter) {
    return TraceHandleCall("vrxDevAdjustForPrint", ::vrxDevAdjustForPrint, hPrinter);
}

uint32_t SdkCallTracer::vrxDevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId,
                                          uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId,
                                          uint16_t* pwRecvBufLen, void* lpRecvBuf, uint32_t dwTimeOut) {
    const char* const fn = "vrxDevVrxCommand1";
    Trace(fn, kCall,
          "hPrinter=0x%08X, wIfId=0x%04X, wSendCmdId=0x%04X, wSendBufLen=%u, lpSendBuf=%s, wRecvCmdId=0x%04X, "
          "pwRecvBufLen=%s, lpRecvBuf=%s, dwTimeOut=%u",
          hPrinter, wIfId, wSendCmdId, wSendBufLen, PointerText(lpSendBuf).c_str(), wRecvCmdId,
          PointerText(pwRecvBufLen).c_str(), PointerText(lpRecvBuf).c_str(), dwTimeOut);
    const uint32_t result = CallSdk(fn, ::vrxDevVrxCommand1, hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf,
                                    wRecvCmdId, pwRecvBufLen, lpRecvBuf, dwTimeOut);
    Trace(fn, kReturn, "return=%s, *pwRecvBufLen=%s", vrx::FormatResult(result).c_str(),
          Decimal(pwRecvBufLen).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId,
                                          uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId,
                                          uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc, uint32_t dwTimeOut) {
    const char* const fn = "vrxDevVrxCommand2";
    Trace(fn, kCall,
          "hPrinter=0x%08X, wIfId=0x%04X, wSendCmdId=0x%04X, wSendBufLen=%u, lpSendBuf=%s, wRecvCmdId=0x%04X, "
          "pwRecvBufLen=%s, pRecvProc=%s, dwTimeOut=%u",
          hPrinter, wIfId, wSendCmdId, wSendBufLen, PointerText(lpSendBuf).c_str(), wRecvCmdId,
          PointerText(pwRecvBufLen).c_str(), PointerText(pRecvProc).c_str(), dwTimeOut);
    const uint32_t result = CallSdk(fn, ::vrxDevVrxCommand2, hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf,
                                    wRecvCmdId, pwRecvBufLen, pRecvProc, dwTimeOut);
    Trace(fn, kReturn, "return=%s, *pwRecvBufLen=%s", vrx::FormatResult(result).c_str(),
          Decimal(pwRecvBufLen).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId,
                                        VRXNOTICEPROC pNoticeProc) {
    const char* const fn = "vrxDevVrxNotice";
    Trace(fn, kCall, "hPrinter=0x%08X, wIfId=0x%04X, wCmdId=0x%04X, pNoticeProc=%s", hPrinter, wIfId, wCmdId,
          PointerText(pNoticeProc).c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxDevVrxNotice, hPrinter, wIfId, wCmdId, pNoticeProc));
}

uint32_t SdkCallTracer::vrxDevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx) {
    const char* const fn = "vrxDevVrxNoticeEventProcEx";
    Trace(fn, kCall, "hPrinter=0x%08X, pEventProcEx=%s", hPrinter, PointerText(pEventProcEx).c_str());
    return TraceReturn(fn, CallSdk(fn, ::vrxDevVrxNoticeEventProcEx, hPrinter, pEventProcEx));
}

// --- Orders and printing

uint32_t SdkCallTracer::vrxDevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc,
                                           uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame,
                                           uint32_t dwExOptions) {
    const char* const fn = "vrxDevStartOrderEx";
    Trace(fn, kCall,
          "hPrinter=0x%08X, pdwOrderId=%s, pEventProc=%s, dwPriority=%u, dwSorterNum=%u, dwSortFrame=%u, "
          "dwExOptions=%u",
          hPrinter, PointerText(pdwOrderId).c_str(), PointerText(pEventProc).c_str(), dwPriority, dwSorterNum,
          dwSortFrame, dwExOptions);
    const uint32_t result = CallSdk(fn, ::vrxDevStartOrderEx, hPrinter, pdwOrderId, pEventProc, dwPriority, dwSorterNum,
                                    dwSortFrame, dwExOptions);
    Trace(fn, kReturn, "return=%s, *pdwOrderId=%s", vrx::FormatResult(result).c_str(), Hex(pdwOrderId).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevEndOrder", ::vrxDevEndOrder, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                                    VRXCOMPLETIONPROC pEventProc, VRXPRINTINFO* pPrintInfo) {
    const char* const fn = "vrxDevPrint";
    Trace(fn, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X, pPrintID=%s, pEventProc=%s, pPrintInfo=%s", hPrinter,
          dwOrderId, PointerText(pPrintID).c_str(), PointerText(pEventProc).c_str(), PointerText(pPrintInfo).c_str());
    TraceRecord(fn, kPrintInfoRecord, pPrintInfo);
    const uint32_t result = CallSdk(fn, ::vrxDevPrint, hPrinter, dwOrderId, pPrintID, pEventProc, pPrintInfo);
    Trace(fn, kReturn, "return=%s, *pPrintID=%s", vrx::FormatResult(result).c_str(), Decimal(pPrintID).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                                         VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo) {
    const char* const fn = "vrxDevBlankPrint";
    Trace(fn, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X, pPrintID=%s, pEventProc=%s, pBlankPrintInfo=%s", hPrinter,
          dwOrderId, PointerText(pPrintID).c_str(), PointerText(pEventProc).c_str(),
          PointerText(pBlankPrintInfo).c_str());
    TraceRecord(fn, kBlankPrintInfoRecord, pBlankPrintInfo);
    const uint32_t result = CallSdk(fn, ::vrxDevBlankPrint, hPrinter, dwOrderId, pPrintID, pEventProc, pBlankPrintInfo);
    Trace(fn, kReturn, "return=%s, *pPrintID=%s", vrx::FormatResult(result).c_str(), Decimal(pPrintID).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevSort", ::vrxDevSort, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevExpressOrder", ::vrxDevExpressOrder, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevStartDuplex", ::vrxDevStartDuplex, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevEndDuplex", ::vrxDevEndDuplex, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID) {
    const char* const fn = "vrxDevCancelPrintOrder";
    Trace(fn, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X, dwPrintID=%u", hPrinter, dwOrderId, dwPrintID);
    return TraceReturn(fn, CallSdk(fn, ::vrxDevCancelPrintOrder, hPrinter, dwOrderId, dwPrintID));
}

uint32_t SdkCallTracer::vrxDevCancelPrintAll(HVRXPRINTER hPrinter) {
    return TraceHandleCall("vrxDevCancelPrintAll", ::vrxDevCancelPrintAll, hPrinter);
}

uint32_t SdkCallTracer::vrxDevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus) {
    const char* const fn = "vrxDevGetPrintStatus";
    Trace(fn, kCall, "hPrinter=0x%08X, dwPrintID=%u, pPrintStatus=%s", hPrinter, dwPrintID,
          PointerText(pPrintStatus).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevGetPrintStatus, hPrinter, dwPrintID, pPrintStatus);
    Trace(fn, kReturn, "return=%s, *pPrintStatus=%s", vrx::FormatResult(result).c_str(),
          Decimal(pPrintStatus).c_str());
    return result;
}

uint32_t SdkCallTracer::vrxDevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                                  VRXINTERRUPTORDERINFO* pInterruptOrderInfo) {
    const char* const fn = "vrxDevInterruptPrintOrder";
    Trace(fn, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X, pInterruptOrderInfo=%s", hPrinter, dwOrderId,
          PointerText(pInterruptOrderInfo).c_str());
    const uint32_t result = CallSdk(fn, ::vrxDevInterruptPrintOrder, hPrinter, dwOrderId, pInterruptOrderInfo);
    TraceRecord(fn, kInterruptOrderRecord, pInterruptOrderInfo);
    return TraceReturn(fn, result);
}

uint32_t SdkCallTracer::vrxDevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                                  VRXINTERRUPTORDERINFO* pInterruptOrderInfo) {
    const char* const fn = "vrxDevStartRetransmission";
    Trace(fn, kCall, "hPrinter=0x%08X, dwOrderId=0x%08X, pInterruptOrderInfo=%s", hPrinter, dwOrderId,
          PointerText(pInterruptOrderInfo).c_str());
    TraceRecord(fn, kInterruptOrderRecord, pInterruptOrderInfo);
    return TraceReturn(fn, CallSdk(fn, ::vrxDevStartRetransmission, hPrinter, dwOrderId, pInterruptOrderInfo));
}

uint32_t SdkCallTracer::vrxDevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return TraceOrderCall("vrxDevEndRetransmission", ::vrxDevEndRetransmission, hPrinter, dwOrderId);
}

uint32_t SdkCallTracer::vrxDevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey,
                                       uint32_t* lpdwResult, uint16_t wFadOut, const char* lpFadFileName) {
    const char* const fn = "vrxDevStartFAD";
    // The operator types the key and file name without a limit: Trace cuts
    // the message at its buffer's 1,023 characters.
    Trace(fn, kCall,
          "hPrinter=0x%08X, dwOrderId=0x%08X, lpOrderKey=\"%s\", lpdwResult=%s, wFadOut=%u, lpFadFileName=\"%s\"",
          hPrinter, dwOrderId, TextOrNull(lpOrderKey).c_str(), PointerText(lpdwResult).c_str(), wFadOut,
          TextOrNull(lpFadFileName).c_str());
    const uint32_t result =
        CallSdk(fn, ::vrxDevStartFAD, hPrinter, dwOrderId, lpOrderKey, lpdwResult, wFadOut, lpFadFileName);
    Trace(fn, kReturn, "return=%s, *lpdwResult=%s", vrx::FormatResult(result).c_str(), Hex(lpdwResult).c_str());
    return result;
}

// --- Notifications

void SdkCallTracer::TraceEventInfo(const VRXEVENTINFO* pEventInfo) {
    TraceNotice("PVRXEVENTINFO", kEventInfoRecord, pEventInfo);
}

void SdkCallTracer::TraceUnitStatus(const VRXUNITSTATUSINFO* pUnitStatusInfo) {
    TraceNotice("VRXUNITPROC", kUnitStatusRecord, pUnitStatusInfo);
}

void SdkCallTracer::TraceCompletion(uint32_t dwCompletionCode, const VRXCOMPLETIONINFO* pCompletionInfo) {
    if (dwCompletionCode == COMPLETION_PRINT) {
        TraceNotice("VRXCOMPLETIONPROC", kPrintCompletionRecord, pCompletionInfo);
    } else if (dwCompletionCode == COMPLETION_ORDER) {
        TraceNotice("VRXCOMPLETIONPROC", kOrderCompletionRecord, pCompletionInfo);
    }
}

void SdkCallTracer::TraceEventEx(const VRXEVENTEXINFO* pEventExInfo) {
    TraceNotice("VRXEVENTPROCEX", kEventExInfoRecord, pEventExInfo);
}

}  // namespace vrx
