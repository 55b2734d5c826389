#include "LocalActivation.h"

namespace kolmtest {
namespace {

// Written out here rather than taken from the library, so that a wrong
// identifier in the library shows up as a mismatch.
GUID FromText(const wchar_t* text)
{
    GUID guid = {};
    CLSIDFromString(const_cast<LPOLESTR>(text), &guid);
    return guid;
}

}  // namespace

std::string ActivationMismatch(REFCLSID classId, IUnknown* outer, DWORD context, const COSERVERINFO* serverInfo,
                               DWORD count, const MULTI_QI* results)
{
    if (!IsEqualCLSID(classId, FromText(L"{978DA01E-07A4-4E6B-9608-CD90284C01C5}"))) {
        return "class id";
    }
    if (outer != nullptr) {
        return "aggregation";
    }
    if (context != 0x10) {
        return "context " + std::to_string(context);
    }
    if (serverInfo == nullptr || serverInfo->pwszName == nullptr || lstrcmpW(serverInfo->pwszName, L"localhost") != 0) {
        return "server name";
    }
    if (serverInfo->dwReserved1 != 0 || serverInfo->pAuthInfo != nullptr || serverInfo->dwReserved2 != 0) {
        return "server information";
    }
    if (count != 1 || results == nullptr || results[0].pIID == nullptr) {
        return "request count";
    }
    if (!IsEqualIID(*results[0].pIID, FromText(L"{55A7C8D4-7D20-4A2B-8377-2DFC7C19F3B6}"))) {
        return "interface id";
    }
    if (results[0].pItf != nullptr) {
        return "request not empty";
    }
    return std::string();
}

HRESULT ActivateLocally(REFCLSID classId, DWORD count, MULTI_QI* results)
{
    return CoCreateInstanceEx(classId, nullptr, CLSCTX_LOCAL_SERVER, nullptr, count, results);
}

}  // namespace kolmtest
