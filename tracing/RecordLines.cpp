#include "RecordLines.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "CodeNames.h"
#include "TraceFormat.h"

namespace vrx {
namespace {

constexpr ArrayStyle kNoArray = {"", "", ""};
constexpr ArrayStyle kSpaced = {"{ ", ",", " }"};
constexpr ArrayStyle kTight = {"{", ",", "}"};
constexpr ArrayStyle kRange = {"{ ", " - ", " }"};
constexpr ArrayStyle kMac = {"", "-", ""};

// One value, or one array of values, of record T standing on the given line.
#define VRX_FIELD(T, line, member, kind) \
    FieldDesc { #member, FieldKind::kind, offsetof(T, member), sizeof(T::member), 1, kNoArray, 0, line }
#define VRX_ARRAY(T, line, member, kind, style)                                                          \
    FieldDesc {                                                                                          \
        #member, FieldKind::kind, offsetof(T, member), sizeof(T::member[0]),                             \
            sizeof(T::member) / sizeof(T::member[0]), style, 0, line                                     \
    }

// Every field lies inside the bytes its record may read, on one of its lines,
// and the lines come in order: checked when the tables compile.
template <size_t F, size_t L>
constexpr bool WellFormed(const FieldDesc (&fields)[F], const LineDesc (&)[L], size_t size) {
    size_t line = 1;
    for (size_t i = 0; i < F; ++i) {
        const FieldDesc& f = fields[i];
        if (f.count == 0 || f.offset + f.size * f.count > size) return false;
        if (f.kind == FieldKind::StatusChange && f.newOffset + f.size > size) return false;
        if (f.line < line || f.line > L) return false;
        line = f.line;
    }
    return true;
}

}  // namespace

#define VRX_RECORD(name, bytes, lines, fields)                                                 \
    static_assert(WellFormed(fields, lines, bytes), "fields of " #name " leave their record"); \
    const RecordDesc name = {bytes, lines, std::size(lines), fields, std::size(fields)}

// --- Records of the information calls

constexpr LineDesc kPrinterInfoLines[] = {{"pPrinterInfo[", "]={ ", " }"}};
constexpr FieldDesc kPrinterInfoFields[] = {
    VRX_FIELD(VRXPRINTERINFO, 1, dwIPAddress, IpAddress),
    VRX_FIELD(VRXPRINTERINFO, 1, szMachineTypeName, Text),
    VRX_FIELD(VRXPRINTERINFO, 1, szSoftName, Text),
    VRX_FIELD(VRXPRINTERINFO, 1, szSerialNumber, Text),
    VRX_ARRAY(VRXPRINTERINFO, 1, wSupportResolutions, Unsigned, kSpaced),
    VRX_FIELD(VRXPRINTERINFO, 1, wVrxVersion, Hex16),
    VRX_ARRAY(VRXPRINTERINFO, 1, MacAddress, HexByte, kMac),
};
VRX_RECORD(kPrinterInfoRecord, sizeof(VRXPRINTERINFO), kPrinterInfoLines, kPrinterInfoFields);

constexpr LineDesc kUnitInfoLines[] = {{"pUnitInfo{ ", nullptr, " }"}};
constexpr FieldDesc kUnitInfoFields[] = {
    VRX_FIELD(VRXUNITINFO, 1, dwPrinterStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwAcceptStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwPrinterPossession, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwAdvanceStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwLaserStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwDevelopmentStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwProcessorStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwReplenisherStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwReplaceCartridgeStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwStartUpChecksStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwRefillWaterStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwDailySetupStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwControlStripStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwMaintenanceStatus, Unsigned),
    VRX_FIELD(VRXUNITINFO, 1, dwFadStatus, Unsigned),
};
VRX_RECORD(kUnitInfoRecord, sizeof(VRXUNITINFO), kUnitInfoLines, kUnitInfoFields);

constexpr LineDesc kMagInfoLines[] = {{"pMagInfo[", "]={ ", " }"}};
constexpr FieldDesc kMagInfoFields[] = {
    VRX_FIELD(VRXMAGINFO, 1, dwWidth, Unsigned),    VRX_FIELD(VRXMAGINFO, 1, dwSurface, Unsigned),
    VRX_FIELD(VRXMAGINFO, 1, dwRemain, Unsigned),   VRX_FIELD(VRXMAGINFO, 1, dwFeed, Unsigned),
    VRX_FIELD(VRXMAGINFO, 1, dwPresence, Unsigned), VRX_FIELD(VRXMAGINFO, 1, szName, Text),
};
VRX_RECORD(kMagInfoRecord, sizeof(VRXMAGINFO), kMagInfoLines, kMagInfoFields);

constexpr LineDesc kMagDetailInfoLines[] = {{"pMagDetailInfo[", "]={ ", " }"}};
constexpr FieldDesc kMagDetailInfoFields[] = {
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwWidth, Unsigned),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, dwLength, Unsigned, kRange),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwSurface, Unsigned),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, dwResolution, Unsigned, kSpaced),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, nAllocation, Signed, kSpaced),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwSetupStatus, Unsigned),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwFeed, Unsigned),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, nWBAdjust, Signed, kSpaced),
    VRX_FIELD(VRXMAGDETAILINFO, 1, szPaperName, Text),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wPaperTypeCode, Unsigned),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wDirection, Unsigned),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wPrintQuality, Unsigned),
    VRX_FIELD(VRXMAGDETAILINFO, 1, PaperTypeValid, Unsigned),
    VRX_FIELD(VRXMAGDETAILINFO, 1, PaperType, Unsigned),
};
VRX_RECORD(kMagDetailInfoRecord, sizeof(VRXMAGDETAILINFO), kMagDetailInfoLines, kMagDetailInfoFields);

constexpr LineDesc kSetUpInfoLines[] = {
    {"pSetUpInfo[1/7]{ ", nullptr, " }"}, {"pSetUpInfo[2/7]{ ", nullptr, " }"}, {"pSetUpInfo[3/7]{ ", nullptr, " }"},
    {"pSetUpInfo[4/7]{ ", nullptr, " }"}, {"pSetUpInfo[5/7]{ ", nullptr, " }"}, {"pSetUpInfo[6/7]{ ", nullptr, " }"},
    {"pSetUpInfo[7/7]{ ", nullptr, " }"},
};
constexpr FieldDesc kSetUpInfoFields[] = {
    VRX_FIELD(VRXSETUPINFO, 1, szMachineTypeName, Text),
    VRX_FIELD(VRXSETUPINFO, 1, szSoftName, Text),
    VRX_FIELD(VRXSETUPINFO, 1, szSerialNumber, Text),
    VRX_ARRAY(VRXSETUPINFO, 2, wSupportResolutions, Unsigned, kTight),
    VRX_FIELD(VRXSETUPINFO, 2, wVrxVersion, Hex16),
    VRX_FIELD(VRXSETUPINFO, 2, wMachineTypeID, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 2, dwTotalMemory, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMinWidth, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMinHeight, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMaxWidth, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMaxHeight, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 3, dwNumberOfMagazine, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 4, PrinterTime, TimeInfo),
    VRX_FIELD(VRXSETUPINFO, 4, dwRepeatCountMax, Unsigned),
    VRX_ARRAY(VRXSETUPINFO, 4, SupportImageFormat, Signed, kSpaced),
    VRX_FIELD(VRXSETUPINFO, 5, wLaminatorUnitAttach, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 5, InstallationDate, DateInfo),
    VRX_FIELD(VRXSETUPINFO, 5, OperationStartDate, DateInfo),
    VRX_FIELD(VRXSETUPINFO, 5, wProcessorType, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 5, wEmulsionNumber, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 6, szPrinterNickname, Text),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportAngle, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportIntoPrinter, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 6, wSorterStatus, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 6, wCvpStatus, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportPaperFitting, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportEdgeEnhancement, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportWithBorder, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, wMachinTypeForProfile, Unsigned),
    VRX_ARRAY(VRXSETUPINFO, 7, wPaperTypeCode, Unsigned, kSpaced),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportCMS, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, wSetupAlgorithm, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportDuplex, Unsigned),
    VRX_FIELD(VRXSETUPINFO, 7, dwFadAttachNo, Unsigned),
};
VRX_RECORD(kSetUpInfoRecord, sizeof(VRXSETUPINFO), kSetUpInfoLines, kSetUpInfoFields);

constexpr LineDesc kPrintNumInfoLines[] = {{"pPrintNumInfo={ ", nullptr, " }"}};
constexpr FieldDesc kPrintNumInfoFields[] = {
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwSdkReserver, Unsigned), VRX_FIELD(VRXPRINTNUMINFO, 1, dwFrmRatio, Unsigned),
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwReserver, Unsigned),    VRX_FIELD(VRXPRINTNUMINFO, 1, dwPrtNumber, Unsigned),
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwProNumber, Unsigned),   VRX_FIELD(VRXPRINTNUMINFO, 1, dwTotalCount, Unsigned),
};
VRX_RECORD(kPrintNumInfoRecord, sizeof(VRXPRINTNUMINFO), kPrintNumInfoLines, kPrintNumInfoFields);

constexpr LineDesc kPaperInfoLines[] = {{"pPaperInfo{ ", nullptr, " }"}};
constexpr FieldDesc kPaperInfoFields[] = {
    VRX_FIELD(VRXPAPERINFO, 1, dwWidth, Unsigned),
    VRX_FIELD(VRXPAPERINFO, 1, dwSurface, Unsigned),
    VRX_FIELD(VRXPAPERINFO, 1, dwFeed, Unsigned),
    VRX_FIELD(VRXPAPERINFO, 1, szPaperName, Text),
};
VRX_RECORD(kPaperInfoRecord, sizeof(VRXPAPERINFO), kPaperInfoLines, kPaperInfoFields);

// --- Records of the order and print calls

constexpr LineDesc kPrintInfoLines[] = {
    {"pPrintInfo[1/8]={ ", nullptr, " }"}, {"pPrintInfo[2/8]={ ", nullptr, " }"},
    {"pPrintInfo[3/8]={ ", nullptr, " }"}, {"pPrintInfo[4/8]={ ", nullptr, " }"},
    {"pPrintInfo[5/8]={ ", nullptr, " }"}, {"pPrintInfo[6/8]={ ", nullptr, " }"},
    {"pPrintInfo[7/8]={ ", nullptr, " }"}, {"pPrintInfo[8/8]={ ", nullptr, " }"},
};
constexpr FieldDesc kPrintInfoFields[] = {
    VRX_FIELD(VRXPRINTINFO, 1, dwImageFormat, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 1, dwColorSpace, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 1, dwSourceType, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 1, dwDataLength, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 1, pName, TextPointer),
    VRX_FIELD(VRXPRINTINFO, 1, dwOffset, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwImgWidth, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwImgHeight, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwResolution, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwPaperWidth, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwPaperLength, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 2, dwCvpPrintSize, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpInitialValue1, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpPoint1, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpInitialWidth1, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 3, szCvpLine1, Text),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpInitialValue2, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpPoint2, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpInitialWidth2, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 4, szCvpLine2, Text),
    VRX_FIELD(VRXPRINTINFO, 5, dwPrintNum, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 5, dwFeed, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 5, dwSurface, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 5, dwPaperPresence, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 5, nEspc, Signed),
    VRX_FIELD(VRXPRINTINFO, 5, wCMS, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 5, wAngle, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wPaperFitting, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wEdgeEnhancement, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderTop, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderBottom, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderLeft, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderRight, Unsigned),
    VRX_ARRAY(VRXPRINTINFO, 7, byWithBorderColor, Unsigned, kSpaced),  // bytes: 255, never -1
    VRX_FIELD(VRXPRINTINFO, 7, szPaperName, Text),
    VRX_FIELD(VRXPRINTINFO, 7, nPcfms, Signed),
    VRX_FIELD(VRXPRINTINFO, 7, wPrintQuality, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 7, byImageEnlargeType, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 8, wLoadingCount, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 8, wPrintedCount, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 8, dwEventId, Unsigned),
    VRX_FIELD(VRXPRINTINFO, 8, wEventCodeMain, Unsigned),
};
VRX_RECORD(kPrintInfoRecord, sizeof(VRXPRINTINFO), kPrintInfoLines, kPrintInfoFields);

constexpr LineDesc kBlankPrintInfoLines[] = {
    {"pBlankPrintInfo[1/2]={ ", nullptr, " }"},
    {"pBlankPrintInfo[2/2]={ ", nullptr, " }"},
};
constexpr FieldDesc kBlankPrintInfoFields[] = {
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwResolution, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperWidth, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperLength, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPrintNum, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwFeed, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwSurface, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperPresence, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, szPaperName, Text),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, dwClearInk, Unsigned),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, wPrintQuality, Unsigned),
};
VRX_RECORD(kBlankPrintInfoRecord, sizeof(VRXBLANKPRINTINFO), kBlankPrintInfoLines, kBlankPrintInfoFields);

constexpr LineDesc kInterruptOrderLines[] = {{"pInterruptOrderInfo[1/1]={ ", nullptr, " }"}};
constexpr FieldDesc kInterruptOrderFields[] = {
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wOrderState, Unsigned),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wMainSideState, Unsigned),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wBackSideState, Unsigned),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wPrintSide, Unsigned),
};
VRX_RECORD(kInterruptOrderRecord, sizeof(VRXINTERRUPTORDERINFO), kInterruptOrderLines, kInterruptOrderFields);

// --- Notification records

constexpr LineDesc kEventInfoLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kEventInfoFields[] = {
    VRX_FIELD(VRXEVENTINFO, 1, hPrinter, Hex32),
    VRX_FIELD(VRXEVENTINFO, 1, dwIPAddress, QuotedIpAddress),
    VRX_FIELD(VRXEVENTINFO, 1, dwErrHandle, Hex32),
    VRX_FIELD(VRXEVENTINFO, 1, sysTime, SystemTime),
    VRX_FIELD(VRXEVENTINFO, 1, dwErrCode, Unsigned),
    VRX_FIELD(VRXEVENTINFO, 1, dwOnOff, Unsigned),
    VRX_ARRAY(VRXEVENTINFO, 1, alParams, Signed, kSpaced),
    VRX_ARRAY(VRXEVENTINFO, 1, szStrings, Text, kSpaced),
};
VRX_RECORD(kEventInfoRecord, sizeof(VRXEVENTINFO), kEventInfoLines, kEventInfoFields);

// The line shows the change as old -> new: nPrevStatus (offset 14) first.
constexpr LineDesc kUnitStatusLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kUnitStatusFields[] = {
    VRX_FIELD(VRXUNITSTATUSINFO, 1, hPrinter, Hex32),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, dwIPAddress, IpAddress),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, wPortNo, Unsigned),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, lUnitId, UnitId),
    FieldDesc{"Status", FieldKind::StatusChange, offsetof(VRXUNITSTATUSINFO, nPrevStatus),
              sizeof(VRXUNITSTATUSINFO::nPrevStatus), 1, kNoArray, offsetof(VRXUNITSTATUSINFO, nStatus), 1},
};
VRX_RECORD(kUnitStatusRecord, sizeof(VRXUNITSTATUSINFO), kUnitStatusLines, kUnitStatusFields);

constexpr LineDesc kPrintCompletionLines[] = {
    {"dwCompletionCode=COMPLETION_PRINT(0), pCompletionInfo={ ", nullptr, " }"}};
constexpr FieldDesc kPrintCompletionFields[] = {
    VRX_FIELD(VRXCOMPLETIONINFO, 1, hPrinter, Hex32),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwIPAddress, IpAddress),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, sysTime, SystemTime),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwPrintId, Unsigned),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwStatus, CompletionStatus),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwFinishNum, Unsigned),
};
VRX_RECORD(kPrintCompletionRecord, VRX_PRINT_COMPLETION_SIZE, kPrintCompletionLines, kPrintCompletionFields);

// The order id in decimal here, unlike the order calls' hexadecimal.
constexpr LineDesc kOrderCompletionLines[] = {
    {"dwCompletionCode=COMPLETION_ORDER(3), pCompletionInfo={ ", nullptr, " }"}};
constexpr FieldDesc kOrderCompletionFields[] = {
    VRX_FIELD(VRXCOMPLETIONINFO, 1, hPrinter, Hex32),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwIPAddress, IpAddress),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, sysTime, SystemTime),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwOrderId, Unsigned),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwStatus, CompletionStatus),
};
VRX_RECORD(kOrderCompletionRecord, VRX_ORDER_COMPLETION_SIZE, kOrderCompletionLines, kOrderCompletionFields);

constexpr LineDesc kEventExInfoLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kEventExInfoFields[] = {
    VRX_FIELD(VRXEVENTEXINFO, 1, dwPrintId, Unsigned),
    VRX_FIELD(VRXEVENTEXINFO, 1, dwEventId, Unsigned),
    VRX_FIELD(VRXEVENTEXINFO, 1, wEventCodeMain, Unsigned),
};
VRX_RECORD(kEventExInfoRecord, sizeof(VRXEVENTEXINFO), kEventExInfoLines, kEventExInfoFields);

// --- The walker

namespace {

// Records may sit at any address and in buffers of exactly their size: read
// every value by copying its bytes.
template <class T>
T Read(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t ReadUnsigned(const unsigned char* at, size_t size) {
    switch (size) {
        case 1: return Read<uint8_t>(at);
        case 2: return Read<uint16_t>(at);
        default: return Read<uint32_t>(at);
    }
}

int32_t ReadSigned(const unsigned char* at, size_t size) {
    switch (size) {
        case 1: return Read<int8_t>(at);
        case 2: return Read<int16_t>(at);
        default: return Read<int32_t>(at);
    }
}

std::string TimeText(const unsigned char* at) {
    char text[96];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u",
                  Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwYear)), Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwMonth)),
                  Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwDay)), Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwHour)),
                  Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwMinute)),
                  Read<uint32_t>(at + offsetof(VRXTIMEINFO, dwSecond)));
    return text;
}

void AppendValue(std::string& out, FieldKind kind, const unsigned char* at, size_t size) {
    char text[96];
    switch (kind) {
        case FieldKind::Unsigned:
            std::snprintf(text, sizeof text, "%u", ReadUnsigned(at, size));
            break;
        case FieldKind::Signed:
            std::snprintf(text, sizeof text, "%d", ReadSigned(at, size));
            break;
        case FieldKind::Hex16:
            std::snprintf(text, sizeof text, "0x%04X", ReadUnsigned(at, size));
            break;
        case FieldKind::Hex32:
            std::snprintf(text, sizeof text, "0x%08X", ReadUnsigned(at, size));
            break;
        case FieldKind::HexByte:
            std::snprintf(text, sizeof text, "%02X", ReadUnsigned(at, size));
            break;
        case FieldKind::Text:
            out += '"';
            out += BoundedText(reinterpret_cast<const char*>(at), size);
            out += '"';
            return;
        case FieldKind::TextPointer:
            out += '"';
            out += TextOrNull(Read<const char*>(at));
            out += '"';
            return;
        case FieldKind::IpAddress:
            out += FormatIpAddress(ReadUnsigned(at, size));
            return;
        case FieldKind::QuotedIpAddress:
            out += '"';
            out += FormatIpAddress(ReadUnsigned(at, size));
            out += '"';
            return;
        case FieldKind::TimeInfo:
            out += TimeText(at);
            return;
        case FieldKind::DateInfo:
            std::snprintf(text, sizeof text, "%04u/%02u/%02u", Read<uint32_t>(at + offsetof(VRXDATEINFO, dwYear)),
                          Read<uint32_t>(at + offsetof(VRXDATEINFO, dwMonth)),
                          Read<uint32_t>(at + offsetof(VRXDATEINFO, dwDay)));
            break;
        case FieldKind::SystemTime:
            std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d",
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wYear)),
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wMonth)),
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wDay)),
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wHour)),
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wMinute)),
                          Read<uint16_t>(at + offsetof(VRXSYSTEMTIME, wSecond)));
            break;
        case FieldKind::UnitId:
            out += FormatUnitId(ReadUnsigned(at, size));
            return;
        case FieldKind::CompletionStatus:
            out += FormatCompletionStatus(ReadUnsigned(at, size));
            return;
        case FieldKind::StatusChange:
            return;  // two values: see AppendField
    }
    out += text;
}

void AppendField(std::string& out, const FieldDesc& field, const unsigned char* record) {
    out += field.name;
    out += '=';
    if (field.kind == FieldKind::StatusChange) {
        char text[48];
        std::snprintf(text, sizeof text, "{ %d -> %d }", ReadSigned(record + field.offset, field.size),
                      ReadSigned(record + field.newOffset, field.size));
        out += text;
        return;
    }
    if (field.count == 1) {
        AppendValue(out, field.kind, record + field.offset, field.size);
        return;
    }
    out += field.style.open;
    for (size_t i = 0; i < field.count; ++i) {
        if (i > 0) out += field.style.separator;
        AppendValue(out, field.kind, record + field.offset + i * field.size, field.size);
    }
    out += field.style.close;
}

}  // namespace

std::vector<std::string> FormatRecordLines(const RecordDesc& record, const void* data, int index) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<std::string> lines;
    lines.reserve(record.lineCount);
    size_t next = 0;
    for (size_t line = 1; line <= record.lineCount; ++line) {
        const LineDesc& desc = record.lines[line - 1];
        std::string text = desc.head;
        if (desc.indexTail) {
            text += std::to_string(index);
            text += desc.indexTail;
        }
        for (bool first = true; next < record.fieldCount && record.fields[next].line == line; ++next, first = false) {
            if (!first) text += ", ";
            AppendField(text, record.fields[next], bytes);
        }
        text += desc.tail;
        lines.push_back(std::move(text));
    }
    return lines;
}

std::string FormatTimeInfo(const VRXTIMEINFO& time) { return TimeText(reinterpret_cast<const unsigned char*>(&time)); }

}  // namespace vrx
