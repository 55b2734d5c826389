// Parameter dialogs of the order calls, and the pickers that offer the orders
// and prints of the console's order registry. Each only collects values; the
// caller presets the members, runs it and reads them back on OK. A picker
// keeps ids, never pointers into the registry: the caller looks its order up
// again after OK.
#pragma once

#include <cstdint>
#include <functional>

#include "Controls.h"
#include "Dialog.h"
#include "OrderRegistry.h"

// Appends an item per registry order that passes `keep`, in registry order:
// text and data are the order id. Returns the first such id, 0 when none.
uint32_t ListOrdersInto(ui::ListView& list, const std::function<bool(const vrx::OrderEntry&)>& keep);
// Shows the prints of that order, each selected and focused; empty when the
// registry does not hold the order.
void FillPrintList(ui::ListView& list, uint32_t orderId);

// "vrxDevStartOrder": order kind, sorter, sort frame and the single-row option.
class CDevStartOrderDlg : public ui::Dialog {
public:
    CDevStartOrderDlg();
    // The order kinds offered: two, or seven with the maintenance switch.
    bool m_maintenance = false;
    int32_t m_sorterNum = 0;
    int m_priority = 0;   // index into the order kinds
    int m_sortFrame = 0;  // 0 disable, 1 enable
    uint32_t m_exOptions = 0;

    // The dwPriority of an order kind; an index outside the table passes as it is.
    static uint32_t PriorityOf(int kindIndex);

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    bool m_singleRow = false;
};

// The six dialogs that ask only for an order id; the template names the call.
class COrderIdDlg : public ui::Dialog {
public:
    explicit COrderIdDlg(int templateId);
    uint32_t m_orderId = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevGetPrintStatus": the print to ask about.
class CDevGetPrintStatusDlg : public ui::Dialog {
public:
    CDevGetPrintStatusDlg();
    int32_t m_printId = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevCancelPrintOrder": an order and one of its prints. The print id is
// that of the first selected print when it and the first unselected print
// both have ids other than 0; otherwise it is 0, which cancels the whole
// order: so 0 when no print or every print is selected, and also when either
// of those two prints has id 0.
class CDevCancelPrintOrderDlg : public ui::Dialog {
public:
    CDevCancelPrintOrderDlg();
    uint32_t m_orderId = 0;
    uint32_t m_printId = 0;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnOrderChanged(const NMHDR& header);
    LRESULT OnPrintChanged(const NMHDR& header);
    void ShowPrintsOfChosenOrder();
    void ChoosePrint();

    ui::ListView m_orders;
    ui::ListView m_prints;
};

// "vrxDevInterruptPrintOrder": an order not yet interrupted.
class CDevInterruptPrintOrderDlg : public ui::Dialog {
public:
    CDevInterruptPrintOrderDlg();
    uint32_t m_orderId = 0;

protected:
    BOOL OnInitDialog() override;

private:
    ui::ListView m_orders;
};

// "vrxDevStartRetransmission": an interrupted order and the order to resume it in.
class CDevStartRetransmissionDlg : public ui::Dialog {
public:
    CDevStartRetransmissionDlg();
    uint32_t m_suspendOrderId = 0;
    uint32_t m_resumeOrderId = 0;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    ui::ListView m_orders;
};

// "vrxDevPrint(Resend)": shows the prints of an order; only OK or Cancel matters.
class CDevResendDlg : public ui::Dialog {
public:
    CDevResendDlg();
    uint32_t m_orderId = 0;

protected:
    BOOL OnInitDialog() override;
};
