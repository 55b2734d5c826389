// Reads another process's resources for the endurance watch: each through
// the platform's own call where it answers, else through a fallback that
// does (Wine answers 0 to the handle count and to the private bytes), and
// not available where neither does. Each reading names its source.
#pragma once

#include <windows.h>

#include "ResourceWatch.h"

namespace scenario {

void ReadProcess(HANDLE process, DWORD processId, Reading (&readings)[ResourceWatch::kKinds]);

}  // namespace scenario
