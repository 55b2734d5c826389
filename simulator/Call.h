// One entry-point call as the journal and the library log record it:
// "<entry point> <arg>=<value> ... result=<n>(<name>) <out>=<value> ...".
// Also where forced results come from and where work that must wait until
// the caller has left the library is queued.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Journal.h"
#include "RecordFields.h"
#include "SimSettings.h"
#include "VrxSdk.h"

namespace vrxsim {

class Library;

class Call {
public:
    Call(Library& lib, const char* name);
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    Call& Arg(const char* name, const std::string& value);
    Call& Dec(const char* name, uint32_t value);
    Call& Hex(const char* name, uint32_t value);
    Call& Hex16(const char* name, uint16_t value);
    Call& Ptr(const char* name, const void* pointer);
    template <typename F>
    Call& Proc(const char* name, F* proc) {
        return Ptr(name, reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(proc)));
    }
    Call& Out(const char* name, const std::string& value);

    // The result the settings force on this entry point, if any.
    std::optional<uint32_t> Forced();
    // Writes the line, then runs the after-return work; returns result.
    uint32_t Finish(uint32_t result);
    // Work that must not start while the caller is still inside the call.
    void AfterReturn(std::function<void()> work);
    const SimSettings& Settings() const { return *m_settings; }

private:
    Library& m_lib;
    std::string m_name;
    std::string m_args;
    std::string m_outs;
    std::shared_ptr<const SimSettings> m_settings;
    std::vector<std::function<void()>> m_after;
    bool m_forced = false;
};

std::string ResultText(uint32_t result);  // "1(VRXERR_NORMAL)"
std::string TimeInfoText(const VRXTIMEINFO* time);
// A record as the journal shows it, walked from its one description:
// "{ name=value ... }", arrays as {a,b}, texts quoted and escaped; "(null)".
std::string RecordText(const vrx::RecordDesc& record, const void* data);

}  // namespace vrxsim
