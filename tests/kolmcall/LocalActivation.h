// The stand-in for the bridge's remote activation in tests: Wine cannot
// activate through the remote-server context, so tests check the exact
// arguments the bridge passes and then activate the same server locally.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>

namespace kolmtest {

// Empty when the arguments are exactly the bridge's contract: the server's
// class, no aggregation, the remote-server context 0x10, the loopback host
// name without authentication, and one request for the server's interface.
std::string ActivationMismatch(REFCLSID classId, IUnknown* outer, DWORD context, const COSERVERINFO* serverInfo,
                               DWORD count, const MULTI_QI* results);

// Activates the class with the local-server context, for the same requests.
HRESULT ActivateLocally(REFCLSID classId, DWORD count, MULTI_QI* results);

}  // namespace kolmtest
