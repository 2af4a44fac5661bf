#pragma once
// The program icon, one resource with ten images from 16 to 256 pixels.
#include <windows.h>

namespace quorvane {

inline constexpr int kProgramIconId = 1;

// The image nearest the size the system uses for window icons (large) or for
// captions and the notification area (small).
HICON loadProgramIcon(HINSTANCE instance, bool small);

}  // namespace quorvane
