// A stand-in for the printer library, linked only into the tracing tests.
// Each entry point records its call and does what the test set up: returns
// `result`, copies `fill` into the buffer it was given (never beyond that
// buffer's size) and writes the out values the test chose.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "VrxSdk.h"

namespace fake {

struct Call {
    std::string function;
    std::vector<uint64_t> args;          // every argument, pointers as addresses
    std::vector<unsigned char> input;    // the record passed in, as the library saw it
    size_t linesBefore = 0;              // trace lines written before the library was entered
    std::string inFlight;                // the SDK call named in flight while the library ran
};

struct Sdk {
    uint32_t result = VRXERR_NORMAL;
    std::vector<unsigned char> fill;     // bytes written into the out record or record array
    std::optional<uint32_t> size;        // left in *pdwSize
    std::optional<uint16_t> word;        // left in *pPrinterNum, *pwRecvBufLen or *pVrxVersion
    std::vector<uint32_t> dwords;        // left in the DWORD out-parameters, in argument order
    std::function<size_t()> lineCount;   // how many lines the tracer holds
    std::vector<Call> calls;
};

// The one library state; tests reset it before each case.
Sdk& State();
void Reset();

template <class T>
uint64_t Address(T* pointer) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace fake
