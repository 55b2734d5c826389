// A tracer that records its lines at a fixed time, and a harness that runs
// one wrapper against the fake library and expands the expected lines.
#pragma once

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "FakeSdk.h"
#include "SdkCallTracer.h"

namespace tracetest {

constexpr const char* kStamp = "20:43:27'045 ";

class RecordingTracer : public vrx::SdkCallTracer {
public:
    std::vector<std::string> lines;
    void AddLine(const char* line) override { lines.emplace_back(line); }

protected:
    vrx::ClockTime Now() const override {
        vrx::ClockTime t;
        t.hour = 20;
        t.minute = 43;
        t.second = 27;
        t.millisecond = 45;
        return t;
    }
};

// What a pointer must read as, written independently of the product: eight
// hex digits where pointers have 32 bits, sixteen where they have 64.
inline std::string ExpectedPointer(uint64_t address) {
    char text[24];
    if (sizeof(void*) == 4) {
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(address));
    } else {
        std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(address));
    }
    return text;
}

// The bytes of a record, as the fake library writes them.
template <class T>
std::vector<unsigned char> Bytes(const T& record) {
    const auto* p = reinterpret_cast<const unsigned char*>(&record);
    return std::vector<unsigned char>(p, p + sizeof record);
}
template <class T>
std::vector<unsigned char> Bytes(const std::vector<T>& records) {
    const auto* p = reinterpret_cast<const unsigned char*>(records.data());
    return std::vector<unsigned char>(p, p + records.size() * sizeof(T));
}

// Callbacks handed to the wrappers; only their addresses matter.
inline uint32_t VRXAPI OnEvent(VRXEVENTINFO*) { return 0; }
inline uint32_t VRXAPI OnUnit(VRXUNITSTATUSINFO*) { return 0; }
inline uint32_t VRXAPI OnCompletion(uint32_t, VRXCOMPLETIONINFO*) { return 0; }
inline uint32_t VRXAPI OnEventEx(VRXEVENTEXINFO*) { return 0; }
inline void VRXAPI OnReply(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
inline void VRXAPI OnNotice(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

class Harness {
public:
    RecordingTracer tracer;
    std::vector<uint64_t> args;  // what the wrapper was given

    Harness() {
        fake::Reset();
        fake::State().lineCount = [this] { return tracer.lines.size(); };
        Name("OnEvent", &OnEvent);
        Name("OnUnit", &OnUnit);
        Name("OnCompletion", &OnCompletion);
        Name("OnEventEx", &OnEventEx);
        Name("OnReply", &OnReply);
        Name("OnNotice", &OnNotice);
        m_names["null"] = ExpectedPointer(0);
    }
    ~Harness() { fake::State().lineCount = nullptr; }

    // count zero-filled records on the heap, exactly as large as asked, so
    // the sanitizers catch any read past them; "{key}" reads as its address.
    template <class T>
    T* Buffer(const char* key, size_t count = 1) {
        auto storage = std::shared_ptr<unsigned char>(new unsigned char[count * sizeof(T)](),
                                                      std::default_delete<unsigned char[]>());
        m_owned.push_back(storage);
        m_buffers[key] = storage.get();
        return Name(key, reinterpret_cast<T*>(storage.get()));
    }

    // A buffer made by Buffer, for checks after the call.
    template <class T>
    T* At(const char* key) const {
        return reinterpret_cast<T*>(m_buffers.at(key));
    }

    template <class T>
    T* Name(const char* key, T* pointer) {
        m_names[key] = ExpectedPointer(fake::Address(pointer));
        m_names[std::string(key) + ":dec"] = std::to_string(fake::Address(pointer));
        return pointer;
    }

    // Calls one wrapper, noting its arguments as the fake library records them.
    template <class... P, class... A>
    uint32_t Call(uint32_t (vrx::SdkCallTracer::*wrapper)(P...), A... a) {
        args = {Arg(static_cast<P>(a))...};
        return (tracer.*wrapper)(static_cast<P>(a)...);
    }

    // An expected line: "{key}" expanded, the fixed time stamp in front of
    // traced lines (separators have none).
    std::string Expand(const std::string& line) const {
        std::string out;
        for (size_t i = 0; i < line.size();) {
            const size_t close = line[i] == '{' ? line.find('}', i) : std::string::npos;
            const auto it = close != std::string::npos ? m_names.find(line.substr(i + 1, close - i - 1)) : m_names.end();
            if (it != m_names.end()) {
                out += it->second;
                i = close + 1;
            } else {
                out += line[i++];
            }
        }
        return line.compare(0, 1, "[") == 0 ? kStamp + out : out;
    }

    std::vector<std::string> Expand(const std::vector<std::string>& lines) const {
        std::vector<std::string> out;
        for (const std::string& line : lines) out.push_back(Expand(line));
        return out;
    }

private:
    template <class T>
    static uint64_t Arg(T value) {
        if constexpr (std::is_pointer_v<T>) {
            return fake::Address(value);
        } else {
            return static_cast<uint64_t>(value);
        }
    }

    std::map<std::string, std::string> m_names;
    std::map<std::string, void*> m_buffers;
    std::vector<std::shared_ptr<unsigned char>> m_owned;
};

}  // namespace tracetest
