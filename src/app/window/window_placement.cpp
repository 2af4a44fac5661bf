#include "app/window/window_placement.h"

#include <algorithm>

namespace quorvane {

namespace {

RECT workAreaOfMonitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// From the screen to the coordinates of the work area of the monitor `box`
// is on; GetWindowPlacement and SetWindowPlacement use those.
POINT workAreaOffset(const RECT& box) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &info)) return {0, 0};
  return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

BOOL CALLBACK collectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<ScreenBox>*>(areas)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

}  // namespace

void setMinimumTrackSize(MINMAXINFO& limits, HWND window, SIZE minimum) {
  const SIZE room = sizeOf(workAreaOf(window));
  limits.ptMinTrackSize = {std::min(minimum.cx, room.cx), std::min(minimum.cy, room.cy)};
}

std::vector<ScreenBox> workAreas() {
  std::vector<ScreenBox> areas;
  EnumDisplayMonitors(nullptr, nullptr, collectWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

SavedPlacement placementOf(HWND window, int dpi) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  RECT box = placement.rcNormalPosition;
  const POINT offset = workAreaOffset(box);
  OffsetRect(&box, offset.x, offset.y);
  const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                         (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
  return {box.left, box.top, box.right, box.bottom, maximized, dpi};
}

void showPlacedAt(HWND window, const ScreenBox& box, bool maximized) {
  RECT normal{box.left, box.top, box.right, box.bottom};
  const POINT offset = workAreaOffset(normal);
  OffsetRect(&normal, -offset.x, -offset.y);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  placement.showCmd = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  placement.ptMinPosition = {-1, -1};
  placement.ptMaxPosition = {-1, -1};
  placement.rcNormalPosition = normal;
  SetWindowPlacement(window, &placement);
}

RECT workAreaOf(HWND window) { return workAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

RECT workAreaAt(POINT point) { return workAreaOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

RECT keptInside(const RECT& box, const RECT& area) {
  const SIZE room = sizeOf(area);
  const LONG width = std::min(box.right - box.left, room.cx);
  const LONG height = std::min(box.bottom - box.top, room.cy);
  const LONG left = std::clamp(box.left, area.left, area.right - width);
  const LONG top = std::clamp(box.top, area.top, area.bottom - height);
  return {left, top, left + width, top + height};
}

RECT centredIn(SIZE size, const RECT& area) {
  const SIZE room = sizeOf(area);
  const LONG width = std::min(size.cx, room.cx), height = std::min(size.cy, room.cy);
  const LONG left = area.left + (room.cx - width) / 2, top = area.top + (room.cy - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace quorvane
