// Every traced SDK call that takes or fills a record, against the fake
// library: the fuzz bytes are what the library writes (any bytes, texts
// without their terminating zero, any byte count back in *pdwSize) or the
// record the console hands over. The record lines must stay inside the
// buffers and the wrappers must hand the result back unchanged.
//
// Input: op, flags, pattern, result (4), param (2), size (4), then the record
// bytes. flags: 1 null record, 2 null size pointer, 4 size left as given,
// 8 no texts (null lpFileName, pName, key and file name).
#include <cstdint>
#include <vector>

#include "FakeSdk.h"
#include "FuzzTracer.h"

namespace {

enum : uint8_t { kNullRecord = 1, kNullSize = 2, kSizeAsGiven = 4, kNoText = 8 };

constexpr size_t kMaxPrinters = 128;  // the console asks for far fewer
constexpr size_t kMaxMagazines = 16;

struct Case {
    uint8_t op, flags, pattern;
    uint32_t result;
    uint16_t param;
    uint32_t size;
    std::vector<uint8_t> bytes;

    bool Has(uint8_t flag) const { return (flags & flag) != 0; }
    template <class T>
    T* Record(const fuzz::Block& block) const {
        return Has(kNullRecord) ? nullptr : block.As<T>();
    }
    // A record the console made: the fuzz bytes, then the pattern.
    fuzz::Block Own(size_t size) const { return fuzz::RecordFrom(bytes, size, pattern); }
    // A text after the record's bytes, or null.
    std::string TextAfter(size_t offset) const {
        return offset < bytes.size() ? std::string(bytes.begin() + offset, bytes.end()) : std::string();
    }
    const char* Text(const std::string& text) const { return Has(kNoText) ? nullptr : text.c_str(); }
};

// A call that fills one record: the library writes the fuzz bytes into it.
template <class T>
void FillsOne(fuzz::LineTracer& tracer, const Case& c, uint32_t (vrx::SdkCallTracer::*wrapper)(HVRXPRINTER, T*)) {
    fuzz::Block block(sizeof(T), c.pattern);
    FUZZ_CHECK((tracer.*wrapper)(0x00A40011, c.Record<T>(block)) == c.result);
}

// A magazine walk: a buffer of any byte count, the library's count in *pdwSize
// afterwards may exceed it. Only whole records inside both may be shown.
template <class T>
void Walk(fuzz::LineTracer& tracer, const Case& c,
          uint32_t (vrx::SdkCallTracer::*wrapper)(HVRXPRINTER, T*, uint32_t*)) {
    const uint32_t bufferBytes = c.param % (kMaxMagazines * sizeof(T) + 1);
    fuzz::Block block(bufferBytes, c.pattern);
    uint32_t size = bufferBytes;
    uint32_t* pdwSize = c.Has(kNullSize) ? nullptr : &size;
    if (!c.Has(kSizeAsGiven)) fake::State().size = c.size;
    FUZZ_CHECK((tracer.*wrapper)(0x00A40011, c.Record<T>(block), pdwSize) == c.result);
    const uint32_t filled = pdwSize ? *pdwSize : 0;
    const size_t shown = c.Has(kNullRecord) || !pdwSize ? 0 : std::min(bufferBytes, filled) / sizeof(T);
    FUZZ_CHECK(tracer.Count("===") == shown);
}

void Run(const Case& c) {
    fake::Reset();
    fake::State().result = c.result;
    fake::State().fill = c.bytes;
    fuzz::LineTracer tracer;
    const HVRXPRINTER h = 0x00A40011;

    switch (c.op % 15) {
        case 0: {
            const uint16_t count = static_cast<uint16_t>(c.param % (kMaxPrinters + 1));
            fuzz::Block block(count * sizeof(VRXPRINTERINFO), c.pattern);
            FUZZ_CHECK(tracer.vrxGetPrinter(count, c.Record<VRXPRINTERINFO>(block)) == c.result);
            FUZZ_CHECK(tracer.Count("===") == (c.Has(kNullRecord) ? 0u : count));
            break;
        }
        case 1: FillsOne(tracer, c, &vrx::SdkCallTracer::vrxDevGetUnitInfo); break;
        case 2: Walk(tracer, c, &vrx::SdkCallTracer::vrxDevGetMagInfo); break;
        case 3: Walk(tracer, c, &vrx::SdkCallTracer::vrxDevGetAllMagInfo); break;
        case 4: FillsOne(tracer, c, &vrx::SdkCallTracer::vrxDevGetSetUpInfo); break;
        case 5: FillsOne(tracer, c, &vrx::SdkCallTracer::vrxDevGetPrintNumInfo); break;
        case 6: FillsOne(tracer, c, &vrx::SdkCallTracer::vrxDevGetTime); break;
        case 7: {
            fuzz::Block info(sizeof(VRXINTERRUPTORDERINFO), c.pattern);
            FUZZ_CHECK(tracer.vrxDevInterruptPrintOrder(h, 1, c.Record<VRXINTERRUPTORDERINFO>(info)) == c.result);
            break;
        }
        case 8: {
            fuzz::Block time = c.Own(sizeof(VRXTIMEINFO));
            FUZZ_CHECK(tracer.vrxDevSetTime(h, c.Record<VRXTIMEINFO>(time)) == c.result);
            break;
        }
        case 9: {
            fuzz::Block paper = c.Own(sizeof(VRXPAPERINFO));
            const std::string name = c.TextAfter(sizeof(VRXPAPERINFO));
            FUZZ_CHECK(tracer.vrxDevGetProfile(h, c.Text(name), c.Record<VRXPAPERINFO>(paper)) == c.result);
            break;
        }
        case 10: {
            // pName is the console's own text; the rest of the record is any bytes.
            fuzz::Block print = c.Own(sizeof(VRXPRINTINFO));
            const std::string name = c.TextAfter(sizeof(VRXPRINTINFO));
            const char* pName = c.Text(name);
            std::memcpy(print.data() + offsetof(VRXPRINTINFO, pName), &pName, sizeof pName);
            uint32_t id = 0;
            FUZZ_CHECK(tracer.vrxDevPrint(h, 1, &id, nullptr, c.Record<VRXPRINTINFO>(print)) == c.result);
            FUZZ_CHECK(tracer.Count("===") == (c.Has(kNullRecord) ? 0u : 8u));
            break;
        }
        case 11: {
            fuzz::Block blank = c.Own(sizeof(VRXBLANKPRINTINFO));
            uint32_t id = 0;
            FUZZ_CHECK(tracer.vrxDevBlankPrint(h, 1, &id, nullptr, c.Record<VRXBLANKPRINTINFO>(blank)) == c.result);
            break;
        }
        case 12: {
            fuzz::Block info = c.Own(sizeof(VRXINTERRUPTORDERINFO));
            FUZZ_CHECK(tracer.vrxDevStartRetransmission(h, 1, c.Record<VRXINTERRUPTORDERINFO>(info)) == c.result);
            break;
        }
        case 13: {
            // Key and file name as typed, of any length: the line is cut, not overrun.
            const std::string all(c.bytes.begin(), c.bytes.end());
            const size_t split = c.param % (all.size() + 1);
            const std::string key = all.substr(0, split), file = all.substr(split);
            uint32_t result = 0;
            FUZZ_CHECK(tracer.vrxDevStartFAD(h, 1, c.Text(key), &result, c.param, c.Text(file)) == c.result);
            break;
        }
        case 14: {
            // A reply of any length into a buffer of the length the console gave.
            uint16_t length = c.param;
            fuzz::Block reply(length, c.pattern);
            if (!c.Has(kSizeAsGiven)) fake::State().word = static_cast<uint16_t>(c.size);
            FUZZ_CHECK(tracer.vrxDevVrxCommand1(h, 1, 2, 0, nullptr, 3, c.Has(kNullSize) ? nullptr : &length,
                                                reply.data(), 1000) == c.result);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    Case c;
    c.op = in.Take<uint8_t>();
    c.flags = in.Take<uint8_t>();
    c.pattern = in.Take<uint8_t>();
    c.result = in.Take<uint32_t>();
    c.param = in.Take<uint16_t>();
    c.size = in.Take<uint32_t>();
    c.bytes = in.Rest();
    Run(c);
    return 0;
}
