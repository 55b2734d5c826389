// Exported entry points: each hands its arguments unchanged to the one
// library instance, which does the work and keeps the journal.
#include "Library.h"
#include "VrxSdk.h"

using vrxsim::Instance;

#define VRX_FORWARD_ENTRY_POINT(ret, name, params, args, method) \
    VRXEXPORT ret VRXAPI name params { return Instance().method args; }
VRX_ENTRY_POINTS(VRX_FORWARD_ENTRY_POINT)
