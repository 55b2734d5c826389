// The bridge object against a server inside the test process, reached
// through the activation seam.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "KolmCall.h"
#include "SeamActivation.h"
#include "ServerLink.h"
#include "TestSupport.h"

using kolmtest::Apartment;

namespace {

// Records what the bridge calls. It lives on the test's stack; refs counts
// the test's own reference plus those the bridge holds.
class FakeServer final : public kolmcall::IColorCommandServer {
public:
    struct Received {
        LONG value;
        bool isNull;
        std::wstring text;
    };

    HRESULT startResult = S_OK;
    HRESULT commandResult = S_OK;
    int starts = 0;
    int commandsBeforeStart = 0;
    std::vector<Received> commands;
    LONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE Slot3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Slot4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Slot5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Slot6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Slot7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Start() override
    {
        ++starts;
        return startResult;
    }
    HRESULT STDMETHODCALLTYPE Slot9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Slot10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Command(LONG value, BSTR text, LONG* result) override
    {
        if (starts == 0) {
            ++commandsBeforeStart;
        }
        commands.push_back({value, text == nullptr, text != nullptr ? std::wstring(text, SysStringLen(text)) : L""});
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = 42;
        return commandResult;
    }
};

kolmtest::ActivationHandler Serve(FakeServer& fake)
{
    return [&fake](REFCLSID, DWORD, MULTI_QI* results) {
        fake.AddRef();
        results[0].pItf = &fake;
        results[0].hr = S_OK;
        return S_OK;
    };
}

kolmtest::ActivationHandler Refuse(HRESULT error)
{
    return [error](REFCLSID, DWORD, MULTI_QI* results) {
        results[0].hr = error;
        return error;
    };
}

class KolmCallBridge : public ::testing::Test {
protected:
    void TearDown() override { kolmtest::SetActivationHandler(nullptr); }
};

TEST_F(KolmCallBridge, ActivatesWithTheContractArgumentsAndStartsOnce)
{
    FakeServer fake;
    kolmtest::SetActivationHandler(Serve(fake));
    kolmtest::RunOnFreshThread([&] {
        CKolmCall* bridge = CreateKolmCall();
        ASSERT_NE(bridge, nullptr);
        ASSERT_EQ(kolmtest::ActivationCalls().size(), 1u);
        EXPECT_EQ(kolmtest::ActivationCalls()[0].mismatch, "");
        EXPECT_EQ(fake.starts, 1);
        EXPECT_EQ(fake.refs, 2) << "the bridge holds exactly one reference";
        EXPECT_EQ(bridge->SendCommand(1, "a"), S_OK);
        ReleaseKolmCall(bridge);
    });
    EXPECT_EQ(fake.starts, 1);
    EXPECT_EQ(fake.commandsBeforeStart, 0);
    EXPECT_EQ(fake.refs, 1) << "release gives the server reference back";
}

struct CommandCase {
    const char* name;
    LONG value;
    const char* text;
    bool receivedNull;
    const wchar_t* received;
    HRESULT serverResult;
};

TEST_F(KolmCallBridge, SendCommandPassesValueAndTextAndReturnsTheServerResult)
{
    const CommandCase cases[] = {
        {"plain text", 7, "hello", false, L"hello", S_OK},
        {"null text gives a null BSTR", 0, nullptr, true, L"", S_FALSE},
        {"empty text gives an empty BSTR", -1, "", false, L"", E_FAIL},
        {"extreme value, own failure code", INT_MIN, "x y", false, L"x y", static_cast<HRESULT>(0x8004A123)},
        {"largest value", INT_MAX, "FAIL:0x1", false, L"FAIL:0x1", static_cast<HRESULT>(0x80070005)},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeServer fake;
        fake.commandResult = c.serverResult;
        kolmtest::SetActivationHandler(Serve(fake));
        kolmtest::RunOnFreshThread([&] {
            CKolmCall* bridge = CreateKolmCall();
            ASSERT_NE(bridge, nullptr);
            EXPECT_EQ(bridge->SendCommand(c.value, c.text), c.serverResult);
            ReleaseKolmCall(bridge);
        });
        ASSERT_EQ(fake.commands.size(), 1u);
        EXPECT_EQ(fake.commands[0].value, c.value);
        EXPECT_EQ(fake.commands[0].isNull, c.receivedNull);
        EXPECT_EQ(fake.commands[0].text, c.received);
    }
}

enum class Outcome { ActivationRefused, StartFails, Connected };

// Whatever the thread's COM state before, a creation that fails leaves it
// as it was, and so does a creation followed by a release.
TEST_F(KolmCallBridge, LeavesComAsItFoundIt)
{
    const Apartment priors[] = {Apartment::None, Apartment::Single, Apartment::Multi};
    const Outcome outcomes[] = {Outcome::ActivationRefused, Outcome::StartFails, Outcome::Connected};
    for (Apartment prior : priors) {
        for (Outcome outcome : outcomes) {
            SCOPED_TRACE(std::string("prior ") + kolmtest::ApartmentName(prior) + ", outcome " +
                         std::to_string(static_cast<int>(outcome)));
            FakeServer fake;
            fake.startResult = outcome == Outcome::StartFails ? E_ACCESSDENIED : S_OK;
            kolmtest::SetActivationHandler(outcome == Outcome::ActivationRefused ? Refuse(REGDB_E_CLASSNOTREG)
                                                                                  : Serve(fake));
            kolmtest::RunOnFreshThread([&] {
                kolmtest::EnterApartment(prior);
                CKolmCall* bridge = CreateKolmCall();
                EXPECT_EQ(bridge != nullptr, outcome == Outcome::Connected);
                if (bridge != nullptr) {
                    EXPECT_EQ(kolmtest::CurrentApartment(), prior == Apartment::None ? Apartment::Single : prior);
                }
                ReleaseKolmCall(bridge);
                EXPECT_EQ(kolmtest::CurrentApartment(), prior);
                if (prior != Apartment::None) {
                    // One initialisation was ours; nothing of the bridge's is left.
                    CoUninitialize();
                    EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::None);
                }
            });
            EXPECT_EQ(fake.refs, 1) << "a failed or released bridge holds no server reference";
            EXPECT_EQ(fake.starts, outcome == Outcome::ActivationRefused ? 0 : 1);
        }
    }
}

TEST_F(KolmCallBridge, TwoObjectsOnOneThreadEachInitialiseCom)
{
    FakeServer fake;
    kolmtest::SetActivationHandler(Serve(fake));
    kolmtest::RunOnFreshThread([&] {
        CKolmCall* first = CreateKolmCall();
        CKolmCall* second = CreateKolmCall();
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first, second);
        ReleaseKolmCall(first);
        EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::Single) << "the second object's initialisation remains";
        ReleaseKolmCall(second);
        EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::None);
    });
    EXPECT_EQ(fake.starts, 2);
    EXPECT_EQ(fake.refs, 1);
}

struct ConversionCase {
    UINT codePage;
    const char* text;
    const wchar_t* converted;  // null: the conversion must fail
};

TEST(KolmCallText, ConvertsFromTheCodePageOrRaisesTheSystemError)
{
    const ConversionCase cases[] = {
        {1252, "caf\xE9", L"caf\u00E9"},
        {1252, "\x80", L"\u20AC"},
        {932, "\x82\xA0", L"\u3042"},
        {932, "ok\x82", nullptr},  // a lead byte without its trail byte
        {65001, "\xC3\xA9", L"\u00E9"},
        {65001, "\xFF", nullptr},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.text);
        if (c.converted == nullptr) {
            try {
                SysFreeString(kolmcall::MakeCommandText(c.text, c.codePage));
                ADD_FAILURE() << "no exception";
            } catch (const CKolmCallError& error) {
                EXPECT_EQ(error.Error(), HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION));
            }
        } else {
            BSTR converted = kolmcall::MakeCommandText(c.text, c.codePage);
            ASSERT_NE(converted, nullptr);
            EXPECT_EQ(std::wstring(converted, SysStringLen(converted)), c.converted);
            SysFreeString(converted);
        }
    }
    EXPECT_EQ(kolmcall::MakeCommandText(nullptr, 932), nullptr);
}

// The tests below depend on the ANSI code page, which Wine takes from the
// Unix locale: ctest runs them once more under a Japanese locale (code
// page 932), where a lone lead byte cannot be converted.
UINT AnsiCodePageUnderTest()
{
    const char* expected = std::getenv("KOLM_TEST_ACP");
    return expected != nullptr ? static_cast<UINT>(std::strtoul(expected, nullptr, 10)) : 0;
}

TEST(KolmCallAnsi, RunsInTheRequestedCodePage)
{
    if (AnsiCodePageUnderTest() == 0) {
        GTEST_SKIP() << "KOLM_TEST_ACP not set";
    }
    EXPECT_EQ(GetACP(), AnsiCodePageUnderTest()) << "the locale for this run was not built or not taken up";
}

TEST_F(KolmCallBridge, SendCommandConvertsFromTheAnsiCodePage)
{
    const char* text = nullptr;
    const wchar_t* expected = nullptr;
    if (GetACP() == 1252) {
        text = "\x80 caf\xE9";
        expected = L"\u20AC caf\u00E9";
    } else if (GetACP() == 932) {
        text = "\x82\xA0\xB1";  // hiragana a, half-width katakana a
        expected = L"\u3042\uFF71";
    } else {
        GTEST_SKIP() << "no case for code page " << GetACP();
    }
    FakeServer fake;
    kolmtest::SetActivationHandler(Serve(fake));
    kolmtest::RunOnFreshThread([&] {
        CKolmCall* bridge = CreateKolmCall();
        ASSERT_NE(bridge, nullptr);
        EXPECT_EQ(bridge->SendCommand(3, text), S_OK);
        ReleaseKolmCall(bridge);
    });
    ASSERT_EQ(fake.commands.size(), 1u);
    EXPECT_EQ(fake.commands[0].text, expected);
}

TEST_F(KolmCallBridge, UnconvertibleAnsiTextRaisesAndSendsNothing)
{
    if (GetACP() != 932) {
        GTEST_SKIP() << "every byte converts in code page " << GetACP();
    }
    FakeServer fake;
    kolmtest::SetActivationHandler(Serve(fake));
    kolmtest::RunOnFreshThread([&] {
        CKolmCall* bridge = CreateKolmCall();
        ASSERT_NE(bridge, nullptr);
        try {
            bridge->SendCommand(3, "\x82");
            ADD_FAILURE() << "no exception";
        } catch (const CKolmCallError& error) {
            EXPECT_EQ(error.Error(), HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION));
            EXPECT_TRUE(FAILED(error.Error()));
        }
        EXPECT_EQ(bridge->SendCommand(4, "after"), S_OK) << "the object stays usable";
        ReleaseKolmCall(bridge);
    });
    ASSERT_EQ(fake.commands.size(), 1u);
    EXPECT_EQ(fake.commands[0].value, 4);
}

}  // namespace
