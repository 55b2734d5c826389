// Code names, address text, pointer width and the trace line frame.
#include <gtest/gtest.h>

#include "CodeNames.h"
#include "TraceTestSupport.h"

namespace {

using vrx::SdkCallTracer;

struct Named {
    uint32_t value;
    const char* text;
};

TEST(CodeNames, ResultNamesStandAloneAndOthersAreSignedUnknowns) {
    const Named cases[] = {
        {1, "VRXERR_NORMAL"},    {4, "VRXERR_REJECT2"},        {5, "VRXERR_BADPARAM"},
        {6, "VRXERR_SYSERR"},    {7, "VRXERR_PRNERR"},         {10, "VRXERR_REJECT3"},
        {15, "VRXERR_REMAINING_DATA"},                         {16, "VRXERR_TIMEOUT"},
        {0, "UNKNOWN(0)"},       {2, "UNKNOWN(2)"},            {3, "UNKNOWN(3)"},
        {8, "UNKNOWN(8)"},       {9, "UNKNOWN(9)"},            {11, "UNKNOWN(11)"},
        {14, "UNKNOWN(14)"},     {17, "UNKNOWN(17)"},          {0xFFFFFFFFu, "UNKNOWN(-1)"},
        {0x80000000u, "UNKNOWN(-2147483648)"},
    };
    for (const Named& c : cases) EXPECT_EQ(c.text, SdkCallTracer::FormatResult(c.value)) << c.value;
}

TEST(CodeNames, CompletionStatusesCarryTheirUnsignedValue) {
    const Named cases[] = {
        {0, "RESULT_OK(0)"},       {1, "RESULT_NG(1)"},           {2, "RESULT_USER_CANCEL(2)"},
        {4, "RESULT_TRANSFER(4)"}, {11, "RESULT_PRINT(11)"},      {20, "RESULT_OK_REPEAT(20)"},
        {21, "RESULT_PRINT_REPEAT(21)"},                          {3, "UNKNOWN(3)"},
        {31, "UNKNOWN(31)"},       {40, "UNKNOWN(40)"},           {0xFFFFFFFFu, "UNKNOWN(4294967295)"},
    };
    for (const Named& c : cases) EXPECT_EQ(c.text, SdkCallTracer::FormatCompletionStatus(c.value)) << c.value;
}

TEST(CodeNames, UnitIdsAreNamedOnlyWhenExact) {
    const Named cases[] = {
        {0x50000000, "INFO_PRINTER(0x50000000)"},      {0x54000000, "INFO_ADVANCE(0x54000000)"},
        {0x55300000, "INFO_LASER(0x55300000)"},        {0x56000000, "INFO_DEVELOPMENT(0x56000000)"},
        {0x56100000, "INFO_PROCESSOR(0x56100000)"},    {0x56300000, "INFO_REPLENISHER(0x56300000)"},
        {0x56360000, "INFO_REPLACECARTRIDGE(0x56360000)"},
        {0x61000000, "INFO_ACCEPT(0x61000000)"},       {0x62000000, "INFO_POSSESSION(0x62000000)"},
        {0x63000000, "INFO_INSTMAG(0x63000000)"},      {0x64000000, "INFO_INFOMAG(0x64000000)"},
        {0x65000000, "INFO_STARTCHECK(0x65000000)"},   {0x66000000, "INFO_REFILLWATER(0x66000000)"},
        {0x67000000, "INFO_DAILYSETUP(0x67000000)"},   {0x68000000, "INFO_CNTRSTRP(0x68000000)"},
        {0x69000000, "INFO_MNTNNC(0x69000000)"},       {0x70000000, "INFO_FAD(0x70000000)"},
        {0x50000001, "UNKNOWN(0x50000001)"},           {0x56360001, "UNKNOWN(0x56360001)"},
        {7, "UNKNOWN(0x00000007)"},                    {0xFFFFFFFFu, "UNKNOWN(0xFFFFFFFF)"},
    };
    for (const Named& c : cases) EXPECT_EQ(c.text, SdkCallTracer::FormatUnitId(c.value)) << c.value;
}

TEST(CodeNames, AddressesReadFromTheLowestByteWithCommas) {
    const Named cases[] = {
        {0x0100A8C0, "192,168,0,1"}, {0, "0,0,0,0"}, {0xFFFFFFFFu, "255,255,255,255"}, {0x04030201, "1,2,3,4"},
        {0x80000001, "1,0,0,128"},
    };
    for (const Named& c : cases) EXPECT_EQ(c.text, SdkCallTracer::FormatIpAddress(c.value)) << c.value;
}

TEST(PointerText, ShowsEveryDigitOfThePlatformsPointers) {
    if (sizeof(void*) == 4) {
        EXPECT_EQ("0x00000000", vrx::PointerText(uintptr_t{0}));
        EXPECT_EQ("0x0012F0A0", vrx::PointerText(uintptr_t{0x0012F0A0}));
        EXPECT_EQ("0xFFFFFFFF", vrx::PointerText(uintptr_t{0xFFFFFFFFu}));
    } else {
        EXPECT_EQ("0x0000000000000000", vrx::PointerText(uintptr_t{0}));
        EXPECT_EQ("0x000000000012F0A0", vrx::PointerText(uintptr_t{0x0012F0A0}));
        EXPECT_EQ("0x00007FF612345678", vrx::PointerText(static_cast<uintptr_t>(0x00007FF612345678ull)));
        EXPECT_EQ("0xFFFFFFFF00000001", vrx::PointerText(static_cast<uintptr_t>(0xFFFFFFFF00000001ull)));
    }
    const char* text = "x";
    EXPECT_EQ(tracetest::ExpectedPointer(fake::Address(text)), vrx::PointerText(text));
}

TEST(TraceLine, FramesTimeTagFunctionAndMessage) {
    tracetest::RecordingTracer tracer;
    tracer.Trace("vrxLibClose", "==>", "return=%s", "VRXERR_NORMAL");
    tracer.Trace("f", "<", "%d", 7);
    ASSERT_EQ(2u, tracer.lines.size());
    EXPECT_EQ("20:43:27'045 [==>] [vrxLibClose] return=VRXERR_NORMAL", tracer.lines[0]);
    EXPECT_EQ("20:43:27'045 [<  ] [f] 7", tracer.lines[1]);
}

TEST(TraceLine, CutsTheMessageAt1023Characters) {
    tracetest::RecordingTracer tracer;
    const std::string text(5000, 'k');
    tracer.Trace("f", "<==", "key=\"%s\"", text.c_str());
    const std::string head = std::string(tracetest::kStamp) + "[<==] [f] ";
    ASSERT_EQ(1u, tracer.lines.size());
    EXPECT_EQ(head + "key=\"" + std::string(1018, 'k'), tracer.lines[0]);
}

}  // namespace
