#pragma once
// The program icon, one resource with ten images from 16 to 256 pixels.
#include <windows.h>

namespace quorvane {

inline constexpr int kProgramIconId = 1;

enum class IconSize { Small, Large };

// The icon at the size the system uses at `dpi` for captions and the
// notification area (small) or for the task switcher (large): the image of
// that size, or the next larger one scaled down. The caller destroys it.
HICON loadProgramIcon(HINSTANCE instance, IconSize size, UINT dpi);

// The icons a window shows in its caption and task switcher, at the
// window's DPI. Owns them: the window must be gone or hold others before
// this object goes.
class WindowIcons {
 public:
  WindowIcons() = default;
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;
  ~WindowIcons();

  // Loads both icons for `dpi`, hands them to the window and drops the old ones.
  void apply(HWND window, UINT dpi);
  HICON smallIcon() const { return smallIcon_; }

 private:
  HICON smallIcon_ = nullptr;
  HICON largeIcon_ = nullptr;
};

}  // namespace quorvane
