#include "app/window/size_grip.h"

#include <windowsx.h>

#include <algorithm>

namespace quorvane {

namespace {

// Mouse positions arrive relative to the grip as it stands when the message
// is read; the grip moves with every step, so they are taken to the screen
// at once.
POINT onScreen(HWND grip, LPARAM position) {
  POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ClientToScreen(grip, &point);
  return point;
}

void paint(HWND grip) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(grip, &paint);
  RECT box{};
  GetClientRect(grip, &box);
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(dc, &box, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  EndPaint(grip, &paint);
}

}  // namespace

void SizeGrip::registerWindowClass(HINSTANCE instance) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  cls.lpfnWndProc = windowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_SIZENWSE);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  RegisterClassExW(&cls);
}

void SizeGrip::create(HWND window, HINSTANCE instance) {
  grip_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, window, nullptr,
                          instance, this);
}

void SizeGrip::place(int left, int top, int size, bool shown) {
  if (!grip_) return;
  SetWindowPos(grip_, HWND_TOP, left, top, size, size,
               SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

LRESULT CALLBACK SizeGrip::windowProc(HWND grip, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(grip, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<SizeGrip*>(GetWindowLongPtrW(grip, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      paint(grip);
      return 0;
    case WM_LBUTTONDOWN:
      if (self) self->onPressed(onScreen(grip, lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (self && self->dragging_) self->onDragged(onScreen(grip, lParam));
      return 0;
    case WM_LBUTTONUP:
      // The last moves of a quick drag may reach the grip only folded into
      // the button's release, so the release's position is the drag's end.
      if (self && self->dragging_) {
        self->onDragged(onScreen(grip, lParam));
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (self) self->dragging_ = false;
      return 0;
    case WM_NCDESTROY:
      if (self) self->grip_ = nullptr;
      SetWindowLongPtrW(grip, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(grip, message, wParam, lParam);
}

void SizeGrip::onPressed(POINT point) {
  RECT box{};
  GetWindowRect(GetAncestor(grip_, GA_ROOT), &box);
  dragStart_ = point;
  sizeAtStart_ = {box.right - box.left, box.bottom - box.top};
  dragging_ = true;
  SetCapture(grip_);
}

void SizeGrip::onDragged(POINT point) {
  HWND window = GetAncestor(grip_, GA_ROOT);
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  const int width = std::max<int>(sizeAtStart_.cx + point.x - dragStart_.x, limits.ptMinTrackSize.x);
  const int height = std::max<int>(sizeAtStart_.cy + point.y - dragStart_.y, limits.ptMinTrackSize.y);
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvane
