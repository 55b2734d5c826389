// Shared by the simulator tests: a scratch folder, a platform with
// test-made shared-memory buffers, and a recorder behind plain C callbacks
// that keeps every notification the library delivers.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Library.h"
#include "Platform.h"
#include "VrxSdk.h"

namespace simtest {

using vrxsim::Library;

// Long enough never to fail a healthy run; only a hang reaches it.
constexpr std::chrono::seconds kWait{30};

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("vrxsim-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  std::to_string(reinterpret_cast<uintptr_t>(this) & 0xFFFFFF) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

inline uint32_t Ip(unsigned a, unsigned b, unsigned c, unsigned d) { return a | (b << 8) | (c << 16) | (d << 24); }

class TestPlatform : public vrxsim::Platform {
public:
    explicit TestPlatform(std::string settings) : m_settings(std::move(settings)) {}
    bool ReadImageBuffer(const std::string& name, std::vector<uint8_t>& bytes) override {
        std::lock_guard<std::mutex> lock(m_mu);
        auto it = m_buffers.find(name);
        if (it == m_buffers.end()) return false;
        bytes.assign(static_cast<size_t>(it->second), 0);
        return true;
    }
    std::string SettingsPath() override { return m_settings; }
    // What the [Faults] would take or break, counted instead.
    void LeakMemory(size_t bytes) override { leakedBytes += bytes; }
    void LeakHandle() override { ++leakedHandles; }
    void Crash() override { ++crashes; }
    std::atomic<size_t> leakedBytes{0}, leakedHandles{0}, crashes{0};
    void AddBuffer(const std::string& name, uint64_t size) {
        std::lock_guard<std::mutex> lock(m_mu);
        m_buffers[name] = size;
    }

private:
    std::mutex m_mu;
    std::string m_settings;
    std::map<std::string, uint64_t> m_buffers;
};

struct Got {
    enum Kind { Event, Unit, Completion, EventEx, Reply, Notice } kind;
    std::thread::id thread;
    uint32_t code = 0;
    VRXEVENTINFO event{};
    VRXUNITSTATUSINFO unit{};
    VRXCOMPLETIONINFO completion{};
    VRXEVENTEXINFO eventEx{};
    uint32_t values[6] = {};
};

// Everything delivered, in arrival order. Callbacks also count any that
// run while a test says the library must be silent.
class Recorder {
public:
    static Recorder& Get() {
        static Recorder r;
        return r;
    }
    void Reset() {
        std::lock_guard<std::mutex> lock(m_mu);
        m_got.clear();
        m_silent = false;
        m_violations = 0;
        m_hook = nullptr;
    }
    void Add(Got g) {
        std::function<void(const Got&)> hook;
        {
            std::lock_guard<std::mutex> lock(m_mu);
            if (m_silent) ++m_violations;
            g.thread = std::this_thread::get_id();
            m_got.push_back(g);
            hook = m_hook;
        }
        m_cv.notify_all();
        if (!hook) return;
        hook(g);
        // Waits may be for what the hook did: wake them once it is done.
        { std::lock_guard<std::mutex> lock(m_mu); }
        m_cv.notify_all();
    }
    // Runs on the delivering thread after each record is kept.
    void SetHook(std::function<void(const Got&)> hook) {
        std::lock_guard<std::mutex> lock(m_mu);
        m_hook = std::move(hook);
    }
    bool WaitFor(const std::function<bool(const std::vector<Got>&)>& done) {
        std::unique_lock<std::mutex> lock(m_mu);
        return m_cv.wait_for(lock, kWait, [&] { return done(m_got); });
    }
    std::vector<Got> Snapshot() {
        std::lock_guard<std::mutex> lock(m_mu);
        return m_got;
    }
    void SetSilent() {
        std::lock_guard<std::mutex> lock(m_mu);
        m_silent = true;
    }
    int Violations() {
        std::lock_guard<std::mutex> lock(m_mu);
        return m_violations;
    }

private:
    std::mutex m_mu;
    std::condition_variable m_cv;
    std::vector<Got> m_got;
    bool m_silent = false;
    int m_violations = 0;
    std::function<void(const Got&)> m_hook;
};

uint32_t VRXAPI OnEvent(VRXEVENTINFO* info);
uint32_t VRXAPI OnUnit(VRXUNITSTATUSINFO* info);
uint32_t VRXAPI OnCompletion(uint32_t code, VRXCOMPLETIONINFO* info);
uint32_t VRXAPI OnEventEx(VRXEVENTEXINFO* info);
void VRXAPI OnReply(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e);
void VRXAPI OnNotice(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e, uint32_t f);

// Completions of one print, in arrival order.
std::vector<Got> PrintCompletions(const std::vector<Got>& got, uint32_t printId);
bool HasFinal(const std::vector<Got>& got, uint32_t printId);
bool HasOrderCompletion(const std::vector<Got>& got, uint32_t orderId);

// Each test runs the library through its exported entry points with its own
// settings file; the library is closed again afterwards.
class SimTest : public ::testing::Test {
protected:
    // Settings text; every test runs at time scale 0 unless it says otherwise.
    void Open(const std::string& settings = "") {
        m_settingsPath = m_dir.File("ZembrinSim.ini");
        WriteFile(m_settingsPath, "[Simulator]\nTimeScale=0\n" + settings);
        m_platform = std::make_shared<TestPlatform>(m_settingsPath);
        vrxsim::SetInstancePlatform(m_platform);
        Recorder::Get().Reset();
        ASSERT_EQ(1u, vrxLibOpen(nullptr));
    }
    void TearDown() override {
        vrxLibClose();
        Recorder::Get().Reset();
    }
    HVRXPRINTER OpenPrinter(uint32_t address = Ip(127, 0, 0, 1)) {
        HVRXPRINTER h = 0;
        EXPECT_EQ(1u, vrxDevOpen(address, &h, OnEvent, OnUnit));
        EXPECT_EQ(1u, vrxDevVrxNoticeEventProcEx(h, OnEventEx));
        return h;
    }
    uint32_t StartOrder(HVRXPRINTER h) {
        uint32_t order = 0;
        EXPECT_EQ(1u, vrxDevStartOrderEx(h, &order, OnCompletion, 0, 0, 0, 0));
        return order;
    }
    // A small image file and a print record that names it.
    VRXPRINTINFO FilePrint(uint32_t copies = 1) {
        m_imagePath = m_dir.File("image.jpg");
        WriteFile(m_imagePath, std::string("\xFF\xD8\xFF\xE0", 4) + std::string(1000, 'x'));
        VRXPRINTINFO info{};
        info.dwImageFormat = 0;
        info.dwSourceType = 1;
        info.dwDataLength = 1004;
        info.pName = m_imagePath.c_str();
        info.dwResolution = 300;
        info.dwPaperWidth = 1270;
        info.dwPaperLength = 890;
        info.dwPrintNum = copies;
        return info;
    }
    uint32_t Print(HVRXPRINTER h, uint32_t order, uint32_t copies = 1) {
        VRXPRINTINFO info = FilePrint(copies);
        uint32_t id = 0;
        EXPECT_EQ(1u, vrxDevPrint(h, order, &id, OnCompletion, &info));
        return id;
    }
    bool WaitFinal(uint32_t printId) {
        return Recorder::Get().WaitFor([printId](const std::vector<Got>& g) { return HasFinal(g, printId); });
    }
    bool WaitOrder(uint32_t orderId) {
        return Recorder::Get().WaitFor([orderId](const std::vector<Got>& g) { return HasOrderCompletion(g, orderId); });
    }

    TempDir m_dir;
    std::string m_settingsPath;
    std::string m_imagePath;
    std::shared_ptr<TestPlatform> m_platform;
};

}  // namespace simtest
