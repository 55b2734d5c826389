#include "OrderDialogs.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "DataExchange.h"
#include "resource.h"

namespace {

std::string IdText(uint32_t id) { return std::to_string(id); }

// The item a list view's change notification names; -1 when it names none.
int ChangedItem(const NMHDR& header) { return reinterpret_cast<const NMLISTVIEW&>(header).iItem; }

// Whatever changed in the named item, it becomes the chosen order.
LRESULT ChooseChangedOrder(const ui::ListView& list, const NMHDR& header, uint32_t& orderId) {
    const int item = ChangedItem(header);
    if (item >= 0) orderId = static_cast<uint32_t>(list.GetItemData(item));
    return 0;
}

bool Interrupted(const vrx::OrderEntry& order) { return order.status != vrx::OrderStatus::Started; }

}  // namespace

uint32_t ListOrdersInto(ui::ListView& list, const std::function<bool(const vrx::OrderEntry&)>& keep) {
    const vrx::OrderRegistry& registry = vrx::TheOrderRegistry();
    uint32_t first = 0;
    bool any = false;
    list.SetRedraw(false);
    for (int i = 0; i < registry.Count(); ++i) {
        const vrx::OrderEntry& order = *registry.At(i);
        if (!keep(order)) continue;
        list.InsertItem(list.GetItemCount(), IdText(order.dwOrderId), static_cast<LPARAM>(order.dwOrderId));
        if (!any) first = order.dwOrderId;
        any = true;
    }
    list.SetRedraw(true);
    return first;
}

void FillPrintList(ui::ListView& list, uint32_t orderId) {
    list.DeleteAllItems();
    const vrx::OrderEntry* order = vrx::TheOrderRegistry().Find(orderId);
    if (!order) return;
    list.SetRedraw(false);
    for (int i = 0; i < order->PrintCount(); ++i) {
        const uint32_t printId = order->PrintAt(i)->printId;
        list.InsertItem(list.GetItemCount(), IdText(printId), static_cast<LPARAM>(printId),
                        LVIS_SELECTED | LVIS_FOCUSED);
    }
    list.SetRedraw(true);
}

// --- Start order

namespace {

struct OrderKind {
    const char* entry;
    uint32_t priority;
};

// The first two always; the rest with the maintenance switch. Each entry
// starts with its own digit, so the sorted list keeps this order.
const OrderKind kOrderKinds[] = {
    {"0 : NORMAL", 0},
    {"1 : EXPRESS", 1},
    {"2:EXPRESS (M0)", 0xFFFFFFFC},
    {"3:EXPRESS (M1)", 0xFFFFFFFF},
    {"4:EXPRESS (M2)", 0xFFFFFFFE},
    {"5:CREDIT", 0xB0000001},
    {"6:SETTING", 0xA0000001},
};
constexpr int kPlainKinds = 2;

}  // namespace

CDevStartOrderDlg::CDevStartOrderDlg() : ui::Dialog(IDD_DEV_START_ORDER) {}

uint32_t CDevStartOrderDlg::PriorityOf(int kindIndex) {
    if (kindIndex >= 0 && kindIndex < static_cast<int>(std::size(kOrderKinds)))
        return kOrderKinds[kindIndex].priority;
    return static_cast<uint32_t>(kindIndex);
}

BOOL CDevStartOrderDlg::OnInitDialog() {
    ui::ComboBox kinds(Item(IDC_START_PRIORITY));
    const int offered = m_maintenance ? static_cast<int>(std::size(kOrderKinds)) : kPlainKinds;
    for (int i = 0; i < offered; ++i) kinds.AddString(kOrderKinds[i].entry);
    FillList(IDC_START_SORT_FRAME, {"0 : DISABLE", "1 : ENABLE"});
    m_singleRow = false;
    m_exOptions = 0;
    return ui::Dialog::OnInitDialog();
}

void CDevStartOrderDlg::Exchange(ui::DataExchange& dx) {
    dx.ComboIndex(IDC_START_PRIORITY, m_priority);
    dx.ComboIndex(IDC_START_SORT_FRAME, m_sortFrame);
    dx.Check(IDC_START_SINGLE_ROW, m_singleRow);
    if (dx.Saving()) m_exOptions = m_singleRow ? 1u : 0u;
    dx.Int(IDC_START_SORTER_NUM, m_sorterNum, 0, 1000);
}

// --- Order id, print status

COrderIdDlg::COrderIdDlg(int templateId) : ui::Dialog(templateId) {}

void COrderIdDlg::Exchange(ui::DataExchange& dx) { dx.UInt(IDC_ORDER_ID, m_orderId); }

CDevGetPrintStatusDlg::CDevGetPrintStatusDlg() : ui::Dialog(IDD_DEV_GET_PRINT_STATUS) {}

void CDevGetPrintStatusDlg::Exchange(ui::DataExchange& dx) { dx.Int(IDC_PRINT_STATUS_ID, m_printId, 0, 1000); }

// --- Pickers

CDevCancelPrintOrderDlg::CDevCancelPrintOrderDlg() : ui::Dialog(IDD_DEV_CANCEL_PRINT_ORDER) {
    RouteNotify(IDC_PICK_ORDERS, LVN_ITEMCHANGED, &CDevCancelPrintOrderDlg::OnOrderChanged);
    RouteNotify(IDC_PICK_PRINTS, LVN_ITEMCHANGED, &CDevCancelPrintOrderDlg::OnPrintChanged);
}

BOOL CDevCancelPrintOrderDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_orders.Attach(Item(IDC_PICK_ORDERS));
    m_prints.Attach(Item(IDC_PICK_PRINTS));
    m_orderId = ListOrdersInto(m_orders, [](const vrx::OrderEntry&) { return true; });
    ShowPrintsOfChosenOrder();
    return TRUE;
}

LRESULT CDevCancelPrintOrderDlg::OnOrderChanged(const NMHDR& header) {
    ChooseChangedOrder(m_orders, header, m_orderId);
    ShowPrintsOfChosenOrder();
    return 0;
}

LRESULT CDevCancelPrintOrderDlg::OnPrintChanged(const NMHDR&) {
    ChoosePrint();
    return 0;
}

void CDevCancelPrintOrderDlg::ShowPrintsOfChosenOrder() {
    FillPrintList(m_prints, m_orderId);
    ChoosePrint();
}

void CDevCancelPrintOrderDlg::ChoosePrint() {
    // The first item of each side counts whatever its id, 0 included: a print
    // the library numbered 0 is not passed over for a later one.
    uint32_t firstSelected = 0, firstUnselected = 0;
    bool selectedFound = false, unselectedFound = false;
    for (int i = 0; i < m_prints.GetItemCount(); ++i) {
        const bool selected = m_prints.IsSelected(i);
        bool& found = selected ? selectedFound : unselectedFound;
        if (found) continue;
        found = true;
        (selected ? firstSelected : firstUnselected) = static_cast<uint32_t>(m_prints.GetItemData(i));
    }
    m_printId = firstSelected != 0 && firstUnselected != 0 ? firstSelected : 0;
}

CDevInterruptPrintOrderDlg::CDevInterruptPrintOrderDlg() : ui::Dialog(IDD_DEV_INTERRUPT_PRINT_ORDER) {
    RouteNotify(IDC_PICK_ORDERS, LVN_ITEMCHANGED,
                [this](const NMHDR& header) { return ChooseChangedOrder(m_orders, header, m_orderId); });
}

BOOL CDevInterruptPrintOrderDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_orders.Attach(Item(IDC_PICK_ORDERS));
    m_orderId = ListOrdersInto(m_orders, [](const vrx::OrderEntry& order) { return !Interrupted(order); });
    return TRUE;
}

CDevStartRetransmissionDlg::CDevStartRetransmissionDlg() : ui::Dialog(IDD_DEV_START_RETRANSMISSION) {
    RouteNotify(IDC_PICK_SUSPENDED, LVN_ITEMCHANGED,
                [this](const NMHDR& header) { return ChooseChangedOrder(m_orders, header, m_suspendOrderId); });
}

BOOL CDevStartRetransmissionDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_orders.Attach(Item(IDC_PICK_SUSPENDED));
    m_suspendOrderId = ListOrdersInto(m_orders, Interrupted);
    return TRUE;
}

void CDevStartRetransmissionDlg::Exchange(ui::DataExchange& dx) { dx.UInt(IDC_RESUME_ORDER_ID, m_resumeOrderId); }

CDevResendDlg::CDevResendDlg() : ui::Dialog(IDD_DEV_RESEND) {}

BOOL CDevResendDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    ui::ListView prints(Item(IDC_PICK_PRINTS));
    FillPrintList(prints, m_orderId);
    return TRUE;
}
