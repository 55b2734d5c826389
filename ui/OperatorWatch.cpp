#include "OperatorWatch.h"

namespace ui {

namespace {
// Every window of the console lives on one thread.
OperatorWatcher* g_watcher = nullptr;
}  // namespace

void SetOperatorWatcher(OperatorWatcher* watcher) { g_watcher = watcher; }
OperatorWatcher* Watcher() { return g_watcher; }

}  // namespace ui
