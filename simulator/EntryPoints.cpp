// Exported entry points: each hands its arguments unchanged to the one
// library instance, which does the work and keeps the journal.
#include "Library.h"
#include "VrxSdk.h"

using vrxsim::Instance;

VRXEXPORT uint32_t VRXAPI vrxLibOpen(const char* lpLogFileName) { return Instance().LibOpen(lpLogFileName); }
VRXEXPORT uint32_t VRXAPI vrxLibClose(void) { return Instance().LibClose(); }
VRXEXPORT uint32_t VRXAPI vrxGetVrxVersion(uint16_t* pVrxVersion) { return Instance().GetVrxVersion(pVrxVersion); }
VRXEXPORT uint32_t VRXAPI vrxSetCompletionProcMode(uint32_t dwMode) { return Instance().SetCompletionProcMode(dwMode); }
VRXEXPORT void VRXAPI vrxSetCustomMode(uint32_t dwMode) { Instance().SetCustomMode(dwMode); }
VRXEXPORT void VRXAPI vrxSetTempFolder(const char* lpFolder) { Instance().SetTempFolder(lpFolder); }
VRXEXPORT void VRXAPI vrxSetConnectMode(uint32_t dwMode) { Instance().SetConnectMode(dwMode); }
VRXEXPORT uint32_t VRXAPI vrxSearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime) { return Instance().SearchPrinter(pPrinterNum, dwWaitTime); }
VRXEXPORT uint32_t VRXAPI vrxSearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime) { return Instance().SearchPrinter2(pPrinterNum, dwWaitTime); }
VRXEXPORT uint32_t VRXAPI vrxGetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) { return Instance().GetPrinter(wBufferNum, pPrinterInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc, VRXUNITPROC pUnitProc) { return Instance().DevOpen(dwIPAddress, phPrinter, pEventProc, pUnitProc); }
VRXEXPORT uint32_t VRXAPI vrxDevClose(HVRXPRINTER hPrinter) { return Instance().DevClose(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevCloseCheck(HVRXPRINTER hPrinter) { return Instance().DevCloseCheck(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevIsReady(HVRXPRINTER hPrinter) { return Instance().DevIsReady(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevOccupyCheck(HVRXPRINTER hPrinter) { return Instance().DevOccupyCheck(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo) { return Instance().DevGetUnitInfo(hPrinter, pUnitInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize) { return Instance().DevGetMagInfo(hPrinter, pMagInfo, pdwSize); }
VRXEXPORT uint32_t VRXAPI vrxDevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize) { return Instance().DevGetAllMagInfo(hPrinter, pMagDetailInfo, pdwSize); }
VRXEXPORT uint32_t VRXAPI vrxDevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo) { return Instance().DevGetSetUpInfo(hPrinter, pSetUpInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo) { return Instance().DevGetPrintNumInfo(hPrinter, pPrintNumInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) { return Instance().DevSetTime(hPrinter, pTime); }
VRXEXPORT uint32_t VRXAPI vrxDevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) { return Instance().DevGetTime(hPrinter, pTime); }
VRXEXPORT uint32_t VRXAPI vrxDevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo) { return Instance().DevGetProfile(hPrinter, lpFileName, pPaperInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId) { return Instance().DevResetEvent(hPrinter, dwErrHandle, dwActionId); }
VRXEXPORT uint32_t VRXAPI vrxDevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl) { return Instance().DevCtrlPrint(hPrinter, dwCtrl); }
VRXEXPORT uint32_t VRXAPI vrxDevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime) { return Instance().DevGetTransmitTime(hPrinter, pOrderId, pPrintID, pTime); }
VRXEXPORT uint32_t VRXAPI vrxDevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc, uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions) { return Instance().DevStartOrderEx(hPrinter, pdwOrderId, pEventProc, dwPriority, dwSorterNum, dwSortFrame, dwExOptions); }
VRXEXPORT uint32_t VRXAPI vrxDevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevEndOrder(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc, VRXPRINTINFO* pPrintInfo) { return Instance().DevPrint(hPrinter, dwOrderId, pPrintID, pEventProc, pPrintInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo) { return Instance().DevBlankPrint(hPrinter, dwOrderId, pPrintID, pEventProc, pBlankPrintInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevSort(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevExpressOrder(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevStartDuplex(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevEndDuplex(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID) { return Instance().DevCancelPrintOrder(hPrinter, dwOrderId, dwPrintID); }
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintAll(HVRXPRINTER hPrinter) { return Instance().DevCancelPrintAll(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus) { return Instance().DevGetPrintStatus(hPrinter, dwPrintID, pPrintStatus); }
VRXEXPORT uint32_t VRXAPI vrxDevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo) { return Instance().DevInterruptPrintOrder(hPrinter, dwOrderId, pInterruptOrderInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo) { return Instance().DevStartRetransmission(hPrinter, dwOrderId, pInterruptOrderInfo); }
VRXEXPORT uint32_t VRXAPI vrxDevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return Instance().DevEndRetransmission(hPrinter, dwOrderId); }
VRXEXPORT uint32_t VRXAPI vrxDevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult, uint16_t wFadOut, const char* lpFadFileName) { return Instance().DevStartFAD(hPrinter, dwOrderId, lpOrderKey, lpdwResult, wFadOut, lpFadFileName); }
VRXEXPORT uint32_t VRXAPI vrxDevAdjustForPrint(HVRXPRINTER hPrinter) { return Instance().DevAdjustForPrint(hPrinter); }
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf, uint32_t dwTimeOut) { return Instance().DevVrxCommand1(hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf, wRecvCmdId, pwRecvBufLen, lpRecvBuf, dwTimeOut); }
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc, uint32_t dwTimeOut) { return Instance().DevVrxCommand2(hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf, wRecvCmdId, pwRecvBufLen, pRecvProc, dwTimeOut); }
VRXEXPORT uint32_t VRXAPI vrxDevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc) { return Instance().DevVrxNotice(hPrinter, wIfId, wCmdId, pNoticeProc); }
VRXEXPORT uint32_t VRXAPI vrxDevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx) { return Instance().DevVrxNoticeEventProcEx(hPrinter, pEventProcEx); }
