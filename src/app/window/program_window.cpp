#include "app/window/program_window.h"

#include "app/window/window_dpi.h"
#include "text/wide_text.h"

namespace quorvane {

void ProgramWindow::registerClass(HINSTANCE instance, const wchar_t* className) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  cls.lpfnWndProc = windowProc;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.hInstance = instance;
  cls.hIcon = loadProgramIcon(instance, IconSize::Large, systemDpi());
  cls.hIconSm = loadProgramIcon(instance, IconSize::Small, systemDpi());
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = className;
  RegisterClassExW(&cls);
}

HWND ProgramWindow::createWindow(HINSTANCE instance, const wchar_t* className, std::string_view caption,
                                 DWORD style, const RECT& box) {
  // The creation parameter is this base, whatever the window derived from it.
  return CreateWindowExW(WS_EX_CONTROLPARENT, className, toWide(caption).c_str(), style, box.left, box.top,
                         box.right - box.left, box.bottom - box.top, nullptr, nullptr, instance, this);
}

LRESULT CALLBACK ProgramWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    scaleNonClientArea(window);
  }
  auto* self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

void ProgramWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
  scale_ = DpiScale(static_cast<int>(dpi));
  renewForScale();
  icons_.apply(window_, dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layOut();  // the size may not have changed
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace quorvane
