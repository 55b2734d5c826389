// The library, the host and the stand-in server together: registration,
// activation through the seam, and the built DLLs' exports.
#include <gtest/gtest.h>

#include <string>

#include "KolmCall.h"
#include "LocalActivation.h"
#include "SeamActivation.h"
#include "TestSupport.h"

using kolmtest::Apartment;

namespace {

using CreateFn = CKolmCall* (*)();
using ReleaseFn = void (*)(CKolmCall*);

template <typename T>
T Export(HMODULE library, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string LocalLibraryPath()
{
    return kolmtest::ProgramFolder() + "KolmCallLocal.dll";
}

kolmtest::ActivationHandler LocalServer()
{
    return [](REFCLSID classId, DWORD count, MULTI_QI* results) {
        return kolmtest::ActivateLocally(classId, count, results);
    };
}

// Registers the stand-in server for one test and removes it afterwards.
class RealServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolmtest::WaitForServersToExit();
        DeleteFileA(kolmtest::ServerLogPath().c_str());
        ASSERT_TRUE(kolmtest::RegisterServer());
        kolmtest::SetActivationHandler(LocalServer());
    }
    void TearDown() override
    {
        kolmtest::SetActivationHandler(nullptr);
        kolmtest::WaitForServersToExit();
        EXPECT_TRUE(kolmtest::UnregisterServer());
    }
};

TEST_F(RealServer, CommandsArriveInOrderAndResultsComeBackUnchanged)
{
    kolmtest::RunOnFreshThread([] {
        CKolmCall* bridge = CreateKolmCall();
        ASSERT_NE(bridge, nullptr);
        ASSERT_EQ(kolmtest::ActivationCalls().size(), 1u);
        EXPECT_EQ(kolmtest::ActivationCalls()[0].mismatch, "");
        EXPECT_EQ(bridge->SendCommand(5, "hello"), S_OK);
        EXPECT_EQ(bridge->SendCommand(6, nullptr), S_OK);
        EXPECT_EQ(bridge->SendCommand(7, ""), S_OK);
        EXPECT_EQ(bridge->SendCommand(8, "FAIL:0x80004005"), static_cast<HRESULT>(0x80004005));
        EXPECT_EQ(bridge->SendCommand(-9, "FAIL:0x8004A123"), static_cast<HRESULT>(0x8004A123));
        EXPECT_EQ(bridge->SendCommand(10, "say \"hi\"\tnow"), S_OK);
        ReleaseKolmCall(bridge);
        EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::None);
    });
    EXPECT_EQ(kolmtest::ReadServerLog(),
              "start\r\n"
              "command 5 \"hello\"\r\n"
              "command 6 null\r\n"
              "command 7 \"\"\r\n"
              "command 8 \"FAIL:0x80004005\"\r\n"
              "command -9 \"FAIL:0x8004A123\"\r\n"
              "command 10 \"say \\\"hi\\\"\\x09now\"\r\n");
}

TEST_F(RealServer, HostDrivesTheLibraryAndPrintsEachResult)
{
    std::string output;
    const DWORD exitCode = kolmtest::RunProgram(
        "KolmHost.exe", "/dll:KolmCallLocal.dll /value:3 hello /null /value:0x10 FAIL:0x80004005 -- /x", &output);
    EXPECT_EQ(exitCode, 3u) << "a command failed";
    EXPECT_EQ(output,
              "CreateKolmCall succeeded\n"
              "SendCommand(3, \"hello\") = 0x00000000\n"
              "SendCommand(3, null) = 0x00000000\n"
              "SendCommand(16, \"FAIL:0x80004005\") = 0x80004005\n"
              "SendCommand(16, \"/x\") = 0x00000000\n"
              "ReleaseKolmCall done\n");
    EXPECT_EQ(kolmtest::ReadServerLog(),
              "start\r\n"
              "command 3 \"hello\"\r\n"
              "command 3 null\r\n"
              "command 16 \"FAIL:0x80004005\"\r\n"
              "command 16 \"/x\"\r\n");
}

using KolmCallAnsiServer = RealServer;

// The exception leaves the library and is caught by the host's code.
TEST_F(KolmCallAnsiServer, UnconvertibleTextRaisesAcrossTheLibrary)
{
    if (GetACP() != 932) {
        GTEST_SKIP() << "every byte converts in code page " << GetACP();
    }
    HMODULE library = LoadLibraryA(LocalLibraryPath().c_str());
    ASSERT_NE(library, nullptr);
    auto create = Export<CreateFn>(library, "CreateKolmCall");
    auto release = Export<ReleaseFn>(library, "ReleaseKolmCall");
    ASSERT_NE(create, nullptr);
    ASSERT_NE(release, nullptr);
    kolmtest::RunOnFreshThread([&] {
        CKolmCall* bridge = create();
        ASSERT_NE(bridge, nullptr);
        HRESULT raised = S_OK;
        try {
            bridge->SendCommand(1, "\x82");
        } catch (const CKolmCallError& error) {
            raised = error.Error();
        }
        EXPECT_EQ(raised, HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION));
        EXPECT_EQ(bridge->SendCommand(2, "\x82\xA0"), S_OK);
        release(bridge);
    });
    FreeLibrary(library);
    EXPECT_EQ(kolmtest::ReadServerLog(), "start\r\ncommand 2 \"\xE3\x81\x82\"\r\n");
}

// Makes sure no server is registered for one test.
class NoServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolmtest::WaitForServersToExit();
        ASSERT_TRUE(kolmtest::UnregisterServer());
    }
    void TearDown() override { kolmtest::SetActivationHandler(nullptr); }
};

const Apartment kPriors[] = {Apartment::None, Apartment::Single, Apartment::Multi};

void ExpectCreationFailsAndComUntouched(CreateFn create, ReleaseFn release)
{
    for (Apartment prior : kPriors) {
        SCOPED_TRACE(kolmtest::ApartmentName(prior));
        kolmtest::RunOnFreshThread([&] {
            kolmtest::EnterApartment(prior);
            CKolmCall* bridge = create();
            EXPECT_EQ(bridge, nullptr);
            release(bridge);
            EXPECT_EQ(kolmtest::CurrentApartment(), prior);
            if (prior != Apartment::None) {
                CoUninitialize();
                EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::None);
            }
        });
    }
}

TEST_F(NoServer, LocalActivationFindsNothingAndCreationFails)
{
    kolmtest::SetActivationHandler(LocalServer());
    ExpectCreationFailsAndComUntouched(CreateKolmCall, ReleaseKolmCall);
    ASSERT_EQ(kolmtest::ActivationCalls().size(), 3u);
    EXPECT_EQ(kolmtest::ActivationCalls()[0].mismatch, "");
}

// The product library, with its real remote-server activation.
TEST_F(NoServer, ProductLibraryReturnsNullAndLeavesComAsItWas)
{
    HMODULE library = LoadLibraryA((kolmtest::ProgramFolder() + "KolmCall.dll").c_str());
    ASSERT_NE(library, nullptr);
    auto create = Export<CreateFn>(library, "CreateKolmCall");
    auto release = Export<ReleaseFn>(library, "ReleaseKolmCall");
    ASSERT_NE(create, nullptr);
    ASSERT_NE(release, nullptr);
    ExpectCreationFailsAndComUntouched(create, release);
    FreeLibrary(library);

    std::string output;
    EXPECT_EQ(kolmtest::RunProgram("KolmHost.exe", "hello", &output), 2u);
    EXPECT_EQ(output, "CreateKolmCall failed\n");
}

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The product library with the server registered. Wine cannot activate
// anything through the remote-server context alone, registered or not
// (REGDB_E_CLASSNOTREG); Windows treats the loopback name as this machine.
TEST_F(RealServer, ProductLibraryUsesTheRemoteServerContext)
{
    std::string output;
    const DWORD exitCode = kolmtest::RunProgram("KolmHost.exe", "hello", &output);
    if (RunningUnderWine()) {
        EXPECT_EQ(output, "CreateKolmCall failed\n");
        EXPECT_EQ(exitCode, 2u);
        EXPECT_EQ(kolmtest::ReadServerLog(), "") << "the server never started";
    } else {
        EXPECT_EQ(output, "CreateKolmCall succeeded\nSendCommand(0, \"hello\") = 0x00000000\nReleaseKolmCall done\n");
        EXPECT_EQ(exitCode, 0u);
    }
}

struct ExportedName {
    WORD ordinal;
    const char* name;
};

// g++ decorates the class members identically for i686 and x86_64 (the i686
// symbols only carry the extra leading underscore of that target).
const ExportedName kExports[] = {
    {1, "_ZN9CKolmCallC2Ev"},    {2, "_ZN9CKolmCallC2ERKS_"}, {3, "_ZN9CKolmCallD2Ev"},
    {4, "_ZN9CKolmCallaSERKS_"}, {5, "_ZTV9CKolmCall"},       {6, "CreateKolmCall"},
    {7, "ReleaseKolmCall"},
};

TEST(KolmCallLibrary, ExportsExactlyTheContractOrdinals)
{
    for (const char* file : {"KolmCall.dll", "KolmCallLocal.dll"}) {
        SCOPED_TRACE(file);
        HMODULE library = LoadLibraryA((kolmtest::ProgramFolder() + file).c_str());
        ASSERT_NE(library, nullptr);
        for (const ExportedName& entry : kExports) {
            SCOPED_TRACE(entry.name);
            FARPROC byOrdinal = GetProcAddress(library, MAKEINTRESOURCEA(entry.ordinal));
            EXPECT_NE(byOrdinal, nullptr);
            EXPECT_EQ(byOrdinal, GetProcAddress(library, entry.name));
        }
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(8)), nullptr) << "nothing beyond ordinal 7";

        // The vtable export: offset to top 0, the type info, the two
        // destructor entries (empty in an abstract class's own table), and
        // Release and SendCommand sharing one pure-virtual entry.
        auto vtable = reinterpret_cast<void* const*>(GetProcAddress(library, MAKEINTRESOURCEA(5)));
        ASSERT_NE(vtable, nullptr);
        EXPECT_EQ(vtable[0], nullptr);
        EXPECT_NE(vtable[1], nullptr);
        EXPECT_EQ(vtable[4], vtable[5]);

        auto release = Export<ReleaseFn>(library, "ReleaseKolmCall");
        ASSERT_NE(release, nullptr);
        kolmtest::RunOnFreshThread([&] {
            release(nullptr);
            EXPECT_EQ(kolmtest::CurrentApartment(), Apartment::None) << "release of null touches nothing";
        });
        FreeLibrary(library);
    }
}

}  // namespace
