// The activation seam of the in-process test build: every activation the
// bridge asks for is recorded and answered by a handler the test sets.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

namespace kolmtest {

struct ActivationCall {
    std::string mismatch;  // empty: the arguments matched the contract
};

using ActivationHandler = std::function<HRESULT(REFCLSID classId, DWORD count, MULTI_QI* results)>;

// Sets the handler for the activations that follow and clears the record;
// without one, activation answers REGDB_E_CLASSNOTREG.
void SetActivationHandler(ActivationHandler handler);
const std::vector<ActivationCall>& ActivationCalls();

}  // namespace kolmtest
