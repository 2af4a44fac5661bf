#pragma once
// Where a top-level window may stand: inside the work area (the screen
// without the taskbar) of its monitor.
#include <windows.h>

#include <vector>

#include "app/restored_placement.h"
#include "app/settings.h"

namespace quorvane {

// The work area of the monitor that holds most of `window`, or the nearest one.
RECT workAreaOf(HWND window);
// The work area of the monitor at `point`, or the nearest one.
RECT workAreaAt(POINT point);

// `box` made no larger than `area` and moved as little as needed to lie inside it.
RECT keptInside(const RECT& box, const RECT& area);
// A box of `size`, made no larger than `area`, in the middle of `area`.
RECT centredIn(SIZE size, const RECT& area);

inline SIZE sizeOf(const RECT& box) { return {box.right - box.left, box.bottom - box.top}; }

// `minimum` (an outer size) as the smallest size the user may give the
// window, but never larger than the work area of the window's monitor: a
// window that cannot be made small enough for its monitor hangs out of reach.
void setMinimumTrackSize(MINMAXINFO& limits, HWND window, SIZE minimum);

// Every monitor's work area, in screen coordinates.
std::vector<ScreenBox> workAreas();

// Where the window stands when not maximised, on the screen (its placement
// is kept in coordinates of the work area, which a taskbar at the left or
// the top moves), whether it is maximised, and `dpi`.
SavedPlacement placementOf(HWND window, int dpi);
// Shows the window with `box` (on the screen) as its normal place,
// maximised there when asked.
void showPlacedAt(HWND window, const ScreenBox& box, bool maximized);

}  // namespace quorvane
