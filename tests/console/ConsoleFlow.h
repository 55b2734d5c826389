// A console started beside the stand-in library, with the library open and
// printer 127.0.0.1 (handle 0x00A40011) selected, driven through its window.
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "ConsoleProcess.h"  // windows.h first, then the common controls
#include <commctrl.h>

#include "resource.h"

namespace flow {

using testing_support::ConsoleProcess;

// Fast simulation, journal beside the console.
constexpr const char* kSimulator = "[Simulator]\r\nTimeScale=0.05\r\n[Journal]\r\nFile=calls.log\r\n";
// Every maintenance button shown.
constexpr const char* kMaintenanceOn =
    "[KORVALEN]\r\nvrxDevOccupyCheck=1\r\nvrxDevCancelPrintAll=1\r\nvrxDevVrxCommand1=1\r\nvrxDevVrxCommand2=1\r\n"
    "vrxDevVrxNotice=1\r\nvrxDevStartFAD=1\r\nvrxDevInterruptPrintOrder=1\r\nvrxDevStartRetransmission=1\r\n"
    "vrxDevEndRetransmission=1\r\n";

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// A null pointer as the library's journal and the trace write it: as wide as
// a pointer of this build (the console under test is the same build).
inline std::string NullPointer() { return "0x" + std::string(sizeof(void*) * 2, '0'); }

// Addresses change from run to run: a non-null pointer argument ("p..." or
// "lp..." after a separator) reads as "PTR". Matched by name, not width: on
// i686 a pointer has the same eight digits as a handle.
inline std::string Normalised(const std::string& line) {
    static const std::regex pointer("(^|[ ,{])((?:p|lp)[A-Za-z0-9]*=)0x(?!0+\\b)[0-9A-F]{" +
                                    std::to_string(sizeof(void*) * 2) + "}\\b");
    return std::regex_replace(line, pointer, "$1$2PTR");
}

inline bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

inline void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
inline void Choose(HWND dialog, int id, int index) { SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0); }

class ConsoleFlow : public ::testing::Test {
protected:
    void SetUp() override {
        m_console.WriteFile("ZembrinSim.ini", std::string(kSimulator) + SimulatorExtra());
        m_console.WriteFile("VrxClient.ini", kMaintenanceOn);
        m_console.WriteFile("VrxClient.log", "");  // file logging on
        ASSERT_TRUE(m_console.Start());
        ASSERT_TRUE(m_console.OpenLibrary(false));
        ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 1));
    }
    void TearDown() override { m_console.Exit(); }
    virtual std::string SimulatorExtra() const { return std::string(); }

    // The one journal line of an entry point, after one press.
    std::string OnlyCall(const std::string& entryPoint) const {
        const auto calls = m_console.Journal(entryPoint);
        EXPECT_EQ(calls.size(), 1u) << entryPoint << ":\n" << Joined(calls);
        return calls.empty() ? std::string() : calls.back();
    }
    // The last journal line of an entry point; "" before any call.
    std::string LastCall(const std::string& entryPoint) const {
        const auto calls = m_console.Journal(entryPoint);
        return calls.empty() ? std::string() : calls.back();
    }

    ConsoleProcess m_console;
};

}  // namespace flow
