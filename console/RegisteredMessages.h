// The four window messages by which library threads hand notifications to
// the window thread; registered by static initialisers before any window.
#pragma once

#include <windows.h>

namespace vrx {

extern const UINT g_msgUnit;        // "QRM_VRXCLIENT_UNIT"
extern const UINT g_msgEvent;       // "QRM_VRXCLIENT_EVENT"
extern const UINT g_msgCompletion;  // "QRM_VRXCLIENT_COMPLETION"
extern const UINT g_msgEventEx;     // "QRM_VRXCLIENT_EVENT_EX"

}  // namespace vrx
