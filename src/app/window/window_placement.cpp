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

}  // namespace

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
