#include "FakeSdk.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "SdkCallInFlight.h"

namespace fake {

Sdk& State() {
    static Sdk sdk;
    return sdk;
}

void Reset() { State() = Sdk(); }

namespace {

Call& Enter(const char* function, std::vector<uint64_t> args) {
    Sdk& sdk = State();
    Call call;
    call.function = function;
    call.args = std::move(args);
    call.linesBefore = sdk.lineCount ? sdk.lineCount() : 0;
    call.inFlight = vrx::SdkCallInFlight() ? vrx::SdkCallInFlight() : "";
    sdk.calls.push_back(std::move(call));
    return sdk.calls.back();
}

// Every argument as the call records it: pointers by address, numbers widened.
template <class T>
uint64_t Arg(T* pointer) {
    return Address(pointer);
}
uint64_t Arg(uint64_t value) { return value; }

// Keeps the record the caller handed over, as the library saw it on entry.
template <class T>
void Input(Call& call, const T* record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    if (record) call.input.assign(bytes, bytes + sizeof(T));
}

void Fill(void* buffer, size_t capacity) {
    const Sdk& sdk = State();
    if (buffer && !sdk.fill.empty()) std::memcpy(buffer, sdk.fill.data(), std::min(capacity, sdk.fill.size()));
}

void Put(uint32_t* out, size_t i) {
    const Sdk& sdk = State();
    if (out && i < sdk.dwords.size()) *out = sdk.dwords[i];
}

void PutWord(uint16_t* out) {
    if (out && State().word) *out = *State().word;
}

template <class... A>
auto Last(A... args) {
    return std::get<sizeof...(A) - 1>(std::make_tuple(args...));
}

// What entry point F does besides returning the result: most do nothing.
template <auto F>
struct Effects {
    template <class... A>
    static void Apply(Call&, A...) {}
};

// Records handed over in the last argument, kept as the test's input...
struct TakesRecord {
    template <class... A>
    static void Apply(Call& call, A... args) {
        Input(call, Last(args...));
    }
};

// ...or kept and then filled.
struct FillsRecord {
    template <class... A>
    static void Apply(Call& call, A... args) {
        auto* record = Last(args...);
        Input(call, record);
        Fill(record, sizeof *record);
    }
};

// Fills at most the bytes the caller said its buffer holds, then reports the
// byte count the test chose, which may exceed the buffer.
struct FillsSized {
    static void Apply(Call&, HVRXPRINTER, void* buffer, uint32_t* pdwSize) {
        Fill(buffer, pdwSize ? *pdwSize : 0);
        if (pdwSize && State().size) *pdwSize = *State().size;
    }
};

// A print entry: its record is kept and the print id put out.
struct Prints {
    template <class T>
    static void Apply(Call& call, HVRXPRINTER, uint32_t, uint32_t* pPrintID, VRXCOMPLETIONPROC, T* info) {
        Input(call, info);
        Put(pPrintID, 0);
    }
};

template <>
struct Effects<&vrxGetVrxVersion> {
    static void Apply(Call& call, uint16_t* pVrxVersion) {
        Input(call, pVrxVersion);
        PutWord(pVrxVersion);
    }
};
template <>
struct Effects<&vrxSearchPrinter> {
    static void Apply(Call&, uint16_t* pPrinterNum, uint32_t) { PutWord(pPrinterNum); }
};
template <>
struct Effects<&vrxSearchPrinter2> : Effects<&vrxSearchPrinter> {};
template <>
struct Effects<&vrxGetPrinter> {
    static void Apply(Call&, uint16_t wBufferNum, VRXPRINTERINFO* pPrinterInfo) {
        Fill(pPrinterInfo, size_t{wBufferNum} * sizeof(VRXPRINTERINFO));
    }
};
template <>
struct Effects<&vrxDevOpen> {
    static void Apply(Call&, uint32_t, HVRXPRINTER* phPrinter, VRXEVENTPROC, VRXUNITPROC) { Put(phPrinter, 0); }
};
template <>
struct Effects<&vrxDevGetUnitInfo> : FillsRecord {};
template <>
struct Effects<&vrxDevGetMagInfo> : FillsSized {};
template <>
struct Effects<&vrxDevGetAllMagInfo> : FillsSized {};
template <>
struct Effects<&vrxDevGetSetUpInfo> : FillsRecord {};
template <>
struct Effects<&vrxDevGetPrintNumInfo> : FillsRecord {};
template <>
struct Effects<&vrxDevSetTime> : TakesRecord {};
template <>
struct Effects<&vrxDevGetTime> : FillsRecord {};
template <>
struct Effects<&vrxDevGetProfile> : TakesRecord {};
template <>
struct Effects<&vrxDevGetTransmitTime> {
    static void Apply(Call&, HVRXPRINTER, uint32_t* pOrderId, uint32_t* pPrintID, uint32_t* pTime) {
        Put(pOrderId, 0);
        Put(pPrintID, 1);
        Put(pTime, 2);
    }
};
template <>
struct Effects<&vrxDevStartOrderEx> {
    static void Apply(Call&, HVRXPRINTER, uint32_t* pdwOrderId, VRXCOMPLETIONPROC, uint32_t, uint32_t, uint32_t,
                      uint32_t) {
        Put(pdwOrderId, 0);
    }
};
template <>
struct Effects<&vrxDevPrint> : Prints {};
template <>
struct Effects<&vrxDevBlankPrint> : Prints {};
template <>
struct Effects<&vrxDevGetPrintStatus> {
    static void Apply(Call&, HVRXPRINTER, uint32_t, uint32_t* pPrintStatus) { Put(pPrintStatus, 0); }
};
template <>
struct Effects<&vrxDevInterruptPrintOrder> : FillsRecord {};
template <>
struct Effects<&vrxDevStartRetransmission> : TakesRecord {};
template <>
struct Effects<&vrxDevStartFAD> {
    static void Apply(Call&, HVRXPRINTER, uint32_t, const char*, uint32_t* lpdwResult, uint16_t, const char*) {
        Put(lpdwResult, 0);
    }
};
template <>
struct Effects<&vrxDevVrxCommand1> {
    static void Apply(Call&, HVRXPRINTER, uint16_t, uint16_t, uint16_t, void*, uint16_t, uint16_t* pwRecvBufLen,
                      void* lpRecvBuf, uint32_t) {
        Fill(lpRecvBuf, pwRecvBufLen ? *pwRecvBufLen : 0);
        PutWord(pwRecvBufLen);
    }
};
template <>
struct Effects<&vrxDevVrxCommand2> {
    static void Apply(Call&, HVRXPRINTER, uint16_t, uint16_t, uint16_t, void*, uint16_t, uint16_t* pwRecvBufLen,
                      VRXRECVPROC, uint32_t) {
        PutWord(pwRecvBufLen);
    }
};

// One call of entry point F: recorded, then its effects, then the result the
// test chose (nothing for the entry points that return nothing).
template <auto F>
struct Entry {
    const char* function;

    template <class... A>
    auto operator()(A... args) const {
        Call& call = Enter(function, {Arg(args)...});
        Effects<F>::Apply(call, args...);
        return static_cast<decltype(F(args...))>(State().result);
    }
};

}  // namespace
}  // namespace fake

#define VRX_FAKE_ENTRY_POINT(ret, name, params, args, method) \
    VRXEXPORT ret VRXAPI name params { return fake::Entry<&name>{#name} args; }
VRX_ENTRY_POINTS(VRX_FAKE_ENTRY_POINT)
