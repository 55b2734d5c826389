#include "Call.h"

#include <cstdio>

#include "Library.h"
#include "SdkTime.h"

namespace vrxsim {

Call::Call(Library& lib, const char* name) : m_lib(lib), m_name(name), m_settings(lib.Settings()) {
    lib.EnterCall(m_name, m_settings->faults);
}

Call& Call::Arg(const char* name, const std::string& value) {
    m_args += " ";
    m_args += name;
    m_args += "=";
    m_args += value;
    return *this;
}

Call& Call::Dec(const char* name, uint32_t value) { return Arg(name, std::to_string(value)); }
Call& Call::Hex(const char* name, uint32_t value) { return Arg(name, Hex32(value)); }
Call& Call::Hex16(const char* name, uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return Arg(name, text);
}
Call& Call::Ptr(const char* name, const void* pointer) { return Arg(name, PointerText(pointer)); }

Call& Call::Out(const char* name, const std::string& value) {
    m_outs += " ";
    m_outs += name;
    m_outs += "=";
    m_outs += value;
    return *this;
}

std::optional<uint32_t> Call::Forced() {
    auto it = m_settings->faults.forcedResults.find(m_name);
    if (it == m_settings->faults.forcedResults.end()) return std::nullopt;
    m_forced = true;
    return it->second;
}

uint32_t Call::Finish(uint32_t result) {
    std::string line = m_name + m_args + " result=" + ResultText(result) + (m_forced ? " forced" : "") + m_outs;
    m_lib.m_journal.Write(line);
    m_lib.m_log.Write(LogLevel::Info, line);
    for (auto& work : m_after) work();
    return result;
}

void Call::AfterReturn(std::function<void()> work) { m_after.push_back(std::move(work)); }

std::string ResultText(uint32_t result) {
    const char* name = "UNKNOWN";
    switch (result) {
        case VRXERR_NORMAL: name = "VRXERR_NORMAL"; break;
        case VRXERR_REJECT2: name = "VRXERR_REJECT2"; break;
        case VRXERR_BADPARAM: name = "VRXERR_BADPARAM"; break;
        case VRXERR_SYSERR: name = "VRXERR_SYSERR"; break;
        case VRXERR_PRNERR: name = "VRXERR_PRNERR"; break;
        case VRXERR_REJECT3: name = "VRXERR_REJECT3"; break;
        case VRXERR_REMAINING_DATA: name = "VRXERR_REMAINING_DATA"; break;
        case VRXERR_TIMEOUT: name = "VRXERR_TIMEOUT"; break;
        default: break;
    }
    return std::to_string(result) + "(" + name + ")";
}

std::string TimeInfoText(const VRXTIMEINFO* t) {
    if (!t) return "(null)";
    return vrx::FormatTimeInfo(*t, '-') + "(dow=" + std::to_string(t->dwDayofweek) + ")";
}

namespace {

// One value of a record's field, by the kind its description gives.
std::string JournalValue(const vrx::FieldDesc& field, const unsigned char* record, size_t element) {
    const unsigned char* at = record + field.offset + element * field.size;
    switch (field.kind) {
        case vrx::FieldKind::Signed: return std::to_string(vrx::ReadSigned(at, field.size));
        case vrx::FieldKind::Text: return FieldText(reinterpret_cast<const char*>(at), field.size);
        case vrx::FieldKind::TextPointer: return QuotedText(vrx::ReadAt<const char*>(at));
        case vrx::FieldKind::Hex16:
        case vrx::FieldKind::Hex32:
        case vrx::FieldKind::HexByte: {
            char text[16];  // as many digits as the field has
            std::snprintf(text, sizeof text, "0x%0*X", static_cast<int>(2 * field.size), vrx::ReadUnsigned(at, field.size));
            return text;
        }
        case vrx::FieldKind::TimeInfo: {
            const VRXTIMEINFO time = vrx::ReadAt<VRXTIMEINFO>(at);
            return TimeInfoText(&time);
        }
        case vrx::FieldKind::DateInfo: return vrx::FormatDateInfo(vrx::ReadAt<VRXDATEINFO>(at));
        case vrx::FieldKind::SystemTime: return vrx::FormatSystemTime(vrx::ReadAt<VRXSYSTEMTIME>(at));
        case vrx::FieldKind::StatusChange:
            return std::to_string(vrx::ReadSigned(at, field.size)) + "->" +
                   std::to_string(vrx::ReadSigned(record + field.newOffset, field.size));
        default: return std::to_string(vrx::ReadUnsigned(at, field.size));  // numbers and codes
    }
}

}  // namespace

std::string RecordText(const vrx::RecordDesc& record, const void* data) {
    if (!data) return "(null)";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text = "{";
    for (const vrx::FieldDesc* field = record.fields; field != record.fields + record.fieldCount; ++field) {
        text += ' ';
        text += field->name;
        text += '=';
        if (field->count > 1) text += '{';
        for (size_t i = 0; i < field->count; ++i) {
            if (i > 0) text += ',';
            text += JournalValue(*field, bytes, i);
        }
        if (field->count > 1) text += '}';
    }
    return text + " }";
}

}  // namespace vrxsim
