#include "OrderRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vrx {

namespace {

// Formats through a local buffer: the source may lie inside the destination
// (an entry's own record handed back to SetPrintInfo).
void CopyText(char* dest, size_t size, const char* text) {
    char buffer[PrintEntry::kNameSize] = {};
    static_assert(PrintEntry::kColorCommandPathSize <= sizeof buffer, "buffer holds every text");
    std::snprintf(buffer, size, "%s", text ? text : "");
    std::memcpy(dest, buffer, size);
}

template <typename Entry>
Entry* ItemAt(const std::vector<std::unique_ptr<Entry>>& items, int index) {
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return nullptr;
    return items[static_cast<size_t>(index)].get();
}

template <typename Entry>
bool RemoveItem(std::vector<std::unique_ptr<Entry>>& items, const Entry* item) {
    auto it = std::find_if(items.begin(), items.end(), [item](const auto& p) { return p.get() == item; });
    if (item == nullptr || it == items.end()) return false;
    items.erase(it);
    return true;
}

PrintEntry* FindPrintIn(const std::vector<std::unique_ptr<PrintEntry>>& prints, uint32_t printId) {
    for (const auto& print : prints)
        if (print->printId == printId) return print.get();
    return nullptr;
}

}  // namespace

// ---- PrintEntry ----

PrintEntry::PrintEntry() { m_printInfo.pName = m_name; }

PrintEntry::PrintEntry(uint32_t orderId_, const VRXPRINTINFO& printInfo) : orderId(orderId_) {
    SetPrintInfo(printInfo);
}

// One copy routine: the copy assignment re-points pName at the copy's text.
PrintEntry::PrintEntry(const PrintEntry& other) { *this = other; }

PrintEntry& PrintEntry::operator=(const PrintEntry& other) {
    if (this == &other) return *this;
    orderId = other.orderId;
    printId = other.printId;
    mode = other.mode;
    priority = other.priority;
    done = other.done;
    m_printInfo = other.m_printInfo;
    std::memcpy(m_name, other.m_name, sizeof m_name);
    std::memcpy(m_colorCommandPath, other.m_colorCommandPath, sizeof m_colorCommandPath);
    m_printInfo.pName = m_name;
    return *this;
}

VRXPRINTINFO& PrintEntry::PrintInfo() {
    m_printInfo.pName = m_name;
    return m_printInfo;
}

void PrintEntry::SetPrintInfo(const VRXPRINTINFO& printInfo) {
    const char* name = printInfo.pName;  // read before the record is overwritten
    CopyText(m_name, sizeof m_name, name);
    if (&printInfo != &m_printInfo) m_printInfo = printInfo;
    m_printInfo.pName = m_name;
}

void PrintEntry::SetName(const char* name) {
    CopyText(m_name, sizeof m_name, name);
    m_printInfo.pName = m_name;
}

void PrintEntry::SetColorCommandPath(const char* path) {
    CopyText(m_colorCommandPath, sizeof m_colorCommandPath, path);
}

// ---- OrderEntry ----

OrderEntry::OrderEntry(uint32_t dwOrderId_, uint32_t dwPriority_, uint32_t dwSorterNum_, uint32_t dwSortFrame_,
                       uint32_t dwExOptions_)
    : dwOrderId(dwOrderId_),
      dwPriority(dwPriority_),
      dwSorterNum(dwSorterNum_),
      dwSortFrame(dwSortFrame_),
      dwExOptions(dwExOptions_) {}

OrderEntry::OrderEntry(const OrderEntry& other)
    : status(other.status),
      dwOrderId(other.dwOrderId),
      dwPriority(other.dwPriority),
      dwSorterNum(other.dwSorterNum),
      dwSortFrame(other.dwSortFrame),
      dwExOptions(other.dwExOptions),
      interruptInfo(other.interruptInfo) {
    m_prints.reserve(other.m_prints.size());
    for (const auto& print : other.m_prints) m_prints.push_back(std::make_unique<PrintEntry>(*print));
}

OrderEntry& OrderEntry::operator=(const OrderEntry& other) {
    if (this != &other) {
        OrderEntry copy(other);  // all or nothing if a print cannot be allocated
        *this = std::move(copy);
    }
    return *this;
}

PrintEntry* OrderEntry::AddPrint(const PrintEntry& print) {
    m_prints.push_back(std::make_unique<PrintEntry>(print));
    return m_prints.back().get();
}

int OrderEntry::PrintCount() const { return static_cast<int>(m_prints.size()); }

PrintEntry* OrderEntry::PrintAt(int index) { return ItemAt(m_prints, index); }
const PrintEntry* OrderEntry::PrintAt(int index) const { return ItemAt(m_prints, index); }

PrintEntry* OrderEntry::FindPrint(uint32_t printId) { return FindPrintIn(m_prints, printId); }
const PrintEntry* OrderEntry::FindPrint(uint32_t printId) const { return FindPrintIn(m_prints, printId); }

bool OrderEntry::RemovePrint(const PrintEntry* print) { return RemoveItem(m_prints, print); }

// ---- OrderRegistry ----

OrderEntry* OrderRegistry::Add(const OrderEntry& order) {
    m_orders.push_back(std::make_unique<OrderEntry>(order));
    return m_orders.back().get();
}

OrderEntry* OrderRegistry::Find(uint32_t orderId) {
    return const_cast<OrderEntry*>(static_cast<const OrderRegistry*>(this)->Find(orderId));
}

const OrderEntry* OrderRegistry::Find(uint32_t orderId) const {
    for (const auto& order : m_orders)
        if (order->dwOrderId == orderId) return order.get();
    return nullptr;
}

int OrderRegistry::Count() const { return static_cast<int>(m_orders.size()); }

OrderEntry* OrderRegistry::At(int index) { return ItemAt(m_orders, index); }
const OrderEntry* OrderRegistry::At(int index) const { return ItemAt(m_orders, index); }

bool OrderRegistry::Remove(const OrderEntry* order) { return RemoveItem(m_orders, order); }

void OrderRegistry::Clear() { m_orders.clear(); }

PrintEntry* OrderRegistry::FindPrint(uint32_t printId) {
    for (const auto& order : m_orders)
        if (PrintEntry* print = order->FindPrint(printId)) return print;
    return nullptr;
}

bool OrderRegistry::Holds(const OrderEntry* order) const {
    return std::any_of(m_orders.begin(), m_orders.end(), [order](const auto& p) { return p.get() == order; });
}

bool OrderRegistry::MovePrintsAndRemove(OrderEntry* from, OrderEntry* to) {
    if (from == to || !Holds(from) || !Holds(to)) return false;
    // Handing the owned prints over keeps each one's pName valid: the
    // entries themselves do not move in memory.
    to->m_prints.reserve(to->m_prints.size() + from->m_prints.size());
    for (auto& print : from->m_prints) {
        print->orderId = to->dwOrderId;
        to->m_prints.push_back(std::move(print));
    }
    from->m_prints.clear();
    return Remove(from);
}

OrderRegistry& TheOrderRegistry() {
    static OrderRegistry registry;
    return registry;
}

}  // namespace vrx
