// Entry points of the stand-in library: each answers success for now.
#include "VrxSdk.h"

VRXEXPORT uint32_t VRXAPI vrxLibOpen(const char* lpLogFileName) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxLibClose(void) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxGetVrxVersion(uint16_t* pVrxVersion) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxSetCompletionProcMode(uint32_t dwMode) { return VRXERR_NORMAL; }
VRXEXPORT void VRXAPI vrxSetCustomMode(uint32_t dwMode) {}
VRXEXPORT void VRXAPI vrxSetTempFolder(const char* lpFolder) {}
VRXEXPORT void VRXAPI vrxSetConnectMode(uint32_t dwMode) {}
VRXEXPORT uint32_t VRXAPI vrxSearchPrinter(uint16_t* pPrinterNum, uint32_t dwWaitTime) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxSearchPrinter2(uint16_t* pPrinterNum, uint32_t dwWaitTime) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxGetPrinter(uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevOpen(uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc, VRXUNITPROC pUnitProc) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevClose(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevCloseCheck(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevIsReady(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevOccupyCheck(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetUnitInfo(HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetMagInfo(HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetAllMagInfo(HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetSetUpInfo(HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintNumInfo(HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevSetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetTime(HVRXPRINTER hPrinter, VRXTIMEINFO* pTime) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetProfile(HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevResetEvent(HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevCtrlPrint(HVRXPRINTER hPrinter, uint32_t dwCtrl) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetTransmitTime(HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevStartOrderEx(HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc, uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevEndOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc, VRXPRINTINFO* pPrintInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevBlankPrint(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc, VRXBLANKPRINTINFO* pBlankPrintInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevSort(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevExpressOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevStartDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevEndDuplex(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevCancelPrintAll(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevGetPrintStatus(HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevInterruptPrintOrder(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevStartRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevEndRetransmission(HVRXPRINTER hPrinter, uint32_t dwOrderId) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevStartFAD(HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult, uint16_t wFadOut, const char* lpFadFileName) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevAdjustForPrint(HVRXPRINTER hPrinter) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand1(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf, uint32_t dwTimeOut) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevVrxCommand2(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf, uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc, uint32_t dwTimeOut) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevVrxNotice(HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc) { return VRXERR_NORMAL; }
VRXEXPORT uint32_t VRXAPI vrxDevVrxNoticeEventProcEx(HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx) { return VRXERR_NORMAL; }
