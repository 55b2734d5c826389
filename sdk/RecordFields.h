// Each record the console and the library share, described once, field by
// field: where it lies (pinned to the library's byte layout, checked when
// the tables compile), how it reads and on which trace line it stands. The
// tracer turns a record into its trace lines from these tables; the stand-in
// library writes its journal from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "VrxSdk.h"

namespace vrx {

enum class FieldKind : uint8_t {
    Unsigned,          // %u of a BYTE, WORD or DWORD
    Signed,            // %d of a signed 8-, 16- or 32-bit value
    Hex16,             // 0x%04X
    Hex32,             // 0x%08X (handles, error handles)
    HexByte,           // %02X
    Text,              // "..." bounded by the field's bytes
    TextPointer,       // "..." of a text the record points to; (null) for none
    IpAddress,         // 192,168,0,1
    QuotedIpAddress,   // "192,168,0,1"
    TimeInfo,          // VRXTIMEINFO: %04u/%02u/%02u %02u:%02u:%02u, no day of week
    DateInfo,          // VRXDATEINFO: %04u/%02u/%02u
    SystemTime,        // SYSTEMTIME: %04d/%02d/%02d %02d:%02d:%02d
    UnitId,            // name of a unit id
    CompletionStatus,  // name of a completion status
    StatusChange,      // { old -> new } from two SHORTs
};

// How the elements of an array field are framed: "{ 1,2 }", "{1,2}", "{ 1 - 2 }", "00-1A".
struct ArrayStyle {
    const char* open;
    const char* separator;
    const char* close;
};

struct FieldDesc {
    const char* name;
    FieldKind kind;
    size_t offset;  // StatusChange: the old status
    size_t size;    // bytes of one element
    size_t count;   // elements; 1 for a single value
    ArrayStyle style;
    size_t newOffset;  // StatusChange: the new status
    size_t line;       // 1-based line of its record
};

// A line reads head [index indexTail] field, field, ... tail.
struct LineDesc {
    const char* head;
    const char* indexTail;  // null when the line carries no record index
    const char* tail;
};

struct RecordDesc {
    size_t size;  // bytes the lines may read; also the stride of an array
    const LineDesc* lines;
    size_t lineCount;
    const FieldDesc* fields;
    size_t fieldCount;
};

// Records may sit at any address and in buffers of exactly their size: every
// value is read by copying its bytes.
template <class T>
T ReadAt(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}
// A BYTE, WORD or DWORD of `size` bytes, widened.
uint32_t ReadUnsigned(const unsigned char* at, size_t size);
int32_t ReadSigned(const unsigned char* at, size_t size);

// Records filled or taken by the calls.
extern const RecordDesc kPrinterInfoRecord;     // pPrinterInfo[%d]={ ... }
extern const RecordDesc kUnitInfoRecord;        // pUnitInfo{ ... }
extern const RecordDesc kMagInfoRecord;         // pMagInfo[%d]={ ... }
extern const RecordDesc kMagDetailInfoRecord;   // pMagDetailInfo[%d]={ ... }
extern const RecordDesc kSetUpInfoRecord;       // pSetUpInfo[1/7] to [7/7]
extern const RecordDesc kPrintNumInfoRecord;    // pPrintNumInfo={ ... }
extern const RecordDesc kPaperInfoRecord;       // pPaperInfo{ ... }, inside a call line
extern const RecordDesc kPrintInfoRecord;       // pPrintInfo[1/8] to [8/8]
extern const RecordDesc kBlankPrintInfoRecord;  // pBlankPrintInfo[1/2] and [2/2]
extern const RecordDesc kInterruptOrderRecord;  // pInterruptOrderInfo[1/1]

// Notification records, one line each.
extern const RecordDesc kEventInfoRecord;
extern const RecordDesc kUnitStatusRecord;
extern const RecordDesc kPrintCompletionRecord;  // code 0, 52 bytes
extern const RecordDesc kOrderCompletionRecord;  // code 3, 48 bytes
extern const RecordDesc kEventExInfoRecord;

}  // namespace vrx
