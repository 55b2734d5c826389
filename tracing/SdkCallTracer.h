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

    // Library, discovery, device information and maintenance.
    uint32_t vrxLibOpen(const char* lpLogFileName);
    uint32_t vrxLibClose();
    // Zeroes the version word first, so a failed call leaves 0, not stale memory.
    uint32_t vrxGetVrxVersion(uint16_t* pVrxVersion);
    uint32_t vrxSetCompletionProcMode(uint32_t dwMode);
    uint32_t vrxSearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime);
    uint32_t vrxSearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime);
    uint32_t vrxGetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo);
    uint32_t vrxDevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc, VRXUNITPROC pUnitProc);
    uint32_t vrxDevClose(HVRXPRINTER hPrinter);
    uint32_t vrxDevCloseCheck(HVRXPRINTER hPrinter);
    uint32_t vrxDevIsReady(HVRXPRINTER hPrinter);
    uint32_t vrxDevOccupyCheck(HVRXPRINTER hPrinter);
    uint32_t vrxDevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo);
    uint32_t vrxDevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize);
    uint32_t vrxDevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize);
    uint32_t vrxDevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo);
    uint32_t vrxDevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo);
    uint32_t vrxDevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime);
    // Zeroes *pTime first, so a failed call shows 0000/00/00 00:00:00.
    uint32_t vrxDevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime);
    uint32_t vrxDevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo);
    uint32_t vrxDevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId);
    uint32_t vrxDevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl);
    uint32_t vrxDevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime);
    uint32_t vrxDevAdjustForPrint(HVRXPRINTER hPrinter);
    uint32_t vrxDevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                               void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf,
                               uint32_t dwTimeOut);
    uint32_t vrxDevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen,
                               void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc,
                               uint32_t dwTimeOut);
    uint32_t vrxDevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc);
    uint32_t vrxDevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx);

    // Orders and printing.
    uint32_t vrxDevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc,
                                uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions);
    uint32_t vrxDevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,
                         VRXPRINTINFO* pPrintInfo);
    uint32_t vrxDevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                              VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo);
    uint32_t vrxDevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID);
    uint32_t vrxDevCancelPrintAll(HVRXPRINTER hPrinter);
    uint32_t vrxDevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus);
    uint32_t vrxDevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                       VRXINTERRUPTORDERINFO* pInterruptOrderInfo);
    uint32_t vrxDevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                       VRXINTERRUPTORDERINFO* pInterruptOrderInfo);
    uint32_t vrxDevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId);
    uint32_t vrxDevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult,
                            uint16_t wFadOut, const char* lpFadFileName);

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
