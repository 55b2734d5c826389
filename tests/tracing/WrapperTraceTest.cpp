// Every tracing wrapper against the fake library: the exact lines (kept in
// WrapperLines.txt), where the call falls among them, the arguments passed
// through and the result handed back. Buffers sit on the heap at their exact size, so the sanitizers see
// any read past a record.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <type_traits>

#include "SdkCallInFlight.h"
#include "TraceTestSupport.h"

namespace {

using tracetest::Bytes;
using tracetest::Harness;
using tracetest::OnCompletion;
using tracetest::OnEvent;
using tracetest::OnEventEx;
using tracetest::OnNotice;
using tracetest::OnReply;
using tracetest::OnUnit;
using vrx::SdkCallTracer;

constexpr HVRXPRINTER kH = 0x00A40000;
constexpr uint32_t kIp = 0x0100A8C0;  // 192.168.0.1

struct WrapperCase {
    std::string title;
    std::function<uint32_t(Harness&)> run;  // sets up the fake, calls one wrapper
    std::function<void(Harness&)> check = nullptr;
};

fake::Sdk& Fake() { return fake::State(); }

template <size_t N>
void Text(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.data(), std::min(N, text.size()));
}

VRXMAGINFO Mag(uint32_t width, const std::string& name) {
    VRXMAGINFO m{};
    m.dwWidth = width;
    m.dwSurface = 1;
    m.dwRemain = 50;
    m.dwFeed = 1;
    m.dwPresence = 1;
    Text(m.szName, name);
    return m;
}

VRXTIMEINFO Time(uint32_t y, uint32_t mo, uint32_t d, uint32_t dow, uint32_t h, uint32_t mi, uint32_t s) {
    return VRXTIMEINFO{y, mo, d, dow, h, mi, s};
}

VRXSETUPINFO FullSetUp() {
    VRXSETUPINFO s{};
    Text(s.szMachineTypeName, "QX-7");
    Text(s.szSoftName, "Soft 2.10");
    Text(s.szSerialNumber, "SN-42");
    s.wSupportResolutions[0] = 300;
    s.wSupportResolutions[1] = 600;
    s.wVrxVersion = 0x0203;
    s.wMachineTypeID = 17;
    s.dwTotalMemory = 1048576;
    s.dwImageSizeMinWidth = 100;
    s.dwImageSizeMinHeight = 200;
    s.dwImageSizeMaxWidth = 3000;
    s.dwImageSizeMaxHeight = 4000;
    s.dwNumberOfMagazine = 2;
    std::memset(s.byReserved1, 0xEE, sizeof s.byReserved1);
    s.PrinterTime = Time(2024, 2, 29, 4, 13, 5, 9);
    s.dwRepeatCountMax = 99;
    const int8_t formats[16] = {1, 2, 3, 4, 5, 6, -1, -1, 0, 0, 0, 0, 0, 0, 0, -128};
    std::memcpy(s.SupportImageFormat, formats, sizeof formats);
    s.wLaminatorUnitAttach = 1;
    s.InstallationDate = VRXDATEINFO{2019, 4, 1, 77};
    s.OperationStartDate = VRXDATEINFO{2019, 5, 7, 77};
    s.wProcessorType = 3;
    s.wEmulsionNumber = 812;
    Text(s.szPrinterNickname, "Front desk");
    s.wSupportAngle = 1;
    s.wSorterStatus = 2;
    s.wCvpStatus = 1;
    s.wSupportPaperFitting = 1;
    s.wSupportEdgeEnhancement = 1;
    s.wSupportWithBorder = 1;
    s.wMachinTypeForProfile = 7;
    for (uint16_t i = 0; i < 6; ++i) s.wPaperTypeCode[i] = i + 1;
    s.wSupportCMS = 1;
    s.wSetupAlgorithm = 2;
    s.dwFadAttachNo = 3;
    return s;
}

VRXPRINTINFO FullPrint() {
    static const char name[] = "img\\a.jpg";
    VRXPRINTINFO p{};
    p.dwImageFormat = 1;
    p.dwSourceType = 1;
    p.dwDataLength = 123456;
    p.pName = name;
    p.dwImgWidth = 1800;
    p.dwImgHeight = 1200;
    p.dwResolution = 300;
    p.dwPaperWidth = 1524;
    p.dwPaperLength = 1016;
    p.dwCvpInitialValue1 = 1;
    p.dwCvpPoint1 = 2;
    p.dwCvpInitialWidth1 = 3;
    p.dwCvpInitialValue2 = 4;
    p.dwCvpPoint2 = 5;
    p.dwCvpInitialWidth2 = 6;
    Text(p.szCvpLine2, "Back print");
    p.dwPrintNum = 2;
    p.dwFeed = 1;
    p.dwSurface = 3;
    p.nEspc = -3;
    p.wCMS = 1;
    p.wAngle = 90;
    p.wPaperFitting = 1;
    p.wEdgeEnhancement = 2;
    p.wWithBorderTop = 10;
    p.wWithBorderBottom = 11;
    p.wWithBorderLeft = 12;
    p.wWithBorderRight = 13;
    p.byWithBorderColor[0] = 255;
    p.byWithBorderColor[1] = 128;
    Text(p.szPaperName, "Glossy 6x4");
    p.nPcfms = -1;
    p.wPrintQuality = 2;
    p.byImageEnlargeType = 1;
    p.wLoadingCount = 5;
    p.wPrintedCount = 4;
    p.dwEventId = 77;
    p.wEventCodeMain = 513;
    return p;
}

// A wrapper of the plain "hPrinter" shape.
WrapperCase HandleCase(uint32_t (SdkCallTracer::*wrapper)(HVRXPRINTER), const std::string& name, HVRXPRINTER h,
                       uint32_t result, const std::string& resultText) {
    return {name + " returns " + resultText, [=](Harness& hs) {
                Fake().result = result;
                return hs.Call(wrapper, h);
            }};
}

// A wrapper of the "hPrinter, dwOrderId" shape, for order 26.
WrapperCase OrderCase(uint32_t (SdkCallTracer::*wrapper)(HVRXPRINTER, uint32_t), const std::string& name) {
    return {name + " shows the order id in hexadecimal", [=](Harness& h) { return h.Call(wrapper, kH, 26u); }};
}

std::vector<WrapperCase> LibraryAndInformationCases() {
    std::vector<WrapperCase> cases = {
        {"vrxLibOpen frames the library with 80 hyphens before its call line",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxLibOpen, "VrxClient\\sdk.log"); }},
        {"vrxLibOpen with logging off shows (null) between the quotes",
         [](Harness& h) {
             Fake().result = VRXERR_SYSERR;
             return h.Call(&SdkCallTracer::vrxLibOpen, nullptr);
         }},
        {"vrxLibClose has an empty message and 80 hyphens after its return line",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxLibClose); }},
        {"vrxGetVrxVersion shows the pointer in decimal and zeroes the word a failed call leaves",
         [](Harness& h) {
             uint16_t* version = h.Buffer<uint16_t>("version");
             *version = 0xBEEF;
             Fake().result = VRXERR_BADPARAM;
             return h.Call(&SdkCallTracer::vrxGetVrxVersion, version);
         },
         [](Harness& h) {
             EXPECT_EQ(0, *h.At<uint16_t>("version"));
             EXPECT_EQ(std::vector<unsigned char>(2, 0), Fake().calls[0].input);
         }},
        {"vrxGetVrxVersion leaves the library's version in place",
         [](Harness& h) {
             Fake().word = 0x0203;
             return h.Call(&SdkCallTracer::vrxGetVrxVersion, h.Buffer<uint16_t>("version"));
         },
         [](Harness& h) { EXPECT_EQ(0x0203, *h.At<uint16_t>("version")); }},
        {"vrxSetCompletionProcMode shows the mode in hexadecimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxSetCompletionProcMode, 0x10u); }},
        {"vrxSearchPrinter shows the count the library found",
         [](Harness& h) {
             Fake().word = 3;
             return h.Call(&SdkCallTracer::vrxSearchPrinter, h.Buffer<uint16_t>("num"), 3000u);
         }},
        {"vrxSearchPrinter2 that times out shows the caller's count",
         [](Harness& h) {
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxSearchPrinter2, h.Buffer<uint16_t>("num"), 500u);
         }},
        {"vrxGetPrinter shows every record; full text fields stop at their end",
         [](Harness& h) {
             std::vector<VRXPRINTERINFO> printers(2);
             VRXPRINTERINFO& a = printers[0];
             a.dwIPAddress = kIp;
             Text(a.szMachineTypeName, "QX-7");
             Text(a.szSoftName, "SoftA 1.2");
             Text(a.szSerialNumber, "SN0001");
             const uint16_t resolutions[8] = {300, 600, 1200, 0, 0, 0, 0, 65535};
             std::memcpy(a.wSupportResolutions, resolutions, sizeof resolutions);
             a.wVrxVersion = 0x01A2;
             const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
             std::memcpy(a.MacAddress, mac, sizeof mac);
             VRXPRINTERINFO& b = printers[1];
             b.dwIPAddress = 0x0A00000A;
             Text(b.szMachineTypeName, std::string(20, 'M'));
             Text(b.szSoftName, std::string(20, 'S'));
             Text(b.szSerialNumber, std::string(20, 'N'));
             for (uint16_t i = 0; i < 8; ++i) b.wSupportResolutions[i] = i + 1;
             std::memset(b.MacAddress, 0xFF, sizeof b.MacAddress);
             std::memset(b.byReserved, 'R', sizeof b.byReserved);
             Fake().fill = Bytes(printers);
             return h.Call(&SdkCallTracer::vrxGetPrinter, 2, h.Buffer<VRXPRINTERINFO>("printers", 2));
         }},
        {"vrxGetPrinter shows all records it was given room for, whatever the result",
         [](Harness& h) {
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxGetPrinter, 1, h.Buffer<VRXPRINTERINFO>("printers", 1));
         }},
        {"vrxGetPrinter with no room and no buffer shows no record",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxGetPrinter, 0, nullptr); }},
        {"vrxDevOpen frames the printer with 40 hyphens and shows its callbacks",
         [](Harness& h) {
             Fake().dwords = {kH};
             return h.Call(&SdkCallTracer::vrxDevOpen, kIp, h.Buffer<HVRXPRINTER>("handle"), &OnEvent, &OnUnit);
         }},
        {"vrxDevClose writes 40 hyphens after its return line",
         [](Harness& h) {
             Fake().result = VRXERR_REJECT2;
             return h.Call(&SdkCallTracer::vrxDevClose, kH);
         }},
        HandleCase(&SdkCallTracer::vrxDevCloseCheck, "vrxDevCloseCheck", kH, 2, "UNKNOWN(2)"),
        HandleCase(&SdkCallTracer::vrxDevIsReady, "vrxDevIsReady", 0xFFFFFFFF, 0, "UNKNOWN(0)"),
        HandleCase(&SdkCallTracer::vrxDevOccupyCheck, "vrxDevOccupyCheck", kH, 0xFFFFFFFF, "UNKNOWN(-1)"),
        HandleCase(&SdkCallTracer::vrxDevAdjustForPrint, "vrxDevAdjustForPrint", 1, 15, "VRXERR_REMAINING_DATA"),
        HandleCase(&SdkCallTracer::vrxDevCancelPrintAll, "vrxDevCancelPrintAll", kH, 10, "VRXERR_REJECT3"),
        {"vrxDevGetUnitInfo shows its fifteen statuses in order",
         [](Harness& h) {
             VRXUNITINFO unit{};
             const uint32_t values[15] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 4294967295u};
             std::memcpy(&unit, values, sizeof values);
             Fake().fill = Bytes(unit);
             return h.Call(&SdkCallTracer::vrxDevGetUnitInfo, kH, h.Buffer<VRXUNITINFO>("unit"));
         }},
        {"a failed vrxDevGetUnitInfo still shows the zero-filled record",
         [](Harness& h) {
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxDevGetUnitInfo, kH, h.Buffer<VRXUNITINFO>("unit"));
         }},
    };
    return cases;
}

// The magazine query with room for two records (168 bytes) and the byte
// count the library leaves.
WrapperCase MagCase(const std::string& title, uint32_t left, std::vector<VRXMAGINFO> filled) {
    return {title, [=](Harness& h) {
                Fake().size = left;
                Fake().fill = Bytes(filled);
                uint32_t* size = h.Buffer<uint32_t>("size");
                *size = 168;
                return h.Call(&SdkCallTracer::vrxDevGetMagInfo, kH, h.Buffer<VRXMAGINFO>("mags", 2), size);
            }};
}

std::vector<WrapperCase> MagazineAndDeviceCases() {
    std::vector<WrapperCase> cases = {
        MagCase("vrxDevGetMagInfo filling one of two records", 84, {Mag(127, "A")}),
        MagCase("vrxDevGetMagInfo leaving 100 bytes shows one record", 100, {Mag(127, "A"), Mag(152, "B")}),
        MagCase("vrxDevGetMagInfo leaving 0 bytes shows none", 0, {}),
        MagCase("vrxDevGetMagInfo claiming more than the buffer stops at its end", 336,
                {Mag(127, "A"), Mag(152, std::string(64, 'N')), Mag(1, "C"), Mag(2, "D")}),
        {"vrxDevGetMagInfo without a size pointer reads nothing",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevGetMagInfo, kH, h.Buffer<VRXMAGINFO>("mags"), nullptr); }},
        {"vrxDevGetAllMagInfo shows signed arrays and a plain return line",
         [](Harness& h) {
             VRXMAGDETAILINFO d{};
             d.dwWidth = 152;
             d.dwLength[0] = 102;
             d.dwLength[1] = 305;
             d.dwSurface = 2;
             d.dwResolution[0] = 300;
             d.dwResolution[1] = 600;
             d.dwResolution[7] = 1200;
             const int16_t allocation[4] = {-1, 2, -32768, 32767};
             std::memcpy(d.nAllocation, allocation, sizeof allocation);
             d.dwSetupStatus = 1;
             d.nWBAdjust[0] = -5;
             d.nWBAdjust[1] = 5;
             Text(d.szPaperName, "Lustre");
             d.wPaperTypeCode = 12;
             d.wDirection = 1;
             d.wPrintQuality = 2;
             d.PaperTypeValid = 1;
             d.PaperType = 255;
             Fake().fill = Bytes(d);
             Fake().size = 140;
             uint32_t* size = h.Buffer<uint32_t>("size");
             *size = 280;
             return h.Call(&SdkCallTracer::vrxDevGetAllMagInfo, kH, h.Buffer<VRXMAGDETAILINFO>("details", 2), size);
         }},
        {"vrxDevGetAllMagInfo claiming more than the buffer stops at its end",
         [](Harness& h) {
             VRXMAGDETAILINFO d{};
             Text(d.szPaperName, std::string(32, 'P'));
             d.wPaperTypeCode = 0x41;
             Fake().fill = Bytes(d);
             Fake().size = 1400;
             uint32_t* size = h.Buffer<uint32_t>("size");
             *size = 140;
             return h.Call(&SdkCallTracer::vrxDevGetAllMagInfo, kH, h.Buffer<VRXMAGDETAILINFO>("details"), size);
         }},
        {"vrxDevGetSetUpInfo shows its seven lines",
         [](Harness& h) {
             Fake().fill = Bytes(FullSetUp());
             return h.Call(&SdkCallTracer::vrxDevGetSetUpInfo, kH, h.Buffer<VRXSETUPINFO>("setup"));
         }},
        {"a failed vrxDevGetSetUpInfo still shows all seven lines",
         [](Harness& h) {
             Fake().result = VRXERR_SYSERR;
             VRXSETUPINFO s{};
             Text(s.szMachineTypeName, std::string(20, 'M'));
             Text(s.szSoftName, std::string(20, 'S'));
             Text(s.szSerialNumber, std::string(20, 'N'));
             s.wSupportResolutions[0] = 300;
             Text(s.szPrinterNickname, std::string(14, 'K'));
             s.wSupportAngle = 1;
             Fake().fill = Bytes(s);
             return h.Call(&SdkCallTracer::vrxDevGetSetUpInfo, kH, h.Buffer<VRXSETUPINFO>("setup"));
         }},
        {"vrxDevGetPrintNumInfo shows its six counters",
         [](Harness& h) {
             VRXPRINTNUMINFO n{1, 2, 3, 4, 5, 4294967295u, {}};
             std::memset(n.byReserved, 0xEE, sizeof n.byReserved);
             Fake().fill = Bytes(n);
             return h.Call(&SdkCallTracer::vrxDevGetPrintNumInfo, kH, h.Buffer<VRXPRINTNUMINFO>("counters"));
         }},
        {"vrxDevSetTime shows the clock but never the day of the week",
         [](Harness& h) {
             VRXTIMEINFO* time = h.Buffer<VRXTIMEINFO>("time");
             *time = Time(2024, 2, 29, 4, 13, 5, 9);
             return h.Call(&SdkCallTracer::vrxDevSetTime, kH, time);
         },
         [](Harness& h) { EXPECT_EQ(Bytes(Time(2024, 2, 29, 4, 13, 5, 9)), Fake().calls[0].input); }},
        {"vrxDevGetTime shows the clock the library returns",
         [](Harness& h) {
             Fake().fill = Bytes(Time(2025, 1, 2, 4, 3, 4, 5));
             return h.Call(&SdkCallTracer::vrxDevGetTime, kH, h.Buffer<VRXTIMEINFO>("time"));
         }},
        {"a failed vrxDevGetTime shows zeros, not what the caller's memory held",
         [](Harness& h) {
             VRXTIMEINFO* time = h.Buffer<VRXTIMEINFO>("time");
             std::memset(time, 0xCD, sizeof *time);
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxDevGetTime, kH, time);
         },
         [](Harness& h) { EXPECT_EQ(std::vector<unsigned char>(sizeof(VRXTIMEINFO), 0), Fake().calls[0].input); }},
        {"vrxDevGetProfile shows the paper record in its call line",
         [](Harness& h) {
             VRXPAPERINFO* paper = h.Buffer<VRXPAPERINFO>("paper");
             paper->dwWidth = 127;
             paper->dwSurface = 1;
             Text(paper->szPaperName, "Glossy");
             return h.Call(&SdkCallTracer::vrxDevGetProfile, kH, "prof\\qx7.icc", paper);
         }},
        {"vrxDevGetProfile with a name filling the record to its end",
         [](Harness& h) {
             VRXPAPERINFO* paper = h.Buffer<VRXPAPERINFO>("paper");
             Text(paper->szPaperName, std::string(64, 'G'));
             return h.Call(&SdkCallTracer::vrxDevGetProfile, kH, nullptr, paper);
         }},
        {"vrxDevResetEvent shows the error handle and action in decimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevResetEvent, kH, 0x55u, 2u); }},
        {"vrxDevCtrlPrint",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevCtrlPrint, kH, 3u); }},
        {"vrxDevGetTransmitTime shows the print id and time, not the order id",
         [](Harness& h) {
             Fake().dwords = {7, 42, 1500};
             return h.Call(&SdkCallTracer::vrxDevGetTransmitTime, kH, h.Buffer<uint32_t>("order"),
                           h.Buffer<uint32_t>("print"), h.Buffer<uint32_t>("time"));
         }},
        {"vrxDevVrxCommand1 shows its words in hexadecimal and the length received",
         [](Harness& h) {
             uint16_t* length = h.Buffer<uint16_t>("length");
             *length = 0xFFFF;
             Fake().word = 12;
             return h.Call(&SdkCallTracer::vrxDevVrxCommand1, kH, 0x6000, 0x0100, 4,
                           h.Buffer<unsigned char>("send", 4), 0x0101, length,
                           h.Buffer<unsigned char>("receive", 65536), 30000u);
         }},
        {"vrxDevVrxCommand2 shows its reply callback",
         [](Harness& h) {
             uint16_t* length = h.Buffer<uint16_t>("length");
             *length = 0xFFFF;
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxDevVrxCommand2, kH, 0x6000, 0x0100, 4,
                           h.Buffer<unsigned char>("send", 4), 0x0101, length, &OnReply, 30000u);
         }},
        {"vrxDevVrxNotice",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevVrxNotice, kH, 0x6000, 0x0200, &OnNotice); }},
        {"vrxDevVrxNoticeEventProcEx",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevVrxNoticeEventProcEx, kH, &OnEventEx); }},
    };
    return cases;
}

std::vector<WrapperCase> OrderAndPrintCases() {
    const std::string longKey(3000, 'K');
    std::vector<WrapperCase> cases = {
        {"vrxDevStartOrderEx shows -4 as unsigned and the order id in hexadecimal",
         [](Harness& h) {
             Fake().dwords = {26};
             return h.Call(&SdkCallTracer::vrxDevStartOrderEx, kH, h.Buffer<uint32_t>("order"), &OnCompletion,
                           static_cast<uint32_t>(-4), 1u, 2u, 0u);
         }},
        OrderCase(&SdkCallTracer::vrxDevEndOrder, "vrxDevEndOrder"),
        OrderCase(&SdkCallTracer::vrxDevSort, "vrxDevSort"),
        OrderCase(&SdkCallTracer::vrxDevExpressOrder, "vrxDevExpressOrder"),
        OrderCase(&SdkCallTracer::vrxDevStartDuplex, "vrxDevStartDuplex"),
        OrderCase(&SdkCallTracer::vrxDevEndDuplex, "vrxDevEndDuplex"),
        OrderCase(&SdkCallTracer::vrxDevEndRetransmission, "vrxDevEndRetransmission"),
        {"vrxDevPrint writes its eight record lines before the call",
         [](Harness& h) {
             VRXPRINTINFO* print = h.Buffer<VRXPRINTINFO>("print");
             *print = FullPrint();
             Fake().dwords = {9};
             return h.Call(&SdkCallTracer::vrxDevPrint, kH, 26u, h.Buffer<uint32_t>("id"), &OnCompletion, print);
         },
         [](Harness& h) { EXPECT_EQ(Bytes(FullPrint()), Fake().calls[0].input); }},
        {"a failed vrxDevPrint with full text fields and no image name",
         [](Harness& h) {
             VRXPRINTINFO* print = h.Buffer<VRXPRINTINFO>("print");
             Text(print->szCvpLine1, std::string(256, 'L'));
             print->dwCvpInitialValue2 = 0x41;
             Text(print->szCvpLine2, std::string(256, 'M'));
             print->dwPrintNum = 0x42;
             Text(print->szPaperName, std::string(33, 'P'));
             print->nPcfms = -1;
             Fake().result = VRXERR_BADPARAM;
             return h.Call(&SdkCallTracer::vrxDevPrint, kH, 26u, h.Buffer<uint32_t>("id"), &OnCompletion, print);
         }},
        {"vrxDevBlankPrint writes its two record lines before the call",
         [](Harness& h) {
             VRXBLANKPRINTINFO* blank = h.Buffer<VRXBLANKPRINTINFO>("blank");
             blank->dwResolution = 3000;
             blank->dwPaperWidth = 1270;
             blank->dwPaperLength = 890;
             blank->dwPrintNum = 1;
             blank->dwSurface = 1;
             Text(blank->szPaperName, "Matte");
             blank->dwClearInk = 1;
             blank->wPrintQuality = 2;
             Fake().dwords = {10};
             return h.Call(&SdkCallTracer::vrxDevBlankPrint, kH, 26u, h.Buffer<uint32_t>("id"), &OnCompletion, blank);
         }},
        {"vrxDevCancelPrintOrder shows the print id in decimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevCancelPrintOrder, kH, 26u, 7u); }},
        {"vrxDevGetPrintStatus shows the status after the call",
         [](Harness& h) {
             Fake().dwords = {3};
             return h.Call(&SdkCallTracer::vrxDevGetPrintStatus, kH, 7u, h.Buffer<uint32_t>("status"));
         }},
        {"vrxDevStartFAD shows both texts and the result word in hexadecimal",
         [](Harness& h) {
             Fake().dwords = {0x1F};
             return h.Call(&SdkCallTracer::vrxDevStartFAD, kH, 26u, "ORDER-1", h.Buffer<uint32_t>("result"), 1,
                           "fad\\out.fad");
         }},
        {"vrxDevStartFAD with a very long order key is cut at 1,023 characters",
         [longKey](Harness& h) {
             return h.Call(&SdkCallTracer::vrxDevStartFAD, kH, 26u, longKey.c_str(), h.Buffer<uint32_t>("result"), 0,
                           "f.fad");
         }},
        {"vrxDevStartRetransmission writes its record before a call that fails",
         [](Harness& h) {
             VRXINTERRUPTORDERINFO* info = h.Buffer<VRXINTERRUPTORDERINFO>("interrupt");
             info->wOrderState = 1;
             info->wMainSideState = 2;
             info->wBackSideState = 3;
             info->wPrintSide = 1;
             Fake().result = VRXERR_BADPARAM;
             return h.Call(&SdkCallTracer::vrxDevStartRetransmission, kH, 27u, info);
         }},
        {"a failed vrxDevInterruptPrintOrder writes its record after the call",
         [](Harness& h) {
             VRXINTERRUPTORDERINFO info{2, 1, 0, 65535, {}};
             Fake().fill = Bytes(info);
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxDevInterruptPrintOrder, kH, 26u,
                           h.Buffer<VRXINTERRUPTORDERINFO>("interrupt"));
         }},
    };
    return cases;
}

std::vector<WrapperCase> AllCases() {
    std::vector<WrapperCase> all;
    for (auto* part : {&LibraryAndInformationCases, &MagazineAndDeviceCases, &OrderAndPrintCases}) {
        for (WrapperCase& c : part()) all.push_back(std::move(c));
    }
    return all;
}

// The expected lines of every case, by title, from the golden file: "{key}"
// stands for a buffer's address; the marker line says where the library is
// entered.
struct Expected {
    std::vector<std::string> lines;
    size_t before = 0;
};
const char kCallMarker[] = ">> the library is called";

std::map<std::string, Expected> Golden() {
    std::ifstream file(VRX_WRAPPER_LINES, std::ios::binary);
    EXPECT_TRUE(file.good()) << VRX_WRAPPER_LINES;
    std::map<std::string, Expected> cases;
    Expected* current = nullptr;
    for (std::string line; std::getline(file, line);) {
        if (line.compare(0, 3, "== ") == 0)
            current = &cases[line.substr(3)];
        else if (current && line == kCallMarker)
            current->before = current->lines.size();
        else if (current)
            current->lines.push_back(line);
    }
    return cases;
}

// The entry point a case calls, as its call line names it.
std::string FunctionOf(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.compare(0, 7, "[<==] [") == 0) return line.substr(7, line.find(']', 7) - 7);
    }
    return "";
}

TEST(Wrappers, TraceEachCallExactlyAndPassItThroughUnchanged) {
    const auto golden = Golden();
    const auto cases = AllCases();
    EXPECT_EQ(golden.size(), cases.size()) << "a golden case without its code, or twice";
    for (const WrapperCase& c : cases) {
        SCOPED_TRACE(c.title);
        const auto found = golden.find(c.title);
        ASSERT_NE(found, golden.end());
        const Expected& expected = found->second;
        Harness h;
        const uint32_t result = c.run(h);
        EXPECT_EQ(fake::State().result, result);
        EXPECT_EQ(h.Expand(expected.lines), h.tracer.lines);
        ASSERT_EQ(1u, fake::State().calls.size());
        const fake::Call& call = fake::State().calls[0];
        EXPECT_EQ(FunctionOf(expected.lines), call.function);
        EXPECT_EQ(h.args, call.args);
        EXPECT_EQ(expected.before, call.linesBefore) << "lines written before the library was entered";
        // Named in flight for the call alone, for a crash report.
        EXPECT_EQ(call.function, call.inFlight);
        EXPECT_EQ(nullptr, vrx::SdkCallInFlight());
        if (c.check) c.check(h);
    }
}

// The setters return nothing and are not traced.
TEST(Wrappers, EveryEntryPointButTheSettersHasACase) {
    std::set<std::string> wrapped;
#define VRX_TRACED_NAME(type, name, parameters, arguments, method) \
    if (!std::is_void_v<type>) wrapped.insert(#name);
    VRX_ENTRY_POINTS(VRX_TRACED_NAME)
#undef VRX_TRACED_NAME
    std::set<std::string> covered;
    for (const auto& c : Golden()) covered.insert(FunctionOf(c.second.lines));
    EXPECT_EQ(wrapped, covered);
}

}  // namespace
