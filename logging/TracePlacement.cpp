#include "TracePlacement.h"

#include <algorithm>

namespace vrx {

Rect PlaceBeside(const Rect& work, const Rect& main, int width, int height) {
    width = std::max(0, std::min(width, work.Width()));
    height = std::max(0, std::min(height, work.Height()));
    const int lastLeft = work.right - width;
    int left = main.right;
    if (main.right < work.left || main.right > lastLeft) {
        // The side with more room: there the log fits beside the main window
        // if it fits anywhere, and otherwise hides the least of it.
        const bool right = work.right - main.right >= main.left - work.left;
        left = std::clamp(right ? main.right : main.left - width, work.left, lastLeft);
    }
    const int top = std::clamp(main.top, work.top, work.bottom - height);
    return Rect{left, top, left + width, top + height};
}

}  // namespace vrx
