// A console started beside the stand-in library, with the library open and
// printer 127.0.0.1 (handle 0x00A40011) selected, driven through its window.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
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

inline std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// What a journal line says of one argument or output ("name=value"); a
// quoted text keeps its quotes.
inline std::string FieldOf(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) return std::string();
    const size_t start = at + name.size() + 2;
    if (line[start] == '"') return line.substr(start, line.find('"', start + 1) - start + 1);
    return line.substr(start, line.find(' ', start) - start);
}

// Items of another process's list view.
inline int ListCount(HWND dialog, int list) {
    return static_cast<int>(SendDlgItemMessageW(dialog, list, LVM_GETITEMCOUNT, 0, 0));
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

    // Opens a dialog, hands it to `look`, closes it with `button`.
    void InDialog(int id, const wchar_t* caption, const std::function<void(HWND)>& look, int button = IDCANCEL) {
        HWND dialog = m_console.PressForDialog(id, caption);
        ASSERT_NE(dialog, nullptr);
        if (look) look(dialog);
        ASSERT_TRUE(m_console.CloseDialog(dialog, button));
    }
    // "vrxDevStartOrder" confirmed after `edit`; the new order's id, 0 when refused.
    uint32_t StartOrder(const std::function<void(HWND)>& edit = nullptr) {
        InDialog(IDC_DEV_START_ORDER, L"vrxDevStartOrder", edit, IDOK);
        unsigned id = 0;
        std::sscanf(FieldOf(LastCall("vrxDevStartOrderEx"), "*pdwOrderId").c_str(), "%x", &id);
        return id;
    }
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
