// The main window's button table, in the order of the console's button list:
// routing and the maintenance gates both walk it. A row without a handler
// does nothing when clicked ("vrxDevPrintKolmXml" by design).
#include "VrxClientDlg.h"
#include "resource.h"

const std::vector<CVrxClientDlg::Button>& CVrxClientDlg::Buttons() {
    using D = CVrxClientDlg;
    namespace hidden = vrx::hidden;
    static const std::vector<Button> table = {
        {IDC_LIB_OPEN, &D::OnLibOpen, nullptr},
        {IDC_LIB_CLOSE, &D::OnLibClose, nullptr},
        {IDC_SEARCH_PRINTER, &D::OnSearchPrinter, nullptr},
        {IDC_SEARCH_PRINTER2, &D::OnSearchPrinter2, nullptr},
        {IDC_GET_PRINTER, &D::OnGetPrinter, nullptr},
        {IDC_DEV_OPEN, &D::OnDevOpen, nullptr},
        {IDC_DEV_CLOSE, &D::OnDevClose, nullptr},
        {IDC_DEV_GET_UNIT_INFO, &D::OnDevGetUnitInfo, nullptr},
        {IDC_DEV_GET_MAG_INFO, &D::OnDevGetMagInfo, nullptr},
        {IDC_DEV_GET_SETUP_INFO, &D::OnDevGetSetUpInfo, nullptr},
        {IDC_DEV_GET_PRINT_NUM_INFO, &D::OnDevGetPrintNumInfo, nullptr},
        {IDC_DEV_GET_TRANSMIT_TIME, &D::OnDevGetTransmitTime, nullptr},
        {IDC_SET_COMPLETION_PROC_MODE, &D::OnSetCompletionProcMode, nullptr},
        {IDC_DEV_OCCUPY_CHECK, &D::OnDevOccupyCheck, &hidden::vrxDevOccupyCheck},
        {IDC_DEV_IS_READY, &D::OnDevIsReady, nullptr},
        {IDC_DEV_START_ORDER, &D::OnDevStartOrder, nullptr},
        {IDC_DEV_END_ORDER, &D::OnDevEndOrder, nullptr},
        {IDC_DEV_PRINT, &D::OnDevPrint, nullptr},
        {IDC_DEV_PRINT_KOLM_XML, nullptr, nullptr},
        {IDC_DEV_SORT, &D::OnDevSort, nullptr},
        {IDC_DEV_CANCEL_PRINT_ORDER, &D::OnDevCancelPrintOrder, nullptr},
        {IDC_DEV_GET_PRINT_STATUS, &D::OnDevGetPrintStatus, nullptr},
        {IDC_DEV_SET_TIME, &D::OnDevSetTime, nullptr},
        {IDC_DEV_GET_TIME, &D::OnDevGetTime, nullptr},
        {IDC_DEV_START_DUPLEX, &D::OnDevStartDuplex, nullptr},
        {IDC_DEV_END_DUPLEX, &D::OnDevEndDuplex, nullptr},
        {IDC_DEV_BLANK_PRINT, &D::OnDevBlankPrint, nullptr},
        {IDC_DEV_CLOSE_CHECK, &D::OnDevCloseCheck, nullptr},
        {IDC_DEV_GET_ALL_MAG_INFO, &D::OnDevGetAllMagInfo, nullptr},
        {IDC_DEV_CTRL_PRINT, &D::OnDevCtrlPrint, nullptr},
        {IDC_DEV_EXPRESS_ORDER, &D::OnDevExpressOrder, nullptr},
        {IDC_GET_VRX_VERSION, &D::OnGetVrxVersion, nullptr},
        {IDC_DEV_GET_PROFILE, &D::OnDevGetProfile, nullptr},
        {IDC_DEV_VRX_COMMAND1, &D::OnDevVrxCommand1, &hidden::vrxDevVrxCommand1},
        {IDC_DEV_VRX_COMMAND2, &D::OnDevVrxCommand2, &hidden::vrxDevVrxCommand2},
        {IDC_DEV_VRX_NOTICE, &D::OnDevVrxNotice, &hidden::vrxDevVrxNotice},
        {IDC_DEV_CANCEL_PRINT_ALL, &D::OnDevCancelPrintAll, &hidden::vrxDevCancelPrintAll},
        {IDC_DEV_START_FAD, &D::OnDevStartFad, &hidden::vrxDevStartFAD},
        {IDC_DEV_ADJUST_FOR_PRINT, &D::OnDevAdjustForPrint, nullptr},
        {IDC_DEV_START_RETRANSMISSION, &D::OnDevStartRetransmission, &hidden::vrxDevStartRetransmission},
        {IDC_DEV_END_RETRANSMISSION, &D::OnDevEndRetransmission, &hidden::vrxDevEndRetransmission},
        {IDC_DEV_INTERRUPT_PRINT_ORDER, &D::OnDevInterruptPrintOrder, &hidden::vrxDevInterruptPrintOrder},
        {IDC_DEV_PRINT_RESEND, &D::OnDevPrintResend, nullptr},
        {IDC_DEV_RESET_EVENT, &D::OnDevResetEvent, nullptr},
    };
    return table;
}
