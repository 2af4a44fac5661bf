#pragma once
// The DPI a window is shown at, and the system's metrics at a DPI. The calls
// that answer per window came with Windows 10 (1607); user32 is asked for
// them by name, and where they are missing every window has the system's DPI,
// so the program still starts on older systems.
#include <windows.h>

#include "app/dpi_scale.h"

namespace quorvane {

// The DPI of the primary monitor as the system started: where a window first
// appears before it has one of its own.
UINT systemDpi();
UINT dpiOfWindow(HWND window);
inline DpiScale dpiScaleOf(HWND window) { return DpiScale(static_cast<int>(dpiOfWindow(window))); }
// The DPI of the monitor that shows the notification area (the taskbar's,
// which may not be the window's); the system's when there is no taskbar.
UINT notificationAreaDpi();
// GetSystemMetrics as it would answer at `dpi`.
int systemMetricAtDpi(int index, UINT dpi);
// What the frame, the caption and any menu bar the system draws around
// `window`'s client area take at `dpi` (its outer size less its client
// size), from its styles: known before the window is sized at that DPI, and
// while it is minimised.
SIZE frameSizeAtDpi(HWND window, UINT dpi);
// Called from WM_NCCREATE: lets Windows 10 1607, which knows per-monitor
// awareness only in its first form, scale the caption and frame too (later
// systems do it by themselves).
void scaleNonClientArea(HWND window);

}  // namespace quorvane
