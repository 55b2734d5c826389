// The stand-in server's command record and its failure requests.
#include <gtest/gtest.h>

#include "CommandLog.h"

namespace {

struct FailCase {
    const wchar_t* text;
    bool isRequest;
    unsigned long result;
};

TEST(ColorServerCommands, RecognisesOnlyWellFormedFailureRequests)
{
    const FailCase cases[] = {
        {L"FAIL:0x80004005", true, 0x80004005},
        {L"FAIL:0X8004a123", true, 0x8004A123},
        {L"FAIL:0xFFFFFFFF", true, 0xFFFFFFFF},
        {L"FAIL:0", true, 0},
        {L"FAIL:123", true, 123},
        {L"FAIL:", false, 0},
        {L"FAIL:0x", false, 0},
        {L"FAIL:zz", false, 0},
        {L"FAIL:0x1g", false, 0},
        {L"FAIL:-1", false, 0},
        {L"FAIL: 1", false, 0},
        {L"FAIL:0x100000000", false, 0},
        {L"FAIL:99999999999999999999999", false, 0},
        {L"fail:0x1", false, 0},
        {L"XFAIL:0x1", false, 0},
        {L"hello", false, 0},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        HRESULT result = 0x12345678;
        EXPECT_EQ(ParseFailRequest(c.text, static_cast<UINT>(wcslen(c.text)), result), c.isRequest);
        EXPECT_EQ(static_cast<unsigned long>(result), c.isRequest ? c.result : 0x12345678ul);
    }
    HRESULT result = S_OK;
    EXPECT_FALSE(ParseFailRequest(nullptr, 0, result));
    // The length counts, not a terminator: "FAIL:1" followed by a NUL and more.
    EXPECT_FALSE(ParseFailRequest(L"FAIL:1\0x", 8, result));
}

struct FormatCase {
    LONG value;
    const wchar_t* text;
    UINT length;
    const wchar_t* line;
};

TEST(ColorServerCommands, FormatsEachCommandOnOneLine)
{
    const FormatCase cases[] = {
        {5, L"hello", 5, L"command 5 \"hello\""},
        {-2, nullptr, 0, L"command -2 null"},
        {0, L"", 0, L"command 0 \"\""},
        {1, L"a\"b\\c", 5, L"command 1 \"a\\\"b\\\\c\""},
        {2, L"x\r\ny", 4, L"command 2 \"x\\x0D\\x0Ay\""},
        {3, L"a\0b", 3, L"command 3 \"a\\x00b\""},
        {4, L"\u00E9\u3042", 2, L"command 4 \"\u00E9\u3042\""},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatCommand(c.value, c.text, c.length), c.line);
    }
}

}  // namespace
