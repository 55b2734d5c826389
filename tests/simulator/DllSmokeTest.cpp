// ZembrinPrinter.dll as the console meets it: linked through its import
// library, opened, searched, one printer opened, a file print and a
// shared-memory print made, and every completion awaited (bounded).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "VrxSdk.h"

namespace {

std::mutex g_mu;
std::condition_variable g_cv;
std::vector<VRXCOMPLETIONINFO> g_completions;
std::vector<uint32_t> g_codes;
DWORD g_callbackThread = 0;

uint32_t VRXAPI OnCompletion(uint32_t code, VRXCOMPLETIONINFO* info) {
    std::lock_guard<std::mutex> lock(g_mu);
    g_codes.push_back(code);
    g_completions.push_back(*info);
    g_callbackThread = GetCurrentThreadId();
    g_cv.notify_all();
    return 0;
}
uint32_t VRXAPI OnEvent(VRXEVENTINFO*) { return 0; }
uint32_t VRXAPI OnUnit(VRXUNITSTATUSINFO*) { return 0; }
uint32_t VRXAPI OnEventEx(VRXEVENTEXINFO*) { return 0; }

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool OrderCompleted(uint32_t order) {
    for (size_t i = 0; i < g_codes.size(); ++i) {
        if (g_codes[i] == COMPLETION_ORDER && g_completions[i].dwOrderId == order) return true;
    }
    return false;
}

}  // namespace

TEST(ZembrinPrinterDll, PrintsAFileAndASharedMemoryImage) {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    std::string folder = std::string(temp) + "vrxsim-smoke-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string settings = folder + "ZembrinSim.ini";
    std::string journal = folder + "calls.log";
    std::string logIni = folder + "ZembrinPrinter.ini";
    std::string image = folder + "image.jpg";
    std::ofstream(settings) << "[Simulator]\r\nTimeScale=0.1\r\n[Journal]\r\nFile=calls.log\r\n";
    std::ofstream(logIni) << "[log]\r\nlogger=ZembrinPrinter.dll\r\nmaxline=1000\r\nfilename=lib.log\r\n";
    std::ofstream(image, std::ios::binary) << std::string(2048, 'j');
    ASSERT_TRUE(SetEnvironmentVariableA("ZEMBRINSIM_INI", settings.c_str()));

    ASSERT_EQ(1u, vrxLibOpen(logIni.c_str()));
    vrxSetCustomMode(12);
    vrxSetTempFolder(folder.c_str());
    ASSERT_EQ(1u, vrxSetCompletionProcMode(7));
    uint16_t count = 0;
    ASSERT_EQ(1u, vrxSearchPrinter(&count, 6000));
    ASSERT_EQ(3u, count);
    VRXPRINTERINFO printers[3] = {};
    ASSERT_EQ(1u, vrxGetPrinter(3, printers));
    EXPECT_EQ(127u | (1u << 24), printers[0].dwIPAddress);

    HVRXPRINTER h = 0;
    ASSERT_EQ(1u, vrxDevOpen(127u | (1u << 24), &h, OnEvent, OnUnit));
    ASSERT_EQ(1u, vrxDevVrxNoticeEventProcEx(h, OnEventEx));
    uint32_t order = 0;
    ASSERT_EQ(1u, vrxDevStartOrderEx(h, &order, OnCompletion, 0, 0, 0, 0));

    VRXPRINTINFO info{};
    info.dwSourceType = 1;
    info.dwDataLength = 2048;
    info.pName = image.c_str();
    info.dwPrintNum = 1;
    uint32_t filePrint = 0;
    ASSERT_EQ(1u, vrxDevPrint(h, order, &filePrint, OnCompletion, &info));

    // The console's way: a page-file mapping named VRXCLIENT_MAPPING_nnn.
    std::string name = "VRXCLIENT_MAPPING_" + std::to_string(GetCurrentProcessId());
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2048, name.c_str());
    ASSERT_NE(nullptr, mapping);
    info.dwSourceType = 0;
    info.pName = name.c_str();
    uint32_t memoryPrint = 0;
    ASSERT_EQ(1u, vrxDevPrint(h, order, &memoryPrint, OnCompletion, &info));
    info.pName = "VRXCLIENT_MAPPING_NONE";
    uint32_t refused = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_SYSERR), vrxDevPrint(h, order, &refused, OnCompletion, &info));
    ASSERT_EQ(1u, vrxDevEndOrder(h, order));

    {
        std::unique_lock<std::mutex> lock(g_mu);
        ASSERT_TRUE(g_cv.wait_for(lock, std::chrono::seconds(60), [order] { return OrderCompleted(order); }));
        int finals = 0;
        for (size_t i = 0; i < g_codes.size(); ++i) {
            if (g_codes[i] == COMPLETION_PRINT && g_completions[i].dwStatus == RESULT_OK) ++finals;
        }
        EXPECT_EQ(2, finals);
        EXPECT_NE(GetCurrentThreadId(), g_callbackThread);
    }
    ASSERT_EQ(1u, vrxDevClose(h));
    ASSERT_EQ(1u, vrxLibClose());
    CloseHandle(mapping);

    std::string calls = ReadAll(journal);
    EXPECT_NE(std::string::npos, calls.find("vrxDevOpen dwIPAddress=127.0.0.1 ")) << calls;
    EXPECT_NE(std::string::npos, calls.find("pName=\"" + name + "\"")) << calls;
    EXPECT_NE(std::string::npos, ReadAll(folder + "lib.log").find("[ZembrinPrinter.dll] vrxLibClose result=1"));
    SetEnvironmentVariableA("ZEMBRINSIM_INI", nullptr);
}
