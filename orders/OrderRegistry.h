// The orders started from this console and copies of the prints accepted for
// them: order pickers read it, completions mark prints done, re-send and
// retransmission submit the stored records again. Window thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "VrxSdk.h"

namespace vrx {

// How a print was submitted.
enum class PrintMode : uint32_t { Plain = 0, ColourCommand = 1 };

// One accepted print: the record as submitted, holding its own name text, so
// the record can be handed to vrxDevPrint again long after the caller's
// buffers are gone. The record's pName always points at this entry's Name().
// There is no separate move: moving a PrintEntry copies it (1.5 KB of values,
// no heap), which keeps pName pointing into the right object.
class PrintEntry {
public:
    static constexpr size_t kNameSize = 512;
    static constexpr size_t kColorCommandPathSize = 260;

    PrintEntry();
    // Copies the record and the text its pName points at ("%s", cut to 511
    // characters); a null pName gives an empty name. Print id 0, not done.
    PrintEntry(uint32_t orderId, const VRXPRINTINFO& printInfo);
    PrintEntry(const PrintEntry& other);
    PrintEntry& operator=(const PrintEntry& other);
    ~PrintEntry() = default;

    // The record; completions update its counts and event fields in place,
    // vrxDevPrint gets its address. The non-const form re-points pName first,
    // so a caller who assigned a whole record through it cannot leave pName
    // pointing elsewhere for the next submission.
    VRXPRINTINFO& PrintInfo();
    const VRXPRINTINFO& PrintInfo() const { return m_printInfo; }
    // Replaces the record and the name text (taken from printInfo.pName).
    void SetPrintInfo(const VRXPRINTINFO& printInfo);

    const char* Name() const { return m_name; }
    void SetName(const char* name);  // null: empty; cut to 511 characters

    const char* ColorCommandPath() const { return m_colorCommandPath; }
    void SetColorCommandPath(const char* path);  // null: empty; cut to 259

    uint32_t orderId = 0;
    uint32_t printId = 0;  // written by vrxDevPrint through its pPrintID
    PrintMode mode = PrintMode::Plain;
    uint16_t priority = 0;  // colour-command priority
    bool done = false;      // set once a completion reports the print finished

private:
    VRXPRINTINFO m_printInfo{};
    char m_name[kNameSize] = {};
    char m_colorCommandPath[kColorCommandPathSize] = {};
};

// Where an order stands: an interrupted one waits for its retransmission.
enum class OrderStatus : uint32_t { Started = 0, Interrupted = 1 };

// One order started from the console and the prints accepted for it, in
// submission order. Copies are deep; moves hand the prints over whole.
class OrderEntry {
public:
    OrderEntry() = default;
    OrderEntry(uint32_t dwOrderId, uint32_t dwPriority, uint32_t dwSorterNum, uint32_t dwSortFrame,
               uint32_t dwExOptions);
    OrderEntry(const OrderEntry& other);
    OrderEntry& operator=(const OrderEntry& other);
    OrderEntry(OrderEntry&&) noexcept = default;
    OrderEntry& operator=(OrderEntry&&) noexcept = default;
    ~OrderEntry() = default;

    // Appends a copy and returns it.
    PrintEntry* AddPrint(const PrintEntry& print);
    int PrintCount() const;
    // None when index is negative or not below PrintCount().
    PrintEntry* PrintAt(int index);
    const PrintEntry* PrintAt(int index) const;
    // The first print with that id, or none.
    PrintEntry* FindPrint(uint32_t printId);
    const PrintEntry* FindPrint(uint32_t printId) const;
    // Removes and deletes that print (by identity); false when not held.
    bool RemovePrint(const PrintEntry* print);

    OrderStatus status = OrderStatus::Started;
    uint32_t dwOrderId = 0;
    uint32_t dwPriority = 0;
    uint32_t dwSorterNum = 0;
    uint32_t dwSortFrame = 0;
    uint32_t dwExOptions = 0;
    VRXINTERRUPTORDERINFO interruptInfo{};  // given back to vrxDevStartRetransmission

private:
    friend class OrderRegistry;
    std::vector<std::unique_ptr<PrintEntry>> m_prints;
};

// The orders in insertion order. Entries are owned here; callers hand in
// copies and must not keep pointers across a call that may remove entries.
class OrderRegistry {
public:
    OrderRegistry() = default;
    OrderRegistry(const OrderRegistry&) = delete;
    OrderRegistry& operator=(const OrderRegistry&) = delete;

    // Appends a deep copy and returns it.
    OrderEntry* Add(const OrderEntry& order);
    // The first order added with that id, or none.
    OrderEntry* Find(uint32_t orderId);
    const OrderEntry* Find(uint32_t orderId) const;
    int Count() const;
    // None when index is negative or not below Count().
    OrderEntry* At(int index);
    const OrderEntry* At(int index) const;
    // Removes and deletes that order (by identity); false when not held.
    bool Remove(const OrderEntry* order);
    void Clear();

    // The first print with that id, orders searched in order: the search
    // stops at the first order that holds one. None when no order does.
    PrintEntry* FindPrint(uint32_t printId);

    // Retransmission start: moves every print of `from`, first to last, to
    // the end of `to` with to's order id, then removes and deletes `from`.
    // Refuses (false, nothing changed) when either is not held here or both
    // are the same order, which would otherwise never finish.
    bool MovePrintsAndRemove(OrderEntry* from, OrderEntry* to);

private:
    bool Holds(const OrderEntry* order) const;

    std::vector<std::unique_ptr<OrderEntry>> m_orders;
};

// The console's registry. It is destroyed normally at process exit; only the
// window thread touches it and that thread is gone by then.
OrderRegistry& TheOrderRegistry();

}  // namespace vrx
