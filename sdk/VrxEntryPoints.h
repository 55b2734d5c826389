// The printer library's entry points, each named once, in export order:
//   X(return type, name, (parameters), (arguments), simulator method)
// The declarations, the simulator's exports, the tests' fake library and the
// simulator's list of names all expand this list; ZembrinPrinter.def is
// checked against it by a test. The types come from VrxSdk.h.
#pragma once

#define VRX_ENTRY_POINTS(X)                                                                                           \
    /* Library set-up */                                                                                              \
    X(uint32_t, vrxLibOpen, (const char* lpLogFileName), (lpLogFileName), LibOpen)                                    \
    X(uint32_t, vrxLibClose, (void), (), LibClose)                                                                    \
    X(uint32_t, vrxGetVrxVersion, (uint16_t* pVrxVersion), (pVrxVersion), GetVrxVersion)                              \
    X(uint32_t, vrxSetCompletionProcMode, (uint32_t dwMode), (dwMode), SetCompletionProcMode)                         \
    X(void, vrxSetCustomMode, (uint32_t dwMode), (dwMode), SetCustomMode)                                             \
    X(void, vrxSetTempFolder, (const char* lpFolder), (lpFolder), SetTempFolder)                                      \
    X(void, vrxSetConnectMode, (uint32_t dwMode), (dwMode), SetConnectMode)                                           \
                                                                                                                      \
    /* Discovery */                                                                                                   \
    X(uint32_t, vrxSearchPrinter, (uint16_t* pPrinterNum, uint32_t dwWaitTime), (pPrinterNum, dwWaitTime),            \
      SearchPrinter)                                                                                                  \
    X(uint32_t, vrxSearchPrinter2, (uint16_t* pPrinterNum, uint32_t dwWaitTime), (pPrinterNum, dwWaitTime),           \
      SearchPrinter2)                                                                                                 \
    X(uint32_t, vrxGetPrinter, (uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo), (wBufferNum, pPrinterInfo),       \
      GetPrinter)                                                                                                     \
                                                                                                                      \
    /* Device */                                                                                                      \
    X(uint32_t, vrxDevOpen,                                                                                           \
      (uint32_t dwIPAddress, HVRXPRINTER* phPrinter, VRXEVENTPROC pEventProc, VRXUNITPROC pUnitProc),                 \
      (dwIPAddress, phPrinter, pEventProc, pUnitProc), DevOpen)                                                       \
    X(uint32_t, vrxDevClose, (HVRXPRINTER hPrinter), (hPrinter), DevClose)                                            \
    X(uint32_t, vrxDevCloseCheck, (HVRXPRINTER hPrinter), (hPrinter), DevCloseCheck)                                  \
    X(uint32_t, vrxDevIsReady, (HVRXPRINTER hPrinter), (hPrinter), DevIsReady)                                        \
    X(uint32_t, vrxDevOccupyCheck, (HVRXPRINTER hPrinter), (hPrinter), DevOccupyCheck)                                \
    X(uint32_t, vrxDevGetUnitInfo, (HVRXPRINTER hPrinter, VRXUNITINFO* pUnitInfo), (hPrinter, pUnitInfo),             \
      DevGetUnitInfo)                                                                                                 \
    X(uint32_t, vrxDevGetMagInfo, (HVRXPRINTER hPrinter, VRXMAGINFO* pMagInfo, uint32_t* pdwSize),                    \
      (hPrinter, pMagInfo, pdwSize), DevGetMagInfo)                                                                   \
    X(uint32_t, vrxDevGetAllMagInfo,                                                                                  \
      (HVRXPRINTER hPrinter, VRXMAGDETAILINFO* pMagDetailInfo, uint32_t* pdwSize),                                    \
      (hPrinter, pMagDetailInfo, pdwSize), DevGetAllMagInfo)                                                          \
    X(uint32_t, vrxDevGetSetUpInfo, (HVRXPRINTER hPrinter, VRXSETUPINFO* pSetUpInfo), (hPrinter, pSetUpInfo),         \
      DevGetSetUpInfo)                                                                                                \
    X(uint32_t, vrxDevGetPrintNumInfo, (HVRXPRINTER hPrinter, VRXPRINTNUMINFO* pPrintNumInfo),                        \
      (hPrinter, pPrintNumInfo), DevGetPrintNumInfo)                                                                  \
    X(uint32_t, vrxDevSetTime, (HVRXPRINTER hPrinter, VRXTIMEINFO* pTime), (hPrinter, pTime), DevSetTime)             \
    X(uint32_t, vrxDevGetTime, (HVRXPRINTER hPrinter, VRXTIMEINFO* pTime), (hPrinter, pTime), DevGetTime)             \
    X(uint32_t, vrxDevGetProfile, (HVRXPRINTER hPrinter, const char* lpFileName, VRXPAPERINFO* pPaperInfo),           \
      (hPrinter, lpFileName, pPaperInfo), DevGetProfile)                                                              \
    X(uint32_t, vrxDevResetEvent, (HVRXPRINTER hPrinter, uint32_t dwErrHandle, uint32_t dwActionId),                  \
      (hPrinter, dwErrHandle, dwActionId), DevResetEvent)                                                             \
    X(uint32_t, vrxDevCtrlPrint, (HVRXPRINTER hPrinter, uint32_t dwCtrl), (hPrinter, dwCtrl), DevCtrlPrint)           \
    X(uint32_t, vrxDevGetTransmitTime,                                                                                \
      (HVRXPRINTER hPrinter, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime),                                \
      (hPrinter, pOrderId, pPrintID, pTime), DevGetTransmitTime)                                                      \
                                                                                                                      \
    /* Orders and printing */                                                                                         \
    X(uint32_t, vrxDevStartOrderEx,                                                                                   \
      (HVRXPRINTER hPrinter, uint32_t* pdwOrderId, VRXCOMPLETIONPROC pEventProc, uint32_t dwPriority,                 \
       uint32_t dwSorterNum, uint32_t dwSortFrame, uint32_t dwExOptions),                                             \
      (hPrinter, pdwOrderId, pEventProc, dwPriority, dwSorterNum, dwSortFrame, dwExOptions), DevStartOrderEx)         \
    X(uint32_t, vrxDevEndOrder, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId), DevEndOrder)       \
    X(uint32_t, vrxDevPrint,                                                                                          \
      (HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,                    \
       VRXPRINTINFO* pPrintInfo),                                                                                     \
      (hPrinter, dwOrderId, pPrintID, pEventProc, pPrintInfo), DevPrint)                                              \
    X(uint32_t, vrxDevBlankPrint,                                                                                     \
      (HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t* pPrintID, VRXCOMPLETIONPROC pEventProc,                    \
       VRXBLANKPRINTINFO* pBlankPrintInfo),                                                                           \
      (hPrinter, dwOrderId, pPrintID, pEventProc, pBlankPrintInfo), DevBlankPrint)                                    \
    X(uint32_t, vrxDevSort, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId), DevSort)               \
    X(uint32_t, vrxDevExpressOrder, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId),                \
      DevExpressOrder)                                                                                                \
    X(uint32_t, vrxDevStartDuplex, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId),                 \
      DevStartDuplex)                                                                                                 \
    X(uint32_t, vrxDevEndDuplex, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId), DevEndDuplex)     \
    X(uint32_t, vrxDevCancelPrintOrder, (HVRXPRINTER hPrinter, uint32_t dwOrderId, uint32_t dwPrintID),               \
      (hPrinter, dwOrderId, dwPrintID), DevCancelPrintOrder)                                                          \
    X(uint32_t, vrxDevCancelPrintAll, (HVRXPRINTER hPrinter), (hPrinter), DevCancelPrintAll)                          \
    X(uint32_t, vrxDevGetPrintStatus, (HVRXPRINTER hPrinter, uint32_t dwPrintID, uint32_t* pPrintStatus),             \
      (hPrinter, dwPrintID, pPrintStatus), DevGetPrintStatus)                                                         \
    X(uint32_t, vrxDevInterruptPrintOrder,                                                                            \
      (HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo),                         \
      (hPrinter, dwOrderId, pInterruptOrderInfo), DevInterruptPrintOrder)                                             \
    X(uint32_t, vrxDevStartRetransmission,                                                                            \
      (HVRXPRINTER hPrinter, uint32_t dwOrderId, VRXINTERRUPTORDERINFO* pInterruptOrderInfo),                         \
      (hPrinter, dwOrderId, pInterruptOrderInfo), DevStartRetransmission)                                             \
    X(uint32_t, vrxDevEndRetransmission, (HVRXPRINTER hPrinter, uint32_t dwOrderId), (hPrinter, dwOrderId),           \
      DevEndRetransmission)                                                                                           \
    X(uint32_t, vrxDevStartFAD,                                                                                       \
      (HVRXPRINTER hPrinter, uint32_t dwOrderId, const char* lpOrderKey, uint32_t* lpdwResult, uint16_t wFadOut,      \
       const char* lpFadFileName),                                                                                    \
      (hPrinter, dwOrderId, lpOrderKey, lpdwResult, wFadOut, lpFadFileName), DevStartFAD)                             \
                                                                                                                      \
    /* Maintenance */                                                                                                 \
    X(uint32_t, vrxDevAdjustForPrint, (HVRXPRINTER hPrinter), (hPrinter), DevAdjustForPrint)                          \
    X(uint32_t, vrxDevVrxCommand1,                                                                                    \
      (HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf,              \
       uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, void* lpRecvBuf, uint32_t dwTimeOut),                             \
      (hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf, wRecvCmdId, pwRecvBufLen, lpRecvBuf, dwTimeOut),          \
      DevVrxCommand1)                                                                                                 \
    X(uint32_t, vrxDevVrxCommand2,                                                                                    \
      (HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wSendCmdId, uint16_t wSendBufLen, void* lpSendBuf,              \
       uint16_t wRecvCmdId, uint16_t* pwRecvBufLen, VRXRECVPROC pRecvProc, uint32_t dwTimeOut),                       \
      (hPrinter, wIfId, wSendCmdId, wSendBufLen, lpSendBuf, wRecvCmdId, pwRecvBufLen, pRecvProc, dwTimeOut),          \
      DevVrxCommand2)                                                                                                 \
    X(uint32_t, vrxDevVrxNotice, (HVRXPRINTER hPrinter, uint16_t wIfId, uint16_t wCmdId, VRXNOTICEPROC pNoticeProc),  \
      (hPrinter, wIfId, wCmdId, pNoticeProc), DevVrxNotice)                                                           \
    X(uint32_t, vrxDevVrxNoticeEventProcEx, (HVRXPRINTER hPrinter, VRXEVENTPROCEX pEventProcEx),                      \
      (hPrinter, pEventProcEx), DevVrxNoticeEventProcEx)
