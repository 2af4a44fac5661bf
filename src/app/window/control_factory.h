#pragma once
// Creates the window's controls from their layout: the Win32 class and
// styles of each kind, its caption and font; and places them.
#include <windows.h>

#include "app/dpi_scale.h"
#include "app/window/main_window_layout.h"

namespace quorvane {

inline constexpr wchar_t kRegionPanelClass[] = L"QuorvaneRegionPanel";

// The control of `layout`, standing at `box` (in pixels at the window's DPI).
HWND createControl(const ControlLayout& layout, const ControlBox& box, DpiScale scale, HWND parent,
                   HINSTANCE instance, HFONT font);
// Moves a control to `box`; a drop-down list takes it as its closed size.
// Nothing happens when it already stands there.
void placeControl(HWND control, ControlKind kind, const ControlBox& box, DpiScale scale);
// The same for a child window of any kind but a drop-down list.
void placeChild(HWND child, const ControlBox& box);

int controlId(Control c);
// -1 when the id names no control.
int controlIndexOfId(int id);

}  // namespace quorvane
