#pragma once
// Where a top-level window may stand: inside the work area (the screen
// without the taskbar) of its monitor.
#include <windows.h>

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

}  // namespace quorvane
