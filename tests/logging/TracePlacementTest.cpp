// Where the "Log" window goes beside the main window on the main window's
// monitor.
#include <gtest/gtest.h>

#include <array>

#include "TracePlacement.h"

namespace {

std::array<int, 4> Corners(const vrx::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TEST(TracePlacement, StaysInsideTheWorkAreaBesideTheMainWindowWhereItCan) {
    const struct {
        const char* what;
        vrx::Rect work, main;
        int width, height;
        vrx::Rect want;
    } rows[] = {
        {"fits to the right, just, though the left has more room", {0, 0, 1600, 1160}, {900, 0, 1300, 600}, 300, 400,
         {1300, 0, 1600, 400}},
        {"too wide on the right: to the left", {0, 0, 1920, 1260}, {700, 40, 1700, 900}, 534, 600,
         {166, 40, 700, 640}},
        {"neither side (150 %): against the right edge, more room there", {0, 0, 1920, 1260}, {0, 0, 1532, 1000},
         534, 900, {1386, 0, 1920, 900}},
        {"neither side: against the left edge, more room there", {0, 0, 1920, 1260}, {400, 0, 1920, 1000}, 534,
         900, {0, 0, 534, 900}},
        {"larger than the work area: shrunk to it", {0, 0, 1024, 728}, {0, 0, 800, 600}, 1200, 900,
         {0, 0, 1024, 728}},
        {"second monitor left of the first: fits to the right", {-1280, 0, 0, 1024}, {-1200, 50, -700, 650}, 534,
         500, {-700, 50, -166, 550}},
        {"second monitor, taskbar on top: clamped there, moved up", {1920, 40, 3200, 1064},
         {2000, 700, 2900, 1060}, 534, 500, {2666, 564, 3200, 1064}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Corners(vrx::PlaceBeside(row.work, row.main, row.width, row.height)), Corners(row.want));
    }
}
