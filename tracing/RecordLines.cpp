#include "RecordLines.h"

#include <cstdio>
#include <cstring>

#include "CodeNames.h"
#include "SdkTime.h"
#include "TraceFormat.h"

namespace vrx {
namespace {

void AppendValue(std::string& out, FieldKind kind, const unsigned char* at, size_t size) {
    char text[96];
    switch (kind) {
        case FieldKind::Unsigned:
            std::snprintf(text, sizeof text, "%u", ReadUnsigned(at, size));
            break;
        case FieldKind::Signed:
            std::snprintf(text, sizeof text, "%d", ReadSigned(at, size));
            break;
        case FieldKind::Hex16:
            std::snprintf(text, sizeof text, "0x%04X", ReadUnsigned(at, size));
            break;
        case FieldKind::Hex32:
            std::snprintf(text, sizeof text, "0x%08X", ReadUnsigned(at, size));
            break;
        case FieldKind::HexByte:
            std::snprintf(text, sizeof text, "%02X", ReadUnsigned(at, size));
            break;
        case FieldKind::Text:
            out += '"';
            out += BoundedText(reinterpret_cast<const char*>(at), size);
            out += '"';
            return;
        case FieldKind::TextPointer:
            out += '"';
            out += TextOrNull(ReadAt<const char*>(at));
            out += '"';
            return;
        case FieldKind::IpAddress:
            out += FormatIpAddress(ReadUnsigned(at, size));
            return;
        case FieldKind::QuotedIpAddress:
            out += '"';
            out += FormatIpAddress(ReadUnsigned(at, size));
            out += '"';
            return;
        case FieldKind::TimeInfo:
            out += FormatTimeInfo(ReadAt<VRXTIMEINFO>(at));
            return;
        case FieldKind::DateInfo:
            out += FormatDateInfo(ReadAt<VRXDATEINFO>(at));
            return;
        case FieldKind::SystemTime:
            out += FormatSystemTime(ReadAt<VRXSYSTEMTIME>(at));
            return;
        case FieldKind::UnitId:
            out += FormatUnitId(ReadUnsigned(at, size));
            return;
        case FieldKind::CompletionStatus:
            out += FormatCompletionStatus(ReadUnsigned(at, size));
            return;
        case FieldKind::StatusChange:
            return;  // two values: see AppendField
    }
    out += text;
}

void AppendField(std::string& out, const FieldDesc& field, const unsigned char* record) {
    out += field.name;
    out += '=';
    if (field.kind == FieldKind::StatusChange) {
        char text[48];
        std::snprintf(text, sizeof text, "{ %d -> %d }", ReadSigned(record + field.offset, field.size),
                      ReadSigned(record + field.newOffset, field.size));
        out += text;
        return;
    }
    if (field.count == 1) {
        AppendValue(out, field.kind, record + field.offset, field.size);
        return;
    }
    out += field.style.open;
    for (size_t i = 0; i < field.count; ++i) {
        if (i > 0) out += field.style.separator;
        AppendValue(out, field.kind, record + field.offset + i * field.size, field.size);
    }
    out += field.style.close;
}

}  // namespace

std::vector<std::string> FormatRecordLines(const RecordDesc& record, const void* data, int index) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<std::string> lines;
    lines.reserve(record.lineCount);
    size_t next = 0;
    for (size_t line = 1; line <= record.lineCount; ++line) {
        const LineDesc& desc = record.lines[line - 1];
        std::string text = desc.head;
        if (desc.indexTail) {
            text += std::to_string(index);
            text += desc.indexTail;
        }
        for (bool first = true; next < record.fieldCount && record.fields[next].line == line; ++next, first = false) {
            if (!first) text += ", ";
            AppendField(text, record.fields[next], bytes);
        }
        text += desc.tail;
        lines.push_back(std::move(text));
    }
    return lines;
}

}  // namespace vrx
