#pragma once
// Creates the window's controls from their layout: the Win32 class and
// styles of each kind, its caption and font.
#include <windows.h>

#include "app/window/main_window_layout.h"

namespace quorvane {

inline constexpr wchar_t kRegionPanelClass[] = L"QuorvaneRegionPanel";

HWND createControl(const ControlLayout& layout, HWND parent, HINSTANCE instance, HFONT font);

int controlId(Control c);
// -1 when the id names no control.
int controlIndexOfId(int id);

}  // namespace quorvane
