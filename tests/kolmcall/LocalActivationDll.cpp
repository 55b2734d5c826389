// Activation of KolmCallLocal.dll, the test build of the library that hosts
// can drive under Wine: the arguments must match the contract exactly, and
// the server is then started locally. A mismatch fails the creation.
#include "LocalActivation.h"
#include "ServerLink.h"

HRESULT kolmcall::ActivateServer(REFCLSID classId, IUnknown* outer, DWORD context, COSERVERINFO* serverInfo,
                                 DWORD count, MULTI_QI* results)
{
    if (!kolmtest::ActivationMismatch(classId, outer, context, serverInfo, count, results).empty()) {
        return E_INVALIDARG;
    }
    return kolmtest::ActivateLocally(classId, count, results);
}
