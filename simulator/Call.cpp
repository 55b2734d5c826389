#include "Call.h"

#include <cstdio>

#include "Library.h"

namespace vrxsim {

namespace {
std::string Dec(uint32_t v) { return std::to_string(v); }
std::string Int(int32_t v) { return std::to_string(v); }
}  // namespace

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

std::string PrintInfoText(const VRXPRINTINFO* p) {
    if (!p) return "(null)";
    std::string t = "{";
    auto add = [&t](const char* name, const std::string& value) { t += std::string(" ") + name + "=" + value; };
    add("dwImageFormat", Dec(p->dwImageFormat));
    add("dwColorSpace", Dec(p->dwColorSpace));
    add("dwSourceType", Dec(p->dwSourceType));
    add("dwDataLength", Dec(p->dwDataLength));
    add("pName", QuotedText(p->pName));
    add("dwOffset", Dec(p->dwOffset));
    add("dwImgWidth", Dec(p->dwImgWidth));
    add("dwImgHeight", Dec(p->dwImgHeight));
    add("dwResolution", Dec(p->dwResolution));
    add("dwPaperWidth", Dec(p->dwPaperWidth));
    add("dwPaperLength", Dec(p->dwPaperLength));
    add("dwCvpPrintSize", Dec(p->dwCvpPrintSize));
    add("dwCvpInitialValue1", Dec(p->dwCvpInitialValue1));
    add("dwCvpPoint1", Dec(p->dwCvpPoint1));
    add("dwCvpInitialWidth1", Dec(p->dwCvpInitialWidth1));
    add("szCvpLine1", FieldText(p->szCvpLine1, sizeof p->szCvpLine1));
    add("dwCvpInitialValue2", Dec(p->dwCvpInitialValue2));
    add("dwCvpPoint2", Dec(p->dwCvpPoint2));
    add("dwCvpInitialWidth2", Dec(p->dwCvpInitialWidth2));
    add("szCvpLine2", FieldText(p->szCvpLine2, sizeof p->szCvpLine2));
    add("dwPrintNum", Dec(p->dwPrintNum));
    add("dwFeed", Dec(p->dwFeed));
    add("dwSurface", Dec(p->dwSurface));
    add("dwPaperPresence", Dec(p->dwPaperPresence));
    add("nEspc", Int(p->nEspc));
    add("wCMS", Dec(p->wCMS));
    add("wAngle", Dec(p->wAngle));
    add("wPaperFitting", Dec(p->wPaperFitting));
    add("wEdgeEnhancement", Dec(p->wEdgeEnhancement));
    add("wWithBorderTop", Dec(p->wWithBorderTop));
    add("wWithBorderBottom", Dec(p->wWithBorderBottom));
    add("wWithBorderLeft", Dec(p->wWithBorderLeft));
    add("wWithBorderRight", Dec(p->wWithBorderRight));
    add("byWithBorderColor", "{" + Dec(p->byWithBorderColor[0]) + "," + Dec(p->byWithBorderColor[1]) + "," +
                                 Dec(p->byWithBorderColor[2]) + "}");
    add("szPaperName", FieldText(p->szPaperName, sizeof p->szPaperName));
    add("nPcfms", Int(p->nPcfms));
    add("wPrintQuality", Dec(p->wPrintQuality));
    add("byImageEnlargeType", Dec(p->byImageEnlargeType));
    add("wLoadingCount", Dec(p->wLoadingCount));
    add("wPrintedCount", Dec(p->wPrintedCount));
    add("dwEventId", Dec(p->dwEventId));
    add("wEventCodeMain", Dec(p->wEventCodeMain));
    return t + " }";
}

std::string BlankPrintInfoText(const VRXBLANKPRINTINFO* p) {
    if (!p) return "(null)";
    return "{ dwResolution=" + Dec(p->dwResolution) + " dwPaperWidth=" + Dec(p->dwPaperWidth) +
           " dwPaperLength=" + Dec(p->dwPaperLength) + " dwPrintNum=" + Dec(p->dwPrintNum) + " dwFeed=" + Dec(p->dwFeed) +
           " dwSurface=" + Dec(p->dwSurface) + " dwPaperPresence=" + Dec(p->dwPaperPresence) +
           " szPaperName=" + FieldText(p->szPaperName, sizeof p->szPaperName) + " dwClearInk=" + Dec(p->dwClearInk) +
           " wPrintQuality=" + Dec(p->wPrintQuality) + " }";
}

std::string TimeInfoText(const VRXTIMEINFO* t) {
    if (!t) return "(null)";
    char text[96];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u-%02u:%02u:%02u(dow=%u)", t->dwYear, t->dwMonth, t->dwDay, t->dwHour,
                  t->dwMinute, t->dwSecond, t->dwDayofweek);
    return text;
}

std::string PaperInfoText(const VRXPAPERINFO* p) {
    if (!p) return "(null)";
    return "{ dwWidth=" + Dec(p->dwWidth) + " dwSurface=" + Dec(p->dwSurface) + " dwFeed=" + Dec(p->dwFeed) +
           " szPaperName=" + FieldText(p->szPaperName, sizeof p->szPaperName) + " }";
}

std::string InterruptInfoText(const VRXINTERRUPTORDERINFO* p) {
    if (!p) return "(null)";
    return "{ wOrderState=" + Dec(p->wOrderState) + " wMainSideState=" + Dec(p->wMainSideState) +
           " wBackSideState=" + Dec(p->wBackSideState) + " wPrintSide=" + Dec(p->wPrintSide) + " }";
}

}  // namespace vrxsim
