#include "app/window/program_icon.h"

#include <initializer_list>

#include "app/window/window_dpi.h"

namespace quorvane {

namespace {

using LoadIconWithScaleDownCall = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Common Controls 6 scales a larger image down, which keeps an icon sharp at
// sizes the resource lacks (20 and 28 pixels at 125 % and 175 %); where it is
// missing, LoadImage picks the nearest image.
LoadIconWithScaleDownCall loadIconWithScaleDown() {
  static const LoadIconWithScaleDownCall call = [] {
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    FARPROC found = comctl32 ? GetProcAddress(comctl32, "LoadIconWithScaleDown") : nullptr;
    return reinterpret_cast<LoadIconWithScaleDownCall>(reinterpret_cast<void*>(found));
  }();
  return call;
}

}  // namespace

HICON loadProgramIcon(HINSTANCE instance, IconSize size, UINT dpi) {
  const bool isSmall = size == IconSize::Small;
  const int width = systemMetricAtDpi(isSmall ? SM_CXSMICON : SM_CXICON, dpi);
  const int height = systemMetricAtDpi(isSmall ? SM_CYSMICON : SM_CYICON, dpi);
  HICON icon = nullptr;
  if (LoadIconWithScaleDownCall scaleDown = loadIconWithScaleDown())
    if (SUCCEEDED(scaleDown(instance, MAKEINTRESOURCEW(kProgramIconId), width, height, &icon)) && icon)
      return icon;
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, width, height, 0));
}

WindowIcons::~WindowIcons() {
  for (HICON icon : {smallIcon_, largeIcon_})
    if (icon) DestroyIcon(icon);
}

void WindowIcons::apply(HWND window, UINT dpi) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  HICON oldSmall = smallIcon_, oldLarge = largeIcon_;
  smallIcon_ = loadProgramIcon(instance, IconSize::Small, dpi);
  largeIcon_ = loadProgramIcon(instance, IconSize::Large, dpi);
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  for (HICON icon : {oldSmall, oldLarge})
    if (icon) DestroyIcon(icon);
}

}  // namespace quorvane
