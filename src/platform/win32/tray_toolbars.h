#pragma once
// The classic notification area: toolbars whose buttons are the icons.
#include <windows.h>

#include <vector>

namespace quorvane::platform {

// The toolbar of the visible tray icons, then the toolbar of the hidden ones
// (the overflow window of Windows 7 to Windows 11 21H2) where the shell has one.
std::vector<HWND> findTrayToolbars();

}  // namespace quorvane::platform
