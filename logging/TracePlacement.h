// Where the "Log" window goes beside the main window, as plain geometry so
// that it is tested natively.
#pragma once

namespace vrx {

// Screen pixels; right and bottom lie just outside, as in a Win32 RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The log window's rectangle inside `work` (the work area of the main
// window's monitor): to the right of `main` where it fits, else to its left,
// else against the side with more room, covering as little of `main` as the
// work area allows; shrunk to the work area if larger. Its top is the main
// window's, moved down or up only as far as staying inside needs.
Rect PlaceBeside(const Rect& work, const Rect& main, int width, int height);

}  // namespace vrx
