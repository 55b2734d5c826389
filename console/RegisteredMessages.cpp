#include "RegisteredMessages.h"

namespace vrx {

const UINT g_msgUnit = RegisterWindowMessageA("QRM_VRXCLIENT_UNIT");
const UINT g_msgEvent = RegisterWindowMessageA("QRM_VRXCLIENT_EVENT");
const UINT g_msgCompletion = RegisterWindowMessageA("QRM_VRXCLIENT_COMPLETION");
const UINT g_msgEventEx = RegisterWindowMessageA("QRM_VRXCLIENT_EVENT_EX");

}  // namespace vrx
