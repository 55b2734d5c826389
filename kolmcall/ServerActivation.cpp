// The product's activation: a plain CoCreateInstanceEx.
#include "ServerLink.h"

namespace kolmcall {

HRESULT ActivateServer(REFCLSID classId, IUnknown* outer, DWORD context, COSERVERINFO* serverInfo,
                       DWORD count, MULTI_QI* results)
{
    return CoCreateInstanceEx(classId, outer, context, serverInfo, count, results);
}

}  // namespace kolmcall
