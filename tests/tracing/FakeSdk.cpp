#include "FakeSdk.h"

#include <algorithm>
#include <cstring>

namespace fake {

Sdk& State() {
    static Sdk sdk;
    return sdk;
}

void Reset() { State() = Sdk(); }

namespace {

Call& Enter(const char* function, std::vector<uint64_t> args, const void* input = nullptr, size_t inputSize = 0) {
    Sdk& sdk = State();
    Call call;
    call.function = function;
    call.args = std::move(args);
    if (input) {
        const auto* bytes = static_cast<const unsigned char*>(input);
        call.input.assign(bytes, bytes + inputSize);
    }
    call.linesBefore = sdk.lineCount ? sdk.lineCount() : 0;
    sdk.calls.push_back(std::move(call));
    return sdk.calls.back();
}

void Fill(void* buffer, size_t capacity) {
    const Sdk& sdk = State();
    if (buffer && !sdk.fill.empty()) std::memcpy(buffer, sdk.fill.data(), std::min(capacity, sdk.fill.size()));
}

void Put(uint32_t* out, size_t i) {
    const Sdk& sdk = State();
    if (out && i < sdk.dwords.size()) *out = sdk.dwords[i];
}

void PutWord(uint16_t* out) {
    if (out && State().word) *out = *State().word;
}

template <class T>
uint32_t FillRecord(const char* function, std::vector<uint64_t> args, T* record) {
    Enter(function, std::move(args), record, record ? sizeof(T) : 0);
    Fill(record, sizeof(T));
    return State().result;
}

template <class T>
uint32_t TakeRecord(const char* function, std::vector<uint64_t> args, const T* record) {
    Enter(function, std::move(args), record, record ? sizeof(T) : 0);
    return State().result;
}

uint32_t Plain(const char* function, std::vector<uint64_t> args) {
    Enter(function, std::move(args));
    return State().result;
}

// Fills at most the bytes the caller said its buffer holds, then reports the
// byte count the test chose, which may exceed the buffer.
uint32_t FillSized(const char* function, std::vector<uint64_t> args, void* buffer, uint32_t* pdwSize) {
    Enter(function, std::move(args));
    Fill(buffer, pdwSize ? *pdwSize : 0);
    if (pdwSize && State().size) *pdwSize = *State().size;
    return State().result;
}

}  // namespace
}  // namespace fake

using fake::Address;

VRXEXPORT uint32_t VRXAPI vrxLibOpen(const char* lpLogFileName) {
    return fake::Plain("vrxLibOpen", {Address(lpLogFileName)});
}
VRXEXPORT uint32_t VRXAPI vrxLibClose(void) { return fake::Plain("vrxLibClose", {}); }
VRXEXPORT uint32_t VRXAPI vrxGetVrxVersion(uint16_t* pVrxVersion) {
    fake::TakeRecord("vrxGetVrxVersion", {Address(pVrxVersion)}, pVrxVersion);
    fake::PutWord(pVrxVersion);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxSetCompletionProcMode(uint32_t dwMode) {
    return fake::Plain("vrxSetCompletionProcMode", {dwMode});
}
VRXEXPORT void VRXAPI vrxSetCustomMode(uint32_t dwMode) { fake::Plain("vrxSetCustomMode", {dwMode}); }
VRXEXPORT void VRXAPI vrxSetTempFolder(const char* lpFolder) { fake::Plain("vrxSetTempFolder", {Address(lpFolder)}); }
VRXEXPORT void VRXAPI vrxSetConnectMode(uint32_t dwMode) { fake::Plain("vrxSetConnectMode", {dwMode}); }

VRXEXPORT uint32_t VRXAPI vrxSearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    fake::Plain("vrxSearchPrinter", {Address(pPrinterNum), dwWaitTime});
    fake::PutWord(pPrinterNum);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxSearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime) {
    fake::Plain("vrxSearchPrinter2", {Address(pPrinterNum), dwWaitTime});
    fake::PutWord(pPrinterNum);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxGetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) {
    fake::Plain("vrxGetPrinter", {wBufferNum, Address(pPrinterInfo)});
    fake::Fill(pPrinterInfo, size_t{wBufferNum} * sizeof(VRXPRINTERINFO));
    return fake::State().result;
}

VRXEXPORT uint32_t VRXAPI vrxDevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc,
                                     VRXUNITPROC pUnitProc) {
    fake::Plain("vrxDevOpen", {dwIPAddress, Address(phPrinter), Address(pEventProc), Address(pUnitProc)});
    fake::Put(phPrinter, 0);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevClose(HVRXPRINTER hPrinter) { return fake::Plain("vrxDevClose", {hPrinter}); }
VRXEXPORT uint32_t VRXAPI vrxDevCloseCheck(HVRXPRINTER hPrinter) {
    return fake::Plain("vrxDevCloseCheck", {hPrinter});
}
VRXEXPORT uint32_t VRXAPI vrxDevIsReady(HVRXPRINTER hPrinter) { return fake::Plain("vrxDevIsReady", {hPrinter}); }
VRXEXPORT uint32_t VRXAPI vrxDevOccupyCheck(HVRXPRINTER hPrinter) {
    return fake::Plain("vrxDevOccupyCheck", {hPrinter});
}
VRXEXPORT uint32_t VRXAPI vrxDevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo) {
    return fake::FillRecord("vrxDevGetUnitInfo", {hPrinter, Address(pUnitInfo)}, pUnitInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize) {
    return fake::FillSized("vrxDevGetMagInfo", {hPrinter, Address(pMagInfo), Address(pdwSize)}, pMagInfo, pdwSize);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo,
                                              uint32_t* pdwSize) {
    return fake::FillSized("vrxDevGetAllMagInfo", {hPrinter, Address(pMagDetailInfo), Address(pdwSize)},
                           pMagDetailInfo, pdwSize);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo) {
    return fake::FillRecord("vrxDevGetSetUpInfo", {hPrinter, Address(pSetUpInfo)}, pSetUpInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo) {
    return fake::FillRecord("vrxDevGetPrintNumInfo", {hPrinter, Address(pPrintNumInfo)}, pPrintNumInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    return fake::TakeRecord("vrxDevSetTime", {hPrinter, Address(pTime)}, pTime);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) {
    return fake::FillRecord("vrxDevGetTime", {hPrinter, Address(pTime)}, pTime);
}
VRXEXPORT uint32_t VRXAPI vrxDevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo) {
    return fake::TakeRecord("vrxDevGetProfile", {hPrinter, Address(lpFileName), Address(pPaperInfo)}, pPaperInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId) {
    return fake::Plain("vrxDevResetEvent", {hPrinter, dwErrHandle, dwActionId});
}
VRXEXPORT uint32_t VRXAPI vrxDevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl) {
    return fake::Plain("vrxDevCtrlPrint", {hPrinter, dwCtrl});
}
VRXEXPORT uint32_t VRXAPI vrxDevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID,
                                                uint32_t* pTime) {
    fake::Plain("vrxDevGetTransmitTime", {hPrinter, Address(pOrderId), Address(pPrintID), Address(pTime)});
    fake::Put(pOrderId, 0);
    fake::Put(pPrintID, 1);
    fake::Put(pTime, 2);
    return fake::State().result;
}

VRXEXPORT uint32_t VRXAPI vrxDevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc,
                                             uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame,
                                             uint32_t dwExOptions) {
    fake::Plain("vrxDevStartOrderEx", {hPrinter, Address(pdwOrderId), Address(pEventProc), dwPriority, dwSorterNum,
                                       dwSortFrame, dwExOptions});
    fake::Put(pdwOrderId, 0);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevEndOrder", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                                      VRXCOMPLETIONPROC pEventProc, VRXPRINTINFO* pPrintInfo) {
    fake::TakeRecord("vrxDevPrint", {hPrinter, dwOrderId, Address(pPrintID), Address(pEventProc), Address(pPrintInfo)},
                     pPrintInfo);
    fake::Put(pPrintID, 0);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID,
                                           VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo) {
    fake::TakeRecord("vrxDevBlankPrint",
                     {hPrinter, dwOrderId, Address(pPrintID), Address(pEventProc), Address(pBlankPrintInfo)},
                     pBlankPrintInfo);
    fake::Put(pPrintID, 0);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevSort", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevExpressOrder", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevStartDuplex", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevEndDuplex", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID) {
    return fake::Plain("vrxDevCancelPrintOrder", {hPrinter, dwOrderId, dwPrintID});
}
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintAll(HVRXPRINTER hPrinter) {
    return fake::Plain("vrxDevCancelPrintAll", {hPrinter});
}
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus) {
    fake::Plain("vrxDevGetPrintStatus", {hPrinter, dwPrintID, Address(pPrintStatus)});
    fake::Put(pPrintStatus, 0);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                                    VRXINTERRUPTORDERINFO* pInterruptOrderInfo) {
    return fake::FillRecord("vrxDevInterruptPrintOrder", {hPrinter, dwOrderId, Address(pInterruptOrderInfo)},
                            pInterruptOrderInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId,
                                                    VRXINTERRUPTORDERINFO* pInterruptOrderInfo) {
    return fake::TakeRecord("vrxDevStartRetransmission", {hPrinter, dwOrderId, Address(pInterruptOrderInfo)},
                            pInterruptOrderInfo);
}
VRXEXPORT uint32_t VRXAPI vrxDevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId) {
    return fake::Plain("vrxDevEndRetransmission", {hPrinter, dwOrderId});
}
VRXEXPORT uint32_t VRXAPI vrxDevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey,
                                         uint32_t* lpdwResult, uint16_t wFadOut, const char* lpFadFileName) {
    fake::Plain("vrxDevStartFAD",
                {hPrinter, dwOrderId, Address(lpOrderKey), Address(lpdwResult), wFadOut, Address(lpFadFileName)});
    fake::Put(lpdwResult, 0);
    return fake::State().result;
}

VRXEXPORT uint32_t VRXAPI vrxDevAdjustForPrint(HVRXPRINTER hPrinter) {
    return fake::Plain("vrxDevAdjustForPrint", {hPrinter});
}
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId,
                                            uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId,
                                            uint16_t* pwRecvBufLen, void* lpRecvBuf, uint32_t dwTimeOut) {
    fake::Plain("vrxDevVrxCommand1", {hPrinter, wIfId, wSendCmdId, wSendBufLen, Address(lpSendBuf), wRecvCmdId,
                                      Address(pwRecvBufLen), Address(lpRecvBuf), dwTimeOut});
    fake::Fill(lpRecvBuf, pwRecvBufLen ? *pwRecvBufLen : 0);
    fake::PutWord(pwRecvBufLen);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId,
                                            uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId,
                                            uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc, uint32_t dwTimeOut) {
    fake::Plain("vrxDevVrxCommand2", {hPrinter, wIfId, wSendCmdId, wSendBufLen, Address(lpSendBuf), wRecvCmdId,
                                      Address(pwRecvBufLen), Address(pRecvProc), dwTimeOut});
    fake::PutWord(pwRecvBufLen);
    return fake::State().result;
}
VRXEXPORT uint32_t VRXAPI vrxDevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId,
                                          VRXNOTICEPROC pNoticeProc) {
    return fake::Plain("vrxDevVrxNotice", {hPrinter, wIfId, wCmdId, Address(pNoticeProc)});
}
VRXEXPORT uint32_t VRXAPI vrxDevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx) {
    return fake::Plain("vrxDevVrxNoticeEventProcEx", {hPrinter, Address(pEventProcEx)});
}
