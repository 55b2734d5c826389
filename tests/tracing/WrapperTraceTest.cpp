// Every tracing wrapper against the fake library: the exact lines, where the
// call falls among them, the arguments passed through and the result handed
// back. Buffers sit on the heap at their exact size, so the sanitizers see
// any read past a record.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
const std::string S80(80, '-');
const std::string S40(40, '-');

struct WrapperCase {
    std::string title;
    std::function<uint32_t(Harness&)> run;  // sets up the fake, calls one wrapper
    std::vector<std::string> lines;         // "{key}" stands for a buffer's address
    size_t before;                          // lines written before the library is entered
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
    static const char name[] = "C:\\img\\a.jpg";
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

// A wrapper of the plain "hPrinter=0x%08X" shape.
WrapperCase HandleCase(uint32_t (SdkCallTracer::*wrapper)(HVRXPRINTER), const std::string& name, HVRXPRINTER h,
                       uint32_t result, const std::string& resultText) {
    char handle[16];
    std::snprintf(handle, sizeof handle, "0x%08X", h);
    return {name + " returns " + resultText,
            [=](Harness& hs) {
                Fake().result = result;
                return hs.Call(wrapper, h);
            },
            {"[<==] [" + name + "] hPrinter=" + handle, "[==>] [" + name + "] return=" + resultText},
            1};
}

// A wrapper of the "hPrinter, dwOrderId" shape, for order 26.
WrapperCase OrderCase(uint32_t (SdkCallTracer::*wrapper)(HVRXPRINTER, uint32_t), const std::string& name) {
    return {name + " shows the order id in hexadecimal",
            [=](Harness& h) { return h.Call(wrapper, kH, 26u); },
            {"[<==] [" + name + "] hPrinter=0x00A40000, dwOrderId=0x0000001A",
             "[==>] [" + name + "] return=VRXERR_NORMAL"},
            1};
}

std::vector<WrapperCase> LibraryAndInformationCases() {
    std::vector<WrapperCase> cases = {
        {"vrxLibOpen frames the library with 80 hyphens before its call line",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxLibOpen, "C:\\VrxClient\\sdk.log"); },
         {S80, "[<==] [vrxLibOpen] lpLogFileName=\"C:\\VrxClient\\sdk.log\"", "[==>] [vrxLibOpen] return=VRXERR_NORMAL"},
         2},
        {"vrxLibOpen with logging off shows (null) between the quotes",
         [](Harness& h) {
             Fake().result = VRXERR_SYSERR;
             return h.Call(&SdkCallTracer::vrxLibOpen, nullptr);
         },
         {S80, "[<==] [vrxLibOpen] lpLogFileName=\"(null)\"", "[==>] [vrxLibOpen] return=VRXERR_SYSERR"},
         2},
        {"vrxLibClose has an empty message and 80 hyphens after its return line",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxLibClose); },
         {"[<==] [vrxLibClose] ", "[==>] [vrxLibClose] return=VRXERR_NORMAL", S80},
         1},
        {"vrxGetVrxVersion shows the pointer in decimal and zeroes the word a failed call leaves",
         [](Harness& h) {
             uint16_t* version = h.Buffer<uint16_t>("version");
             *version = 0xBEEF;
             Fake().result = VRXERR_BADPARAM;
             return h.Call(&SdkCallTracer::vrxGetVrxVersion, version);
         },
         {"[<==] [vrxGetVrxVersion] pVrxVersion={version:dec}", "[==>] [vrxGetVrxVersion] return=VRXERR_BADPARAM"},
         1,
         [](Harness& h) {
             EXPECT_EQ(0, *h.At<uint16_t>("version"));
             EXPECT_EQ(std::vector<unsigned char>(2, 0), Fake().calls[0].input);
         }},
        {"vrxGetVrxVersion leaves the library's version in place",
         [](Harness& h) {
             Fake().word = 0x0203;
             return h.Call(&SdkCallTracer::vrxGetVrxVersion, h.Buffer<uint16_t>("version"));
         },
         {"[<==] [vrxGetVrxVersion] pVrxVersion={version:dec}", "[==>] [vrxGetVrxVersion] return=VRXERR_NORMAL"},
         1,
         [](Harness& h) { EXPECT_EQ(0x0203, *h.At<uint16_t>("version")); }},
        {"vrxSetCompletionProcMode shows the mode in hexadecimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxSetCompletionProcMode, 0x10u); },
         {"[<==] [vrxSetCompletionProcMode] dwMode=0x00000010", "[==>] [vrxSetCompletionProcMode] return=VRXERR_NORMAL"},
         1},
        {"vrxSearchPrinter shows the count the library found",
         [](Harness& h) {
             Fake().word = 3;
             return h.Call(&SdkCallTracer::vrxSearchPrinter, h.Buffer<uint16_t>("num"), 3000u);
         },
         {"[<==] [vrxSearchPrinter] pPrinterNum={num}, dwWaitTime=3000",
          "[==>] [vrxSearchPrinter] return=VRXERR_NORMAL, *pPrinterNum=3"},
         1},
        {"vrxSearchPrinter2 that times out shows the caller's count",
         [](Harness& h) {
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxSearchPrinter2, h.Buffer<uint16_t>("num"), 500u);
         },
         {"[<==] [vrxSearchPrinter2] pPrinterNum={num}, dwWaitTime=500",
          "[==>] [vrxSearchPrinter2] return=VRXERR_TIMEOUT, *pPrinterNum=0"},
         1},
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
         },
         {"[<==] [vrxGetPrinter] wBufferNum=2, pPrinterInfo={printers}",
          "[===] [vrxGetPrinter] pPrinterInfo[1]={ dwIPAddress=192,168,0,1, szMachineTypeName=\"QX-7\", "
          "szSoftName=\"SoftA 1.2\", szSerialNumber=\"SN0001\", wSupportResolutions={ 300,600,1200,0,0,0,0,65535 }, "
          "wVrxVersion=0x01A2, MacAddress=00-1A-2B-3C-4D-5E }",
          "[===] [vrxGetPrinter] pPrinterInfo[2]={ dwIPAddress=10,0,0,10, szMachineTypeName=\"" + std::string(20, 'M') +
              "\", szSoftName=\"" + std::string(20, 'S') + "\", szSerialNumber=\"" + std::string(20, 'N') +
              "\", wSupportResolutions={ 1,2,3,4,5,6,7,8 }, wVrxVersion=0x0000, MacAddress=FF-FF-FF-FF-FF-FF }",
          "[==>] [vrxGetPrinter] return=VRXERR_NORMAL"},
         1},
        {"vrxGetPrinter shows all records it was given room for, whatever the result",
         [](Harness& h) {
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxGetPrinter, 1, h.Buffer<VRXPRINTERINFO>("printers", 1));
         },
         {"[<==] [vrxGetPrinter] wBufferNum=1, pPrinterInfo={printers}",
          "[===] [vrxGetPrinter] pPrinterInfo[1]={ dwIPAddress=0,0,0,0, szMachineTypeName=\"\", szSoftName=\"\", "
          "szSerialNumber=\"\", wSupportResolutions={ 0,0,0,0,0,0,0,0 }, wVrxVersion=0x0000, "
          "MacAddress=00-00-00-00-00-00 }",
          "[==>] [vrxGetPrinter] return=VRXERR_PRNERR"},
         1},
        {"vrxGetPrinter with no room and no buffer shows no record",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxGetPrinter, 0, nullptr); },
         {"[<==] [vrxGetPrinter] wBufferNum=0, pPrinterInfo={null}", "[==>] [vrxGetPrinter] return=VRXERR_NORMAL"},
         1},
        {"vrxDevOpen frames the printer with 40 hyphens and shows its callbacks",
         [](Harness& h) {
             Fake().dwords = {kH};
             return h.Call(&SdkCallTracer::vrxDevOpen, kIp, h.Buffer<HVRXPRINTER>("handle"), &OnEvent, &OnUnit);
         },
         {S40,
          "[<==] [vrxDevOpen] dwIPAddress=192,168,0,1, phPrinter={handle}, pEventProc={OnEvent}, pUnitProc={OnUnit}",
          "[==>] [vrxDevOpen] return=VRXERR_NORMAL"},
         2},
        {"vrxDevClose writes 40 hyphens after its return line",
         [](Harness& h) {
             Fake().result = VRXERR_REJECT2;
             return h.Call(&SdkCallTracer::vrxDevClose, kH);
         },
         {"[<==] [vrxDevClose] hPrinter=0x00A40000", "[==>] [vrxDevClose] return=VRXERR_REJECT2", S40},
         1},
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
         },
         {"[<==] [vrxDevGetUnitInfo] hPrinter=0x00A40000, pUnitInfo={unit}",
          "[===] [vrxDevGetUnitInfo] pUnitInfo{ dwPrinterStatus=1, dwAcceptStatus=2, dwPrinterPossession=3, "
          "dwAdvanceStatus=4, dwLaserStatus=5, dwDevelopmentStatus=6, dwProcessorStatus=7, dwReplenisherStatus=8, "
          "dwReplaceCartridgeStatus=9, dwStartUpChecksStatus=10, dwRefillWaterStatus=11, dwDailySetupStatus=12, "
          "dwControlStripStatus=13, dwMaintenanceStatus=14, dwFadStatus=4294967295 }",
          "[==>] [vrxDevGetUnitInfo] return=VRXERR_NORMAL"},
         1},
        {"a failed vrxDevGetUnitInfo still shows the zero-filled record",
         [](Harness& h) {
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxDevGetUnitInfo, kH, h.Buffer<VRXUNITINFO>("unit"));
         },
         {"[<==] [vrxDevGetUnitInfo] hPrinter=0x00A40000, pUnitInfo={unit}",
          "[===] [vrxDevGetUnitInfo] pUnitInfo{ dwPrinterStatus=0, dwAcceptStatus=0, dwPrinterPossession=0, "
          "dwAdvanceStatus=0, dwLaserStatus=0, dwDevelopmentStatus=0, dwProcessorStatus=0, dwReplenisherStatus=0, "
          "dwReplaceCartridgeStatus=0, dwStartUpChecksStatus=0, dwRefillWaterStatus=0, dwDailySetupStatus=0, "
          "dwControlStripStatus=0, dwMaintenanceStatus=0, dwFadStatus=0 }",
          "[==>] [vrxDevGetUnitInfo] return=VRXERR_PRNERR"},
         1},
    };
    return cases;
}

// The magazine query with room for two records (168 bytes) and the byte
// count the library leaves.
WrapperCase MagCase(const std::string& title, uint32_t left, std::vector<VRXMAGINFO> filled,
                    std::vector<std::string> recordLines, const std::string& returnTail) {
    std::vector<std::string> lines = {"[<==] [vrxDevGetMagInfo] hPrinter=0x00A40000, pMagInfo(size:84)={mags}, "
                                      "*pdwSize=168"};
    for (const std::string& r : recordLines) lines.push_back("[===] [vrxDevGetMagInfo] " + r);
    lines.push_back("[==>] [vrxDevGetMagInfo] return=VRXERR_NORMAL, *pdwSize=" + returnTail);
    return {title,
            [=](Harness& h) {
                Fake().size = left;
                Fake().fill = Bytes(filled);
                uint32_t* size = h.Buffer<uint32_t>("size");
                *size = 168;
                return h.Call(&SdkCallTracer::vrxDevGetMagInfo, kH, h.Buffer<VRXMAGINFO>("mags", 2), size);
            },
            lines, 1};
}

std::vector<WrapperCase> MagazineAndDeviceCases() {
    const std::string magA =
        "pMagInfo[1]={ dwWidth=127, dwSurface=1, dwRemain=50, dwFeed=1, dwPresence=1, szName=\"A\" }";
    std::vector<WrapperCase> cases = {
        MagCase("vrxDevGetMagInfo filling one of two records", 84, {Mag(127, "A")}, {magA}, "84(1)"),
        MagCase("vrxDevGetMagInfo leaving 100 bytes shows one record", 100, {Mag(127, "A"), Mag(152, "B")}, {magA},
                "100(1)"),
        MagCase("vrxDevGetMagInfo leaving 0 bytes shows none", 0, {}, {}, "0(0)"),
        MagCase("vrxDevGetMagInfo claiming more than the buffer stops at its end", 336,
                {Mag(127, "A"), Mag(152, std::string(64, 'N')), Mag(1, "C"), Mag(2, "D")},
                {magA, "pMagInfo[2]={ dwWidth=152, dwSurface=1, dwRemain=50, dwFeed=1, dwPresence=1, szName=\"" +
                           std::string(64, 'N') + "\" }"},
                "336(2)"),
        {"vrxDevGetMagInfo without a size pointer reads nothing",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevGetMagInfo, kH, h.Buffer<VRXMAGINFO>("mags"), nullptr); },
         {"[<==] [vrxDevGetMagInfo] hPrinter=0x00A40000, pMagInfo(size:84)={mags}, *pdwSize=(null)",
          "[==>] [vrxDevGetMagInfo] return=VRXERR_NORMAL, *pdwSize=(null)(0)"},
         1},
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
         },
         {"[<==] [vrxDevGetAllMagInfo] hPrinter=0x00A40000, pMagDetailInfo(size:140)={details}, *pdwSize=280",
          "[===] [vrxDevGetAllMagInfo] pMagDetailInfo[1]={ dwWidth=152, dwLength={ 102 - 305 }, dwSurface=2, "
          "dwResolution={ 300,600,0,0,0,0,0,1200 }, nAllocation={ -1,2,-32768,32767 }, dwSetupStatus=1, dwFeed=0, "
          "nWBAdjust={ -5,5 }, szPaperName=\"Lustre\", wPaperTypeCode=12, wDirection=1, wPrintQuality=2, "
          "PaperTypeValid=1, PaperType=255 }",
          "[==>] [vrxDevGetAllMagInfo] return=VRXERR_NORMAL"},
         1},
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
         },
         {"[<==] [vrxDevGetAllMagInfo] hPrinter=0x00A40000, pMagDetailInfo(size:140)={details}, *pdwSize=140",
          "[===] [vrxDevGetAllMagInfo] pMagDetailInfo[1]={ dwWidth=0, dwLength={ 0 - 0 }, dwSurface=0, "
          "dwResolution={ 0,0,0,0,0,0,0,0 }, nAllocation={ 0,0,0,0 }, dwSetupStatus=0, dwFeed=0, nWBAdjust={ 0,0 }, "
          "szPaperName=\"" + std::string(32, 'P') + "\", wPaperTypeCode=65, wDirection=0, wPrintQuality=0, "
          "PaperTypeValid=0, PaperType=0 }",
          "[==>] [vrxDevGetAllMagInfo] return=VRXERR_NORMAL"},
         1},
        {"vrxDevGetSetUpInfo shows its seven lines",
         [](Harness& h) {
             Fake().fill = Bytes(FullSetUp());
             return h.Call(&SdkCallTracer::vrxDevGetSetUpInfo, kH, h.Buffer<VRXSETUPINFO>("setup"));
         },
         {"[<==] [vrxDevGetSetUpInfo] hPrinter=0x00A40000, pSetUpInfo={setup}",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[1/7]{ szMachineTypeName=\"QX-7\", szSoftName=\"Soft 2.10\", "
          "szSerialNumber=\"SN-42\" }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[2/7]{ wSupportResolutions={300,600,0,0,0,0,0,0}, wVrxVersion=0x0203, "
          "wMachineTypeID=17, dwTotalMemory=1048576 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[3/7]{ dwImageSizeMinWidth=100, dwImageSizeMinHeight=200, "
          "dwImageSizeMaxWidth=3000, dwImageSizeMaxHeight=4000, dwNumberOfMagazine=2 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[4/7]{ PrinterTime=2024/02/29 13:05:09, dwRepeatCountMax=99, "
          "SupportImageFormat={ 1,2,3,4,5,6,-1,-1,0,0,0,0,0,0,0,-128 } }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[5/7]{ wLaminatorUnitAttach=1, InstallationDate=2019/04/01, "
          "OperationStartDate=2019/05/07, wProcessorType=3, wEmulsionNumber=812 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[6/7]{ szPrinterNickname=\"Front desk\", wSupportAngle=1, "
          "wSupportIntoPrinter=0, wSorterStatus=2, wCvpStatus=1, wSupportPaperFitting=1 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[7/7]{ wSupportEdgeEnhancement=1, wSupportWithBorder=1, "
          "wMachinTypeForProfile=7, wPaperTypeCode={ 1,2,3,4,5,6 }, wSupportCMS=1, wSetupAlgorithm=2, "
          "wSupportDuplex=0, dwFadAttachNo=3 }",
          "[==>] [vrxDevGetSetUpInfo] return=VRXERR_NORMAL"},
         1},
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
         },
         {"[<==] [vrxDevGetSetUpInfo] hPrinter=0x00A40000, pSetUpInfo={setup}",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[1/7]{ szMachineTypeName=\"" + std::string(20, 'M') +
              "\", szSoftName=\"" + std::string(20, 'S') + "\", szSerialNumber=\"" + std::string(20, 'N') + "\" }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[2/7]{ wSupportResolutions={300,0,0,0,0,0,0,0}, wVrxVersion=0x0000, "
          "wMachineTypeID=0, dwTotalMemory=0 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[3/7]{ dwImageSizeMinWidth=0, dwImageSizeMinHeight=0, "
          "dwImageSizeMaxWidth=0, dwImageSizeMaxHeight=0, dwNumberOfMagazine=0 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[4/7]{ PrinterTime=0000/00/00 00:00:00, dwRepeatCountMax=0, "
          "SupportImageFormat={ 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 } }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[5/7]{ wLaminatorUnitAttach=0, InstallationDate=0000/00/00, "
          "OperationStartDate=0000/00/00, wProcessorType=0, wEmulsionNumber=0 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[6/7]{ szPrinterNickname=\"" + std::string(14, 'K') +
              "\", wSupportAngle=1, wSupportIntoPrinter=0, wSorterStatus=0, wCvpStatus=0, wSupportPaperFitting=0 }",
          "[===] [vrxDevGetSetUpInfo] pSetUpInfo[7/7]{ wSupportEdgeEnhancement=0, wSupportWithBorder=0, "
          "wMachinTypeForProfile=0, wPaperTypeCode={ 0,0,0,0,0,0 }, wSupportCMS=0, wSetupAlgorithm=0, "
          "wSupportDuplex=0, dwFadAttachNo=0 }",
          "[==>] [vrxDevGetSetUpInfo] return=VRXERR_SYSERR"},
         1},
        {"vrxDevGetPrintNumInfo shows its six counters",
         [](Harness& h) {
             VRXPRINTNUMINFO n{1, 2, 3, 4, 5, 4294967295u, {}};
             std::memset(n.byReserved, 0xEE, sizeof n.byReserved);
             Fake().fill = Bytes(n);
             return h.Call(&SdkCallTracer::vrxDevGetPrintNumInfo, kH, h.Buffer<VRXPRINTNUMINFO>("counters"));
         },
         {"[<==] [vrxDevGetPrintNumInfo] hPrinter=0x00A40000, pPrintNumInfo={counters}",
          "[===] [vrxDevGetPrintNumInfo] pPrintNumInfo={ dwSdkReserver=1, dwFrmRatio=2, dwReserver=3, dwPrtNumber=4, "
          "dwProNumber=5, dwTotalCount=4294967295 }",
          "[==>] [vrxDevGetPrintNumInfo] return=VRXERR_NORMAL"},
         1},
        {"vrxDevSetTime shows the clock but never the day of the week",
         [](Harness& h) {
             VRXTIMEINFO* time = h.Buffer<VRXTIMEINFO>("time");
             *time = Time(2024, 2, 29, 4, 13, 5, 9);
             return h.Call(&SdkCallTracer::vrxDevSetTime, kH, time);
         },
         {"[<==] [vrxDevSetTime] hPrinter=0x00A40000, pTime=2024/02/29 13:05:09",
          "[==>] [vrxDevSetTime] return=VRXERR_NORMAL"},
         1,
         [](Harness& h) { EXPECT_EQ(Bytes(Time(2024, 2, 29, 4, 13, 5, 9)), Fake().calls[0].input); }},
        {"vrxDevGetTime shows the clock the library returns",
         [](Harness& h) {
             Fake().fill = Bytes(Time(2025, 1, 2, 4, 3, 4, 5));
             return h.Call(&SdkCallTracer::vrxDevGetTime, kH, h.Buffer<VRXTIMEINFO>("time"));
         },
         {"[<==] [vrxDevGetTime] hPrinter=0x00A40000, pTime={time}",
          "[==>] [vrxDevGetTime] return=VRXERR_NORMAL, *pTime=2025/01/02 03:04:05"},
         1},
        {"a failed vrxDevGetTime shows zeros, not what the caller's memory held",
         [](Harness& h) {
             VRXTIMEINFO* time = h.Buffer<VRXTIMEINFO>("time");
             std::memset(time, 0xCD, sizeof *time);
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxDevGetTime, kH, time);
         },
         {"[<==] [vrxDevGetTime] hPrinter=0x00A40000, pTime={time}",
          "[==>] [vrxDevGetTime] return=VRXERR_TIMEOUT, *pTime=0000/00/00 00:00:00"},
         1,
         [](Harness& h) { EXPECT_EQ(std::vector<unsigned char>(sizeof(VRXTIMEINFO), 0), Fake().calls[0].input); }},
        {"vrxDevGetProfile shows the paper record in its call line",
         [](Harness& h) {
             VRXPAPERINFO* paper = h.Buffer<VRXPAPERINFO>("paper");
             paper->dwWidth = 127;
             paper->dwSurface = 1;
             Text(paper->szPaperName, "Glossy");
             return h.Call(&SdkCallTracer::vrxDevGetProfile, kH, "C:\\prof\\qx7.icc", paper);
         },
         {"[<==] [vrxDevGetProfile] hPrinter=0x00A40000, lpFileName=\"C:\\prof\\qx7.icc\", pPaperInfo{ dwWidth=127, "
          "dwSurface=1, dwFeed=0, szPaperName=\"Glossy\" }",
          "[==>] [vrxDevGetProfile] return=VRXERR_NORMAL"},
         1},
        {"vrxDevGetProfile with a name filling the record to its end",
         [](Harness& h) {
             VRXPAPERINFO* paper = h.Buffer<VRXPAPERINFO>("paper");
             Text(paper->szPaperName, std::string(64, 'G'));
             return h.Call(&SdkCallTracer::vrxDevGetProfile, kH, nullptr, paper);
         },
         {"[<==] [vrxDevGetProfile] hPrinter=0x00A40000, lpFileName=\"(null)\", pPaperInfo{ dwWidth=0, dwSurface=0, "
          "dwFeed=0, szPaperName=\"" + std::string(64, 'G') + "\" }",
          "[==>] [vrxDevGetProfile] return=VRXERR_NORMAL"},
         1},
        {"vrxDevResetEvent shows the error handle and action in decimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevResetEvent, kH, 0x55u, 2u); },
         {"[<==] [vrxDevResetEvent] hPrinter=0x00A40000, dwErrHandle=85, dwActionId=2",
          "[==>] [vrxDevResetEvent] return=VRXERR_NORMAL"},
         1},
        {"vrxDevCtrlPrint",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevCtrlPrint, kH, 3u); },
         {"[<==] [vrxDevCtrlPrint] hPrinter=0x00A40000, dwCtrl=3", "[==>] [vrxDevCtrlPrint] return=VRXERR_NORMAL"},
         1},
        {"vrxDevGetTransmitTime shows the print id and time, not the order id",
         [](Harness& h) {
             Fake().dwords = {7, 42, 1500};
             return h.Call(&SdkCallTracer::vrxDevGetTransmitTime, kH, h.Buffer<uint32_t>("order"),
                           h.Buffer<uint32_t>("print"), h.Buffer<uint32_t>("time"));
         },
         {"[<==] [vrxDevGetTransmitTime] hPrinter=0x00A40000, pOrderId={order}, pPrintID={print}, pTime={time}",
          "[==>] [vrxDevGetTransmitTime] return=VRXERR_NORMAL, *pPrintID=42, *pTime=1500"},
         1},
        {"vrxDevVrxCommand1 shows its words in hexadecimal and the length received",
         [](Harness& h) {
             uint16_t* length = h.Buffer<uint16_t>("length");
             *length = 0xFFFF;
             Fake().word = 12;
             return h.Call(&SdkCallTracer::vrxDevVrxCommand1, kH, 0x6000, 0x0100, 4,
                           h.Buffer<unsigned char>("send", 4), 0x0101, length,
                           h.Buffer<unsigned char>("receive", 65536), 30000u);
         },
         {"[<==] [vrxDevVrxCommand1] hPrinter=0x00A40000, wIfId=0x6000, wSendCmdId=0x0100, wSendBufLen=4, "
          "lpSendBuf={send}, wRecvCmdId=0x0101, pwRecvBufLen={length}, lpRecvBuf={receive}, dwTimeOut=30000",
          "[==>] [vrxDevVrxCommand1] return=VRXERR_NORMAL, *pwRecvBufLen=12"},
         1},
        {"vrxDevVrxCommand2 shows its reply callback",
         [](Harness& h) {
             uint16_t* length = h.Buffer<uint16_t>("length");
             *length = 0xFFFF;
             Fake().result = VRXERR_TIMEOUT;
             return h.Call(&SdkCallTracer::vrxDevVrxCommand2, kH, 0x6000, 0x0100, 4,
                           h.Buffer<unsigned char>("send", 4), 0x0101, length, &OnReply, 30000u);
         },
         {"[<==] [vrxDevVrxCommand2] hPrinter=0x00A40000, wIfId=0x6000, wSendCmdId=0x0100, wSendBufLen=4, "
          "lpSendBuf={send}, wRecvCmdId=0x0101, pwRecvBufLen={length}, pRecvProc={OnReply}, dwTimeOut=30000",
          "[==>] [vrxDevVrxCommand2] return=VRXERR_TIMEOUT, *pwRecvBufLen=65535"},
         1},
        {"vrxDevVrxNotice",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevVrxNotice, kH, 0x6000, 0x0200, &OnNotice); },
         {"[<==] [vrxDevVrxNotice] hPrinter=0x00A40000, wIfId=0x6000, wCmdId=0x0200, pNoticeProc={OnNotice}",
          "[==>] [vrxDevVrxNotice] return=VRXERR_NORMAL"},
         1},
        {"vrxDevVrxNoticeEventProcEx",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevVrxNoticeEventProcEx, kH, &OnEventEx); },
         {"[<==] [vrxDevVrxNoticeEventProcEx] hPrinter=0x00A40000, pEventProcEx={OnEventEx}",
          "[==>] [vrxDevVrxNoticeEventProcEx] return=VRXERR_NORMAL"},
         1},
    };
    return cases;
}

std::vector<WrapperCase> OrderAndPrintCases() {
    const std::string longKey(3000, 'K');
    const std::string longCall =
        ("hPrinter=0x00A40000, dwOrderId=0x0000001A, lpOrderKey=\"" + longKey).substr(0, vrx::kMaxTraceMessage);
    std::vector<WrapperCase> cases = {
        {"vrxDevStartOrderEx shows -4 as unsigned and the order id in hexadecimal",
         [](Harness& h) {
             Fake().dwords = {26};
             return h.Call(&SdkCallTracer::vrxDevStartOrderEx, kH, h.Buffer<uint32_t>("order"), &OnCompletion,
                           static_cast<uint32_t>(-4), 1u, 2u, 0u);
         },
         {"[<==] [vrxDevStartOrderEx] hPrinter=0x00A40000, pdwOrderId={order}, pEventProc={OnCompletion}, "
          "dwPriority=4294967292, dwSorterNum=1, dwSortFrame=2, dwExOptions=0",
          "[==>] [vrxDevStartOrderEx] return=VRXERR_NORMAL, *pdwOrderId=0x0000001A"},
         1},
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
         {"[<==] [vrxDevPrint] hPrinter=0x00A40000, dwOrderId=0x0000001A, pPrintID={id}, pEventProc={OnCompletion}, "
          "pPrintInfo={print}",
          "[===] [vrxDevPrint] pPrintInfo[1/8]={ dwImageFormat=1, dwColorSpace=0, dwSourceType=1, dwDataLength=123456, "
          "pName=\"C:\\img\\a.jpg\", dwOffset=0 }",
          "[===] [vrxDevPrint] pPrintInfo[2/8]={ dwImgWidth=1800, dwImgHeight=1200, dwResolution=300, "
          "dwPaperWidth=1524, dwPaperLength=1016, dwCvpPrintSize=0 }",
          "[===] [vrxDevPrint] pPrintInfo[3/8]={ dwCvpInitialValue1=1, dwCvpPoint1=2, dwCvpInitialWidth1=3, "
          "szCvpLine1=\"\" }",
          "[===] [vrxDevPrint] pPrintInfo[4/8]={ dwCvpInitialValue2=4, dwCvpPoint2=5, dwCvpInitialWidth2=6, "
          "szCvpLine2=\"Back print\" }",
          "[===] [vrxDevPrint] pPrintInfo[5/8]={ dwPrintNum=2, dwFeed=1, dwSurface=3, dwPaperPresence=0, nEspc=-3, "
          "wCMS=1, wAngle=90 }",
          "[===] [vrxDevPrint] pPrintInfo[6/8]={ wPaperFitting=1, wEdgeEnhancement=2, wWithBorderTop=10, "
          "wWithBorderBottom=11, wWithBorderLeft=12, wWithBorderRight=13 }",
          "[===] [vrxDevPrint] pPrintInfo[7/8]={ byWithBorderColor={ 255,128,0 }, szPaperName=\"Glossy 6x4\", "
          "nPcfms=-1, wPrintQuality=2, byImageEnlargeType=1 }",
          "[===] [vrxDevPrint] pPrintInfo[8/8]={ wLoadingCount=5, wPrintedCount=4, dwEventId=77, wEventCodeMain=513 }",
          "[==>] [vrxDevPrint] return=VRXERR_NORMAL, *pPrintID=9"},
         9,
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
         },
         {"[<==] [vrxDevPrint] hPrinter=0x00A40000, dwOrderId=0x0000001A, pPrintID={id}, pEventProc={OnCompletion}, "
          "pPrintInfo={print}",
          "[===] [vrxDevPrint] pPrintInfo[1/8]={ dwImageFormat=0, dwColorSpace=0, dwSourceType=0, dwDataLength=0, "
          "pName=\"(null)\", dwOffset=0 }",
          "[===] [vrxDevPrint] pPrintInfo[2/8]={ dwImgWidth=0, dwImgHeight=0, dwResolution=0, dwPaperWidth=0, "
          "dwPaperLength=0, dwCvpPrintSize=0 }",
          "[===] [vrxDevPrint] pPrintInfo[3/8]={ dwCvpInitialValue1=0, dwCvpPoint1=0, dwCvpInitialWidth1=0, "
          "szCvpLine1=\"" + std::string(256, 'L') + "\" }",
          "[===] [vrxDevPrint] pPrintInfo[4/8]={ dwCvpInitialValue2=65, dwCvpPoint2=0, dwCvpInitialWidth2=0, "
          "szCvpLine2=\"" + std::string(256, 'M') + "\" }",
          "[===] [vrxDevPrint] pPrintInfo[5/8]={ dwPrintNum=66, dwFeed=0, dwSurface=0, dwPaperPresence=0, nEspc=0, "
          "wCMS=0, wAngle=0 }",
          "[===] [vrxDevPrint] pPrintInfo[6/8]={ wPaperFitting=0, wEdgeEnhancement=0, wWithBorderTop=0, "
          "wWithBorderBottom=0, wWithBorderLeft=0, wWithBorderRight=0 }",
          "[===] [vrxDevPrint] pPrintInfo[7/8]={ byWithBorderColor={ 0,0,0 }, szPaperName=\"" + std::string(33, 'P') +
              "\", nPcfms=-1, wPrintQuality=0, byImageEnlargeType=0 }",
          "[===] [vrxDevPrint] pPrintInfo[8/8]={ wLoadingCount=0, wPrintedCount=0, dwEventId=0, wEventCodeMain=0 }",
          "[==>] [vrxDevPrint] return=VRXERR_BADPARAM, *pPrintID=0"},
         9},
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
         },
         {"[<==] [vrxDevBlankPrint] hPrinter=0x00A40000, dwOrderId=0x0000001A, pPrintID={id}, "
          "pEventProc={OnCompletion}, pBlankPrintInfo={blank}",
          "[===] [vrxDevBlankPrint] pBlankPrintInfo[1/2]={ dwResolution=3000, dwPaperWidth=1270, dwPaperLength=890, "
          "dwPrintNum=1, dwFeed=0, dwSurface=1, dwPaperPresence=0 }",
          "[===] [vrxDevBlankPrint] pBlankPrintInfo[2/2]={ szPaperName=\"Matte\", dwClearInk=1, wPrintQuality=2 }",
          "[==>] [vrxDevBlankPrint] return=VRXERR_NORMAL, *pPrintID=10"},
         3},
        {"vrxDevCancelPrintOrder shows the print id in decimal",
         [](Harness& h) { return h.Call(&SdkCallTracer::vrxDevCancelPrintOrder, kH, 26u, 7u); },
         {"[<==] [vrxDevCancelPrintOrder] hPrinter=0x00A40000, dwOrderId=0x0000001A, dwPrintID=7",
          "[==>] [vrxDevCancelPrintOrder] return=VRXERR_NORMAL"},
         1},
        {"vrxDevGetPrintStatus shows the status after the call",
         [](Harness& h) {
             Fake().dwords = {3};
             return h.Call(&SdkCallTracer::vrxDevGetPrintStatus, kH, 7u, h.Buffer<uint32_t>("status"));
         },
         {"[<==] [vrxDevGetPrintStatus] hPrinter=0x00A40000, dwPrintID=7, pPrintStatus={status}",
          "[==>] [vrxDevGetPrintStatus] return=VRXERR_NORMAL, *pPrintStatus=3"},
         1},
        {"vrxDevStartFAD shows both texts and the result word in hexadecimal",
         [](Harness& h) {
             Fake().dwords = {0x1F};
             return h.Call(&SdkCallTracer::vrxDevStartFAD, kH, 26u, "ORDER-1", h.Buffer<uint32_t>("result"), 1,
                           "C:\\fad\\out.fad");
         },
         {"[<==] [vrxDevStartFAD] hPrinter=0x00A40000, dwOrderId=0x0000001A, lpOrderKey=\"ORDER-1\", "
          "lpdwResult={result}, wFadOut=1, lpFadFileName=\"C:\\fad\\out.fad\"",
          "[==>] [vrxDevStartFAD] return=VRXERR_NORMAL, *lpdwResult=0x0000001F"},
         1},
        {"vrxDevStartFAD with a very long order key is cut at 1,023 characters",
         [longKey](Harness& h) {
             return h.Call(&SdkCallTracer::vrxDevStartFAD, kH, 26u, longKey.c_str(), h.Buffer<uint32_t>("result"), 0,
                           "f.fad");
         },
         {"[<==] [vrxDevStartFAD] " + longCall, "[==>] [vrxDevStartFAD] return=VRXERR_NORMAL, *lpdwResult=0x00000000"},
         1},
        {"vrxDevStartRetransmission writes its record before a call that fails",
         [](Harness& h) {
             VRXINTERRUPTORDERINFO* info = h.Buffer<VRXINTERRUPTORDERINFO>("interrupt");
             info->wOrderState = 1;
             info->wMainSideState = 2;
             info->wBackSideState = 3;
             info->wPrintSide = 1;
             Fake().result = VRXERR_BADPARAM;
             return h.Call(&SdkCallTracer::vrxDevStartRetransmission, kH, 27u, info);
         },
         {"[<==] [vrxDevStartRetransmission] hPrinter=0x00A40000, dwOrderId=0x0000001B, "
          "pInterruptOrderInfo={interrupt}",
          "[===] [vrxDevStartRetransmission] pInterruptOrderInfo[1/1]={ wOrderState=1, wMainSideState=2, "
          "wBackSideState=3, wPrintSide=1 }",
          "[==>] [vrxDevStartRetransmission] return=VRXERR_BADPARAM"},
         2},
        {"a failed vrxDevInterruptPrintOrder writes its record after the call",
         [](Harness& h) {
             VRXINTERRUPTORDERINFO info{2, 1, 0, 65535, {}};
             Fake().fill = Bytes(info);
             Fake().result = VRXERR_PRNERR;
             return h.Call(&SdkCallTracer::vrxDevInterruptPrintOrder, kH, 26u,
                           h.Buffer<VRXINTERRUPTORDERINFO>("interrupt"));
         },
         {"[<==] [vrxDevInterruptPrintOrder] hPrinter=0x00A40000, dwOrderId=0x0000001A, "
          "pInterruptOrderInfo={interrupt}",
          "[===] [vrxDevInterruptPrintOrder] pInterruptOrderInfo[1/1]={ wOrderState=2, wMainSideState=1, "
          "wBackSideState=0, wPrintSide=65535 }",
          "[==>] [vrxDevInterruptPrintOrder] return=VRXERR_PRNERR"},
         1},
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

// The entry point a case calls, as its call line names it.
std::string FunctionOf(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.compare(0, 7, "[<==] [") == 0) return line.substr(7, line.find(']', 7) - 7);
    }
    return "";
}

TEST(Wrappers, TraceEachCallExactlyAndPassItThroughUnchanged) {
    for (const WrapperCase& c : AllCases()) {
        SCOPED_TRACE(c.title);
        Harness h;
        const uint32_t result = c.run(h);
        EXPECT_EQ(fake::State().result, result);
        EXPECT_EQ(h.Expand(c.lines), h.tracer.lines);
        ASSERT_EQ(1u, fake::State().calls.size());
        const fake::Call& call = fake::State().calls[0];
        EXPECT_EQ(FunctionOf(c.lines), call.function);
        EXPECT_EQ(h.args, call.args);
        EXPECT_EQ(c.before, call.linesBefore) << "lines written before the library was entered";
        if (c.check) c.check(h);
    }
}

TEST(Wrappers, EveryEntryPointButTheSettersHasACase) {
    const std::set<std::string> wrapped = {
        "vrxLibOpen", "vrxLibClose", "vrxGetVrxVersion", "vrxSetCompletionProcMode", "vrxSearchPrinter",
        "vrxSearchPrinter2", "vrxGetPrinter", "vrxDevOpen", "vrxDevClose", "vrxDevCloseCheck", "vrxDevIsReady",
        "vrxDevOccupyCheck", "vrxDevGetUnitInfo", "vrxDevGetMagInfo", "vrxDevGetAllMagInfo", "vrxDevGetSetUpInfo",
        "vrxDevGetPrintNumInfo", "vrxDevSetTime", "vrxDevGetTime", "vrxDevGetProfile", "vrxDevResetEvent",
        "vrxDevCtrlPrint", "vrxDevGetTransmitTime", "vrxDevStartOrderEx", "vrxDevEndOrder", "vrxDevPrint",
        "vrxDevBlankPrint", "vrxDevSort", "vrxDevExpressOrder", "vrxDevStartDuplex", "vrxDevEndDuplex",
        "vrxDevCancelPrintOrder", "vrxDevCancelPrintAll", "vrxDevGetPrintStatus", "vrxDevInterruptPrintOrder",
        "vrxDevStartRetransmission", "vrxDevEndRetransmission", "vrxDevStartFAD", "vrxDevAdjustForPrint",
        "vrxDevVrxCommand1", "vrxDevVrxCommand2", "vrxDevVrxNotice", "vrxDevVrxNoticeEventProcEx",
    };
    ASSERT_EQ(43u, wrapped.size());
    std::set<std::string> covered;
    for (const WrapperCase& c : AllCases()) covered.insert(FunctionOf(c.lines));
    EXPECT_EQ(wrapped, covered);
}

}  // namespace
