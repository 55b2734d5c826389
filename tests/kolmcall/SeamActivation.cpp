#include "SeamActivation.h"

#include "LocalActivation.h"
#include "ServerLink.h"

namespace kolmtest {
namespace {

ActivationHandler g_handler;
std::vector<ActivationCall> g_calls;

}  // namespace

void SetActivationHandler(ActivationHandler handler)
{
    g_handler = std::move(handler);
    g_calls.clear();
}

const std::vector<ActivationCall>& ActivationCalls()
{
    return g_calls;
}

}  // namespace kolmtest

HRESULT kolmcall::ActivateServer(REFCLSID classId, IUnknown* outer, DWORD context, COSERVERINFO* serverInfo,
                                 DWORD count, MULTI_QI* results)
{
    kolmtest::g_calls.push_back({kolmtest::ActivationMismatch(classId, outer, context, serverInfo, count, results)});
    if (!kolmtest::g_handler) {
        return REGDB_E_CLASSNOTREG;
    }
    return kolmtest::g_handler(classId, count, results);
}
